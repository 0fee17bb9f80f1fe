#pragma once
// Points this test program's imports of one system function at a stand-in while the
// object lives. The product's code is linked into the test program, so its calls go
// through these imports too: a test can count them or make the function fail.
#include <windows.h>

#include <vector>

class ImportPatch {
 public:
  template <typename Function>
  ImportPatch(const char* library, const char* name, Function standIn)
      : original_(reinterpret_cast<ULONG_PTR>(GetProcAddress(GetModuleHandleA(library), name))) {
    auto* base = reinterpret_cast<unsigned char*>(GetModuleHandleA(nullptr));
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* from =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         from->Name != 0; ++from) {
      for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + from->FirstThunk);
           slot->u1.Function != 0; ++slot) {
        if (original_ != 0 && slot->u1.Function == original_) slots_.push_back(&slot->u1.Function);
      }
    }
    Write(reinterpret_cast<ULONG_PTR>(standIn));
  }
  ~ImportPatch() { Write(original_); }
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  bool Found() const { return !slots_.empty(); }
  // The real function, for a stand-in that passes calls on.
  template <typename Function>
  Function Original() const {
    return reinterpret_cast<Function>(original_);
  }

 private:
  void Write(ULONG_PTR value) {
    for (auto* slot : slots_) {
      DWORD protection = 0;
      VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
      *slot = value;
      VirtualProtect(slot, sizeof *slot, protection, &protection);
    }
  }

  ULONG_PTR original_;
  std::vector<ULONG_PTR*> slots_;
};
