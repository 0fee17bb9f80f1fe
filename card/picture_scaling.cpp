#include "card/picture_scaling.h"

#include <cstddef>
#include <vector>

namespace {

// Weights are in 256ths.
constexpr int WEIGHT_ONE = 256;

// The source position of each target pixel's centre along one axis: the nearer source
// pixel, the next one (held at the edge) and the weight of the next one.
struct Tap {
  int near;
  int next;
  std::uint32_t weight;
};

std::vector<Tap> Taps(int from, int to) {
  std::vector<Tap> taps(static_cast<std::size_t>(to));
  for (int i = 0; i < to; ++i) {
    // (i + 1/2) * from / to - 1/2, in 256ths.
    long long position =
        (static_cast<long long>(2 * i + 1) * from * WEIGHT_ONE) / (2LL * to) - WEIGHT_ONE / 2;
    if (position < 0) position = 0;
    const int near = static_cast<int>(position / WEIGHT_ONE);
    taps[static_cast<std::size_t>(i)] = {near, near + 1 < from ? near + 1 : near,
                                         static_cast<std::uint32_t>(position % WEIGHT_ONE)};
  }
  return taps;
}

// Red and blue, then green, each weighed in one multiplication.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t weight) {
  const std::uint32_t keep = WEIGHT_ONE - weight;
  const std::uint32_t redBlue =
      (((a & 0xFF00FFu) * keep + (b & 0xFF00FFu) * weight) >> 8) & 0xFF00FFu;
  const std::uint32_t green =
      (((a & 0x00FF00u) * keep + (b & 0x00FF00u) * weight) >> 8) & 0x00FF00u;
  return redBlue | green;
}

}  // namespace

void ScalePicture(const std::uint32_t* from, int fromWidth, int fromHeight, std::uint32_t* to,
                  int toWidth, int toHeight) {
  if (fromWidth <= 0 || fromHeight <= 0 || toWidth <= 0 || toHeight <= 0) return;
  const std::vector<Tap> columns = Taps(fromWidth, toWidth);
  const std::vector<Tap> rows = Taps(fromHeight, toHeight);
  for (const Tap& row : rows) {
    const std::uint32_t* upper = from + static_cast<std::ptrdiff_t>(row.near) * fromWidth;
    const std::uint32_t* lower = from + static_cast<std::ptrdiff_t>(row.next) * fromWidth;
    for (const Tap& column : columns) {
      *to++ = Mix(Mix(upper[column.near], upper[column.next], column.weight),
                  Mix(lower[column.near], lower[column.next], column.weight), row.weight);
    }
  }
}
