#include "app/dialogs/import/destination_pane.h"

#include <QPainter>
#include <cstdint>

#include "app/widgets/kel_image.h"

namespace {

// Drawn above both images, so that the lines are painted again whenever the frames swap.
class TMltLineLayer : public QWidget {
 public:
  TMltLineLayer(const std::optional<MltLines>& lines, QWidget* parent)
      : QWidget(parent), m_lines(lines) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setObjectName(QStringLiteral("MltLines"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!m_lines) return;
    QPainter painter(this);
    painter.setPen(Qt::red);
    const int bottom = height() - 1;
    painter.drawLine(m_lines->left, 0, m_lines->left, bottom);
    painter.drawLine(m_lines->right, 0, m_lines->right, bottom);
  }

 private:
  const std::optional<MltLines>& m_lines;
};

}  // namespace

void CopyPreviewToImage(const tinto::Bitmap24& bitmap, QImage& image) {
  if (bitmap.Empty()) {
    image = QImage();
    return;
  }
  if (image.width() != bitmap.Width() || image.height() != bitmap.Height() ||
      image.format() != QImage::Format_RGB32)
    image = QImage(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint8_t* in = bitmap.Row(y);
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.Width(); ++x, in += 3) out[x] = qRgb(in[2], in[1], in[0]);
  }
}

TDestinationPane::TDestinationPane(QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("SBDestin"));
  setWidgetResizable(false);
  m_canvas = new QWidget;
  m_dest1 = new TKelImage(m_canvas);
  m_dest1->setObjectName(QStringLiteral("Dest1"));
  m_dest2 = new TKelImage(m_canvas);
  m_dest2->setObjectName(QStringLiteral("Dest2"));
  for (TKelImage* image : {m_dest1, m_dest2}) {
    image->SetStretch(true);
    image->hide();
  }
  m_dest1->SetPicture(&m_image1);
  m_dest2->SetPicture(&m_image2);
  m_lineLayer = new TMltLineLayer(m_lines, m_canvas);
  m_lineLayer->hide();
  setWidget(m_canvas);
}

void TDestinationPane::ShowPreviews(const tinto::Bitmap24& dest1, const tinto::Bitmap24& dest2,
                                    QSize shown) {
  CopyPreviewToImage(dest1, m_image1);
  CopyPreviewToImage(dest2, m_image2);
  // One pixel more than the images, so that a line on their right edge is seen.
  m_canvas->resize(shown + QSize(1, 0));
  m_lineLayer->resize(m_canvas->size());
  for (TKelImage* image : {m_dest1, m_dest2}) {
    image->resize(shown);
    image->PictureChanged();
  }
  m_lineLayer->raise();
}

void TDestinationPane::ShowFirst() {
  m_dest1->show();
  m_dest2->hide();
  m_lineLayer->show();
}

void TDestinationPane::ShowEmpty() {
  m_image1 = QImage();
  m_image2 = QImage();
  m_dest1->hide();
  m_dest2->hide();
  m_lineLayer->hide();
  m_canvas->resize(0, 0);
  m_dest1->PictureChanged();
  m_dest2->PictureChanged();
}

void TDestinationPane::SwapFrames() {
  const bool firstShown = m_dest1->isVisible();
  m_dest2->setVisible(firstShown);
  m_dest1->setVisible(!firstShown);
}

void TDestinationPane::SetMltLines(std::optional<MltLines> lines) {
  if (lines == m_lines) return;
  m_lines = lines;
  m_lineLayer->update();
}

void TDestinationPane::RepaintPreviews() {
  for (TKelImage* image : {m_dest1, m_dest2})
    if (image->isVisible()) image->repaint();
}
