#include "run/random.hpp"

#include <cstdlib>

GlibcRandom::GlibcRandom(unsigned seed)
{
    if (seed == 0)
        seed = 1;
    state[0] = static_cast<std::int32_t>(seed);
    std::int32_t word = state[0]; // negative for seeds from 2^31 on, as in glibc
    for (int i = 1; i < 31; ++i) {
        const long hi = word / 127773;
        const long lo = word % 127773;
        word = static_cast<std::int32_t>(16807 * lo - 2836 * hi);
        if (word < 0)
            word += 2147483647;
        state[i] = word;
    }
    for (int i = 0; i < 310; ++i)
        next();
}

int GlibcRandom::next()
{
    const std::uint32_t sum = static_cast<std::uint32_t>(state[front]) + static_cast<std::uint32_t>(state[rear]);
    state[front] = static_cast<std::int32_t>(sum);
    front = front + 1 == 31 ? 0 : front + 1;
    rear = rear + 1 == 31 ? 0 : rear + 1;
    return static_cast<int>(sum >> 1);
}

#ifdef __GLIBC__
void seedRandom(unsigned seed) { std::srand(seed); }
int nextRandom() { return std::rand(); }
#else
namespace {
GlibcRandom generator(1); // rand's state before any srand
} // namespace
void seedRandom(unsigned seed) { generator = GlibcRandom(seed); }
int nextRandom() { return generator.next(); }
#endif
