#include "app/dialogs/import/import_tool_bar.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "app/skin/control_metrics.h"

namespace {

constexpr tinto::IntRange kMagnifyRange{1, 10};
constexpr int kDesignMagnify = 2;
constexpr int kLabelGap = 3;
constexpr int kGroupGap = 10;

}  // namespace

TImportToolBar::TImportToolBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ToolBar"));
  setFixedHeight(kDesignHeight);
  m_obmp = new QPushButton(QStringLiteral("Open Source"), this);
  m_obmp->setObjectName(QStringLiteral("OBMP"));
  m_obmp->setAutoDefault(false);
  m_obmp->setToolTip(QStringLiteral("Open a picture (Ctrl+O)"));
  const tinto::ScreenGeometry design;
  m_dx = AddSpin("DX", "Total Width:", tinto::kDxRange, design.DX(), "DX Size");
  m_dy = AddSpin("DY", "DY:", tinto::kDyRange, design.DY(), nullptr);
  m_mltWidth = AddSpin("MLTWidth", "Width MLT:", tinto::kMltWidthRange, design.MltWidth(), nullptr);
  m_mltLeft = AddSpin("MLTLeft", "Left MLT:", tinto::kMltLeftRange, design.MltLeft(), nullptr);
  // Arrows only: the number cannot be typed.
  m_mltLeft->findChild<QLineEdit*>()->setReadOnly(true);
  m_tMagnify = AddSpin("TMagnify", "Mag:", kMagnifyRange, kDesignMagnify, nullptr);
}

QSpinBox* TImportToolBar::AddSpin(const char* name, const char* caption, tinto::IntRange range,
                                  int value, const char* hint) {
  auto* label = new QLabel(QString::fromLatin1(caption), this);
  m_labels.append(label);
  auto* spin = new QSpinBox(this);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(range.min, range.max);
  spin->setValue(value);
  // A number being typed passes through values nobody chose: it takes effect when finished.
  spin->setKeyboardTracking(false);
  if (hint != nullptr) spin->setToolTip(QString::fromLatin1(hint));
  label->setBuddy(spin);
  return spin;
}

tinto::ScreenGeometry TImportToolBar::Geometry(tinto::AttrMode mode) const {
  tinto::ScreenGeometry geometry;
  geometry.SetDX(m_dx->value());
  geometry.SetDY(m_dy->value());
  geometry.SetMltWidth(m_mltWidth->value());
  geometry.SetMltLeft(m_mltLeft->value());
  geometry.SetMode(mode);
  return geometry;
}

void TImportToolBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Layout();
}

void TImportToolBar::Layout() {
  m_obmp->adjustSize();
  m_obmp->move(5, CenteredTop(height(), m_obmp->height()));
  int left = RightOf(m_obmp) + kGroupGap;
  QSpinBox* const spins[] = {m_dx, m_dy, m_mltWidth, m_mltLeft, m_tMagnify};
  for (int i = 0; i < m_labels.size(); ++i) {
    QLabel* label = m_labels[i];
    QSpinBox* spin = spins[i];
    label->adjustSize();
    spin->resize(spin->sizeHint());
    label->move(left, CenteredTop(height(), label->height()));
    spin->move(RightOf(label) + kLabelGap, CenteredTop(height(), spin->height()));
    left = RightOf(spin) + kGroupGap;
  }
}
