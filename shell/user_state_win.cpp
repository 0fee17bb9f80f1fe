#include "shell/user_state.h"

#include "core/failure_report.h"

namespace {

// SHQueryUserNotificationState's answer QUNS_ACCEPTS_NOTIFICATIONS; every other state
// (not present, busy, full-screen, presentation, quiet time, an app's full screen) waits.
constexpr int ACCEPTS_NOTIFICATIONS = 5;

}  // namespace

bool UserAcceptsNotifications() {
  // Looked up at every call, not kept: the older systems' shell library lacks it, and the
  // call is made once a minute at most.
  using QueryCall = HRESULT(WINAPI*)(int*);
  const FARPROC entry =
      GetProcAddress(GetModuleHandleA("shell32.dll"), "SHQueryUserNotificationState");
  if (entry == nullptr) return true;
  // Through void(*)(): the one function pointer type that converts to any other without a
  // warning about mismatched signatures.
  const auto query = reinterpret_cast<QueryCall>(reinterpret_cast<void (*)()>(entry));
  int state = 0;
  const HRESULT status = query(&state);
  if (FAILED(status)) {
    ReportFailure("SHQueryUserNotificationState", status);
    return true;
  }
  return state == ACCEPTS_NOTIFICATIONS;
}
