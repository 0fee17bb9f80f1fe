// A stand-in shell library: its DllGetVersion answers what the test chose and keeps
// the record it was handed, so a test sees exactly what the caller asked with.
#include <windows.h>
#include <shlwapi.h>

namespace {
HRESULT replyStatus = S_OK;
DWORD replyMajor = 0;
DWORD replyMinor = 0;
DLLVERSIONINFO lastRequest;
LONG calls = 0;
}  // namespace

extern "C" {

HRESULT CALLBACK DllGetVersion(DLLVERSIONINFO* info) {
  ++calls;
  lastRequest = *info;
  // Written even on failure: a caller must not take these after a failure code.
  info->dwMajorVersion = replyMajor;
  info->dwMinorVersion = replyMinor;
  info->dwBuildNumber = 0xBDBD;
  info->dwPlatformID = DLLVER_PLATFORM_NT;
  return replyStatus;
}

void CALLBACK FakeShellSetReply(HRESULT status, DWORD major, DWORD minor) {
  replyStatus = status;
  replyMajor = major;
  replyMinor = minor;
  calls = 0;
}

// The number of calls since the last FakeShellSetReply and the record of the last one.
LONG CALLBACK FakeShellLastRequest(DLLVERSIONINFO* request) {
  *request = lastRequest;
  return calls;
}
}
