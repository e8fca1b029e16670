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

  // Both images get `size` (the picture magnified); the scroll range follows.
  void SizeImages(QSize size);

 private:
  QScrollArea* m_msb;
  QWidget* m_content;
  TKelImage* m_image1;
  TKelImage* m_image2;
};
