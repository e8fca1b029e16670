#include "core/import/halftone_refine.h"

#include <random>

#include "core/import/local_ssim.h"
#include "core/import/mix_light.h"
#include "core/import/steady_palette.h"
#include "support/test_common.h"

namespace tinto {
namespace {

constexpr int kWidth = 12, kHeight = 10;

std::vector<float> RandomGrays(unsigned seed) {
  std::mt19937 random(seed);
  std::vector<float> grays(kWidth * kHeight);
  for (float& g : grays) g = static_cast<float>(random() % 256) / 255;
  return grays;
}

TEST(LocalSsim, IdentityIsBestAndSettingTheSameValueChangesNothing) {
  const std::vector<float> reference = RandomGrays(1);
  LocalSsim ssim(reference, reference, kWidth, kHeight);
  const float grays[] = {reference[4 * kWidth + 5], 1 - reference[4 * kWidth + 5]};
  float changes[2];
  ssim.ChangesIf(5, 4, grays, 2, changes);
  EXPECT_EQ(changes[0], 0.0f);
  EXPECT_LT(changes[1], 0.0f);
  const float corner = 1 - reference[0];
  ssim.ChangesIf(0, 0, &corner, 1, changes);
  EXPECT_LT(changes[0], 0.0f);
}

// After Set, the kept windows must match those computed afresh from the changed picture.
TEST(LocalSsim, UpdatesAgreeWithAFreshStart) {
  const std::vector<float> reference = RandomGrays(2);
  std::vector<float> picture = RandomGrays(3);
  LocalSsim kept(reference, picture, kWidth, kHeight);
  using Step = std::tuple<int, int, float>;  // x, y, grey
  for (auto [x, y, gray] : {Step{0, 0, 0.9f}, Step{11, 9, 0.1f}, Step{6, 5, 0.5f}, Step{7, 5, 0}}) {
    kept.Set(x, y, gray);
    picture[y * kWidth + x] = gray;
    const LocalSsim fresh(reference, picture, kWidth, kHeight);
    for (const auto& [probeX, probeY, probeGray] :
         {Step{x, y, 0.3f}, Step{6, 4, 0.7f}, Step{1, 1, 1}}) {
      float keptChange, freshChange;
      kept.ChangesIf(probeX, probeY, &probeGray, 1, &keptChange);
      fresh.ChangesIf(probeX, probeY, &probeGray, 1, &freshChange);
      EXPECT_NEAR(keptChange, freshChange, 1e-4f);
    }
  }
}

CellMixColors GrayCell() {
  CellMixColors cell{};
  const std::array<float, 4> levels = {0.0f, 1.0f, 0.2f, 0.05f};
  for (int k = 0; k < 4; ++k) {
    cell.linear[k] = {levels[k], levels[k], levels[k]};
    const float perceived = PerceivedOfLinear(levels[k]);
    cell.perceived[k] = {perceived, perceived, perceived};
  }
  return cell;
}

// A target that one of the colours shows exactly is taken back to it from any start.
TEST(RefineHalftone, ReturnsAnExactTargetToItsColour) {
  for (const int exact : {0, 2}) {
    HalftonePlan plan;
    plan.width = 16;
    plan.height = 8;
    plan.cells = {GrayCell()};
    const float level = plan.cells[0].linear[exact][0];
    plan.source.assign(16 * 8, {level, level, level});
    plan.cellOf.assign(16 * 8, 0);
    plan.choice.resize(16 * 8);
    for (std::size_t i = 0; i < plan.choice.size(); ++i)
      plan.choice[i] = static_cast<std::uint8_t>(i % 5 == 0 ? 1 : exact);
    RefineHalftone(plan);
    EXPECT_EQ(plan.choice, std::vector<std::uint8_t>(16 * 8, static_cast<std::uint8_t>(exact)))
        << "level " << level;
  }
}

// Dim yellow (127, 127, 0) shown as normal yellow over black flickers by the yellow's luma,
// (0.2126 + 0.7152) * 0.43966; as red over green, or green over red, by (0.7152 - 0.2126) *
// 0.43966, the least of all pairs. Only that colour is used, so the others may change.
TEST(LeastFlickerPalette, ShowsTheUsedColourByTheSteadiestPairOrKeepsAPaletteNothingBeats) {
  const CellPalette yellowOverBlack{.ink = {6, 0}, .paper = {0, 0}, .bright = {false, false}};
  const CellPalette steady = LeastFlickerPalette(yellowOverBlack, {0, 8, 0, 0});
  const int colour0 = steady.ink[0], colour1 = steady.paper[1];
  EXPECT_EQ(colour0 | colour1, 6);
  EXPECT_EQ(colour0 & colour1, 0);
  EXPECT_TRUE(colour0 != 0 && colour1 != 0);
  EXPECT_EQ(steady.bright, (std::array<bool, 2>{false, false}));
  EXPECT_NEAR(FrameFlicker()[0][colour0 * 8 + colour1], 0.5026 * 0.43966, 1e-4);
  // Nothing beats steady white, nor any palette for a cell that uses no colour.
  const CellPalette white{.ink = {7, 7}, .paper = {7, 7}, .bright = {true, true}};
  EXPECT_EQ(LeastFlickerPalette(white, {3, 1, 2, 2}), white);
  const CellPalette mixed{.ink = {1, 2}, .paper = {7, 0}, .bright = {false, true}};
  EXPECT_EQ(LeastFlickerPalette(mixed, {0, 0, 0, 0}), mixed);
}

}  // namespace
}  // namespace tinto
