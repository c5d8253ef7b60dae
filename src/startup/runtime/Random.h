// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The runtime's random generator: seeded from a number, it draws values at least 0
// and below 1 in single precision. One generator serves the whole process, as the
// forms runtime has one; the sequence for a seed is the same on every platform.
#pragma once

#include <cstdint>
#include <deque>

namespace runtime {

class RandomGenerator {
 public:
  void Seed(double seed);
  float Next();

  // Makes the next draws return these values, in order, before the generator goes
  // on with its own sequence. Tests and the offscreen renderer use it to choose.
  void Script(std::deque<float> values) { scripted_ = std::move(values); }

 private:
  std::uint64_t state_ = 0x853c49e6748fea9bull;
  std::deque<float> scripted_;
};

RandomGenerator& TheRandomGenerator();

// Seeds the process's generator.
void Randomize(double seed);

// The next value of the process's generator, in [0, 1).
float Rnd();

}  // namespace runtime
