#pragma once
// The main window's display: which canvas image and which small preview show, the flicker of
// the small preview and of the colour panel's mix swatches on the window's own timer, and the
// "No Flic" switch that stops and restarts it. It renders the picture into the session's four
// display bitmaps and repaints the images that show them; the widgets stay the window's.

#include <QObject>
#include <functional>

#include "app/platform/async_timer.h"

class QWidget;
class TColorPanel;
class TEditorSession;
class TKelImage;
class TViewState;

// What the display drives; every pointer is non-null and outlives the driver.
struct DisplayWidgets {
  QWidget* window;  // nothing is rendered while it is hidden; the retrace wait is for its screen
  TKelImage* image1;
  TKelImage* image2;
  TKelImage* preview1;
  TKelImage* preview2;
  TColorPanel* colorPanel;
};

class TDisplayDriver : public QObject {
  Q_OBJECT

 public:
  TDisplayDriver(TEditorSession& session, TViewState& view, DisplayWidgets widgets,
                 QObject* parent = nullptr);
  ~TDisplayDriver() override;

  // The flicker timer; its interval is the setting "Timer Interval".
  TAsyncTimer& Timer() { return m_timer; }

  // Renders the whole picture into the four bitmaps; does nothing while the window is hidden.
  void RenderScreen();
  // Repaints at once the small preview that shows.
  void RepaintPreview();
  // The "No Flic" switch: the static mix at once, or the flicker started.
  void NoFlicClick();
  // One flicker tick: the other preview and the other colours of the mix swatches show.
  void TimerTimer();
  // The canvas image of the edited frame shows, and the preview that goes with it.
  void ShowEditedFrame();
  // Stops the flicker until the switch runs again.
  void Pause() { m_timer.SetEnabled(false); }
  // What an activation of the main window does: "No Flic" takes the master state, which runs
  // the switch, and the switch runs once more.
  void TakeMasterNoFlic();
  // Runs `dialog` with the flicker stopped, then runs the switch.
  void RunPaused(const std::function<void()>& dialog);
  // While the window shows, a rolled-up preview panel stops the flicker and an unrolled one
  // runs the switch.
  void PreviewPanelRolled(bool rolledUp);

 private:
  TEditorSession& m_session;
  TViewState& m_view;
  DisplayWidgets m_widgets;
  TAsyncTimer m_timer;
};
