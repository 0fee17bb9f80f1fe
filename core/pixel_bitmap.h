#pragma once
#include <cstdint>

#include "core/handles.h"
#include "core/platform_types.h"

#ifdef _WIN32
// A 32-bit bitmap for `dc` of 0x00RRGGBB pixels, rows top down, which the program reads
// and writes through `*pixels`; null (and `*pixels` null) when it cannot be made.
OwnedBitmap CreatePixelBitmap(HDC dc, int width, int height, std::uint32_t** pixels);
#endif
