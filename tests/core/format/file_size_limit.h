#pragma once
// Runs work with the file size limit at `bytes`, which stands for a full disk (even root meets
// it): writes past it fail with EFBIG instead of raising SIGXFSZ.

#include <sys/resource.h>

#include <csignal>

namespace tinto::test {

template <typename Work>
void WithFileSizeLimit(rlim_t bytes, Work work) {
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = bytes;
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ::setrlimit(RLIMIT_FSIZE, &small);
  work();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
}

}  // namespace tinto::test
