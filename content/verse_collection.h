#pragma once
#include <cstddef>

#include "content/byte_view.h"

// A verse collection: LF-separated lines (each keeping its CR), alternating passage
// text and reference. It ends at its last byte or at the first text line shorter than
// four bytes, CR included.

// Number of passage/reference pairs; the first pair always counts, so a collection
// with any bytes at all counts at least 1 (an empty one counts 0).
int CountVersePairs(ByteView collection);

// Copies pair `index` into the two buffers, each zero-terminated within its capacity;
// a longer line is cut at capacity - 1 bytes and the walk goes on past it. Lines are
// copied with their trailing CR. A pair the walk does not reach leaves both empty.
void FetchVersePair(ByteView collection, int index, char* text, std::size_t textCapacity,
                    char* reference, std::size_t referenceCapacity);
