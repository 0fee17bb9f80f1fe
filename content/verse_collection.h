#pragma once
#include <cstddef>

#include "content/byte_view.h"

// A text line shorter than this (CR included) ends the collection: a blank line does. The
// check of supplied texts reads this row.
constexpr std::size_t MIN_TEXT_LINE_BYTES = 4;

// A verse collection: LF-separated lines (each keeping its CR), alternating passage
// text and reference. A run of LF counts as one separator. The data ends at its last
// byte or at its first NUL byte, and the collection ends earlier at the first text line
// after pair 0 that is shorter than four bytes, CR included.

// Number of passage/reference pairs. The first pair counts without being looked at, so
// any collection with a line in it counts at least 1; one without any line (empty, or
// only LF) counts 0.
int CountVersePairs(ByteView collection);

// The pair index a draw of the random generator selects among `pairCount` pairs:
// the draw modulo the count, and 0 when there are no pairs.
int PickVersePair(int randomValue, int pairCount);

// Copies pair `index` into the two buffers. Each buffer is zero-filled over its whole
// capacity first, so it is always zero-terminated within it; a longer line is cut at
// capacity - 1 bytes and the walk goes on past it. Lines are copied with their trailing
// CR. A pair the walk does not reach leaves both buffers empty.
void FetchVersePair(ByteView collection, int index, char* text, std::size_t textCapacity,
                    char* reference, std::size_t referenceCapacity);
