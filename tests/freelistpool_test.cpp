// The free-list pool behind value objects: freed blocks come back to the
// next allocation of the same thread, the list is bounded, and values made
// and dropped across threads stay intact.
#include "support/freelistpool.h"
#include "values/scriptobject.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace vornscriptunittests {
using namespace vornscript;

namespace {
// A size no interpreter class has, so the interpreter does not share its list.
using TestPool = VornFreeListPool<232>;
} // namespace

TEST(FreeListPool, RecyclesFreedBlocksLastInFirstOut) {
    void* first = TestPool::allocate();
    void* second = TestPool::allocate();
    ASSERT_NE(first, second);
    TestPool::release(first);
    TestPool::release(second);
    EXPECT_EQ(TestPool::allocate(), second);
    EXPECT_EQ(TestPool::allocate(), first);
    TestPool::release(first);
    TestPool::release(second);
}

TEST(FreeListPool, KeepsAtMostItsLimitAndEachThreadItsOwnList) {
    std::vector<void*> blocks(TestPool::maximumfree + 10);
    for (void*& block : blocks) {
        block = TestPool::allocate();
    }
    for (void* block : blocks) {
        TestPool::release(block);
    }
    // Only the first maximumfree blocks were kept; the last one kept comes first.
    void* const newest = TestPool::allocate();
    EXPECT_EQ(newest, blocks[TestPool::maximumfree - 1]);
    // Another thread neither takes from nor adds to this thread's list.
    std::thread([] { TestPool::release(TestPool::allocate()); }).join();
    void* const next = TestPool::allocate();
    EXPECT_EQ(next, blocks[TestPool::maximumfree - 2]);
    TestPool::release(next);
    TestPool::release(newest);
}

TEST(FreeListPool, ValuesSurviveBeingMadeAndDroppedOnOtherThreads) {
    std::vector<VornScriptObjectPtr> made;
    std::thread([&made] {
        for (int64_t value = 0; value < 100; ++value) {
            made.push_back(makelongvalue(value));
        }
        made.push_back(makestringvalue("text"));
    }).join();
    for (int64_t value = 0; value < 100; ++value) {
        EXPECT_EQ(made[static_cast<size_t>(value)]->tostring(), std::to_string(value));
    }
    EXPECT_EQ(made.back()->tostring(), "text");
    std::thread([&made] { made.clear(); }).join();
    // Blocks freed on the other thread are not on this thread's list.
    const VornScriptObjectPtr fresh = makedoublevalue(2.5);
    EXPECT_EQ(fresh->tostring(), "2.500000");
}

} // namespace vornscriptunittests
