// Runs a piece of work on a thread with a large native stack. The parser and
// the evaluator recurse once per nesting level; their depth limits are sized
// so that a script at the limits needs a few dozen megabytes of stack in an
// unoptimised, sanitized build, more than a process's main thread may have.
// The stack is reserved address space: only the pages a run touches cost memory.
#pragma once

#include <cstddef>
#include <functional>

namespace vornscript {

// Stack size of the interpreter thread.
inline constexpr size_t interpreterstacksize = size_t{512} * 1024 * 1024;

// Calls [work] on a new thread with [stacksize] bytes of stack and waits for
// it; returns what [work] returns. When no such thread can be made, [work]
// runs on the calling thread. Exceptions thrown by [work] reach the caller.
int runwithlargestack(const std::function<int()>& work, size_t stacksize = interpreterstacksize);

} // namespace vornscript
