#include "content/verse_collection.h"

#include <cstring>

namespace {

struct Line {
  const unsigned char* data;
  std::size_t size;
};

// Position in a collection's lines; `end` stops at the first NUL, as a zero-ended
// copy of the data would.
struct LineCursor {
  const unsigned char* position;
  const unsigned char* end;
};

LineCursor StartOf(ByteView collection) {
  if (collection.data == nullptr) return {nullptr, nullptr};
  const void* nul = std::memchr(collection.data, 0, collection.size);
  const unsigned char* end =
      nul ? static_cast<const unsigned char*>(nul) : collection.data + collection.size;
  return {collection.data, end};
}

// Lines are split at LF alone, so each keeps its CR; runs of LF give no empty lines.
bool NextLine(LineCursor& cursor, Line* line) {
  while (cursor.position != cursor.end && *cursor.position == '\n') ++cursor.position;
  if (cursor.position == cursor.end) return false;
  const unsigned char* start = cursor.position;
  const void* lf = std::memchr(start, '\n', static_cast<std::size_t>(cursor.end - start));
  cursor.position = lf ? static_cast<const unsigned char*>(lf) : cursor.end;
  *line = {start, static_cast<std::size_t>(cursor.position - start)};
  return true;
}

bool EndsCollection(const Line& text) { return text.size < MIN_TEXT_LINE_BYTES; }

void ClearBuffer(char* buffer, std::size_t capacity) {
  if (capacity > 0) std::memset(buffer, 0, capacity);
}

// Copies what fits before the terminator the cleared buffer already holds.
void CopyLine(const Line& line, char* buffer, std::size_t capacity) {
  if (capacity == 0) return;
  const std::size_t size = line.size < capacity - 1 ? line.size : capacity - 1;
  if (size > 0) std::memcpy(buffer, line.data, size);
}

}  // namespace

int CountVersePairs(ByteView collection) {
  LineCursor cursor = StartOf(collection);
  Line line{};
  if (!NextLine(cursor, &line)) return 0;
  // Pair 0 counts whatever its lines hold, its reference even when missing.
  NextLine(cursor, &line);
  int count = 1;
  while (NextLine(cursor, &line) && !EndsCollection(line)) {
    NextLine(cursor, &line);
    ++count;
  }
  return count;
}

int PickVersePair(int randomValue, int pairCount) {
  if (pairCount <= 0) return 0;
  return randomValue % pairCount;
}

void FetchVersePair(ByteView collection, int index, char* text, std::size_t textCapacity,
                    char* reference, std::size_t referenceCapacity) {
  ClearBuffer(text, textCapacity);
  ClearBuffer(reference, referenceCapacity);
  if (index < 0) return;
  LineCursor cursor = StartOf(collection);
  for (int pair = 0;; ++pair) {
    Line textLine{};
    Line referenceLine{};
    if (!NextLine(cursor, &textLine)) return;
    if (pair > 0 && EndsCollection(textLine)) return;
    const bool hasReference = NextLine(cursor, &referenceLine);
    if (pair == index) {
      CopyLine(textLine, text, textCapacity);
      if (hasReference) CopyLine(referenceLine, reference, referenceCapacity);
      return;
    }
  }
}
