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
bool IsNtFamilyVersion(const SystemVersion& version);

// Asks the running system which family it belongs to.
bool IsNtFamilySystem();
