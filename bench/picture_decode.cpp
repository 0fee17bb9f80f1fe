#include "picture_decode.h"

#include <windows.h>

#include <olectl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/handles.h"

namespace {

constexpr int DECODE_RUNS = 50;

double NowMilliseconds() {
  LARGE_INTEGER frequency{};
  LARGE_INTEGER now{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// One load as the card does it; false when the system cannot decode the bytes.
bool DecodeOnce(const std::vector<unsigned char>& bytes) {
  OwnedGlobal block = MovableCopy(bytes.data(), bytes.size());
  IStream* stream = nullptr;
  if (!block || FAILED(CreateStreamOnHGlobal(block.get(), TRUE, &stream))) return false;
  (void)block.release();  // the stream's now
  void* picture = nullptr;
  const HRESULT result =
      OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, &picture);
  stream->Release();
  if (FAILED(result) || picture == nullptr) return false;
  static_cast<IPicture*>(picture)->Release();
  return true;
}

}  // namespace

bool PrintPictureDecodeTimes(int count, char** paths) {
  std::printf("%-40s %9s %9s %9s\n", "picture", "bytes", "median ms", "min ms");
  bool allRead = true;
  for (int i = 0; i < count; ++i) {
    std::ifstream in(paths[i], std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                           std::istreambuf_iterator<char>());
    if (bytes.empty() || !DecodeOnce(bytes)) {
      std::printf("%-40s cannot be read or decoded\n", paths[i]);
      allRead = false;
      continue;
    }
    std::vector<double> samples;
    for (int run = 0; run < DECODE_RUNS; ++run) {
      const double start = NowMilliseconds();
      DecodeOnce(bytes);
      samples.push_back(NowMilliseconds() - start);
    }
    std::sort(samples.begin(), samples.end());
    std::printf("%-40s %9zu %9.3f %9.3f\n", paths[i], bytes.size(), samples[samples.size() / 2],
                samples.front());
  }
  return allRead;
}
