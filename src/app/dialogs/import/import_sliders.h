#pragma once
// The Import Expert's slider column: a vertical slider for each option the option table places
// there, in its groups: "Scr 1" over group 0 (`LR`, `LG`, `LB`), then group 1 (`HTH` "Half
// TresHold", `Contrast`), then "Scr 2" over group 2 (`HR`, `HG`, `HB`); a "Link" box under each
// screen group (`LLink`, `HLink`), "Realtime" (`RT`), then "Convert" (`Conv`) and "Auto"
// (`Auto`) below. It keeps the remembered values of the linked move. Controls carry their design
// names as object names.

#include <QWidget>
#include <string_view>
#include <vector>

#include "core/import/import_option_table.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

class TImportSliders : public QWidget {
  Q_OBJECT

 public:
  explicit TImportSliders(QWidget* parent = nullptr);

  // The sliders from left to right, and the option each one sets.
  int Count() const { return static_cast<int>(m_sliders.size()); }
  QSlider* Slider(int index) const { return m_sliders[static_cast<std::size_t>(index)]; }
  const tinto::ImportOptionRow& Row(int index) const {
    return *m_rows[static_cast<std::size_t>(index)];
  }
  // The slider of the option of that name, or null.
  QSlider* Slider(std::string_view name) const;

  QCheckBox* LLink() const { return m_lLink; }
  QCheckBox* HLink() const { return m_hLink; }
  QCheckBox* RT() const { return m_rt; }
  QPushButton* Conv() const { return m_conv; }
  QPushButton* Auto() const { return m_auto; }

  // Remembers the current values of the linked sliders.
  void RememberValues();
  // Step 1 and 2 of a slider's change: when the slider belongs to a screen group whose "Link" box
  // is on, the other sliders of the group move by as much as this one moved since its remembered
  // value (each clamped to its range, and remembered as clamped), with the box off meanwhile so
  // that their own handlers do not move the group again; then this slider's value is remembered.
  void LinkedMove(int index);
  // True while LinkedMove moves the other sliders of a group.
  bool MovingGroup() const { return m_movingGroup; }

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
  void AddSlider(const tinto::ImportOptionRow& row);
  QCheckBox* AddCheck(const char* name, const char* caption);
  // The "Link" box of the slider's screen group, or null for a slider outside both.
  QCheckBox* LinkOf(int index) const;
  int SliderLeft(int index, int width) const;
  // Left and right edge of the group's sliders, for sliders `width` wide.
  std::pair<int, int> GroupSpan(int group, int width) const;

  std::vector<QSlider*> m_sliders;
  std::vector<const tinto::ImportOptionRow*> m_rows;
  std::vector<int> m_remembered;
  bool m_movingGroup = false;
  QLabel* m_scr1 = nullptr;
  QLabel* m_scr2 = nullptr;
  QCheckBox* m_lLink = nullptr;
  QCheckBox* m_hLink = nullptr;
  QCheckBox* m_rt = nullptr;
  QPushButton* m_conv = nullptr;
  QPushButton* m_auto = nullptr;
};
