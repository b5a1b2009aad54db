// The script's pseudo-random generator and the procedures of random() and
// random(maxvalue). Large ranges are summed from many 15-bit steps exactly as
// the language defines it; whole generator periods are added in closed form
// so that a huge maxvalue costs at most one period of steps.
#include "sysfunctions/randomgenerator.h"

#include <ctime>

namespace vornscript {

namespace {

constexpr uint32_t multiplier = 214013;
constexpr uint32_t increment = 2531011;
// The largest step value and the modulus of the summing procedure.
constexpr int64_t stepmodulus = 0x7FFF;

// The generator has the full period 2^32 (odd increment, multiplier - 1
// divisible by 4), so one period visits every state once: each 15-bit output
// appears 2^17 times, and 32767 contributes 0 modulo 32767.
constexpr int64_t fullperiodsum = (int64_t{1} << 17) * ((stepmodulus - 1) * stepmodulus / 2);

uint32_t state = 0;
bool seeded = false;

inline uint32_t advance(uint32_t& current) {
    current = current * multiplier + increment;
    return (current >> 16) & 0x7FFF;
}

// The sum of [count] steps taken modulo 32767.
int64_t sumofsteps(uint64_t count) {
    seedrandomgeneratoronce();
    // After a whole period the state is back where it started.
    int64_t sum = static_cast<int64_t>(count >> 32) * fullperiodsum;
    uint32_t current = state;
    for (uint64_t remaining = count & 0xFFFFFFFFu; remaining > 0; --remaining) {
        sum += advance(current) % stepmodulus;
    }
    state = current;
    return sum;
}

} // namespace

void seedrandomgeneratoronce() {
    if (!seeded) {
        setrandomseed(static_cast<int64_t>(std::time(nullptr)));
    }
}

void setrandomseed(int64_t seed) {
    state = static_cast<uint32_t>(seed);
    seeded = true;
}

uint32_t nextrandomstep() {
    seedrandomgeneratoronce();
    return advance(state);
}

int64_t randomwholenumber(int64_t maxvalue) {
    if (maxvalue < 2) {
        return 0;
    }
    if (maxvalue <= stepmodulus) {
        return nextrandomstep() % maxvalue;
    }
    // The loop "add a step modulo 32767, take 32767 off the rest, while the
    // rest exceeds 32766" runs maxvalue / 32767 times.
    int64_t sum = sumofsteps(static_cast<uint64_t>(maxvalue / stepmodulus));
    const int64_t rest = maxvalue % stepmodulus;
    if (rest > 1) {
        sum += nextrandomstep() % rest;
    }
    return sum;
}

double randomfraction() {
    return static_cast<double>(randomwholenumber(65536)) / 65536.0;
}

} // namespace vornscript
