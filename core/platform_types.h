#pragma once
// The window system's handle types. The Windows build holds the real ones; a build
// of the logic apart from Windows holds opaque stand-ins of the same role.
#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#include <ocidl.h>
#else
#include <cstdint>
struct IPicture;
using HINSTANCE = struct OpaqueInstance*;
using HWND = struct OpaqueWindow*;
using HBITMAP = struct OpaqueBitmap*;
using HICON = struct OpaqueIcon*;
// Same size as the shell's ANSI notification-icon record on 32-bit Windows.
struct NOTIFYICONDATAA {
  std::uint32_t cbSize;
  HWND hWnd;
  std::uint32_t uID;
  std::uint32_t uFlags;
  std::uint32_t uCallbackMessage;
  HICON hIcon;
  char szTip[128];
  unsigned char rest[504 - 24 - 128];
};
#endif
