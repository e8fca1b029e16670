#pragma once
// The Import Expert's status bar `pnStatus`: the six thresholds, "Brightness" (HTH) and
// "Contrast", each written with three digits ("Red 1: 007"). Labels carry their design names
// as object names ("lbR1", "lbG1", "lbB1", "lbR2", "lbG2", "lbB2", "lbBrightness",
// "lbContrast").

#include <QWidget>
#include <array>

#include "core/import/import_options.h"

class QLabel;

class TImportStatusBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignHeight = 20;

  explicit TImportStatusBar(QWidget* parent = nullptr);

  // UpdateStatusLabels: the labels show the values of `options`, and the bar is repainted.
  void ShowValues(const tinto::ImportOptions& options);
  // 0..7 in the order above.
  QLabel* Label(int index) const { return m_labels[static_cast<std::size_t>(index)]; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlaceLabels();

  std::array<QLabel*, 8> m_labels{};
};

// "Red 1: 007": the caption followed by the value with leading zeros to three digits.
QString StatusLabelText(const char* caption, int value);
