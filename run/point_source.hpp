// Where a program's records come from.
#pragma once

// A fixed table of `count` records, or `rand() % modulus` per coordinate, record by record (x, y,
// then z), after seeding from `seed`, or from the current second when it is negative.
template <class Point>
struct PointSource {
    int count;
    int modulus;               // used when table is null
    const Point* table = nullptr;
    long long seed = -1;
};
