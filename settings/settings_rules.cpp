#include "settings/settings_rules.h"

bool ShouldWriteAutostart(std::size_t pathLength, std::size_t capacity) {
  // A path that filled the buffer was cut (the system returns the capacity then).
  return pathLength > 0 && pathLength < capacity;
}
