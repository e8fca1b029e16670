#include "cli/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "cli/tool_run.h"

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
    for (std::size_t i = 0; i < kCount; ++i) expected[i] = i;
    EXPECT_EQ(finished, expected) << workers;
  }
  RunInOrder(
      0, 2, [](std::size_t) { FAIL(); }, [](std::size_t) { FAIL(); });
}

// A batch with a missing input in the middle prints, writes and fails the same on one worker
// as on three.
TEST(WorkerPool, ConvertPrintsAndWritesTheSameWithAnyNumberOfWorkers) {
  test::TempDir dir;
  const std::string a = SaveBands(dir, "a.png", 40, 30), c = SaveBands(dir, "c.png", 30, 40);
  const std::string missing = dir.File("b.png");
  ToolRun runs[2];
  for (int r = 0; r < 2; ++r) {
    const std::string out = dir.File(r == 0 ? "one" : "three");
    std::filesystem::create_directory(out);
    runs[r] = RunCli({"convert", "-j", r == 0 ? "1" : "3", "-o", out, a, missing, c, a});
    EXPECT_EQ(runs[r].status, 1);
  }
  const std::string one = dir.File("one"), three = dir.File("three");
  auto relative = [](std::string text, const std::string& folder) {
    for (std::size_t at; (at = text.find(folder)) != std::string::npos;)
      text.erase(at, folder.size());
    return text;
  };
  EXPECT_EQ(relative(runs[0].out, one), relative(runs[1].out, three));
  EXPECT_EQ(runs[0].err, runs[1].err);
  EXPECT_NE(runs[0].out.find("[4/4]"), std::string::npos);
  EXPECT_NE(runs[0].err.find("b.png"), std::string::npos);
  for (const char* name : {"a.png.tin", "a.png-2.tin", "c.tin"}) {
    const std::string written = test::ReadAll(dir.File(std::string("one/") + name));
    EXPECT_NE(written, "") << name;
    EXPECT_EQ(written, test::ReadAll(dir.File(std::string("three/") + name))) << name;
  }
}

}  // namespace
}  // namespace tinto::cli
