#include "platform/stop_requests.h"

#include <windows.h>

#include <atomic>
#include <string>

namespace scen::platform {

struct StopRequests::State {
  HANDLE event = nullptr;  // set by the console's handler
  bool installed = false;
  std::string why;
};

namespace {

// The console calls its handler with no argument of ours: the process's one
// StopRequests is reached through this event, set while it lives.
std::atomic<HANDLE> g_stop_event{nullptr};

BOOL WINAPI on_console_event(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT: {
      const HANDLE e = g_stop_event.load();
      if (!e) return FALSE;
      ::SetEvent(e);
      // Closing the console ends the process once the handler returns:
      // give the loop its moment to stop the server.
      if (event == CTRL_CLOSE_EVENT) ::Sleep(2000);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

StopRequests::StopRequests() : state_(std::make_unique<State>()) {
  state_->event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE none = nullptr;
  if (!state_->event || !g_stop_event.compare_exchange_strong(none, state_->event)) {
    state_->why = "cannot wait for Ctrl-C";
    return;
  }
  ::SetConsoleCtrlHandler(nullptr, FALSE);
  state_->installed = ::SetConsoleCtrlHandler(on_console_event, TRUE) != 0;
  if (!state_->installed) {
    g_stop_event.store(nullptr);
    state_->why = "cannot wait for Ctrl-C";
  }
}

StopRequests::~StopRequests() {
  if (state_->installed) {
    ::SetConsoleCtrlHandler(on_console_event, FALSE);
    g_stop_event.store(nullptr);
  }
  if (state_->event) ::CloseHandle(state_->event);
}

bool StopRequests::ok() const { return state_->installed; }
const char* StopRequests::why() const { return state_->why.c_str(); }

bool StopRequests::wait_for(std::chrono::milliseconds timeout) {
  return ::WaitForSingleObject(state_->event, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

}  // namespace scen::platform
