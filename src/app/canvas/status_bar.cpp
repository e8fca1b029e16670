#include "app/canvas/status_bar.h"

#include <QLabel>
#include <algorithm>

#include "app/skin/control_metrics.h"

namespace {

struct LabelDesign {
  const char* name;
  const char* caption;
  const char* hint;
  int gap;  // from the previous label's left edge (the first: from the bar's left edge)
};

constexpr LabelDesign kLabels[] = {
    {"XP", "X: 255", "X position in Pixels", 15},     {"YP", "Y:", "Y position in Pixels", 40},
    {"XA", "XA: 32", "X position in Attributes", 40}, {"YA", "YA:", "Y position in Attributes", 40},
    {"IP", "Ink:", "Name of Ink color", 60},          {"PP", "Pap:", "Name of Paper color", 100},
};

constexpr int kMinimumGap = 6;

}  // namespace

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SB0"));
  setFixedHeight(kDesignHeight);
  for (int i = 0; i < kLabelCount; ++i) {
    m_labels[i] = new QLabel(QString::fromLatin1(kLabels[i].caption), this);
    m_labels[i]->setObjectName(QString::fromLatin1(kLabels[i].name));
    m_labels[i]->setToolTip(QString::fromLatin1(kLabels[i].hint));
  }
  SB0Resize();
}

void TStatusBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  SB0Resize();
}

void TStatusBar::SB0Resize() {
  int designLeft = 0;
  int previousRight = 0;
  for (int i = 0; i < kLabelCount; ++i) {
    designLeft += kLabels[i].gap;
    m_labels[i]->adjustSize();
    // The design gaps fit an 8-point font; a larger system font must not make labels overlap.
    const int left = i == 0 ? designLeft : std::max(designLeft, previousRight + kMinimumGap);
    m_labels[i]->move(left, CenteredTop(height(), m_labels[i]->height()));
    previousRight = RightOf(m_labels[i]);
  }
}
