// The script's pseudo-random generator and the procedures of random() and
// random(maxvalue). Large ranges are summed from many 15-bit steps exactly as
// the language defines it, but not step by step: whole generator periods and
// long runs of steps are summed in closed form, so any maxvalue is fast.
#include "sysfunctions/randomgenerator.h"

#include <ctime>
#include <utility>

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

// Up to this many steps are taken one by one; beyond, sumofmanysteps is faster.
constexpr uint64_t manystepsbound = 0x40000;

uint32_t state = 0;
bool seeded = false;

inline uint32_t advance(uint32_t& current) {
    current = current * multiplier + increment;
    return (current >> 16) & 0x7FFF;
}

// The coefficients of [count] steps at once: state * multiplier + increment.
struct Jump {
    uint32_t multiplier = 1;
    uint32_t increment = 0;
};

Jump jumpof(uint64_t count) {
    Jump total;
    Jump power{multiplier, increment};
    for (; count > 0; count >>= 1) {
        if (count & 1) {
            total = {total.multiplier * power.multiplier,
                     total.increment * power.multiplier + power.increment};
        }
        power = {power.multiplier * power.multiplier,
                 power.increment * power.multiplier + power.increment};
    }
    return total;
}

// Sum over i in [0, n) of floor((a * i + b) / m), for a, b >= 0.
uint64_t floorsum(uint64_t n, uint64_t m, uint64_t a, uint64_t b) {
    uint64_t sum = 0;
    while (true) {
        if (a >= m) {
            sum += n * (n - 1) / 2 * (a / m);
            a %= m;
        }
        if (b >= m) {
            sum += n * (b / m);
            b %= m;
        }
        const uint64_t top = a * n + b;
        if (top < m) {
            return sum;
        }
        n = top / m;
        b = top % m;
        std::swap(m, a);
    }
}

// The inverse of an odd number modulo 2^32 (Newton's iteration).
uint32_t oddinverse(uint32_t value) {
    uint32_t inverse = value;
    for (int i = 0; i < 5; ++i) {
        inverse *= 2 - value * inverse;
    }
    return inverse;
}

// The sum over t in [0, count) of ((x + t * k) mod 2^15) mod 32767.
int64_t progressionsum(uint32_t x, uint32_t k, uint64_t count) {
    constexpr uint32_t modulus = 0x8000;
    const uint64_t plain =
        count * x + k * (count * (count - 1) / 2) - modulus * floorsum(count, modulus, k, x);
    // Terms equal to 32767 count as 0: solve x + t * k = 32767 (mod 2^15).
    const uint32_t target = (stepmodulus - x) & (modulus - 1);
    const uint32_t divisor = k == 0 ? modulus : (k & (0 - k));
    if (target % divisor != 0) {
        return static_cast<int64_t>(plain);
    }
    const uint32_t period = modulus / divisor;
    const uint32_t first =
        ((target / divisor) * oddinverse(k == 0 ? 1 : k / divisor)) & (period - 1);
    const uint64_t hits = first < count ? (count - 1 - first) / period + 1 : 0;
    return static_cast<int64_t>(plain - hits * stepmodulus);
}

// The sum of [count] (below 2^32) steps taken modulo 32767, from [current].
// The low 16 bits of the state repeat every 2^16 steps, and then the high 16
// bits have moved by an amount that depends only on those low bits. So the
// steps r, r + 2^16, r + 2 * 2^16, ... have outputs in an arithmetic
// progression modulo 2^15, summed in closed form for each of the 2^16 r.
int64_t sumofmanysteps(uint32_t current, uint64_t count) {
    constexpr uint64_t lowperiod = 0x10000;
    const Jump period = jumpof(lowperiod);
    const uint32_t highfactor = (period.multiplier - 1) >> 16;
    const uint32_t highincrement = period.increment >> 16;
    int64_t sum = 0;
    for (uint64_t r = 1; r <= lowperiod; ++r) {
        current = current * multiplier + increment;
        const uint32_t high = current >> 16;
        const uint32_t low = current & 0xFFFF;
        const uint32_t advance = (highfactor * low + highincrement) & 0x7FFF;
        sum += progressionsum(high & 0x7FFF, advance, (count - r) / lowperiod + 1);
    }
    return sum;
}

// The sum of [count] steps taken modulo 32767.
int64_t sumofsteps(uint64_t count) {
    seedrandomgeneratoronce();
    // After a whole period the state is back where it started.
    int64_t sum = static_cast<int64_t>(count >> 32) * fullperiodsum;
    count &= 0xFFFFFFFFu;
    if (count > manystepsbound) {
        sum += sumofmanysteps(state, count);
        const Jump jump = jumpof(count);
        state = state * jump.multiplier + jump.increment;
        return sum;
    }
    uint32_t current = state;
    for (uint64_t remaining = count; remaining > 0; --remaining) {
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
