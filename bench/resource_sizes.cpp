#include "core/handles.h"
#include "resource_sizes.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

struct TypeTotal {
  std::string name;
  unsigned long count;
  unsigned long long bytes;
};

struct Walk {
  HMODULE module;
  std::vector<TypeTotal> totals;
};

std::string TypeName(LPCSTR type) {
  if (!IS_INTRESOURCE(type)) return type;
  switch (reinterpret_cast<ULONG_PTR>(type)) {
    case 1: return "CURSOR";
    case 2: return "BITMAP";
    case 3: return "ICON";
    case 4: return "MENU";
    case 5: return "DIALOG";
    case 6: return "STRING";
    case 9: return "ACCELERATOR";
    case 10: return "RCDATA";
    case 14: return "GROUP_ICON";
    case 16: return "VERSION";
    case 24: return "MANIFEST";
    default: return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(type));
  }
}

BOOL CALLBACK AddName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR context) {
  auto* walk = reinterpret_cast<Walk*>(context);
  HRSRC found = FindResourceA(module, name, type);
  walk->totals.back().count += 1;
  if (found != nullptr) walk->totals.back().bytes += SizeofResource(module, found);
  return TRUE;
}

BOOL CALLBACK AddType(HMODULE module, LPSTR type, LONG_PTR context) {
  auto* walk = reinterpret_cast<Walk*>(context);
  walk->totals.push_back(TypeTotal{TypeName(type), 0, 0});
  EnumResourceNamesA(module, type, AddName, context);
  return TRUE;
}

}  // namespace

bool PrintResourceSizes(const char* path) {
  // As data: a 32-bit program's resources read from a 64-bit process too.
  OwnedModule module(
      LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  if (!module) module.reset(LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!module) return false;
  Walk walk{module.get(), {}};
  EnumResourceTypesA(module.get(), AddType, reinterpret_cast<LONG_PTR>(&walk));
  unsigned long long total = 0;
  std::printf("%-12s %6s %10s\n", "type", "count", "bytes");
  for (const TypeTotal& type : walk.totals) {
    std::printf("%-12s %6lu %10llu\n", type.name.c_str(), type.count, type.bytes);
    total += type.bytes;
  }
  std::printf("%-12s %6s %10llu\n", "all data", "", total);
  return true;
}
