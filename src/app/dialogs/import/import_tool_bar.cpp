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

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<int>(text.size()));
}

}  // namespace

TImportToolBar::TImportToolBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ToolBar"));
  setFixedHeight(kDesignHeight);
  m_obmp = new QPushButton(QStringLiteral("Open Source"), this);
  m_obmp->setObjectName(QStringLiteral("OBMP"));
  m_obmp->setAutoDefault(false);
  m_obmp->setToolTip(QStringLiteral("Open a picture (Ctrl+O)"));
  // The fields start at the design geometry; the dialog's settings and pictures change them.
  const tinto::ImportOptions design = tinto::WithGeometry({}, tinto::ScreenGeometry());
  for (const tinto::ImportOptionRow& row : tinto::ImportOptionTable()) {
    if (row.place != tinto::OptionPlace::ToolBar) continue;
    m_spins.push_back(AddSpin(row.name, row.caption, row.range, row.Get(design), row.hint));
    m_rows.push_back(&row);
  }
  // The MLT window's left column is set with the arrows only.
  Spin("MLTLeft")->findChild<QLineEdit*>()->setReadOnly(true);
  m_tMagnify = AddSpin("TMagnify", "Mag:", kMagnifyRange, kDesignMagnify, {});
}

QSpinBox* TImportToolBar::AddSpin(std::string_view name, std::string_view caption,
                                  tinto::IntRange range, int value, std::string_view hint) {
  auto* label = new QLabel(Latin1(caption), this);
  m_labels.push_back(label);
  auto* spin = new QSpinBox(this);
  spin->setObjectName(Latin1(name));
  spin->setRange(range.min, range.max);
  spin->setValue(value);
  // A number being typed passes through values nobody chose: it takes effect when finished.
  spin->setKeyboardTracking(false);
  if (!hint.empty()) spin->setToolTip(Latin1(hint));
  label->setBuddy(spin);
  return spin;
}

QSpinBox* TImportToolBar::Spin(std::string_view name) const {
  for (std::size_t i = 0; i < m_rows.size(); ++i)
    if (m_rows[i]->name == name) return m_spins[i];
  return nullptr;
}

void TImportToolBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Layout();
}

void TImportToolBar::Layout() {
  m_obmp->adjustSize();
  m_obmp->move(5, CenteredTop(height(), m_obmp->height()));
  int left = RightOf(m_obmp) + kGroupGap;
  for (std::size_t i = 0; i < m_labels.size(); ++i) {
    QLabel* label = m_labels[i];
    QSpinBox* spin = i < m_spins.size() ? m_spins[i] : m_tMagnify;
    label->adjustSize();
    spin->resize(spin->sizeHint());
    label->move(left, CenteredTop(height(), label->height()));
    spin->move(RightOf(label) + kLabelGap, CenteredTop(height(), spin->height()));
    left = RightOf(spin) + kGroupGap;
  }
}
