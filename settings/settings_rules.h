#pragma once
#include <cstddef>

// A registry value is asked for once and again up to this many times while it fails.
constexpr int READ_REPEATS = 10;

// Runs `query` (returning true on success) by that rule; true when one call succeeded.
template <typename Query>
bool ReadWithRepeats(Query query) {
  for (int call = 0; call <= READ_REPEATS; ++call) {
    if (query()) return true;
  }
  return false;
}

// Whether a module path of `pathLength` characters, as the system reported it into a
// buffer of `capacity` bytes, is whole: a cut path would start another file or none.
inline bool ShouldWriteAutostart(std::size_t pathLength, std::size_t capacity) {
  // A path that filled the buffer was cut (the system returns the capacity then).
  return pathLength > 0 && pathLength < capacity;
}
