#pragma once
#include <windows.h>

#include <ocidl.h>

#include <cstdint>
#include <string>

// A top-down 32-bit DIB selected into a memory DC, so a test reads back exactly what
// was painted. Pixels are 0x00RRGGBB.
struct Canvas {
  Canvas(int width, int height, std::uint32_t fill);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  std::uint32_t At(int x, int y) const { return pixels[y * width + x]; }

  int width;
  int height;
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous;
  std::uint32_t* pixels;
};

// A colour no picture pixel or text pixel takes, to see what a paint left alone.
constexpr std::uint32_t UNTOUCHED = 0x00FF00FF;
constexpr std::uint32_t WHITE = 0x00FFFFFF;

// All three channels below the threshold: ink, not the pale pictures.
bool IsDark(std::uint32_t pixel, int threshold = 60);

// Pixels of the rectangle [left, right) x [top, bottom) that are dark on `painted`
// and not dark on `reference` (null: on nothing).
int CountNewDarkPixels(const Canvas& painted, const Canvas* reference, int left, int top, int right,
                       int bottom);

// A picture decoded from the resource IMAGE `id` independently of the card's loader.
IPicture* DecodeImageResource(int id);

// `picture` rendered upright at its pixel size at the origin, the way the card shows it.
void RenderAtNaturalSize(HDC dc, IPicture* picture);

// A popup window of the card's client size (350 x 554) to paint for.
HWND CreateCardSizedWindow();

// PaintCard with the clock read as `now`: the holiday lines of that moment. False when
// the clock could not be fixed.
bool PaintCardAt(HDC dc, HWND window, const SYSTEMTIME& now);

// Writes the canvas as a 24-bit .bmp; false when the file cannot be written.
bool SaveBitmap(const Canvas& canvas, const std::string& path);

// How many more GDI objects this process can create now, counted by creating fonts
// until the system refuses and deleting them again. It sees leaks of any GDI object
// where GetGuiResources reports nothing (as under Wine).
int FreeGdiCapacity();

// Bytes of the process heap in use (where movable memory blocks and streams live).
std::size_t ProcessHeapBytesInUse();
