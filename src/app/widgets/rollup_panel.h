#pragma once
// A panel with a caption bar that rolls sideways: rolled up it shrinks to a narrow strip that
// shows only its roll button and its caption written upwards; unrolled it shows its client
// area below the caption bar at its full width.

#include <QWidget>

#include "app/widgets/symbol_button.h"

class TRollUpPanel : public QWidget {
  Q_OBJECT

 public:
  TRollUpPanel(const QString& caption, QWidget* parent = nullptr);

  // Children of the panel's content go here.
  QWidget* Client() const { return m_client; }
  QToolButton* RollButton() const { return m_rollButton; }

  const QString& Caption() const { return m_caption; }
  void SetCaption(const QString& caption);
  // Where a caption too long for the bar loses its text (right by default).
  void SetCaptionElideMode(Qt::TextElideMode mode);

  bool RolledUp() const { return m_rolledUp; }
  // Emits ChangeRollState only when the state actually changes.
  void SetRolledUp(bool rolledUp);
  // Width while unrolled; the rolled strip is always CaptionHeight() wide.
  void SetExpandedWidth(int width);
  int ExpandedWidth() const { return m_expandedWidth; }
  int CaptionHeight() const;

 signals:
  void ChangeRollState();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyRollState();
  void PlaceChildren();

  QString m_caption;
  Qt::TextElideMode m_captionElideMode = Qt::ElideRight;
  TSymbolButton* m_rollButton;
  QWidget* m_client;
  bool m_rolledUp = false;
  int m_expandedWidth = 0;
};
