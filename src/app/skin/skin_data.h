#pragma once
// The skin store of the main window: the active skin (or none), its information and its
// metrics. A skin is a Qt style sheet set on the whole application, so every window follows
// it at once; switching the skin off clears the sheet and leaves the platform's plain look.
// A compressed skin's resource bytes stay registered under their own root until another skin
// replaces them.

#include <QByteArray>
#include <QObject>
#include <QString>

// What the about box shows of a skin; every field may be empty.
struct SkinInfo {
  QString name;
  QString author;
  QString url;
  QString email;
  QString comments;
};

// A skin ready to apply: its style sheet with url(...) references already made absolute.
struct SkinDescription {
  SkinInfo info;
  QString styleSheet;
  int captionHeight = 22;
};

class SkinData : public QObject {
  Q_OBJECT

 public:
  static constexpr int kDefaultCaptionHeight = 22;

  explicit SkinData(QObject* parent = nullptr);
  ~SkinData() override;

  // Makes `skin` the active skin. `resourceBytes` (may be empty) is a resource the caller has
  // registered under `resourceRoot` for the sheet to refer to; the store keeps the bytes and
  // unregisters them when the skin is replaced or switched off.
  void Apply(const SkinDescription& skin, QByteArray resourceBytes = {},
             const QString& resourceRoot = {});
  // The plain look, with empty skin information.
  void SwitchOff();

  bool Active() const { return m_active; }
  const SkinInfo& Info() const { return m_skin.info; }
  // Caption height of roll-up panels under this skin, in pixels.
  int CaptionHeight() const { return m_skin.captionHeight; }

 signals:
  // The active skin changed (applied, replaced or switched off).
  void SkinChanged();

 private:
  void ReleaseResource();

  bool m_active = false;
  SkinDescription m_skin;
  QByteArray m_resourceBytes;
  QString m_resourceRoot;
};
