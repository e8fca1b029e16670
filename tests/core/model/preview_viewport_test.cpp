#include "core/model/preview_viewport.h"

#include "support/test_common.h"

namespace tinto {
namespace {

// Worked by hand: the picture point under the viewport's centre is (centre - position) / shown
// factor; the new position is centre - point × new factor, then the covering or centring rule.
TEST(ZoomAboutCentre, PlacesThePictureByHand) {
  const struct {
    const char* what;
    ImagePlacement image;
    int magnification;
    Extent viewport;
    ImagePlacement expected;
  } cases[] = {
      // 641 - 512 = 129 and 401 - 384 = 17 halve, truncating, to 64 and 8.
      {"smaller than the viewport: centred", {0, 0, 256, 192}, 2, {641, 401}, {64, 8, 512, 384}},
      // Point (128, 96) sits under the centre (300, 200) at factor 4 and stays there at 5.
      {"centre point stays", {-212, -184, 1024, 768}, 5, {600, 400}, {-340, -280, 1280, 960}},
      // Left 300 - 77.5 × 3 = 67.5 would open a gap: 0. Top 200 - 75 × 3 = -25 covers.
      {"gap at the left closes", {-10, -100, 1024, 768}, 3, {600, 400}, {0, -25, 768, 576}},
      // Left 300 - 181 × 3 = -243 ends at 525 < 600: 600 - 768. Top -226 ends at 350: 400 - 576.
      {"gap at the right closes", {-424, -368, 1024, 768}, 3, {600, 400}, {-168, -176, 768, 576}},
      // 1024 fits in 1200 and is centred; 768 does not fit in 300 and covers: 150 - 96 × 4.
      {"each axis by its own rule", {344, -42, 512, 384}, 4, {1200, 300}, {88, -234, 1024, 768}},
      // Left 50 - 25.5 × 3 = -26.5 and top 49 - 25.5 × 3 = -27.5 round to the even neighbour.
      {"half way rounds to even", {-1, -2, 512, 384}, 3, {101, 98}, {-26, -28, 768, 576}},
      {"picture without width left alone", {5, 6, 0, 0}, 3, {600, 400}, {5, 6, 0, 0}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ZoomAboutCentre(c.image, {256, 192}, c.magnification, c.viewport), c.expected)
        << c.what;
}

// Position, length, stored position, delta, viewport -> new position.
TEST(PanAxis, MovesWithinTheViewportEdges) {
  const int cases[][6] = {{50, 200, 50, 30, 300, 50},          // smaller picture stays
                          {-100, 1000, -100, 30, 600, -70},    // follows toward positive
                          {-20, 1000, -20, 50, 600, 0},        // stops at the start
                          {-100, 1000, -100, -30, 600, -130},  // follows toward negative
                          {-380, 1000, -380, -50, 600, -400},  // stops at the end
                          {-400, 1000, -400, -10, 600, -400},  // end already at the edge
                          {-100, 1000, -150, 30, 600, -120}};  // moves from the stored position
  for (auto [position, length, stored, delta, viewport, expected] : cases)
    EXPECT_EQ(PanAxis(position, length, stored, delta, viewport), expected) << position << delta;
}

}  // namespace
}  // namespace tinto
