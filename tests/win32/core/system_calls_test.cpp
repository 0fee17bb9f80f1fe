#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "core/handles.h"
#include "core/system_calls.h"

namespace {

std::string FolderOf(HMODULE module) {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  const std::string full(path, length);
  return full.substr(0, full.find_last_of('\\'));
}

}  // namespace

// A library of the system comes from the system folder; one of the same name beside the
// program (here the stand-in shell beside the test program) is never taken.
TEST(SystemLibrary, OnlyFromTheSystemFolder) {
  char system[MAX_PATH] = {};
  ASSERT_NE(0u, GetSystemDirectoryA(system, MAX_PATH));
  for (const char* name : {"oleacc.dll", "shell32.dll"}) {
    const OwnedModule module(LoadSystemLibrary(name));
    ASSERT_NE(nullptr, module) << name;
    EXPECT_EQ(0, lstrcmpiA(system, FolderOf(module.get()).c_str())) << name;
  }
  // A library already loaded would be found by its name wherever it came from.
  ASSERT_EQ(nullptr, GetModuleHandleA(QUILLANE_FAKE_SHELL));
  EXPECT_EQ(nullptr, OwnedModule(LoadSystemLibrary(QUILLANE_FAKE_SHELL)));
  EXPECT_NE(nullptr, OwnedModule(LoadLibraryA(QUILLANE_FAKE_SHELL))) << "the stand-in is there";
  EXPECT_EQ(nullptr, OwnedModule(LoadSystemLibrary("no_such_library_here.dll")));
}
