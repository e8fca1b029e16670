#pragma once
// The small previews whose blocks a stroke repaints: frame 0's (or the mix) and frame 1's.

class TKelImage;

struct CanvasPreviews {
  TKelImage* first;
  TKelImage* second;
};
