// A small deterministic random source (SplitMix64): the same seed gives the
// same numbers on every platform and build.
#ifndef HOST_RENDER_SEEDED_RANDOM_H
#define HOST_RENDER_SEEDED_RANDOM_H

#include <cstdint>

namespace qi {
namespace render {

class SeededRandom {
public:
    explicit SeededRandom(uint64_t seed) : state_(seed) {}

    uint64_t NextBits()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    float Next() { return float(NextBits() >> 40) * (1.0f / 16777216.0f); }

private:
    uint64_t state_;
};

}  // namespace render
}  // namespace qi

#endif
