#pragma once
// The status bar `SB0`: pointer position in pixels (`XP`, `YP`) and attribute cells (`XA`,
// `YA`) and the colour names under the pointer (`IP`, `PP`).

#include <QWidget>

class QLabel;

class TStatusBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignHeight = 21;

  explicit TStatusBar(QWidget* parent = nullptr);

  QLabel* XP() const { return m_labels[0]; }
  QLabel* YP() const { return m_labels[1]; }
  QLabel* XA() const { return m_labels[2]; }
  QLabel* YA() const { return m_labels[3]; }
  QLabel* IP() const { return m_labels[4]; }
  QLabel* PP() const { return m_labels[5]; }

  // Places the labels left to right; also after their texts changed, so that none overlaps.
  void SB0Resize();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  static constexpr int kLabelCount = 6;
  QLabel* m_labels[kLabelCount];
};
