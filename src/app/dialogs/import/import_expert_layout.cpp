// The Import Expert's layout: the panes and the slider column share the height between the tool
// bar and the bottom row; OK and Cancel keep to the right.
#include <QPushButton>
#include <algorithm>

#include "app/dialogs/import/destination_pane.h"
#include "app/dialogs/import/import_expert.h"
#include "app/dialogs/import/import_sliders.h"
#include "app/dialogs/import/import_status_bar.h"
#include "app/dialogs/import/import_tool_bar.h"
#include "app/dialogs/import/source_pane.h"
#include "app/skin/control_metrics.h"
#include "app/skin/window_relayout.h"

namespace {

constexpr int kMargin = 5;
constexpr int kPaneGap = 10;
constexpr int kBottomGap = 15;
constexpr int kRowGap = 10;

}  // namespace

void TImportExpert::Relayout() {
  setMinimumSize(MinimumClientSize());
  resize(size().expandedTo(minimumSize()));
  RelayOutWindow(*this);
}

void TImportExpert::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

// The bottom row's controls side by side, so that none of them is covered by OK.
int TImportExpert::BottomRowWidth() const {
  int width = kMargin;
  for (const QWidget* control : m_bottomRow) width += control->sizeHint().width() + kRowGap;
  return width + m_ok->sizeHint().width() + kMargin + m_cancel->sizeHint().width() + kMargin;
}

QSize TImportExpert::MinimumClientSize() const {
  const int width = std::max({m_sliders->Count() * m_sliders->SliderWidth() + 44 + 550,
                              BottomRowWidth(), m_pnStatus->MinimumWidth()});
  const int height = m_ok->sizeHint().height() + 390 + kBottomGap + TImportToolBar::kDesignHeight +
                     TImportStatusBar::kDesignHeight;
  return {width, height};
}

void TImportExpert::FormResize() {
  m_timer.SetEnabled(false);
  const int top = TImportToolBar::kDesignHeight;
  const int mainHeight = height() - top - TImportStatusBar::kDesignHeight;
  m_toolBar->setGeometry(0, 0, width(), top);
  m_pnStatus->setGeometry(0, top + mainHeight, width(), TImportStatusBar::kDesignHeight);
  const int okHeight = m_ok->sizeHint().height();
  const int paneHeight = std::max(0, mainHeight - okHeight - kBottomGap);
  const int columnWidth = m_sliders->ColumnWidth();
  const int paneWidth = std::max(0, (width() - columnWidth - 2 * kPaneGap - 2 * kMargin) / 2);
  m_sbSource->setGeometry(kMargin, top, paneWidth, paneHeight);
  m_sliders->setGeometry(RightOf(m_sbSource) + kPaneGap, top, columnWidth, paneHeight);
  m_sbDestin->setGeometry(RightOf(m_sliders) + kPaneGap, top, paneWidth, paneHeight);
  LayoutBottomRow(top + paneHeight + (kBottomGap + 1) / 2);
  if (isVisible()) m_timer.SetEnabled(m_session.Loaded());
}

void TImportExpert::LayoutBottomRow(int top) {
  const int rowHeight = m_ok->sizeHint().height();
  int left = kMargin;
  for (QWidget* control : m_bottomRow) {
    control->resize(control->sizeHint());
    control->move(left, top + CenteredTop(rowHeight, control->height()));
    left = RightOf(control) + kRowGap;
  }
  for (QPushButton* button : {m_ok, m_cancel}) button->resize(button->sizeHint());
  m_cancel->move(width() - kMargin - m_cancel->width(), top);
  m_ok->move(m_cancel->x() - kMargin - m_ok->width(), top);
}
