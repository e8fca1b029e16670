#include "core/model/pointer_mode.h"

#include <gtest/gtest.h>

#include <string>

namespace tinto {
namespace {

constexpr SelectionRecord kSelection{true, 10, 20, 30, 40};
constexpr SelectionRecord kInactive{false, 10, 20, 30, 40};

struct ModeCase {
  const char* name;
  ModifierState modifiers;
  ToolButton tool;
  SelectionRecord selection;
  PixelPoint pixel;
  PointerMode previous;
  PointerMode expected;
};

class ChoosePointerModeTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ChoosePointerModeTest, FollowsAltThenTheToolButton) {
  const ModeCase& c = GetParam();
  EXPECT_EQ(ChoosePointerMode({c.modifiers, c.tool, c.selection, c.pixel, c.previous}), c.expected);
}

// clang-format off
const ModeCase kCases[] = {
    {"AltPicksWithAnyTool", kAltHeld, ToolButton::Pencil, {}, {}, PointerMode::Pencil, PointerMode::Pick},
    {"AltPicksOverASelection", kAltHeld | kCtrlHeld, ToolButton::Marque, kSelection, {15, 25}, PointerMode::MoveSel, PointerMode::Pick},
    {"MarqueeWithoutSelectionDraws", 0, ToolButton::Marque, {}, {15, 25}, PointerMode::Pencil, PointerMode::Cross},
    {"MarqueeOverInactiveSelectionDraws", 0, ToolButton::Marque, kInactive, {15, 25}, PointerMode::Pencil, PointerMode::Cross},
    {"MarqueeInsideSelectionMovesFrame", 0, ToolButton::Marque, kSelection, {15, 25}, PointerMode::Cross, PointerMode::MoveSel},
    {"CtrlInsideSelectionMovesCopy", kCtrlHeld, ToolButton::Marque, kSelection, {15, 25}, PointerMode::Cross, PointerMode::Move},
    {"BothEdgesCountAsInside", kShiftHeld, ToolButton::Marque, kSelection, {30, 40}, PointerMode::Cross, PointerMode::MoveSel},
    {"TopLeftCornerCountsAsInside", 0, ToolButton::Marque, kSelection, {10, 20}, PointerMode::Cross, PointerMode::MoveSel},
    {"PastTheRightEdgeDraws", kCtrlHeld, ToolButton::Marque, kSelection, {31, 25}, PointerMode::Move, PointerMode::Cross},
    {"AboveTheTopDraws", 0, ToolButton::Marque, kSelection, {15, 19}, PointerMode::MoveSel, PointerMode::Cross},
    {"PencilTool", kCtrlHeld, ToolButton::Pencil, kSelection, {15, 25}, PointerMode::Cross, PointerMode::Pencil},
    {"PickTool", 0, ToolButton::Pick, {}, {}, PointerMode::Pencil, PointerMode::Pick},
    {"MoveTool", 0, ToolButton::Move, {}, {}, PointerMode::Pencil, PointerMode::Move},
    {"BrushKeepsThePreviousMode", 0, ToolButton::Brush, kSelection, {15, 25}, PointerMode::Cross, PointerMode::Cross},
    {"NoToolKeepsThePreviousMode", kCtrlHeld, ToolButton::None, {}, {}, PointerMode::MoveSel, PointerMode::MoveSel},
    {"UnknownToolCodeKeepsThePreviousMode", 0, static_cast<ToolButton>(9), {}, {}, PointerMode::Pick, PointerMode::Pick},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, ChoosePointerModeTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tinto
