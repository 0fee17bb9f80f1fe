#include "core/random.h"

RandomGeneratorState RandomGenerator{0};

void RandomSeed(std::uint32_t seed) { RandomGenerator.state = seed; }

int RandomNext() {
  // Unsigned arithmetic wraps modulo 2^32, which is the generator's modulus.
  RandomGenerator.state = RandomGenerator.state * 214013u + 2531011u;
  return static_cast<int>((RandomGenerator.state >> 16) & 0x7FFFu);
}
