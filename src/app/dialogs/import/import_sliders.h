#pragma once
// The Import Expert's slider column: "Scr 1" over `LR`, `LG`, `LB`, then `HTH` ("Half
// TresHold") and `Contrast`, then "Scr 2" over `HR`, `HG`, `HB`; a "Link" box under each
// group (`LLink`, `HLink`), "Realtime" (`RT`), then "Convert" (`Conv`) and "Auto" (`Auto`)
// below. It keeps the six
// remembered threshold values of the linked move. Controls carry their design names as object
// names.

#include <QWidget>
#include <array>

#include "core/import/import_options.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

class TImportSliders : public QWidget {
  Q_OBJECT

 public:
  // Sliders by position in the column: LR, LG, LB, HTH, Contrast, HR, HG, HB.
  enum SliderIndex { kLR, kLG, kLB, kHTH, kContrast, kHR, kHG, kHB, kSliderCount };

  explicit TImportSliders(QWidget* parent = nullptr);

  QSlider* Slider(int index) const { return m_sliders[static_cast<std::size_t>(index)]; }
  QCheckBox* LLink() const { return m_lLink; }
  QCheckBox* HLink() const { return m_hLink; }
  QCheckBox* RT() const { return m_rt; }
  QPushButton* Conv() const { return m_conv; }
  QPushButton* Auto() const { return m_auto; }

  // Remembers the current values of the six threshold sliders.
  void RememberValues();
  // Step 1 and 2 of a threshold slider's change: with its group's "Link" box on, the other two
  // sliders of the group move by as much as this one moved since its remembered value (each
  // clamped to 0..255, and remembered as clamped), with the box off meanwhile so that their
  // own handlers do not move the group again; then this slider's value is remembered.
  // `index` is one of kLR, kLG, kLB, kHR, kHG, kHB.
  void LinkedMove(int index);
  // The eight slider values into `options`.
  void ReadValues(tinto::ImportOptions& options) const;
  // The eight values of `options` onto the sliders, the links left alone, then remembered.
  void WriteValues(const tinto::ImportOptions& options);

  // The width of the column for sliders of the style's width.
  int ColumnWidth() const;
  int SliderWidth() const;
  // Places everything in a column of the widget's own height.
  void Layout();

 signals:
  // A slider's value changed (by the user or by code).
  void SliderChanged(int index);
  // A slider step ended: the mouse released it, or a key, the wheel or a click beside the
  // handle moved it (the full conversion follows such a step).
  void StepFinished();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QSlider* AddSlider(const char* name, tinto::IntRange range, int value, const char* hint);
  QCheckBox* AddCheck(const char* name, const char* caption);
  static bool IsThreshold(int index);
  // Position 0..5 of a threshold slider among the six remembered values.
  static int RememberedSlot(int index);

  std::array<QSlider*, kSliderCount> m_sliders{};
  std::array<int, 6> m_remembered{};
  QLabel* m_scr1 = nullptr;
  QLabel* m_scr2 = nullptr;
  QCheckBox* m_lLink = nullptr;
  QCheckBox* m_hLink = nullptr;
  QCheckBox* m_rt = nullptr;
  QPushButton* m_conv = nullptr;
  QPushButton* m_auto = nullptr;
};
