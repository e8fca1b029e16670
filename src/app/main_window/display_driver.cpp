#include "app/main_window/display_driver.h"

#include <QWidget>

#include "app/color/color_panel.h"
#include "app/editor/editor_session.h"
#include "app/editor/view_state.h"
#include "app/platform/vertical_retrace.h"
#include "app/widgets/kel_image.h"
#include "core/model/renderer.h"

TDisplayDriver::TDisplayDriver(TEditorSession& session, TViewState& view, DisplayWidgets widgets,
                               QObject* parent)
    : QObject(parent), m_session(session), m_view(view), m_widgets(widgets) {
  m_timer.SetThreadPriority(QThread::HighestPriority);
  m_timer.SetOnTimer([this] { TimerTimer(); });
}

TDisplayDriver::~TDisplayDriver() { m_timer.SetEnabled(false); }

void TDisplayDriver::RenderScreen() {
  if (!m_widgets.window->isVisible()) return;
  const tinto::RenderOptions options{m_view.Attributes(), m_view.NoFlic()};
  tinto::RenderScreen(m_session.Screen(), m_session.Geometry(), options,
                      m_session.Images().Bitmaps());
  for (TKelImage* image :
       {m_widgets.image1, m_widgets.image2, m_widgets.preview1, m_widgets.preview2})
    image->update();
}

void TDisplayDriver::RepaintPreview() {
  (m_view.ShowsFirstImages() ? m_widgets.preview1 : m_widgets.preview2)->repaint();
}

void TDisplayDriver::NoFlicClick() {
  if (!m_view.NoFlic()) {
    RenderScreen();
    m_timer.SetEnabled(true);
    m_widgets.preview1->show();
    m_widgets.preview2->hide();
    return;
  }
  m_timer.SetEnabled(false);
  RenderScreen();
  m_widgets.preview1->show();
  // Both previews hold the same mix now; only one of them is ever visible.
  m_widgets.preview2->hide();
  m_widgets.preview1->repaint();
  m_widgets.colorPanel->RefreshPanel(true);
}

void TDisplayDriver::TimerTimer() {
  if (m_view.NoFlic()) return;
  m_widgets.colorPanel->SwapMixSwatches();
  const bool firstShown = m_widgets.preview1->isVisible();
  m_widgets.preview2->setVisible(firstShown);
  m_widgets.preview1->setVisible(!firstShown);
  if (m_view.VSync()) WaitForVerticalRetrace(m_widgets.window);
}

void TDisplayDriver::ShowEditedFrame() {
  const bool screen1 = m_view.EditedFrame() == 0;
  m_widgets.image1->setVisible(screen1);
  m_widgets.image2->setVisible(!screen1);
  const bool first = m_view.ShowsFirstImages();
  m_widgets.preview1->setVisible(first);
  m_widgets.preview2->setVisible(!first);
}

void TDisplayDriver::TakeMasterNoFlic() {
  m_view.SetNoFlic(m_view.MasterNoFlic());
  NoFlicClick();
}

void TDisplayDriver::RunPaused(const std::function<void()>& dialog) {
  Pause();
  if (dialog) dialog();
  NoFlicClick();
}

void TDisplayDriver::PreviewPanelRolled(bool rolledUp) {
  if (!m_widgets.window->isVisible()) return;
  if (rolledUp)
    Pause();
  else
    NoFlicClick();
}
