#pragma once
// The mode bar `Panel2`: screen radios `S_1` "1" / `S_2` "2" in `ScrPanel`, draw-mode radios
// `M_or` "or" / `M_xor` "xor" / `M_cls` "cls" in `ModePanel`, check box `Grid`, "Mag:" with
// spin edit `TMagnify`, and the hidden progress gauge `ProgressBar1` filling the rest.
// The radios, `Grid` and `TMagnify` show and edit the view state's edited frame, draw mode,
// grid and magnification.

#include <QWidget>

#include "core/model/pencil.h"

class QCheckBox;
class QLabel;
class QProgressBar;
class QRadioButton;
class QSpinBox;
class TViewState;
enum class ViewSetting;

// Widths of the six check and radio boxes and the size of the spin edits for Layout.
struct ModeBarMetrics {
  int grid;
  int screen1;
  int screen2;
  int modeOr;
  int modeXor;
  int modeCls;
  QSize spin;
};

class TModeBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignHeight = 28;
  // Widths at design: the least widths while no skin metrics apply.
  static constexpr ModeBarMetrics kDesignMetrics{42, 33, 33, 41, 41, 41, QSize(41, 20)};

  // `view` must outlive the bar.
  explicit TModeBar(TViewState& view, QWidget* parent = nullptr);

  QWidget* ScrPanel() const { return m_scrPanel; }
  QWidget* ModePanel() const { return m_modePanel; }
  QRadioButton* S_1() const { return m_s1; }
  QRadioButton* S_2() const { return m_s2; }
  QRadioButton* M_or() const { return m_or; }
  QRadioButton* M_xor() const { return m_xor; }
  QRadioButton* M_cls() const { return m_cls; }
  QCheckBox* Grid() const { return m_grid; }
  QSpinBox* TMagnify() const { return m_magnify; }
  QProgressBar* ProgressBar1() const { return m_progress; }

  // `metrics` widened where a caption or the largest magnification would be clipped in the
  // current font: the given widths and spin size are minimums.
  ModeBarMetrics FittedToText(ModeBarMetrics metrics) const;
  // Sizes and places the panels and controls from their widths, left to right.
  void Layout(const ModeBarMetrics& metrics);
  // Stretches the progress gauge from `TMagnify` to the bar's right edge.
  void PlaceProgressBar();

 private:
  QRadioButton* AddRadio(QWidget* panel, const char* name, const char* caption);
  QRadioButton* ModeRadio(tinto::DrawMode mode) const;
  void ConnectView();
  void ShowSetting(ViewSetting what);

  TViewState& m_view;
  QWidget* m_scrPanel;
  QWidget* m_modePanel;
  QRadioButton* m_s1;
  QRadioButton* m_s2;
  QRadioButton* m_or;
  QRadioButton* m_xor;
  QRadioButton* m_cls;
  QCheckBox* m_grid;
  QLabel* m_magLab;
  QSpinBox* m_magnify;
  QProgressBar* m_progress;
};
