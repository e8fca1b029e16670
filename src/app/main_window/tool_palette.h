#pragma once
// The tool palette `pnTools`: one group of speed buttons `tbMarque`, `tbMove`, `tbBrush`,
// `tbPencil`, `tbPick` (top to bottom), and below them the pencil-size track bar `pSize`
// (1..50) with its label `lbPSize`, both shown only while the pencil is down and the slider
// fits between the buttons and the label (it shrinks to a minimum height first). Each button's
// tooltip names its tool and the key that selects it. The buttons and the track bar show and
// edit the view state's tool and pencil size.

#include <QWidget>
#include <array>

#include "app/editor/view_state.h"

class QLabel;
class QSlider;
class QToolButton;

class TToolPalette : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignWidth = 35;

  // `view` must outlive the palette.
  explicit TToolPalette(TViewState& view, QWidget* parent = nullptr);

  // The tool's button; the palette has one for each tool but None.
  QToolButton* Button(tinto::ToolButton tool) const { return m_buttons[ButtonIndex(tool)]; }
  QSlider* pSize() const { return m_pSize; }

  // The tool whose button is down, or None.
  tinto::ToolButton CurrentTool() const;
  // As a click on the tool's button would, also for the disabled brush; None selects nothing.
  void SelectTool(tinto::ToolButton tool);

 signals:
  // A tool button was pushed; the canvas re-chooses its pointer mode.
  void ToolChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  static int ButtonIndex(tinto::ToolButton tool) { return tinto::ToolButtonCode(tool); }
  void ToolClick(tinto::ToolButton tool);
  void pSizeChange();
  void pnToolsResize();

  TViewState& m_view;
  std::array<QToolButton*, tinto::kToolButtonCount> m_buttons{};
  QSlider* m_pSize;
  QLabel* m_lbPSize;
};
