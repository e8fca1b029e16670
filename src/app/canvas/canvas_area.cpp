#include "app/canvas/canvas_area.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/widgets/kel_image.h"

TCanvasArea::TCanvasArea(QWidget* parent)
    : QWidget(parent), m_msb(new QScrollArea(this)), m_content(new QWidget) {
  setObjectName(QStringLiteral("Panel3"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_msb);
  m_msb->setObjectName(QStringLiteral("MSB"));
  m_msb->horizontalScrollBar()->setObjectName(QStringLiteral("HSBImage"));
  m_msb->verticalScrollBar()->setObjectName(QStringLiteral("VSBImage"));
  m_msb->setWidget(m_content);
  m_msb->setWidgetResizable(false);
  m_image1 = new TKelImage(m_content);
  m_image1->setObjectName(QStringLiteral("Image_1"));
  m_image2 = new TKelImage(m_content);
  m_image2->setObjectName(QStringLiteral("Image_2"));
  m_image2->hide();
}

void TCanvasArea::SizeImages(QSize size) {
  m_image1->setGeometry(QRect(QPoint(0, 0), size));
  m_image2->setGeometry(QRect(QPoint(0, 0), size));
  m_content->resize(size);
}

QPoint TCanvasArea::FrameImageOrigin(int frame) const {
  return FrameImage(frame)->mapTo(m_msb->viewport(), QPoint(0, 0));
}
