// A small seeded random source for the picture generator (splitmix64). Its sequence is fixed by
// the seed alone, on every platform and library, so the drawings come out the same everywhere.
#pragma once

#include <cstdint>

namespace wobbert::pictures {

class Dice {
 public:
  explicit Dice(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A real in [0, 1).
  double Real() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Range(double low, double high) { return low + (high - low) * Real(); }
  // A real in [-spread, spread).
  double Jitter(double spread) { return Range(-spread, spread); }
  bool Chance(double probability) { return Real() < probability; }

 private:
  std::uint64_t state_;
};

}  // namespace wobbert::pictures
