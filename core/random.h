#pragma once
#include <cstdint>

// The program's one pseudo-random generator: a 32-bit linear congruential
// generator whose values run from 0 to 32767.
struct RandomGeneratorState {
  std::uint32_t state;
};

extern RandomGeneratorState RandomGenerator;

constexpr int RANDOM_MAX = 32767;

void RandomSeed(std::uint32_t seed);
int RandomNext();
