#pragma once
// A panel with a caption bar at its top holding a roll button and a close button: rolled up it
// shrinks to its caption bar, unrolled it shows its client area at the height it was given;
// the close button hides the panel.

#include <QWidget>

#include "app/widgets/symbol_button.h"

class QLabel;

class TCaptionPanel : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDefaultCaptionHeight = 22;

  explicit TCaptionPanel(const QString& caption, QWidget* parent = nullptr);

  QWidget* Client() const { return m_client; }
  QToolButton* RollButton() const { return m_rollButton; }
  QToolButton* CloseButton() const { return m_closeButton; }

  int CaptionHeight() const { return m_captionHeight; }
  void SetCaptionHeight(int height);
  // Height while unrolled (caption included); applied at once unless rolled up.
  void SetExpandedHeight(int height);
  bool RolledUp() const { return m_rolledUp; }
  // Emits ChangeRollState only when the state changes.
  void SetRolledUp(bool rolledUp);

 signals:
  void ChangeRollState();
  // The close button hid the panel.
  void Closed();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyHeight();

  QLabel* m_caption;
  TSymbolButton* m_rollButton;
  TSymbolButton* m_closeButton;
  QWidget* m_client;
  int m_captionHeight = kDefaultCaptionHeight;
  int m_expandedHeight = kDefaultCaptionHeight;
  bool m_rolledUp = false;
};
