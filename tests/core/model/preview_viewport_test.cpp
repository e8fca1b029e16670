#include "core/model/preview_viewport.h"

#include "support/test_common.h"

namespace tinto {
namespace {

constexpr Extent kFullScreenBitmap{256, 192};

struct ZoomCase {
  const char* name;
  ImagePlacement image;
  int magnification;
  Extent viewport;
  ImagePlacement expected;
};

class PreviewZoom : public testing::TestWithParam<ZoomCase> {};

TEST_P(PreviewZoom, PlacesThePictureByHand) {
  const ZoomCase& c = GetParam();
  EXPECT_EQ(ZoomAboutCentre(c.image, kFullScreenBitmap, c.magnification, c.viewport), c.expected);
}

// Worked by hand: the picture point under the viewport's centre is (centre - position) / shown
// factor; the new position is centre - point × new factor, then the covering or centring rule.
INSTANTIATE_TEST_SUITE_P(
    ZoomAboutCentre, PreviewZoom,
    testing::Values(
        // 641 - 512 = 129 and 401 - 384 = 17 halve, truncating, to 64 and 8.
        ZoomCase{
            "SmallerThanViewportIsCentred", {0, 0, 256, 192}, 2, {641, 401}, {64, 8, 512, 384}},
        // Point (128, 96) sits under the centre (300, 200) at factor 4 and stays there at 5.
        ZoomCase{"CentrePointStaysInTheCentre",
                 {-212, -184, 1024, 768},
                 5,
                 {600, 400},
                 {-340, -280, 1280, 960}},
        // Left 300 - 77.5 × 3 = 67.5 would open a gap: 0. Top 200 - 75 × 3 = -25 covers.
        ZoomCase{"GapAtTheLeftCloses", {-10, -100, 1024, 768}, 3, {600, 400}, {0, -25, 768, 576}},
        // Left 300 - 181 × 3 = -243 ends at 525 < 600: 600 - 768. Top -226 ends at 350: 400 - 576.
        ZoomCase{
            "GapAtTheRightCloses", {-424, -368, 1024, 768}, 3, {600, 400}, {-168, -176, 768, 576}},
        // 1024 fits in 1200 and is centred; 768 does not fit in 300 and covers: 150 - 96 × 4.
        ZoomCase{
            "EachAxisByItsOwnRule", {344, -42, 512, 384}, 4, {1200, 300}, {88, -234, 1024, 768}},
        // Left 50 - 25.5 × 3 = -26.5 and top 49 - 25.5 × 3 = -27.5 round to the even neighbour.
        ZoomCase{"HalfWayRoundsToEven", {-1, -2, 512, 384}, 3, {101, 98}, {-26, -28, 768, 576}},
        ZoomCase{"PictureWithoutWidthIsLeftAlone", {5, 6, 0, 0}, 3, {600, 400}, {5, 6, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

struct PanCase {
  const char* name;
  int position, length, stored, delta, viewport;
  int expected;
};

class PreviewPan : public testing::TestWithParam<PanCase> {};

TEST_P(PreviewPan, MovesWithinTheViewportEdges) {
  const PanCase& c = GetParam();
  EXPECT_EQ(PanAxis(c.position, c.length, c.stored, c.delta, c.viewport), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    PanAxis, PreviewPan,
    testing::Values(PanCase{"SmallerPictureStays", 50, 200, 50, 30, 300, 50},
                    PanCase{"FollowsTowardPositive", -100, 1000, -100, 30, 600, -70},
                    PanCase{"StopsAtTheStart", -20, 1000, -20, 50, 600, 0},
                    PanCase{"FollowsTowardNegative", -100, 1000, -100, -30, 600, -130},
                    PanCase{"StopsAtTheEnd", -380, 1000, -380, -50, 600, -400},
                    PanCase{"EndAlreadyAtTheEdge", -400, 1000, -400, -10, 600, -400},
                    PanCase{"MovesFromTheStoredPosition", -100, 1000, -150, 30, 600, -120}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tinto
