#include "settings/system_family.h"

bool IsNtFamilyVersion(const SystemVersion& version) {
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
