#pragma once

// A rectangle in pixels, as the system's RECT: the right and bottom edges are outside it.
struct Rect {
  int left;
  int top;
  int right;
  int bottom;
};

inline bool RectContains(const Rect& rect, int x, int y) {
  return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}
