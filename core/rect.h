#pragma once

// A rectangle in pixels, as the system's RECT: the right and bottom edges are outside it.
struct Rect {
  int left;
  int top;
  int right;
  int bottom;
};
