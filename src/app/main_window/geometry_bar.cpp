#include "app/main_window/geometry_bar.h"

#include <QLabel>
#include <QSpinBox>

#include "app/editor/editor_session.h"
#include "app/skin/control_metrics.h"

using tinto::ChangeKind;
using tinto::ScreenGeometry;

TGeometryBar::TGeometryBar(TEditorSession& session, QWidget* parent)
    : QWidget(parent), m_session(session), m_geometry(session.Geometry()) {
  setObjectName(QStringLiteral("SizePanel"));
  setFixedHeight(kDesignHeight);
  m_sizeLab = AddLabel("SizeLab", "Total Width:");
  m_dx = AddSpin("DX", tinto::kDxRange, m_geometry.DX(), "DX Size");
  m_dyLab = AddLabel("DYLab", "DY:");
  m_dy = AddSpin("DY", tinto::kDyRange, m_geometry.DY(), "DY Size");
  m_wmltLab = AddLabel("WMLTLab", "Width MLT:");
  m_mltWidth = AddSpin("MLTWidth", tinto::kMltWidthRange, m_geometry.MltWidth(), nullptr);
  m_mltLab = AddLabel("MLTLab", "Left MLT:");
  m_mltLeft = AddSpin("MLTLeft", tinto::kMltLeftRange, m_geometry.MltLeft(), nullptr);

  connect(m_dx, &QSpinBox::valueChanged, this, [this](int v) {
    DXChange(ChangeKind::TotalWidth, [v](ScreenGeometry& g) { g.SetDX(v); });
  });
  connect(m_dy, &QSpinBox::valueChanged, this,
          [this](int v) { DXChange(ChangeKind::DY, [v](ScreenGeometry& g) { g.SetDY(v); }); });
  connect(m_mltWidth, &QSpinBox::valueChanged, this,
          [this](int v) { MLTWidthChange([v](ScreenGeometry& g) { g.SetMltWidth(v); }); });
  connect(m_mltLeft, &QSpinBox::valueChanged, this,
          [this](int v) { MLTWidthChange([v](ScreenGeometry& g) { g.SetMltLeft(v); }); });
}

void TGeometryBar::DXChange(ChangeKind kind, const Store& store) { Take(kind, store); }

void TGeometryBar::MLTWidthChange(const Store& store) { Take(ChangeKind::MltWindow, store); }

void TGeometryBar::Take(ChangeKind kind, const Store& store) {
  if (!Reacting()) {
    store(m_geometry);
    return;
  }
  m_session.Change(kind, [&] {
    store(m_geometry);
    ClampMltWindow();
  });
}

bool TGeometryBar::Reacting() const { return window()->isVisible() && m_guard; }

QLabel* TGeometryBar::AddLabel(const char* name, const char* caption) {
  auto* label = new QLabel(QString::fromLatin1(caption), this);
  label->setObjectName(QString::fromLatin1(name));
  label->adjustSize();
  return label;
}

QSpinBox* TGeometryBar::AddSpin(const char* name, tinto::IntRange range, int value,
                                const char* hint) {
  auto* spin = new QSpinBox(this);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(range.min, range.max);
  spin->setValue(value);
  // A number being typed passes through values nobody chose ("18" over "32" passes 1, which
  // would clamp the MLT window): it takes effect when the edit is finished.
  spin->setKeyboardTracking(false);
  if (hint != nullptr) spin->setToolTip(QString::fromLatin1(hint));
  return spin;
}

void TGeometryBar::ShowGeometry() {
  const tinto::ScreenGeometry shown = m_geometry;
  const bool guard = m_guard;
  m_guard = false;
  m_dx->setValue(shown.DX());
  m_dy->setValue(shown.DY());
  m_mltLeft->setValue(shown.MltLeft());
  m_mltWidth->setValue(shown.MltWidth());
  m_guard = guard;
}

void TGeometryBar::ClampMltWindow() {
  m_guard = false;
  const tinto::MltWindow fitted = tinto::ClampMltWindow(m_geometry.Window(), m_geometry.DX());
  m_mltLeft->setValue(fitted.left);
  m_mltWidth->setValue(fitted.width);
  emit GeometryChanged();
  m_guard = true;
}

QSize TGeometryBar::FittedToValues(QSize spinSize) const {
  // A spin edit's size hint holds its widest value, its frame and its buttons.
  for (const QSpinBox* spin : {m_dx, m_dy, m_mltWidth, m_mltLeft})
    spinSize = spinSize.expandedTo(spin->sizeHint());
  return spinSize;
}

void TGeometryBar::Layout(QSize spinSize) {
  for (QSpinBox* spin : {m_dy, m_dx, m_mltWidth, m_mltLeft}) spin->resize(spinSize);
  for (QLabel* label : {m_sizeLab, m_dyLab, m_wmltLab, m_mltLab}) label->adjustSize();
  const int labelTop = CenteredTop(height(), m_sizeLab->height());
  const int spinTop = CenteredTop(height(), m_dx->height());
  m_sizeLab->move(5, labelTop);
  m_dx->move(RightOf(m_sizeLab) + 3, spinTop);
  m_dyLab->move(RightOf(m_dx) + 10, labelTop);
  m_dy->move(RightOf(m_dyLab) + 3, spinTop);
  m_wmltLab->move(RightOf(m_dy) + 15, labelTop);
  m_mltWidth->move(RightOf(m_wmltLab) + 3, spinTop);
  m_mltLab->move(RightOf(m_mltWidth) + 5, labelTop);
  m_mltLeft->move(RightOf(m_mltLab) + 3, spinTop);
}
