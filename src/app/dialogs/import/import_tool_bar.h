#pragma once
// The Import Expert's tool bar: "Open Source" (`OBMP`), then the size of the conversion:
// "Total Width:" `DX`, "DY:" `DY`, "Width MLT:" `MLTWidth`, "Left MLT:" `MLTLeft` (arrows
// only) and "Mag:" `TMagnify`. Typed numbers take effect when the edit is finished.

#include <QWidget>

#include "core/model/screen_geometry.h"

class QLabel;
class QPushButton;
class QSpinBox;

class TImportToolBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignHeight = 30;

  explicit TImportToolBar(QWidget* parent = nullptr);

  QPushButton* OBMP() const { return m_obmp; }
  QSpinBox* DX() const { return m_dx; }
  QSpinBox* DY() const { return m_dy; }
  QSpinBox* MLTWidth() const { return m_mltWidth; }
  QSpinBox* MLTLeft() const { return m_mltLeft; }
  QSpinBox* TMagnify() const { return m_tMagnify; }

  // DX, DY and the MLT window as the spin edits show them, in `mode`.
  tinto::ScreenGeometry Geometry(tinto::AttrMode mode) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QSpinBox* AddSpin(const char* name, const char* caption, tinto::IntRange range, int value,
                    const char* hint);
  void Layout();

  QPushButton* m_obmp = nullptr;
  QList<QLabel*> m_labels;
  QSpinBox* m_dx = nullptr;
  QSpinBox* m_dy = nullptr;
  QSpinBox* m_mltWidth = nullptr;
  QSpinBox* m_mltLeft = nullptr;
  QSpinBox* m_tMagnify = nullptr;
};
