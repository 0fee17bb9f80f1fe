// Counting and fetching pairs of an arbitrary verse collection, with the draw the random
// generator would give (0..32767) and buffers of arbitrary capacity.
//
// Input: draw (2 bytes, little-endian, top bit dropped), text capacity selector (1 byte),
// reference capacity selector (1 byte), then the collection's bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "content/verse_collection.h"
#include "core/app_state.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

constexpr std::size_t HEADER_BYTES = 4;

std::size_t Capacity(std::uint8_t selector) {
  if (selector == 0xFF) return VERSE_CAPACITY;
  if (selector == 0xFE) return 512;
  return 1 + std::size_t{selector} * 2;
}

// The collection's lines the plain way: up to the first NUL, split at LF, no empty line.
std::vector<std::string> Lines(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < size && data[i] != 0; ++i) {
    if (data[i] == '\n') {
      if (!line.empty()) lines.push_back(line);
      line.clear();
    } else {
      line += static_cast<char>(data[i]);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// Pair 0 counts unseen; each later pair needs a text line of four bytes or more.
int ModelCount(const std::vector<std::string>& lines) {
  if (lines.empty()) return 0;
  int count = 1;
  for (std::size_t text = 2; text < lines.size() && lines[text].size() >= 4; text += 2) ++count;
  return count;
}

std::string Cut(const std::string& line, std::size_t capacity) {
  return line.substr(0, capacity - 1);
}

struct Fetched {
  std::string text;
  std::string reference;
};

// Exact-size heap buffers, so a write past the capacity is an overflow the address
// sanitizer reports; pre-filled so a missing clear shows.
Fetched Fetch(ByteView collection, int index, std::size_t textCapacity,
              std::size_t referenceCapacity) {
  std::unique_ptr<char[]> text(new char[textCapacity]);
  std::unique_ptr<char[]> reference(new char[referenceCapacity]);
  std::memset(text.get(), 0xBD, textCapacity);
  std::memset(reference.get(), 0xBD, referenceCapacity);
  FetchVersePair(collection, index, text.get(), textCapacity, reference.get(), referenceCapacity);
  return {TerminatedWithin(text.get(), textCapacity, "text buffer", true),
          TerminatedWithin(reference.get(), referenceCapacity, "reference buffer", true)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < HEADER_BYTES) return 0;
  const int draw = ReadU16(data) & 0x7FFF;
  const std::size_t textCapacity = Capacity(data[2]);
  const std::size_t referenceCapacity = Capacity(data[3]);
  const ByteView collection{data + HEADER_BYTES, size - HEADER_BYTES};

  const std::vector<std::string> lines = Lines(collection.data, collection.size);
  const int count = CountVersePairs(collection);
  Require(count == ModelCount(lines), "pair count",
          std::to_string(count) + " counted, " + std::to_string(ModelCount(lines)) + " expected");

  const int index = PickVersePair(draw, count);
  if (count > 0) {
    Require(index >= 0 && index < count, "picked index below the count",
            std::to_string(index) + " of " + std::to_string(count));
  } else {
    Require(index == 0, "index without pairs", std::to_string(index));
  }

  const Fetched chosen = Fetch(collection, index, textCapacity, referenceCapacity);
  if (count > 0) {
    const std::size_t text = static_cast<std::size_t>(index) * 2;
    const std::string expectedReference = text + 1 < lines.size() ? lines[text + 1] : "";
    Require(chosen.text == Cut(lines[text], textCapacity), "fetched text",
            "pair " + std::to_string(index));
    Require(chosen.reference == Cut(expectedReference, referenceCapacity), "fetched reference",
            "pair " + std::to_string(index));
    Require(textCapacity == 1 || !chosen.text.empty(), "a counted pair has a text");
  }

  // Past the last pair, before the first, and wherever the raw draw points: nothing
  // beyond the count is ever fetched.
  for (const int outside : {count, -1, draw}) {
    if (outside >= 0 && outside < count) continue;
    const Fetched none = Fetch(collection, outside, textCapacity, referenceCapacity);
    Require(none.text.empty() && none.reference.empty(), "nothing past the count",
            "index " + std::to_string(outside) + " of " + std::to_string(count));
  }
  return 0;
}
