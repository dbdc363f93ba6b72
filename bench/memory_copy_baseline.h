// The baseline of every benchmark here: a plain memory copy of as many bytes as the measured
// operation touches, so that operation / baseline says how far from memory speed it runs.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace wobbert::bench {

inline void MemoryCopy(benchmark::State& state, std::size_t bytes) {
  std::vector<std::uint8_t> from(bytes, 7), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

}  // namespace wobbert::bench
