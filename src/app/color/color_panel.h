#pragma once
// The colour and attribute panel (CPanel): the four current colours Ink 1, Paper 1 (frame 0),
// Ink 2, Paper 2 (frame 1) as swatches with short names, the ink and paper flicker mixes, six
// level sliders for the ink and paper pairs, and the check boxes "No Flic", "Transparent",
// "Bright" and "Attributes". Colours are attribute-layout bytes: inks in bits 0-2, papers in
// bits 3-5, bright in bit 6.
// Child controls carry their design names as object names ("Ink1", "Ink1Name", "InkMix1",
// "IT_R", ..., "PT_B", "NoFlic", "TransAttr", "Bright", "cbAttrib").
// The colours and the four boxes are the view state's: the panel shows and edits them there.

#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <functional>

class QCheckBox;
class QSlider;
class TClickLabel;
class TColorSwatch;
class TViewState;
enum class ViewSetting;

class TColorPanel : public QWidget {
  Q_OBJECT

 public:
  // Shows a colour chooser at `globalPointer`; returns low byte = frame-0 colour, high byte =
  // frame-1 colour (ink form), or 65535 when cancelled.
  using ColorChooser = std::function<int(QPoint globalPointer)>;

  // Design geometry; the horizontal placement is ArrangeColumns'.
  static constexpr int kDesignHeight = 244;
  static constexpr int kSwatchWidth = 60;
  static constexpr int kSwatchHeight = 25;
  static constexpr int kSliderHeight = 17;
  static constexpr int kCheckBoxHeight = 20;

  // `view` must outlive the panel.
  explicit TColorPanel(TViewState& view, QWidget* parent = nullptr);

  // Setting a colour does not redraw; call RefreshPanel afterwards.
  std::uint8_t Ink1() const;
  std::uint8_t Paper1() const;
  std::uint8_t Ink2() const;
  std::uint8_t Paper2() const;
  void SetInk1(std::uint8_t ink);
  void SetPaper1(std::uint8_t paper);
  void SetInk2(std::uint8_t ink);
  void SetPaper2(std::uint8_t paper);

  // Redraws swatches, names and mixes; with sliders, also moves the six sliders to the levels
  // of the current colours without writing back into the colours.
  void RefreshPanel(bool withSliders);
  // One flicker step: each mix swatch shows the frame colour it is not showing now.
  void SwapMixSwatches();
  // Without a chooser the name labels and mix swatches do nothing.
  void SetColorChooser(ColorChooser chooser);

  // Assigning a box runs its click handler as a user click would (NoFlicClicked and
  // AttribClicked are emitted, "Bright" off strips the bright bits).
  bool NoFlicChecked() const;
  void SetNoFlic(bool checked);
  void SetBright(bool checked);
  void SetAttributes(bool checked);

  // Width W shared by the four check boxes: the caption "Transparent" in the check box's font,
  // plus the check-mark allowance, plus 4.
  int MeasureCheckBoxWidth() const;
  // Centres the two swatch columns (5 pixels apart) and the check boxes (width
  // `checkBoxWidth`) in `panelWidth`, which is normally 2 * kSwatchWidth + 35.
  void ArrangeColumns(int panelWidth, int checkBoxWidth);

 signals:
  // The main window runs its NoFlicClick / cbAttribClick on these.
  void NoFlicClicked();
  void AttribClicked();

 private:
  void CreateSwatches();
  void CreateSliders();
  void CreateCheckBoxes();
  void ShowSetting(ViewSetting what);
  void IT_RChange(QSlider* sender);
  void PT_RChange(QSlider* sender);
  void BrightClick();
  void Ink1NameClick(QPoint globalPos);
  void Ink2NameClick(QPoint globalPos);
  void Paper1NameClick(QPoint globalPos);
  void Paper2NameClick(QPoint globalPos);
  void InkMix2MouseDown(QPoint globalPos);
  void PaperMix2MouseDown(QPoint globalPos);
  int ChooseColor(QPoint globalPos) const;

  TViewState& m_view;
  ColorChooser m_chooser;
  TColorSwatch* m_ink1 = nullptr;
  TColorSwatch* m_paper1 = nullptr;
  TColorSwatch* m_ink2 = nullptr;
  TColorSwatch* m_paper2 = nullptr;
  TColorSwatch* m_inkMix1 = nullptr;
  TColorSwatch* m_paperMix1 = nullptr;
  TClickLabel* m_ink1Name = nullptr;
  TClickLabel* m_paper1Name = nullptr;
  TClickLabel* m_ink2Name = nullptr;
  TClickLabel* m_paper2Name = nullptr;
  QSlider* m_itR = nullptr;
  QSlider* m_itG = nullptr;
  QSlider* m_itB = nullptr;
  QSlider* m_ptR = nullptr;
  QSlider* m_ptG = nullptr;
  QSlider* m_ptB = nullptr;
  QCheckBox* m_noFlic = nullptr;
  QCheckBox* m_transAttr = nullptr;
  QCheckBox* m_bright = nullptr;
  QCheckBox* m_cbAttrib = nullptr;
};
