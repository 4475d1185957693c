#include "platform/signal_cleanup.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>

namespace scen {

struct SignalCleanup::State {
  std::function<void()> before_exit;
  bool installed = false;
};

namespace {

// The console calls its handler with no argument of ours, on a thread of
// its own: the one SignalCleanup of the process is reached through this
// pointer, set while it lives.
std::atomic<SignalCleanup::State*> g_state{nullptr};

// Statuses as on Linux: 128 + SIGINT for Ctrl-C and Ctrl-Break, 128 +
// SIGHUP for the console closing, the user logging off, the system
// shutting down.
BOOL WINAPI on_console_event(DWORD event) {
  int status;
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      status = 128 + 2;
      break;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      status = 128 + 1;
      break;
    default:
      return FALSE;
  }
  SignalCleanup::State* state = g_state.load();
  if (!state) return FALSE;
  state->before_exit();
  ::ExitProcess(static_cast<UINT>(status));
}

}  // namespace

SignalCleanup::SignalCleanup(std::function<void()> before_exit) : state_(std::make_unique<State>()) {
  state_->before_exit = std::move(before_exit);
  SignalCleanup::State* none = nullptr;
  if (!g_state.compare_exchange_strong(none, state_.get())) return;  // one at a time
  // Ctrl-C may have been switched off for this process by whoever
  // started it (a new process group): switched on again, it ends the run
  // the same way.
  ::SetConsoleCtrlHandler(nullptr, FALSE);
  state_->installed = ::SetConsoleCtrlHandler(on_console_event, TRUE) != 0;
  if (!state_->installed) g_state.store(nullptr);
}

bool SignalCleanup::active() const { return state_->installed; }

SignalCleanup::~SignalCleanup() {
  if (!state_->installed) return;
  ::SetConsoleCtrlHandler(on_console_event, FALSE);
  g_state.store(nullptr);
}

}  // namespace scen
