#include "bench_data.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::filesystem::path SourcePath(const std::string& relativePath) {
  return std::filesystem::path(QUILLANE_SOURCE_DIR) / relativePath;
}

}  // namespace

std::vector<unsigned char> ReadSourceFile(const std::string& relativePath) {
  std::ifstream in(SourcePath(relativePath), std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
}

std::string LargestVerseCollection() {
  std::string largest;
  std::uintmax_t largestSize = 0;
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator(SourcePath("resources/verses"), error)) {
    if (entry.path().extension() != ".txt") continue;
    const std::uintmax_t size = entry.file_size(error);
    if (!error && size > largestSize) {
      largestSize = size;
      largest = "resources/verses/" + entry.path().filename().string();
    }
  }
  return largest;
}
