#pragma once
// The Import Expert's destination pane: the scroll box `SBDestin` with the two converted frames
// `Dest1` (frame 0) and `Dest2` (frame 1) at the same place, exactly one of them visible while
// a picture is loaded, and the two red lines of the MLT window drawn over them. The lines are
// painted by the images themselves, so that nothing a skin can fill lies above the frames.

#include <QImage>
#include <QScrollArea>
#include <optional>

#include "core/model/bitmap.h"

class TKelImage;

// Left and right edge of the MLT window in control pixels: MLT Left * 8 * m and
// (MLT Left + MLT Width) * 8 * m.
struct MltLines {
  int left;
  int right;
  bool operator==(const MltLines&) const = default;
};

class TDestinationPane : public QScrollArea {
  Q_OBJECT

 public:
  explicit TDestinationPane(QWidget* parent = nullptr);

  TKelImage* Dest1() const { return m_dest1; }
  TKelImage* Dest2() const { return m_dest2; }

  // Shows a copy of the two previews, both at the shown size `shown`.
  void ShowPreviews(const tinto::Bitmap24& dest1, const tinto::Bitmap24& dest2, QSize shown);
  // Shows `Dest1`, hides `Dest2`.
  void ShowFirst();
  // The empty state: both images hidden and cleared.
  void ShowEmpty();
  // The visible image gives way to the other one.
  void SwapFrames();
  // Lines to draw, none in 8x2 mode.
  void SetMltLines(std::optional<MltLines> lines);
  std::optional<MltLines> Lines() const { return m_lines; }
  // Repaints the visible image now.
  void RepaintPreviews();

 private:
  QWidget* m_canvas = nullptr;  // holds both images; each draws the lines over itself
  TKelImage* m_dest1 = nullptr;
  TKelImage* m_dest2 = nullptr;
  QImage m_image1;
  QImage m_image2;
  std::optional<MltLines> m_lines;
};

// `bitmap` copied into `image` as Format_RGB32, the format the window system draws enlarged
// fastest (several times faster than 24-bit rows); `image` keeps its memory when the size is
// unchanged. An empty bitmap gives a null image.
void CopyPreviewToImage(const tinto::Bitmap24& bitmap, QImage& image);
