#pragma once
#include <cstddef>

// A read-only view of bytes that someone else owns (a resource, a test's buffer).
struct ByteView {
  const unsigned char* data;
  std::size_t size;
};
