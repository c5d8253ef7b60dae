// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

#include "Random.h"

#include <cstring>

namespace runtime {

namespace {
RandomGenerator processGenerator;

std::uint64_t SplitMix(std::uint64_t& state) {
  std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}
}  // namespace

void RandomGenerator::Seed(double seed) {
  // The seed's bit pattern, not its value, starts the sequence, so that seeds which
  // differ only in their fraction (seconds since midnight) give different runs.
  std::uint64_t bits = 0;
  std::memcpy(&bits, &seed, sizeof bits);
  state_ = bits ^ 0x853c49e6748fea9bull;
}

float RandomGenerator::Next() {
  if (!scripted_.empty()) {
    const float value = scripted_.front();
    scripted_.pop_front();
    return value;
  }
  // 24 random bits give every float in [0, 1) that is a multiple of 2^-24, exactly.
  return static_cast<float>(SplitMix(state_) >> 40) * (1.0f / 16777216.0f);
}

RandomGenerator& TheRandomGenerator() { return processGenerator; }

void Randomize(double seed) { processGenerator.Seed(seed); }

float Rnd() { return processGenerator.Next(); }

}  // namespace runtime
