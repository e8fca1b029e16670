#include "cli/worker_pool.h"

#include <atomic>
#include <chrono>
#include <numeric>
#include <thread>

#include "support/test_common.h"

namespace tinto::cli {
namespace {

// Later jobs are quicker, so they end first; they are still finished in order, each once.
TEST(WorkerPool, FinishesInTheBatchOrderWhateverOrderTheWorkEnds) {
  for (const int workers : {1, 3, 50}) {
    constexpr std::size_t kCount = 12;
    std::vector<std::atomic<int>> worked(kCount);
    std::vector<std::size_t> finished;
    RunInOrder(
        kCount, workers,
        [&](std::size_t i) {
          std::this_thread::sleep_for(std::chrono::milliseconds(kCount - i));
          ++worked[i];
        },
        [&](std::size_t i) {
          EXPECT_EQ(worked[i], 1);
          finished.push_back(i);
        });
    std::vector<std::size_t> expected(kCount);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(finished, expected) << workers;
  }
  RunInOrder(
      0, 2, [](std::size_t) { FAIL(); }, [](std::size_t) { FAIL(); });
}

}  // namespace
}  // namespace tinto::cli
