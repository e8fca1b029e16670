#pragma once
// The Import Expert's tool bar: "Open Source" (`OBMP`), then a size field for each option the
// option table places there ("Total Width:" `DX`, "DY:" `DY`, "Width MLT:" `MLTWidth`, "Left
// MLT:" `MLTLeft`, arrows only), then "Mag:" `TMagnify`. Typed numbers take effect when the
// edit is finished: Enter or leaving the field.

#include <QWidget>
#include <string_view>
#include <vector>

#include "core/import/import_option_table.h"

class QLabel;
class QPushButton;
class QSpinBox;

class TImportToolBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignHeight = 30;

  explicit TImportToolBar(QWidget* parent = nullptr);

  QPushButton* OBMP() const { return m_obmp; }
  // The size field of the option of that name, or null.
  QSpinBox* Spin(std::string_view name) const;
  // The size fields from left to right, and the option each one sets.
  const std::vector<QSpinBox*>& Spins() const { return m_spins; }
  const std::vector<const tinto::ImportOptionRow*>& Rows() const { return m_rows; }
  QSpinBox* TMagnify() const { return m_tMagnify; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QSpinBox* AddSpin(std::string_view name, std::string_view caption, tinto::IntRange range,
                    int value, std::string_view hint);
  void Layout();

  QPushButton* m_obmp = nullptr;
  std::vector<QLabel*> m_labels;
  std::vector<QSpinBox*> m_spins;
  std::vector<const tinto::ImportOptionRow*> m_rows;
  QSpinBox* m_tMagnify = nullptr;
};
