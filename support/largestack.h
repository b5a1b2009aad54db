// A large native stack for the interpreter. The parser and the evaluator
// recurse once per nesting level; their depth limits are sized so that a
// script at the limits needs a few megabytes of stack in an optimised build
// and a few dozen in an unoptimised, sanitized one, more than a process's
// main thread is guaranteed by default.
//
// The main thread gets the stack by raising its soft stack limit: Linux
// grows the main stack on demand up to the limit it reads at each growth,
// and lays out memory with at least 128 MB free below the main stack. That
// costs one system call, where a thread with its own stack costs a new
// thread, its memory arena and the mapping. Other threads, and processes
// whose hard limit forbids raising, run the work on such a thread.
#pragma once

#include <cstddef>
#include <functional>

namespace vornscript {

// Stack size the interpreter needs, with room to spare in every build.
inline constexpr size_t interpreterstacksize = size_t{64} * 1024 * 1024;

// Calls [work] with at least [stacksize] bytes of native stack and returns
// what it returns: on the calling thread when that is the main thread and
// its stack limit can be raised to [stacksize], else on a new thread with
// that stack, waited for. When no such thread can be made either, [work]
// runs on the calling thread. Exceptions thrown by [work] reach the caller.
int runwithlargestack(const std::function<int()>& work, size_t stacksize = interpreterstacksize);

} // namespace vornscript
