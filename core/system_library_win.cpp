#include "core/system_library.h"

#include <string>

namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32, which systems before the update that brought it refuse as
// an invalid parameter.
constexpr DWORD SEARCH_SYSTEM_FOLDER = 0x00000800;

}  // namespace

HMODULE LoadSystemLibrary(const char* name) {
  const HMODULE module = LoadLibraryExA(name, nullptr, SEARCH_SYSTEM_FOLDER);
  if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;
  // The older way: the full path, which leaves nothing to search.
  char folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string path = std::string(folder, length) + "\\" + name;
  return LoadLibraryA(path.c_str());
}
