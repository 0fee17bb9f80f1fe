#pragma once
#include <string>
#include <vector>

#include "content/byte_view.h"

// The bytes of a file of the checkout (a shipped collection or the calendar), read once
// so that the benchmarks time the readers and not the disk. Empty when it is missing.
std::vector<unsigned char> ReadSourceFile(const std::string& relativePath);

// The largest verse collection by bytes under resources/verses: the slowest to walk.
std::string LargestVerseCollection();

inline ByteView ViewOf(const std::vector<unsigned char>& bytes) {
  return ByteView{bytes.data(), bytes.size()};
}
