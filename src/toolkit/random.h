// The program's one random generator: a 32-bit linear congruential generator.
//
//   seed := seed * 134775813 + 1 (mod 2^32), then
//   Random(n)    = high 32 bits of the 64-bit product seed * n, an integer in 0..n-1;
//   RandomReal() = seed * 2^-32, a real in [0, 1).
//
// Every caller shares the sequence, so the order of draws is part of the program's behaviour.
#pragma once

#include <cstdint>

namespace wobbert {

// The generator's state; tests set it to replay a sequence.
extern std::uint32_t randomSeed;

// Seeds from the high-resolution clock (its low 32 bits).
void Randomize();
// An integer in 0..n-1. A range of n <= 0 is a caller's error; it gives 0 and still advances
// the sequence, so one bad draw cannot throw the following draws out of step.
int Random(int n);
double RandomReal();

}  // namespace wobbert
