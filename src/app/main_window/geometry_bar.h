#pragma once
// The geometry bar `SizePanel`: "Total Width:" `DX`, "DY:" `DY`, "Width MLT:" `MLTWidth` and
// "Left MLT:" `MLTLeft`. The spin edits are views of the session's ScreenGeometry: every value
// they take is copied into it at once. A change is reacted to (MLT window clamped into the
// picture width, then GeometryChanged) only while the window is visible and the geometry guard
// is on, and then it is one change of the picture through the session's door; code that
// rewrites several controls switches the guard off around it.

#include <QWidget>
#include <functional>

#include "core/model/screen_geometry.h"
#include "core/model/undo_keeper.h"

class TEditorSession;

class QLabel;
class QSpinBox;

class TGeometryBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignHeight = 30;

  // `session` must outlive the bar.
  explicit TGeometryBar(TEditorSession& session, QWidget* parent = nullptr);

  QSpinBox* DX() const { return m_dx; }
  QSpinBox* DY() const { return m_dy; }
  QSpinBox* MLTWidth() const { return m_mltWidth; }
  QSpinBox* MLTLeft() const { return m_mltLeft; }

  void SetGuard(bool on) { m_guard = on; }
  // Shows the geometry after code replaced it (a read picture, the settings) without reacting
  // to it: the guard is off while the four spin edits are rewritten.
  void ShowGeometry();

  // `spinSize` widened (and heightened) where a spin edit would clip its largest value or its
  // up/down buttons in the current font.
  QSize FittedToValues(QSize spinSize) const;
  // Labels left to right from x = 5, each spin edit 3 pixels right of its label, all centred
  // in the bar's height; `spinSize` is given to all four spin edits.
  void Layout(QSize spinSize);

 signals:
  // The MLT window now fits; the display bitmaps must be rebuilt for the new geometry.
  void GeometryChanged();

 private:
  QSpinBox* AddSpin(const char* name, tinto::IntRange range, int value, const char* hint);
  QLabel* AddLabel(const char* name, const char* caption);
  using Store = std::function<void(tinto::ScreenGeometry&)>;
  // DX or DY took a value (`kind` says which), or one of the MLT spin edits did.
  void DXChange(tinto::ChangeKind kind, const Store& store);
  void MLTWidthChange(const Store& store);
  // Stores a value a spin edit took; a user's change is one change of `kind`.
  void Take(tinto::ChangeKind kind, const Store& store);
  bool Reacting() const;
  void ClampMltWindow();

  TEditorSession& m_session;
  tinto::ScreenGeometry& m_geometry;
  bool m_guard = false;
  QLabel* m_sizeLab;
  QSpinBox* m_dx;
  QLabel* m_dyLab;
  QSpinBox* m_dy;
  QLabel* m_wmltLab;
  QSpinBox* m_mltWidth;
  QLabel* m_mltLab;
  QSpinBox* m_mltLeft;
};
