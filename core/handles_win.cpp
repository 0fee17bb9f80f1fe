#include "core/handles.h"

#include <cstring>

#include "core/failure_report.h"

OwnedGlobal MovableCopy(const void* data, std::size_t size) {
  OwnedGlobal block(GlobalAlloc(GMEM_MOVEABLE, size));
  void* target = block ? GlobalLock(block.get()) : nullptr;
  if (target == nullptr) {
    ReportLastError(block ? "GlobalLock" : "GlobalAlloc");
    return nullptr;
  }
  std::memcpy(target, data, size);
  GlobalUnlock(block.get());
  return block;
}
