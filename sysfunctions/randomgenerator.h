// The script's pseudo-random generator: one 32-bit linear congruential state
// per process (state * 214013 + 2531011), each step yielding 15 bits. Its
// exact sequence is part of the language (a seed reproduces the same
// numbers), so the generator is ours and not the C library's rand().
#pragma once

#include <cstdint>

namespace vornscript {

// Seeds the state from the current time in seconds, the first time only; the
// first execution context calls this, and the first step does it if none has.
void seedrandomgeneratoronce();

// Sets the state to the low 32 bits of [seed] (startrandom).
void setrandomseed(int64_t seed);

// One step of the generator: 0 to 32767.
uint32_t nextrandomstep();

// random(maxvalue): 0 when maxvalue < 2, else a whole number in
// [0, maxvalue - 1] built from one or more steps.
int64_t randomwholenumber(int64_t maxvalue);

// random(): a double in [0, 1).
double randomfraction();

} // namespace vornscript
