#include "toolkit/random.h"

#include <chrono>

namespace wobbert {

std::uint32_t randomSeed = 0;

namespace {
void Advance() { randomSeed = randomSeed * 134775813u + 1u; }
}  // namespace

void Randomize() {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  randomSeed = static_cast<std::uint32_t>(static_cast<std::uint64_t>(ticks));
}

int Random(int n) {
  Advance();
  if (n <= 0) return 0;
  return static_cast<int>((static_cast<std::uint64_t>(randomSeed) * static_cast<std::uint64_t>(n)) >> 32);
}

double RandomReal() {
  Advance();
  return static_cast<double>(randomSeed) * (1.0 / 4294967296.0);
}

}  // namespace wobbert
