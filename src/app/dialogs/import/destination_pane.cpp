#include "app/dialogs/import/destination_pane.h"

#include <QPainter>
#include <cstdint>

#include "app/widgets/kel_image.h"

namespace {

void DrawMltLines(QPainter& painter, const std::optional<MltLines>& lines, int height) {
  if (!lines) return;
  painter.setPen(Qt::red);
  painter.drawLine(lines->left, 0, lines->left, height - 1);
  painter.drawLine(lines->right, 0, lines->right, height - 1);
}

// Holds both images; paints the lines where no image covers it (the column right of them). No
// widget lies above the images: one would take a skin's background and hide them.
class TMltCanvas : public QWidget {
 public:
  explicit TMltCanvas(const std::optional<MltLines>& lines) : m_lines(lines) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    DrawMltLines(painter, m_lines, height());
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
  m_canvas = new TMltCanvas(m_lines);
  m_dest1 = new TKelImage(m_canvas);
  m_dest1->setObjectName(QStringLiteral("Dest1"));
  m_dest2 = new TKelImage(m_canvas);
  m_dest2->setObjectName(QStringLiteral("Dest2"));
  for (TKelImage* image : {m_dest1, m_dest2}) {
    image->SetStretch(true);
    image->hide();
    // Over the frame each image has just painted: every swap paints them again.
    connect(image, &TKelImage::OnPaint, this,
            [this, image](QPainter& painter) { DrawMltLines(painter, m_lines, image->height()); });
  }
  m_dest1->SetPicture(&m_image1);
  m_dest2->SetPicture(&m_image2);
  setWidget(m_canvas);
}

void TDestinationPane::ShowPreviews(const tinto::Bitmap24& dest1, const tinto::Bitmap24& dest2,
                                    QSize shown) {
  CopyPreviewToImage(dest1, m_image1);
  CopyPreviewToImage(dest2, m_image2);
  // One pixel more than the images, so that a line on their right edge is seen.
  m_canvas->resize(shown + QSize(1, 0));
  for (TKelImage* image : {m_dest1, m_dest2}) {
    image->resize(shown);
    image->PictureChanged();
  }
}

void TDestinationPane::ShowFirst() {
  m_dest1->show();
  m_dest2->hide();
}

void TDestinationPane::ShowEmpty() {
  m_image1 = QImage();
  m_image2 = QImage();
  m_dest1->hide();
  m_dest2->hide();
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
  for (QWidget* widget : {m_canvas, static_cast<QWidget*>(m_dest1), static_cast<QWidget*>(m_dest2)})
    widget->update();
}

void TDestinationPane::RepaintPreviews() {
  for (TKelImage* image : {m_dest1, m_dest2})
    if (image->isVisible()) image->repaint();
}
