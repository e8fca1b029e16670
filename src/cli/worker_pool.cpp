#include "cli/worker_pool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace tinto::cli {

void RunInOrder(std::size_t count, int workers, const std::function<void(std::size_t)>& work,
                const std::function<void(std::size_t)>& finish) {
  std::atomic<std::size_t> next{0};
  std::mutex mutex;
  std::condition_variable doneChanged;
  std::vector<char> done(count, 0);
  auto worker = [&] {
    for (std::size_t i; (i = next.fetch_add(1)) < count;) {
      work(i);
      {
        const std::lock_guard lock(mutex);
        done[i] = 1;
      }
      doneChanged.notify_all();
    }
  };
  const std::size_t threadCount = std::clamp<std::size_t>(
      static_cast<std::size_t>(std::max(workers, 1)), 1, std::max<std::size_t>(count, 1));
  std::vector<std::jthread> threads;
  for (std::size_t t = 0; t < threadCount; ++t) threads.emplace_back(worker);
  for (std::size_t i = 0; i < count; ++i) {
    {
      std::unique_lock lock(mutex);
      doneChanged.wait(lock, [&] { return done[i] != 0; });
    }
    finish(i);
  }
}

int DefaultWorkerCount() {
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace tinto::cli
