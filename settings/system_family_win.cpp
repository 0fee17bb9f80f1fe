#include "settings/system_family.h"

#include "core/platform_types.h"

bool IsNtFamilySystem() {
  static_assert(sizeof(OSVERSIONINFOEXA) == 156 && sizeof(OSVERSIONINFOA) == 148,
                "the version records have the sizes the system checks");
  OSVERSIONINFOEXA info{};
  info.dwOSVersionInfoSize = sizeof info;
#ifdef _MSC_VER
#pragma warning(push)
#pragma warning(disable : 4996)  // the old family is what we must tell apart
#endif
  BOOL known = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
  if (!known) {
    // Systems before the extended record refuse its size.
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    known = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
  }
#ifdef _MSC_VER
#pragma warning(pop)
#endif
  return IsNtFamilyVersion(
      {known != FALSE, info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion});
}
