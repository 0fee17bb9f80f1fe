#pragma once
#include "core/platform_types.h"

#ifdef _WIN32
#include <oleacc.h>

// A library of the system, loaded from the system folder only: the program's own folder,
// which the user can write to for a per-user or portable copy, is never searched. The
// caller owns the reference; null when the library is not there.
HMODULE LoadSystemLibrary(const char* name);

// The calls some of the systems the program runs on lack, each looked up once, at the first
// use of the list, so that those systems still start the program: null where it is missing.
// Tests put stand-ins in their place (and the found ones back).
struct SystemCalls {
  // user32
  BOOL(WINAPI* setProcessDpiAwarenessContext)(HANDLE);
  BOOL(WINAPI* setProcessDpiAware)();
  UINT(WINAPI* getDpiForWindow)(HWND);
  BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT);
  void(WINAPI* notifyWinEvent)(DWORD, HWND, LONG, LONG);
  // shcore, oleacc and shell32, loaded from the system folder and kept
  HRESULT(WINAPI* setProcessDpiAwareness)(int);
  decltype(&AccessibleObjectFromWindow) accessibleObjectFromWindow;
  decltype(&LresultFromObject) lresultFromObject;
  HRESULT(WINAPI* queryUserNotificationState)(int*);
};
SystemCalls& RuntimeCalls();

// The call `name` of `module` (null for none) as the pointer type `Call`; null when missing.
FARPROC LibraryCall(HMODULE module, const char* name);
template <typename Call>
Call LibraryCallAs(HMODULE module, const char* name) {
  // Through void(*)(): the one function pointer type that converts to any other without a
  // warning about mismatched signatures.
  return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(LibraryCall(module, name)));
}
#endif
