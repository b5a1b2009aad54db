// The interpreter's large stack: deep native recursion succeeds on the main
// thread (through the raised stack limit) and on other threads (through a
// thread of its own), and exceptions reach the caller either way.
#include "support/largestack.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace vornscriptunittests {
namespace {

// Recurses [levels] times with a kilobyte frame each; the volatile buffer
// keeps the compiler from turning the recursion into a loop.
int deeprecursion(int levels) {
    volatile char frame[1024];
    frame[0] = static_cast<char>(levels);
    if (levels == 0) {
        return frame[0];
    }
    return deeprecursion(levels - 1) + 1 + frame[0] - frame[0];
}

// 24 MB of frames: more than a default 8 MB stack holds.
constexpr int deeplevels = 24 * 1024;

TEST(LargeStack, DeepRecursionOnTheMainThread) {
    EXPECT_EQ(vornscript::runwithlargestack([] { return deeprecursion(deeplevels); }), deeplevels);
}

TEST(LargeStack, DeepRecursionFromAnotherThread) {
    int result = 0;
    std::thread worker([&result] {
        result = vornscript::runwithlargestack([] { return deeprecursion(deeplevels); });
    });
    worker.join();
    EXPECT_EQ(result, deeplevels);
}

TEST(LargeStack, ExceptionsReachTheCaller) {
    const auto failing = []() -> int { throw std::runtime_error("from the work"); };
    EXPECT_THROW(vornscript::runwithlargestack(failing), std::runtime_error);
    std::thread worker(
        [&failing] { EXPECT_THROW(vornscript::runwithlargestack(failing), std::runtime_error); });
    worker.join();
}

} // namespace
} // namespace vornscriptunittests
