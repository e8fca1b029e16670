#pragma once
// A shadowed label that stands for a mail or web address: underlined, shown in its highlight
// colour with a hand cursor while the pointer is over it; a click opens "mailto:" + address or
// "http://" + address with the desktop's handler.

#include <QUrl>
#include <functional>

#include "app/widgets/lum_label.h"

enum class TAddressStyle { asMail, asHttp };

// "mailto:" + address or "http://" + address.
QUrl ConnectUrl(TAddressStyle style, const QString& address);

class TLumConnectLabel : public TLumLabel {
  Q_OBJECT

 public:
  // Opens an address; true on success. Default: QDesktopServices::openUrl.
  using UrlOpener = std::function<bool(const QUrl&)>;

  explicit TLumConnectLabel(const QString& text = {}, QWidget* parent = nullptr);

  void SetAddress(const QString& address) { m_address = address; }
  void SetAddressStyle(TAddressStyle style) { m_addressStyle = style; }
  void SetUrlOpener(UrlOpener opener) { m_opener = std::move(opener); }

 signals:
  void Clicked();
  // After a click: whether the address could be opened.
  void Opened(bool succeeded);

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString m_address;
  TAddressStyle m_addressStyle = TAddressStyle::asMail;
  QColor m_highlightColor{0, 0, 255};
  QColor m_rememberedColor;
  UrlOpener m_opener;
};
