// Runs the registered benchmarks and prints each one's time as a ratio to its baseline.
//
// A benchmark named "Operation/baseline" is the baseline of every benchmark named "Operation/..."
// with the same prefix: a plain memory copy of the bytes the operation touches. Ratios, unlike
// absolute times, stay comparable across machines and loads.
#pragma once

namespace wobbert::bench {

int RunWithRatios(int argc, char** argv);

}  // namespace wobbert::bench
