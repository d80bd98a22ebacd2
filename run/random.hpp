// The random numbers of the programs' sets: the C library's rand, or where the C library is not
// glibc, glibc's generator written out, so that a seed builds the same set everywhere.
#pragma once

#include <cstdint>

// glibc's rand after srand(seed): its additive feedback generator of degree 31 and separation 3,
// seeded through the Park-Miller generator and run 310 times before the first number.
struct GlibcRandom {
    std::int32_t state[31];
    int front = 3; // the tap that receives the sum
    int rear = 0;  // the other tap

    explicit GlibcRandom(unsigned seed);
    int next(); // 0 to 2^31 - 1
};

// srand and rand as the programs use them.
void seedRandom(unsigned seed);
int nextRandom();
