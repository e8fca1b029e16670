#include "app/dialogs/import/import_status_bar.h"

#include <QLabel>
#include <algorithm>

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
}

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
void TImportStatusBar::PlaceLabels() {
  int left = 0;
  int previousRight = 0;
  for (std::size_t i = 0; i < kLabels.size(); ++i) {
    left = std::max(left + kLabels[i].gapBefore, previousRight + kMinimumSpacing);
    m_labels[i]->adjustSize();
    m_labels[i]->move(left, CenteredTop(height(), m_labels[i]->height()));
    previousRight = RightOf(m_labels[i]);
  }
}
