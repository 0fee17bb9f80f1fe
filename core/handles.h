#pragma once
// Owners of the Win32 handles that the program, its tests and its benchmarks hold. Each
// releases its handle with the call that matches how it was got, on every path.
#include <cstddef>
#include <memory>
#include <type_traits>

#include "core/platform_types.h"

#ifdef _WIN32
template <typename Handle, auto Release>
struct HandleRelease {
  void operator()(Handle handle) const { Release(handle); }
};

template <typename Handle, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, HandleRelease<Handle, Release>>;

using OwnedDc = Owned<HDC, DeleteDC>;  // a memory device context
using OwnedGdiObject = Owned<HGDIOBJ, DeleteObject>;
using OwnedFont = Owned<HFONT, DeleteObject>;
using OwnedBitmap = Owned<HBITMAP, DeleteObject>;
using OwnedIcon = Owned<HICON, DestroyIcon>;
using RegistryKey = Owned<HKEY, RegCloseKey>;
using OwnedModule = Owned<HMODULE, FreeLibrary>;
using OwnedMenu = Owned<HMENU, DestroyMenu>;
using OwnedWindow = Owned<HWND, DestroyWindow>;
using OwnedGlobal = Owned<HGLOBAL, GlobalFree>;

// A movable memory block with a copy of the `size` bytes at `data`, as the clipboard and a
// stream over memory take them; null, the failure reported, when it cannot be had.
OwnedGlobal MovableCopy(const void* data, std::size_t size);

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComPtr = std::unique_ptr<Interface, ComRelease>;

// Puts the object that was selected before back into the device context.
struct SelectBack {
  HDC dc;
  void operator()(HGDIOBJ previous) const { SelectObject(dc, previous); }
};
using SelectedObject = std::unique_ptr<void, SelectBack>;
#endif
