#pragma once
// The Import Expert's status bar `pnStatus`: the six thresholds, "Brightness" (HTH) and
// "Contrast", each written with three digits ("Red 1: 007"), and at the right the quality of
// the current result ("lbQuality": the blurred colour error and the structure figure). Labels
// carry their design names as object names ("lbR1", "lbG1", "lbB1", "lbR2", "lbG2", "lbB2",
// "lbBrightness", "lbContrast").

#include <QWidget>
#include <array>
#include <optional>

#include "core/import/import_options.h"
#include "core/quality/picture_score.h"

class QLabel;

class TImportStatusBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignHeight = 20;

  explicit TImportStatusBar(QWidget* parent = nullptr);

  // UpdateStatusLabels: the labels show the values of `options`, and the bar is repainted.
  void ShowValues(const tinto::ImportOptions& options);
  // "Blur dE 6.80  SSIM 0.450" for a score, shortened to "dE 6.80  SSIM 0.450" or
  // "6.80 / 0.450" when the bar is too narrow; empty for none (no result yet). The tooltip
  // says which figure is which and adds the score's flicker figures.
  void ShowQuality(const std::optional<tinto::PictureScore>& score);
  // 0..7 in the order above.
  QLabel* Label(int index) const { return m_labels[static_cast<std::size_t>(index)]; }
  QLabel* Quality() const { return m_quality; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlaceLabels();
  // The eight values from the left, the design's gaps scaled by `gapScale`; their right edge.
  int PlaceValues(double gapScale);

  std::array<QLabel*, 8> m_labels{};
  QLabel* m_quality = nullptr;
  std::optional<tinto::PictureScore> m_score;
};

// "Red 1: 007": the caption followed by the value with leading zeros to three digits.
QString StatusLabelText(const char* caption, int value);
