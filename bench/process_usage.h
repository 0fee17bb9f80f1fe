#pragma once
#include <windows.h>

#include <cstddef>

// What the process holds at one moment: private bytes and window-system objects.
struct ProcessUsage {
  // As the system reports them; Wine reports the swap used there, 0 on most machines.
  std::size_t privateUsage;
  // Committed private pages, added up region by region: the same figure where both work.
  std::size_t privateBytes;
  std::size_t workingSet;
  // As the system reports them; Wine reports 0 (GetGuiResources is not implemented there).
  unsigned long gdiObjects;
  unsigned long userObjects;
  bool guiResourcesReported;
  // How many more objects the process could create now: a leak shows as a drop, also
  // where the counts are not reported.
  int freeGdiHandles;
  int freeUserHandles;
};

// Private bytes first, then the handle probes: the probes' own allocations come after.
ProcessUsage MeasureProcessUsage();
