#pragma once
#include <cstdint>

// The shell library's version as one 64-bit value, packed like the platform's DLL
// versions: major in bits 48-63, minor in bits 32-47, build and revision left 0.
std::uint64_t PackShellVersion(std::uint32_t major, std::uint32_t minor);

// The packed version from a DllGetVersion reply: 0 when the call's status is a
// failure code (negative), whatever the record holds.
std::uint64_t ShellVersionFromReply(std::int32_t status, std::uint32_t major, std::uint32_t minor);

// The size to put in the notification-icon record for a shell of this version: shells
// from 5.0 on take the full record (item GUID included), older ones and an unknown
// version (0) only the record without the GUID.
std::uint32_t TrayIconRecordSize(std::uint64_t shellVersion, std::uint32_t fullSize,
                                 std::uint32_t olderSize);
