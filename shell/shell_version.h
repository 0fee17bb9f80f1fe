#pragma once
#include <cstdint>

// The first shell that takes the full notification-icon record, as the upper half of a
// packed version.
constexpr std::uint64_t FIRST_FULL_RECORD_VERSION = 0x00050000;  // 5.0

// The shell library's version as one 64-bit value, packed like the platform's DLL
// versions: major in bits 48-63, minor in bits 32-47, build and revision left 0.
inline std::uint64_t PackShellVersion(std::uint32_t major, std::uint32_t minor) {
  return (static_cast<std::uint64_t>(major) << 48) + (static_cast<std::uint64_t>(minor) << 32);
}

// The packed version from a DllGetVersion reply: 0 when the call's status is a
// failure code (negative), whatever the record holds.
inline std::uint64_t ShellVersionFromReply(std::int32_t status, std::uint32_t major,
                                           std::uint32_t minor) {
  return status >= 0 ? PackShellVersion(major, minor) : 0;
}

// Whether a shell of this version shows balloon tips at the icon (5.0 and later).
inline bool ShellShowsBalloons(std::uint64_t shellVersion) {
  return (shellVersion >> 32) >= FIRST_FULL_RECORD_VERSION;
}

// The size to put in the notification-icon record for a shell of this version: shells
// from 5.0 on take the full record (item GUID included), older ones and an unknown
// version (0) only the record without the GUID.
inline std::uint32_t TrayIconRecordSize(std::uint64_t shellVersion, std::uint32_t fullSize,
                                        std::uint32_t olderSize) {
  return (shellVersion >> 32) >= FIRST_FULL_RECORD_VERSION ? fullSize : olderSize;
}
