#include "process_usage.h"

#include <psapi.h>

#include <vector>

namespace {

// Far above any table the system keeps, so the probe always ends by refusal.
constexpr int PROBE_LIMIT = 200000;

// Regions are the cheapest GDI objects; each takes one handle like a font or bitmap.
int FreeGdiHandles() {
  std::vector<HRGN> regions;
  regions.reserve(PROBE_LIMIT);
  while (regions.size() < static_cast<std::size_t>(PROBE_LIMIT)) {
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    if (region == nullptr) break;
    regions.push_back(region);
  }
  for (HRGN region : regions) DeleteObject(region);
  return static_cast<int>(regions.size());
}

// Menus take one USER handle each and need no window.
int FreeUserHandles() {
  std::vector<HMENU> menus;
  menus.reserve(PROBE_LIMIT);
  while (menus.size() < static_cast<std::size_t>(PROBE_LIMIT)) {
    HMENU menu = CreateMenu();
    if (menu == nullptr) break;
    menus.push_back(menu);
  }
  for (HMENU menu : menus) DestroyMenu(menu);
  return static_cast<int>(menus.size());
}

std::size_t CommittedPrivateBytes() {
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  std::size_t total = 0;
  auto* address = static_cast<unsigned char*>(system.lpMinimumApplicationAddress);
  MEMORY_BASIC_INFORMATION region{};
  while (address < system.lpMaximumApplicationAddress &&
         VirtualQuery(address, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    address = static_cast<unsigned char*>(region.BaseAddress) + region.RegionSize;
  }
  return total;
}

}  // namespace

ProcessUsage MeasureProcessUsage() {
  ProcessUsage usage{};
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  if (GetProcessMemoryInfo(GetCurrentProcess(),
                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters)) {
    usage.privateUsage = counters.PrivateUsage;
    usage.workingSet = counters.WorkingSetSize;
  }
  usage.privateBytes = CommittedPrivateBytes();
  SetLastError(ERROR_SUCCESS);
  usage.gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  usage.userObjects = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  usage.guiResourcesReported = usage.gdiObjects != 0 || GetLastError() == ERROR_SUCCESS;
  usage.freeGdiHandles = FreeGdiHandles();
  usage.freeUserHandles = FreeUserHandles();
  return usage;
}
