#include "tests/win32/resources/resource_module.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

// Wine opens a Unix path only while the current drive is the one mapped to "/";
// its "Z:" drive always is.
std::string WindowsPath(std::string path) {
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return path;
  if (!path.empty() && path[0] == '/') {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
  }
  return path;
}

}  // namespace

std::string ProgramPath() { return WindowsPath(QUILLANE_EXE); }

HMODULE ProgramModule() {
  static const HMODULE module =
      LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  return module;
}

std::vector<unsigned char> ProgramResource(LPCSTR type, int id) {
  HMODULE module = ProgramModule();
  HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(id), type) : nullptr;
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* data = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
  if (data == nullptr) return {};
  return std::vector<unsigned char>(data, data + SizeofResource(module, found));
}

std::vector<unsigned char> ReadDataFile(const std::string& relativePath) {
  std::ifstream in(WindowsPath(std::string(QUILLANE_RESOURCE_DIR) + "/" + relativePath),
                   std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
}

std::uint16_t Word(const std::vector<unsigned char>& bytes, std::size_t at) {
  if (at + 2 > bytes.size()) return 0;
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t Dword(const std::vector<unsigned char>& bytes, std::size_t at) {
  if (at + 4 > bytes.size()) return 0;
  return static_cast<std::uint32_t>(Word(bytes, at)) |
         static_cast<std::uint32_t>(Word(bytes, at + 2)) << 16;
}
