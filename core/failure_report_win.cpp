#include "core/failure_report.h"

#include <cstdio>

#include "core/platform_types.h"

void ReportFailure(const char* call, long error) {
  char line[160];
  (void)std::snprintf(line, sizeof line, "Quillane: %s failed, error 0x%08lX\n", call,
                      static_cast<unsigned long>(error));
  OutputDebugStringA(line);
}

void ReportLastError(const char* call) { ReportFailure(call, static_cast<long>(GetLastError())); }
