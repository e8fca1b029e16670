#include "core/import/halftone_refine.h"

#include <gtest/gtest.h>

#include <random>

#include "core/import/local_ssim.h"
#include "core/import/mix_light.h"

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
  EXPECT_EQ(ssim.ChangeIf(5, 4, reference[4 * kWidth + 5]), 0.0f);
  EXPECT_LT(ssim.ChangeIf(5, 4, 1 - reference[4 * kWidth + 5]), 0.0f);
  EXPECT_LT(ssim.ChangeIf(0, 0, 1 - reference[0]), 0.0f);
}

// After Set, the kept windows must match those computed afresh from the changed picture.
TEST(LocalSsim, UpdatesAgreeWithAFreshStart) {
  const std::vector<float> reference = RandomGrays(2);
  std::vector<float> picture = RandomGrays(3);
  LocalSsim kept(reference, picture, kWidth, kHeight);
  struct Step {
    int x, y;
    float gray;
  };
  for (const Step step : {Step{0, 0, 0.9f}, Step{11, 9, 0.1f}, Step{6, 5, 0.5f}, Step{7, 5, 0}}) {
    kept.Set(step.x, step.y, step.gray);
    picture[step.y * kWidth + step.x] = step.gray;
    const LocalSsim fresh(reference, picture, kWidth, kHeight);
    for (const Step probe : {Step{step.x, step.y, 0.3f}, Step{6, 4, 0.7f}, Step{1, 1, 1}})
      EXPECT_NEAR(kept.ChangeIf(probe.x, probe.y, probe.gray),
                  fresh.ChangeIf(probe.x, probe.y, probe.gray), 1e-4f);
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

}  // namespace
}  // namespace tinto
