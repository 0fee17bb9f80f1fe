#include "shell/shell_version.h"

namespace {
constexpr std::uint64_t FIRST_FULL_RECORD_VERSION = 0x00050000;  // 5.0, upper half only
}

std::uint64_t PackShellVersion(std::uint32_t major, std::uint32_t minor) {
  return (static_cast<std::uint64_t>(major) << 48) + (static_cast<std::uint64_t>(minor) << 32);
}

std::uint64_t ShellVersionFromReply(std::int32_t status, std::uint32_t major, std::uint32_t minor) {
  return status >= 0 ? PackShellVersion(major, minor) : 0;
}

std::uint32_t TrayIconRecordSize(std::uint64_t shellVersion, std::uint32_t fullSize,
                                 std::uint32_t olderSize) {
  return (shellVersion >> 32) >= FIRST_FULL_RECORD_VERSION ? fullSize : olderSize;
}
