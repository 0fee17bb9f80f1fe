#include "core/system_calls.h"

#include <string>

namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32, which systems before the update that brought it refuse as
// an invalid parameter.
constexpr DWORD SEARCH_SYSTEM_FOLDER = 0x00000800;

}  // namespace

HMODULE LoadSystemLibrary(const char* name) {
  const HMODULE module = LoadLibraryExA(name, nullptr, SEARCH_SYSTEM_FOLDER);
  if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;
  // The older way: the full path, which leaves nothing to search.
  char folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string path = std::string(folder, length) + "\\" + name;
  return LoadLibraryA(path.c_str());
}

FARPROC LibraryCall(HMODULE module, const char* name) {
  return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

SystemCalls& RuntimeCalls() {
  static SystemCalls calls = [] {
    const HMODULE user = GetModuleHandleA("user32.dll");
    // Kept for the whole run: the objects and calls they hand out outlive any one use.
    const HMODULE shcore = LoadSystemLibrary("shcore.dll");
    const HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
    const HMODULE shell = GetModuleHandleA("shell32.dll");
    SystemCalls found{};
    found.setProcessDpiAwarenessContext =
        LibraryCallAs<decltype(found.setProcessDpiAwarenessContext)>(
            user, "SetProcessDpiAwarenessContext");
    found.setProcessDpiAware =
        LibraryCallAs<decltype(found.setProcessDpiAware)>(user, "SetProcessDPIAware");
    found.getDpiForWindow = LibraryCallAs<decltype(found.getDpiForWindow)>(user, "GetDpiForWindow");
    found.adjustWindowRectExForDpi =
        LibraryCallAs<decltype(found.adjustWindowRectExForDpi)>(user, "AdjustWindowRectExForDpi");
    found.notifyWinEvent = LibraryCallAs<decltype(found.notifyWinEvent)>(user, "NotifyWinEvent");
    found.setProcessDpiAwareness =
        LibraryCallAs<decltype(found.setProcessDpiAwareness)>(shcore, "SetProcessDpiAwareness");
    found.accessibleObjectFromWindow = LibraryCallAs<decltype(found.accessibleObjectFromWindow)>(
        oleacc, "AccessibleObjectFromWindow");
    found.lresultFromObject =
        LibraryCallAs<decltype(found.lresultFromObject)>(oleacc, "LresultFromObject");
    found.queryUserNotificationState = LibraryCallAs<decltype(found.queryUserNotificationState)>(
        shell, "SHQueryUserNotificationState");
    return found;
  }();
  return calls;
}
