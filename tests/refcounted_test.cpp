// Ownership rules of the intrusive shared pointer.
#include "support/refcounted.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using vornscript::VornRef;

namespace {
struct Counted : vornscript::VornRefCounted {
    explicit Counted(int* alive) : alive(alive) { ++*alive; }
    ~Counted() override { --*alive; }
    int* alive;
};
struct Derived : Counted {
    using Counted::Counted;
};
} // namespace

TEST(VornRef, LastHolderDeletesAndCopiesShare) {
    int alive = 0;
    {
        VornRef<Counted> first = vornscript::makeref<Counted>(&alive);
        EXPECT_TRUE(first.unique());
        VornRef<Counted> second = first;
        EXPECT_FALSE(first.unique());
        EXPECT_EQ(first->refcount(), 2);
        VornRef<Counted> moved = std::move(second);
        EXPECT_EQ(first->refcount(), 2);
        first = moved; // self-share through another holder
        EXPECT_EQ(alive, 1);
        moved.reset();
        EXPECT_TRUE(first.unique());
    }
    EXPECT_EQ(alive, 0);
}

TEST(VornRef, ConvertsToBaseAndBack) {
    int alive = 0;
    VornRef<Counted> base = vornscript::makeref<Derived>(&alive);
    VornRef<Derived> derived = vornscript::dynamicrefcast<Derived>(base);
    ASSERT_TRUE(derived);
    EXPECT_EQ(base->refcount(), 2);
    base = nullptr;
    EXPECT_EQ(alive, 1);
    derived.reset();
    EXPECT_EQ(alive, 0);
}

} // namespace vornscriptunittests
