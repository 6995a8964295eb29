#include "cli/Interrupt.h"

#include <signal.h>
#include <unistd.h>

#include "component/StatusCode.h"

namespace quillmere::cli {
namespace {

// A handler may only touch lock-free atomics.
static_assert(std::atomic<bool>::is_always_lock_free);
std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
  if (interrupted.exchange(true)) _exit(ERR_USER_CANCEL);
}

}  // namespace

void InstallInterruptHandlers() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  sigset_t handled;
  sigemptyset(&handled);
  sigaddset(&handled, SIGINT);
  sigaddset(&handled, SIGTERM);
  sigprocmask(SIG_UNBLOCK, &handled, nullptr);
}

const std::atomic<bool>& InterruptRequested() { return interrupted; }

}  // namespace quillmere::cli
