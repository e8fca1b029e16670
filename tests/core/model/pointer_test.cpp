// What the pointer does over the canvas: the pixel under it, its mode, the status texts and the
// colours the pick tool takes.

#include "core/model/model_test_helpers.h"
#include "core/model/pick_colors.h"
#include "core/model/pointer_mapping.h"
#include "core/model/pointer_mode.h"
#include "core/model/status_texts.h"

namespace tinto {
namespace {

// Division truncates toward zero; m is clamped to 1..10. The image of DX 2, DY 3 at m = 4 is
// 64 x 12 screen pixels.
TEST(PixelFromPointer, DividesTruncatingTowardZeroByTheClampedMagnification) {
  const int cases[][5] = {{3, 7, 4, 0, 1},     {575, 767, 4, 143, 191}, {-3, -1, 4, 0, 0},
                          {-4, -9, 4, -1, -2}, {99, 19, 10, 9, 1},      {5, 6, 0, 5, 6},
                          {55, 20, 40, 5, 2}};
  for (auto [x, y, m, pixelX, pixelY] : cases)
    EXPECT_EQ(PixelFromPointer(x, y, m), (PixelPoint{pixelX, pixelY})) << x << "," << y << " " << m;
  ScreenGeometry g;
  g.SetDX(2);
  g.SetDY(3);
  EXPECT_TRUE(PointerOnImage(0, 0, g, 4) && PointerOnImage(63, 11, g, 4));
  for (auto [x, y] : test::Points{{64, 0}, {0, 12}, {-1, 5}, {5, -1}})
    EXPECT_FALSE(PointerOnImage(x, y, g, 4)) << x << "," << y;
}

TEST(ChoosePointerMode, FollowsAltThenTheToolButton) {
  using M = PointerMode;
  using T = ToolButton;
  constexpr SelectionRecord kOn{true, 10, 20, 30, 40}, kOff{false, 10, 20, 30, 40};
  // What, then modifiers, tool, selection, pixel, previous mode -> the mode.
  const std::tuple<const char*, PointerModeInputs, PointerMode> cases[] = {
      {"Alt picks with any tool", {kAltHeld, T::Pencil, {}, {}, M::Pencil}, M::Pick},
      {"Alt on a selection", {kAltHeld | kCtrlHeld, T::Marque, kOn, {15, 25}, M::MoveSel}, M::Pick},
      {"marquee, no selection", {0, T::Marque, {}, {15, 25}, M::Pencil}, M::Cross},
      {"marquee, inactive selection", {0, T::Marque, kOff, {15, 25}, M::Pencil}, M::Cross},
      {"marquee inside", {0, T::Marque, kOn, {15, 25}, M::Cross}, M::MoveSel},
      {"Ctrl inside", {kCtrlHeld, T::Marque, kOn, {15, 25}, M::Cross}, M::Move},
      {"bottom right edge inside", {kShiftHeld, T::Marque, kOn, {30, 40}, M::Cross}, M::MoveSel},
      {"top left corner inside", {0, T::Marque, kOn, {10, 20}, M::Cross}, M::MoveSel},
      {"past the right edge", {kCtrlHeld, T::Marque, kOn, {31, 25}, M::Move}, M::Cross},
      {"above the top", {0, T::Marque, kOn, {15, 19}, M::MoveSel}, M::Cross},
      {"pencil tool", {kCtrlHeld, T::Pencil, kOn, {15, 25}, M::Cross}, M::Pencil},
      {"pick tool", {0, T::Pick, {}, {}, M::Pencil}, M::Pick},
      {"move tool", {0, T::Move, {}, {}, M::Pencil}, M::Move},
      {"brush keeps the mode", {0, T::Brush, kOn, {15, 25}, M::Cross}, M::Cross},
      {"no tool keeps the mode", {kCtrlHeld, T::None, {}, {}, M::MoveSel}, M::MoveSel},
      {"unknown tool keeps the mode", {0, static_cast<T>(9), {}, {}, M::Pick}, M::Pick},
  };
  for (auto [what, inputs, expected] : cases)
    EXPECT_EQ(ChoosePointerMode(inputs), expected) << what;
}

TEST(ToolButtonFromCode, NamesTheFiveStoredCodesAndNothingElse) {
  using T = ToolButton;
  const T stored[] = {T::Marque, T::Brush, T::Pencil, T::Pick, T::Move};  // codes 0..4
  for (int code = 0; code < 5; ++code) EXPECT_EQ(ToolButtonFromCode(code), stored[code]) << code;
  for (int code : {-1, 5, 9}) EXPECT_EQ(ToolButtonFromCode(code), std::nullopt) << code;
}

// Colours show only inside the image, and not while a selection is drawn or dragged.
TEST(StatusTexts, CoordinatesAnywhereColoursOfTheEditedFrameOnTheScreen) {
  EXPECT_EQ(PointerCoordinateTexts({143, 99}),
            (CoordinateTexts{"X: 143", "Y: 99", "XA: 17", "YA: 12"}));
  EXPECT_EQ(PointerCoordinateTexts({-5, -9}),
            (CoordinateTexts{"X: -5", "Y: -9", "XA: 0", "YA: -1"}));
  ScreenBuffers s;
  s.SetAttr(0, 100, 50, 0x7A);  // bright, paper white, ink red
  s.SetAttr(1, 100, 50, 0x0D);  // paper blue, ink cyan
  EXPECT_EQ(PointerColorTexts(s, 0, {100, 50}), (ColorTexts{"Ink: Br.Red", "Pap: Br.Wht"}));
  EXPECT_EQ(PointerColorTexts(s, 1, {100, 50}), (ColorTexts{"Ink: Cyn", "Pap: Blu"}));
  EXPECT_EQ(PointerColorTexts(s, 0, {100, 51}), (ColorTexts{"Ink: Blk", "Pap: Blk"}));
  for (auto [x, y] : test::Points{{-1, 0}, {256, 0}, {0, 192}})
    EXPECT_FALSE(PointerColorTexts(s, 1, {x, y}).has_value()) << x << "," << y;
  EXPECT_FALSE(PointerColorTexts(s, 2, {0, 0}).has_value());
  using M = PointerMode;
  EXPECT_FALSE(StatusShowsColors(false, false, M::Pencil));
  EXPECT_TRUE(StatusShowsColors(true, false, M::Cross));
  for (M mode : {M::Pencil, M::Pick}) EXPECT_TRUE(StatusShowsColors(true, true, mode));
  for (M mode : {M::Cross, M::Move, M::MoveSel}) EXPECT_FALSE(StatusShowsColors(true, true, mode));
}

// Inks keep bits 0-2 and bright, papers bits 3-5 and bright, bit 7 is dropped; the cell of the
// pixel only; a point off the screen is moved to its edge.
TEST(PickColors, TakesColourAndBrightBitsOfBothFramesFromThePixelsCell) {
  ScreenBuffers s;
  s.SetAttr(0, 100, 50, 0x7A);
  s.SetAttr(1, 100, 50, 0xBF);
  s.SetAttr(0, 100, 51, 0x0D);
  s.SetAttr(1, 100, 51, 0xC0);
  s.AttrByte(0, 0, 0) = 0x01;
  s.AttrByte(1, 191, 31) = 0x08;
  EXPECT_EQ(PickColors(s, 96, 50), (CurrentColors{0x42, 0x78, 0x07, 0x38}));
  EXPECT_EQ(PickColors(s, 103, 51), (CurrentColors{0x05, 0x08, 0x40, 0x40}));
  EXPECT_EQ(PickColors(s, 104, 50), CurrentColors{});
  EXPECT_EQ(PickColors(s, -5, -1000), (CurrentColors{0x01, 0, 0, 0}));
  EXPECT_EQ(PickColors(s, 256, 192), (CurrentColors{0, 0, 0, 0x08}));
  EXPECT_EQ(PickColors(s, 100, 51).Attr0(), 0x0D);
  EXPECT_EQ(PickColors(s, 100, 51).Attr1(), 0x40);
}

}  // namespace
}  // namespace tinto
