#pragma once
// The preview window "Preview": the whole picture of the session enlarged by a whole factor
// ("Magnify", 1..20), flickering between its two frames on the window's own timer as the
// machine shows them, or statically mixed ("No Flic"). The factor counts device pixels, so a
// picture pixel is exactly that many screen pixels square at any scale factor.
//
// The picture pans with the left button and zooms about the viewport's centre from the spin
// edit, the mouse wheel and, in full-screen view, the keypad's + and -. Alt+Enter switches the
// borderless full-screen view (kept when the window is closed and opened again within a run),
// F switches "No Flic", Esc closes. Opened in full-screen view, it says for two seconds how to
// leave it. The window takes every key-down from its controls; only
// what a key types still reaches the spin edit. Created once and reused: each activation
// renders the picture afresh.
//
// Child controls carry their design names as object names ("Panel", "Magnify", "PF", "NoFlic",
// "OK", "pnImage", "Prev1", "Prev2").

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QRect>

#include "app/platform/async_timer.h"
#include "app/widgets/typed_key_forwarder.h"
#include "core/model/preview_viewport.h"
#include "core/status.h"

namespace tinto {
class IniFile;
}
class QCheckBox;
class QKeyEvent;
class QLabel;
class QMouseEvent;
class QPushButton;
class QSpinBox;
class QTimer;
class QWheelEvent;
class TEditorSession;
class TKelImage;
class TViewState;

class TPreviewForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kDesignClientWidth = 640;
  static constexpr int kDesignClientHeight = 480;

  // Reads section "Preview" of `settings`. The session, the view state ("Attributes" is read
  // at each render) and `mainTimer` (whose interval each activation copies) must outlive the
  // window.
  TPreviewForm(TEditorSession& session, const TViewState& view, const TAsyncTimer& mainTimer,
               const tinto::IniFile& settings, QWidget* parent = nullptr);
  ~TPreviewForm() override;

  // Writes section "Preview" (bounds only in the normal state); the first failure is returned.
  tinto::Status WriteSettings(tinto::IniFile& settings) const;

  // Fills both bitmaps from the picture: frame 0 and frame 1, or the static mix into both with
  // "No Flic" on. Does nothing while the window is hidden.
  void Render();

  bool FullScreenView() const { return m_fullScreen; }
  // Where the pictures lie in `pnImage`, in device pixels.
  tinto::ImagePlacement ImagePlace() const { return m_image; }
  TAsyncTimer& Timer() { return m_timer; }
  QSpinBox* Magnify() const { return m_magnify; }
  QCheckBox* NoFlic() const { return m_noFlic; }
  QWidget* PnImage() const { return m_pnImage; }
  TKelImage* Prev1() const { return m_prev1; }
  TKelImage* Prev2() const { return m_prev2; }
  // "Esc or Alt+Enter leaves full screen", over the picture for a while after opening in
  // full-screen view; its timer hides it.
  QLabel* FullScreenHint() const { return m_fullScreenHint; }
  QTimer* FullScreenHintTimer() const { return m_hintTimer; }

 protected:
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  // Every key-down has been handled by the window's key filter already.
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  TKelImage* CreateImage(const char* name, QImage* bitmap);
  void FormCreate(const tinto::IniFile& settings);
  void FormActivate();
  void FormDeactivate();
  void FormResize();
  void MagnifyChange();
  void NoFlicClick();
  void PFClick();
  void TimerTimer();
  // Shared by both pictures; `image` is the one the event came to.
  void Prev1MouseDown(const QWidget* image, QMouseEvent* event);
  void Prev1MouseMove(const QWidget* image, QMouseEvent* event);
  void Prev1MouseUp();
  void FormKeyDown(const QKeyEvent& event);
  void FormMouseWheelUp();
  void FormMouseWheelDown();
  void FormMouseWheel(const QWheelEvent& event);
  void ShowFullScreenHint();
  void PlaceFullScreenHint();
  void EnterFullScreen();
  void LeaveFullScreen();
  void EndPanning();
  void PlaceImages();
  tinto::Extent ViewportExtent() const;
  // The pointer in device pixels from the picture's top left.
  QPoint PointerOnImage(const QWidget* image, const QMouseEvent& event) const;

  TEditorSession& m_session;
  const TViewState& m_view;
  const TAsyncTimer& m_mainTimer;
  TAsyncTimer m_timer;
  TypedKeyForwarder m_typedKeys;
  QImage m_bitmap1;
  QImage m_bitmap2;

  QWidget* m_panel = nullptr;
  QSpinBox* m_magnify = nullptr;
  QCheckBox* m_pf = nullptr;
  QCheckBox* m_noFlic = nullptr;
  QPushButton* m_ok = nullptr;
  QWidget* m_pnImage = nullptr;
  TKelImage* m_prev1 = nullptr;
  TKelImage* m_prev2 = nullptr;
  QLabel* m_fullScreenHint = nullptr;
  QTimer* m_hintTimer = nullptr;

  tinto::ImagePlacement m_image;
  bool m_fullScreen = false;
  QRect m_boundsBeforeFullScreen;
  bool m_panning = false;
  bool m_panCursorShown = false;
  QPoint m_pressPoint;  // device pixels from the picture's top left
  QPoint m_storedPosition;
  int m_wheelDelta = 0;  // eighths of a degree not yet turned into steps
};
