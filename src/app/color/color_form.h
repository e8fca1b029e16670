#pragma once
// The colour chooser window "Pick Color...": 16 palette swatches and a 16 x 16 grid of colour
// pairs (column = colour of frame 0, row = colour of frame 1), shown either as static mixes or
// flickering on the window's own timer. It pops up at the pointer, and a press on a swatch or
// the grid picks the pair under the pointer; closing it any other way (a click outside it,
// Escape) cancels. Its "No Flic" and "VSync" boxes show and edit the view state's master
// "No Flic" and "VSync"; each pick starts with the master state set to the main window's
// "No Flic".
//
// Results are 16-bit: low byte the frame-0 colour, high byte the frame-1 colour, each in ink
// form (bits 0-2 colour, bit 6 bright); kCancelled (65535) when nothing was picked.
// Child controls carry their design names as object names ("C0".."C15", "Ink", "cMix1",
// "cMix2", "NoFlic", "VSync", "Interval", "Label1", "CT1", "CT2").

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>
#include <cstdint>

#include "app/platform/async_timer.h"

enum class ViewSetting;
namespace tinto {
class IniFile;
}
class QCheckBox;
class QLabel;
class QMouseEvent;
class QSlider;
class TColorSwatch;
class TKelImage;
class TViewState;

class TColorForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kCancelled = 65535;

  // Reads "Timer Interval" of section "Main" from `settings` into its own slider. `view` must
  // outlive the window.
  TColorForm(TViewState& view, const tinto::IniFile& settings, QWidget* parent = nullptr);
  ~TColorForm() override;

  // Shows the window at `globalPointer` without blocking and starts a pick. Ignored while a
  // pick runs.
  void BeginPick(QPoint globalPointer);
  bool Picking() const { return m_picking; }
  // The last pick's result; kCancelled while picking or after a cancel.
  int Result() const;
  // BeginPick, then processes events until the pick has ended; returns Result(). Returns
  // kCancelled at once when a pick is already running.
  int Choose(QPoint globalPointer);

  TAsyncTimer& Timer1() { return m_timer; }

  // Top left of a window of `size` centred horizontally on `pointer`, its top 30 pixels above
  // it, pulled left when it would cross the right edge of `available`.
  static QPoint PlaceAtPointer(QPoint pointer, QSize size, QRect available);

 signals:
  void PickEnded(int result);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateControls();
  void CreateColPan();
  void CreateOptPan();
  void CreateInkPan();
  TKelImage* CreateGrid(const char* name);
  void CreateCtPan();
  void BuildGridImages();
  void ReadSettings(const tinto::IniFile& settings);
  void ConnectView();
  void ShowSetting(ViewSetting what);
  void LayoutForm();
  void FormActivate();
  void FormDeactivate();
  void FormResize();
  void CTPanResize();
  void NoFlicClick();
  void IntervalChange();
  void Timer1Timer();
  void InkMouseMove(QMouseEvent* event);
  void C0MouseMove(int index);
  void InkMouseDown();
  void ShowColorNames(int color1, int color2);

  TViewState& m_view;
  TAsyncTimer m_timer;
  QImage m_inkPicture;
  QImage m_mix1Picture;
  QImage m_mix2Picture;
  QWidget* m_colPan = nullptr;
  QWidget* m_optPan = nullptr;
  QWidget* m_inkPan = nullptr;
  QWidget* m_ctPan = nullptr;
  std::array<TColorSwatch*, 16> m_swatches{};
  QLabel* m_label1 = nullptr;
  QCheckBox* m_noFlic = nullptr;
  QCheckBox* m_vSync = nullptr;
  QSlider* m_interval = nullptr;
  TKelImage* m_ink = nullptr;
  TKelImage* m_cMix1 = nullptr;
  TKelImage* m_cMix2 = nullptr;
  QLabel* m_ct1 = nullptr;
  QLabel* m_ct2 = nullptr;
  bool m_picking = false;
  bool m_pickedOk = false;
  std::uint8_t m_result0 = 255;
  std::uint8_t m_result1 = 255;
};
