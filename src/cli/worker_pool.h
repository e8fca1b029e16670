#pragma once
// A batch run on several threads whose results still come out in the order of the batch.

#include <cstddef>
#include <functional>

namespace tinto::cli {

// Runs work(0) .. work(count - 1), each once, on `workers` threads (at least one, at most
// `count`), and calls finish(i) on the calling thread for each i in order, as soon as work(i)
// and every work before it are done. `work` must be safe to run for different indices at once.
void RunInOrder(std::size_t count, int workers, const std::function<void(std::size_t)>& work,
                const std::function<void(std::size_t)>& finish);

// The number of workers when none is asked for: the processor's cores (at least one).
int DefaultWorkerCount();

}  // namespace tinto::cli
