#pragma once
// Shared by the fuzz targets: an invariant that does not hold ends the run with a
// message, so libFuzzer keeps the input that broke it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

inline void Require(bool holds, const char* invariant, const std::string& detail = std::string()) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s%s%s\n", invariant, detail.empty() ? "" : ": ",
               detail.c_str());
  std::abort();
}

// Little-endian field of a fuzz input's header; the caller checks the size.
inline std::uint16_t ReadU16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

inline std::int32_t ReadI32(const std::uint8_t* at) {
  const std::uint32_t bits =
      static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
      (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
  std::int32_t value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// The bytes of a buffer of `capacity` up to its terminator; the invariant fails when
// there is none within the capacity or a byte after it was left uncleared.
inline std::string TerminatedWithin(const char* buffer, std::size_t capacity, const char* what,
                                    bool zeroFilled) {
  const void* nul = std::memchr(buffer, 0, capacity);
  Require(nul != nullptr, what, "no terminator within " + std::to_string(capacity) + " bytes");
  const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(nul) - buffer);
  if (zeroFilled) {
    std::size_t i = length;
    while (i < capacity && buffer[i] == 0) ++i;
    Require(i == capacity, what, "byte " + std::to_string(i) + " after the terminator");
  }
  return std::string(buffer, length);
}

inline std::string Printable(const std::string& text) {
  std::string shown;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      shown += static_cast<char>(c);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      shown += escape;
    }
  }
  return shown;
}
