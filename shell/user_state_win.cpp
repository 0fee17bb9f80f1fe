#include "shell/user_state.h"

#include "core/failure_report.h"
#include "core/system_calls.h"

namespace {

// SHQueryUserNotificationState's answer QUNS_ACCEPTS_NOTIFICATIONS; every other state
// (not present, busy, full-screen, presentation, quiet time, an app's full screen) waits.
constexpr int ACCEPTS_NOTIFICATIONS = 5;

}  // namespace

bool UserAcceptsNotifications() {
  const auto query = RuntimeCalls().queryUserNotificationState;
  if (query == nullptr) return true;
  int state = 0;
  const HRESULT status = query(&state);
  if (FAILED(status)) {
    ReportFailure("SHQueryUserNotificationState", status);
    return true;
  }
  return state == ACCEPTS_NOTIFICATIONS;
}
