#pragma once
// The editing area `Panel3`: the scroll box `MSB` holding the two stretched canvas images
// `Image_1` (frame 0) and `Image_2` (frame 1), both at the scroll box's origin; only the image
// of the edited frame is visible.

#include <QWidget>

class QScrollArea;
class TKelImage;

class TCanvasArea : public QWidget {
  Q_OBJECT

 public:
  explicit TCanvasArea(QWidget* parent = nullptr);

  QScrollArea* MSB() const { return m_msb; }
  TKelImage* Image_1() const { return m_image1; }
  TKelImage* Image_2() const { return m_image2; }
  // The image of frame 0 or 1.
  TKelImage* FrameImage(int frame) const { return frame == 0 ? m_image1 : m_image2; }
  // The top-left of the image of frame 0 or 1 in the scroll box's client coordinates.
  QPoint FrameImageOrigin(int frame) const;

  // Both images get `size` (the picture magnified); the scroll range follows.
  void SizeImages(QSize size);

 private:
  QScrollArea* m_msb;
  QWidget* m_content;
  TKelImage* m_image1;
  TKelImage* m_image2;
};
