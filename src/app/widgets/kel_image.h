#pragma once
// The image control for every picture on screen. It shows a QImage it does not own (the core
// renderer writes the image's memory), either 1:1 at the top left or stretched to the control's
// size, never smoothed. With SetTransparent on, pixels of the SetTranspatentColor colour are
// not drawn.
// Mouse movement is tracked without a button held, so MouseMove arrives on hover too.

#include <QColor>
#include <QImage>
#include <QWidget>

class QPainter;
class QMouseEvent;

class TKelImage : public QWidget {
  Q_OBJECT

 public:
  explicit TKelImage(QWidget* parent = nullptr);

  // The picture must outlive the control or be replaced first; null shows nothing.
  void SetPicture(QImage* picture);
  QImage* Picture() const { return m_picture; }
  // Call after the picture's size changed in place (auto size follows it).
  void PictureChanged();

  bool Stretch() const { return m_stretch; }
  void SetStretch(bool stretch);
  // With a valid size, a stretched picture fills that many device pixels from the top left
  // instead of the control's rectangle, so that a whole magnification stays whole at any
  // scale factor (the control should be at least that large); an invalid size turns it off.
  void SetStretchDeviceSize(QSize size);
  // When on, the control takes the picture's size.
  void SetAutoSize(bool autoSize);

  void SetTranspatentColor(QColor color);
  void SetTransparent(bool transparent);

  QSize sizeHint() const override;

 signals:
  // Raised after the picture was painted, with the painter still active.
  void OnPaint(QPainter& painter);
  // Once per crossing of the control's edge, and only while the control is enabled.
  void OnMouseEnter();
  void OnMouseLeave();
  void MouseDown(QMouseEvent* event);
  void MouseMove(QMouseEvent* event);
  void MouseUp(QMouseEvent* event);
  // Left button pressed and released over the control.
  void Click();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ApplyAutoSize();
  QImage WithTransparency() const;

  QImage* m_picture = nullptr;
  bool m_stretch = false;
  bool m_autoSize = false;
  QSize m_stretchDeviceSize;
  bool m_transparent = false;
  QColor m_transparentColor = Qt::black;
  bool m_pointerInside = false;
  bool m_leftPressed = false;
};
