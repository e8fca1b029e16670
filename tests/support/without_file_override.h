#pragma once
// Runs `work` on a thread without the capabilities that let root write anywhere, so that
// permission tests mean the same under root (as in CI) as under a plain user. Capabilities
// belong to a thread, so the rest of the test program keeps them.

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <thread>

namespace tinto::test {

template <typename Work>
void RunWithoutFileOverride(Work work) {
  std::thread thread([&] {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) == 0) {
      unsigned drop = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);
      data[0].effective &= ~drop;
      data[0].permitted &= ~drop;
      syscall(SYS_capset, &header, data);
    }
    work();
  });
  thread.join();
}

}  // namespace tinto::test
