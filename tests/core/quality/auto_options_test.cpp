#include "core/quality/auto_options.h"

#include <limits>

#include "support/test_common.h"

namespace tinto {
namespace {

// The cat photo of a user's report (9.40 / 0.649 with Perceptual, 5.97 / 0.172 classic), a
// result within the margin, NaNs (a picture too small for SSIM) and ties. That the choice is an
// ordinary conversion with the options it names is the tool's --auto test.
TEST(AutoOptions, TakesTheLeastErrorAmongResultsThatKeepTheStructure) {
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  const std::pair<std::vector<AutoScore>, std::size_t> cases[] = {
      {{{9.40, 0.649}, {5.97, 0.172}}, 0}, {{{5.97, 0.172}, {9.40, 0.649}, {8.10, 0.61}}, 2},
      {{{7.0, 0.60}, {6.0, 0.5501}}, 1},   {{{7.0, 0.60}, {6.0, 0.5499}}, 0},
      {{{7.0, kNan}, {6.0, kNan}}, 1},     {{{7.0, 0.3}, {6.0, kNan}}, 1},
      {{{6.0, 0.5}, {6.0, 0.5}}, 0},
  };
  for (const auto& [scores, choice] : cases) EXPECT_EQ(ChooseAutoResult(scores), choice);
}

}  // namespace
}  // namespace tinto
