#include "tests/win32/card/card_painter_canvas.h"

#include <olectl.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "card/card_painter.h"
#include "content/resource_store.h"
#include "core/handles.h"
#include "core/pixel_bitmap.h"
#include "tests/win32/import_patch.h"

namespace {

SYSTEMTIME fixedNow{};

void WINAPI FixedLocalTime(SYSTEMTIME* now) { *now = fixedNow; }

}  // namespace

Canvas::Canvas(int width_, int height_, std::uint32_t fill)
    : width(width_),
      height(height_),
      dc(CreateCompatibleDC(nullptr)),
      bitmap(nullptr),
      previous(nullptr),
      pixels(nullptr) {
  bitmap = CreatePixelBitmap(dc, width, height, &pixels).release();
  previous = SelectObject(dc, bitmap);
  GdiFlush();
  for (int i = 0; pixels != nullptr && i < width * height; ++i) pixels[i] = fill;
}

Canvas::~Canvas() {
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

bool IsDark(std::uint32_t pixel, int threshold) {
  const int r = (pixel >> 16) & 0xFF;
  const int g = (pixel >> 8) & 0xFF;
  const int b = pixel & 0xFF;
  return r < threshold && g < threshold && b < threshold;
}

int CountNewDarkPixels(const Canvas& painted, const Canvas* reference, int left, int top, int right,
                       int bottom) {
  GdiFlush();
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (IsDark(painted.At(x, y)) && !(reference && IsDark(reference->At(x, y)))) ++count;
    }
  }
  return count;
}

IPicture* DecodeImageResource(int id) {
  ByteView bytes{};
  if (!FindResourceBytes(id, "IMAGE", &bytes)) return nullptr;
  OwnedGlobal block = MovableCopy(bytes.data, bytes.size);
  IStream* stream = nullptr;
  if (!block || FAILED(CreateStreamOnHGlobal(block.get(), TRUE, &stream))) return nullptr;
  (void)block.release();  // the stream's now
  void* picture = nullptr;
  const HRESULT result =
      OleLoadPicture(stream, static_cast<LONG>(bytes.size), FALSE, IID_IPicture, &picture);
  stream->Release();
  return SUCCEEDED(result) ? static_cast<IPicture*>(picture) : nullptr;
}

void RenderAtNaturalSize(HDC dc, IPicture* picture) {
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  // The memory DC reports the screen's resolution, as the card's window DC does.
  const int cx = MulDiv(width, GetDeviceCaps(dc, LOGPIXELSX), 2540);
  const int cy = MulDiv(height, GetDeviceCaps(dc, LOGPIXELSY), 2540);
  picture->Render(dc, 0, 0, cx, cy, 0, height, width, -height, nullptr);
  GdiFlush();
}

HWND CreateCardSizedWindow() {
  return CreateWindowExA(0, "STATIC", "card", WS_POPUP, 0, 0, 350, 554, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

bool PaintCardAt(HDC dc, HWND window, const SYSTEMTIME& now) {
  fixedNow = now;
  const ImportPatch clock("kernel32.dll", "GetLocalTime", FixedLocalTime);
  PaintCard(dc, window);
  return clock.Found();
}

bool SaveBitmap(const Canvas& canvas, const std::string& path) {
  GdiFlush();
  const int rowBytes = (canvas.width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = canvas.width;
  info.biHeight = canvas.height;  // bottom-up, the common form
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(rowBytes * canvas.height);
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  bool written =
      std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1;
  std::vector<unsigned char> row(static_cast<std::size_t>(rowBytes), 0);
  for (int y = canvas.height - 1; written && y >= 0; --y) {
    for (int x = 0; x < canvas.width; ++x) {
      const std::uint32_t pixel = canvas.At(x, y);
      row[x * 3 + 0] = static_cast<unsigned char>(pixel & 0xFF);
      row[x * 3 + 1] = static_cast<unsigned char>((pixel >> 8) & 0xFF);
      row[x * 3 + 2] = static_cast<unsigned char>((pixel >> 16) & 0xFF);
    }
    written = std::fwrite(row.data(), row.size(), 1, out) == 1;
  }
  return std::fclose(out) == 0 && written;
}

int FreeGdiCapacity() {
  std::vector<HFONT> fonts;
  fonts.reserve(70000);
  for (;;) {
    HFONT font =
        CreateFontA(15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    if (font == nullptr || fonts.size() >= 200000) {
      if (font != nullptr) DeleteObject(font);
      break;
    }
    fonts.push_back(font);
  }
  for (HFONT font : fonts) DeleteObject(font);
  return static_cast<int>(fonts.size());
}

std::size_t ProcessHeapBytesInUse() {
  HANDLE heap = GetProcessHeap();
  std::size_t busy = 0;
  HeapLock(heap);
  PROCESS_HEAP_ENTRY entry{};
  while (HeapWalk(heap, &entry)) {
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
  }
  HeapUnlock(heap);
  return busy;
}
