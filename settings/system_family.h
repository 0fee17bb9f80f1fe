#pragma once
#include <cstdint>

// What the system reports about itself; `known` is false when it could not be asked.
struct SystemVersion {
  bool known;
  std::uint32_t platformId;
  std::uint32_t majorVersion;
  std::uint32_t minorVersion;
};

constexpr std::uint32_t PLATFORM_WIN32S = 0;
constexpr std::uint32_t PLATFORM_WIN32_WINDOWS = 1;
constexpr std::uint32_t PLATFORM_WIN32_NT = 2;

// True for the NT family; false for Win32s, Windows 95, 98 and Me, and when the
// version is unknown. Any other platform id counts as NT.
inline bool IsNtFamilyVersion(const SystemVersion& version) {
  if (!version.known) return false;
  switch (version.platformId) {
    case PLATFORM_WIN32S: return false;
    case PLATFORM_WIN32_WINDOWS:
      // 4.0, 4.10 and 4.90 are Windows 95, 98 and Me; other numbers are not that family.
      return !(
          version.majorVersion == 4 &&
          (version.minorVersion == 0 || version.minorVersion == 10 || version.minorVersion == 90));
    default: return true;
  }
}

// Asks the running system which family it belongs to.
bool IsNtFamilySystem();
