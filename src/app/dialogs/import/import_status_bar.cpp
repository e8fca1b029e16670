#include "app/dialogs/import/import_status_bar.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

#include "app/skin/control_metrics.h"

namespace {

struct LabelDesign {
  const char* name;
  const char* caption;
  int gapBefore;  // from the previous label's left (the first: from the bar's left)
};

constexpr std::array<LabelDesign, 8> kLabels = {{
    {"lbR1", "Red 1: ", 15},
    {"lbG1", "Grn 1: ", 65},
    {"lbB1", "Blu 1: ", 65},
    {"lbR2", "Red 2: ", 100},
    {"lbG2", "Grn 2: ", 65},
    {"lbB2", "Blu 2: ", 65},
    {"lbBrightness", "Brightness: ", 100},
    {"lbContrast", "Contrast: ", 100},
}};
constexpr int kMinimumSpacing = 8;
constexpr int kQualityMargin = 8;

}  // namespace

QString StatusLabelText(const char* caption, int value) {
  return QString::fromLatin1(caption) + QStringLiteral("%1").arg(value, 3, 10, QLatin1Char('0'));
}

TImportStatusBar::TImportStatusBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnStatus"));
  setFixedHeight(kDesignHeight);
  for (std::size_t i = 0; i < kLabels.size(); ++i) {
    m_labels[i] = new QLabel(StatusLabelText(kLabels[i].caption, 255), this);
    m_labels[i]->setObjectName(QString::fromLatin1(kLabels[i].name));
  }
  m_quality = new QLabel(this);
  m_quality->setObjectName(QStringLiteral("lbQuality"));
  ShowQuality(std::nullopt);
}

void TImportStatusBar::ShowQuality(const std::optional<tinto::PictureScore>& score) {
  m_score = score;
  QString tip = QStringLiteral(
      "How close the mix is to the picture: mean colour difference (CIEDE2000) "
      "seen from a distance, lower is better; structure kept (SSIM), higher is "
      "better");
  if (score)
    tip += QStringLiteral(
               "\nFlicker %1 (worst 8x8 blocks %2): how much the two frames differ "
               "in brightness, 0..1, lower is better")
               .arg(score->flicker.mean, 0, 'f', 3)
               .arg(score->flicker.block95, 0, 'f', 3);
  m_quality->setToolTip(tip);
  PlaceLabels();
}

namespace {

// The quality text in one of its forms, from the longest (0) to the shortest (2).
QString QualityText(const tinto::PictureScore& score, int form) {
  static const char* const kForms[] = {"Blur dE %1  SSIM %2", "dE %1  SSIM %2", "%1 / %2"};
  const QString text = QString::fromLatin1(kForms[form]).arg(score.de00Blur, 0, 'f', 2);
  return std::isnan(score.ssimY) ? text.arg(QStringLiteral("-")) : text.arg(score.ssimY, 0, 'f', 3);
}

}  // namespace

void TImportStatusBar::ShowValues(const tinto::ImportOptions& o) {
  const int values[] = {o.LR, o.LG, o.LB, o.HR, o.HG, o.HB, o.HTH, o.Contrast};
  for (std::size_t i = 0; i < kLabels.size(); ++i) {
    m_labels[i]->setText(StatusLabelText(kLabels[i].caption, values[i]));
    m_labels[i]->adjustSize();
  }
  PlaceLabels();
  repaint();
}

void TImportStatusBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceLabels();
}

// The design steps are minimums: a font wider than the design's never runs labels together.
int TImportStatusBar::PlaceValues(double gapScale) {
  int left = 0;
  int previousRight = 0;
  for (std::size_t i = 0; i < kLabels.size(); ++i) {
    const int gap = static_cast<int>(kLabels[i].gapBefore * gapScale);
    left = std::max(left + gap, previousRight + kMinimumSpacing);
    m_labels[i]->adjustSize();
    m_labels[i]->move(left, CenteredTop(height(), m_labels[i]->height()));
    previousRight = RightOf(m_labels[i]);
  }
  return previousRight;
}

// The quality goes right-aligned after the values: in its longest form that fits with the
// design's spacing, else with the values drawn closer together, else in its shortest form.
void TImportStatusBar::PlaceLabels() {
  int valuesRight = 0;
  bool fits = false;
  for (int form = 0; form < 3 && !fits; ++form) {
    m_quality->setText(m_score ? QualityText(*m_score, form) : QString());
    m_quality->adjustSize();
    for (double gapScale : {1.0, 0.5, 0.0}) {
      valuesRight = PlaceValues(gapScale);
      fits = valuesRight + kMinimumSpacing + m_quality->width() + kQualityMargin <= width();
      if (fits) break;
    }
  }
  m_quality->move(
      std::max(valuesRight + kMinimumSpacing, width() - m_quality->width() - kQualityMargin),
      CenteredTop(height(), m_quality->height()));
}
