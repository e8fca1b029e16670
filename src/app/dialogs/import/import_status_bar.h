#pragma once
// The Import Expert's status bar `pnStatus`: a label for each option the option table gives one
// ("Red 1: 007", three digits; object names "lbR1", "lbG1", "lbB1", "lbR2", "lbG2", "lbB2",
// "lbBrightness", "lbContrast"), and at the right the quality of the current result
// ("lbQuality": the blurred colour error and the structure figure). A message ("lbMessage": what
// Auto chose, a damaged picture) takes the labels' place until the values next change.

#include <QWidget>
#include <optional>
#include <vector>

#include "core/import/import_option_table.h"
#include "core/quality/picture_score.h"

class QLabel;

class TImportStatusBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignHeight = 20;

  explicit TImportStatusBar(QWidget* parent = nullptr);

  // UpdateStatusLabels: the labels show the values of `options`, in place of any message, and
  // the bar is repainted.
  void ShowValues(const tinto::ImportOptions& options);
  // "Blur ΔE 6.80 · SSIM 0.450" for a score, shortened to "ΔE 6.80 · SSIM 0.450" or
  // "6.80 / 0.450" only when the bar is too narrow for the labels; empty for none.
  // The tooltip says which figure is which and adds the score's flicker figures.
  void ShowQuality(const std::optional<tinto::PictureScore>& score);
  // `text` (plain text) in place of the value labels.
  void ShowMessage(const QString& text);

  // The narrowest bar that shows the values and the quality with its names ("ΔE 9.99 · SSIM
  // 0.999"), and the width that shows them with the design's gaps and every name.
  int MinimumWidth() const;
  int PreferredWidth() const;

  // The value labels from the left.
  QLabel* Label(int index) const { return m_labels[static_cast<std::size_t>(index)]; }
  QLabel* Quality() const { return m_quality; }
  QLabel* Message() const { return m_message; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PlaceLabels();
  // The value labels (or the message) from the left, the design's gaps scaled by `gapScale`;
  // their right edge.
  int PlaceValues(double gapScale);
  // The right edge of value labels of these widths, the design's gaps scaled by `gapScale`;
  // `lefts` (when given) gets each label's left.
  int ValuesRight(const std::vector<int>& widths, double gapScale,
                  std::vector<int>* lefts = nullptr) const;
  // The width of the bar for labels of their widest values and the quality in `form`.
  int WidthFor(double gapScale, int form) const;

  std::vector<QLabel*> m_labels;
  std::vector<const tinto::ImportOptionRow*> m_rows;
  QLabel* m_quality = nullptr;
  QLabel* m_message = nullptr;
  std::optional<tinto::PictureScore> m_score;
};
