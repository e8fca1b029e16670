#pragma once
// The roll-up panel `Panel4` "Colors & Preview": the colour panel `CPanel` on top, the
// splitter `Splitter2`, and below it `pnPrev` with the scroll box `PPanel` holding the two
// 1:1 previews `Preview1` and `Preview2` at the same place.

#include "app/widgets/rollup_panel.h"

class QScrollArea;
class QSplitter;
class TColorPanel;
class TViewState;
class TKelImage;

class TColorsPreviewPanel : public TRollUpPanel {
  Q_OBJECT

 public:
  static constexpr int kDesignWidth = 153;

  // `view` (for the colour panel) must outlive the panel.
  explicit TColorsPreviewPanel(TViewState& view, QWidget* parent = nullptr);

  TColorPanel* CPanel() const { return m_cPanel; }
  QScrollArea* PPanel() const { return m_pPanel; }
  TKelImage* Preview1() const { return m_preview1; }
  TKelImage* Preview2() const { return m_preview2; }

  // Both previews take their bitmaps' size and are centred in `PPanel` on each axis where
  // the panel is at least as large as the bitmap, else placed at 0.
  void PlacePreviews();
  // Both scroll bars of `PPanel` to 0 and both previews to (0, 0).
  void ResetPreviewOrigin();

 signals:
  void Splitter2Moved();
  void PPanelResize();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TColorPanel* m_cPanel;
  QSplitter* m_splitter;
  QWidget* m_pnPrev;
  QScrollArea* m_pPanel;
  QWidget* m_previewContent;
  TKelImage* m_preview1;
  TKelImage* m_preview2;
};
