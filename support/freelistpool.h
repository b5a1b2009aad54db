// Free-list recycling for the small objects the interpreter makes and drops by
// the million (a value object and its text handler for every computed number):
// a freed block goes onto a free list of its size and the next allocation of
// that size takes it back without a trip through malloc. The lists are per
// thread, so values made or dropped on other threads need no locking (a block
// freed on another thread simply joins that thread's list); each list is
// bounded and given back to the heap when its thread ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define VORN_POOL_POISONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORN_POOL_POISONS 1
#endif
#endif
#ifdef VORN_POOL_POISONS
#include <sanitizer/asan_interface.h>
#endif

namespace vornscript {

template <std::size_t Size> class VornFreeListPool {
public:
    static_assert(Size >= sizeof(void*), "a block must hold the free-list link");

    // Most blocks kept per thread; beyond it freed blocks go back to the heap,
    // so dropping a large collection does not pin its memory.
    static constexpr uint32_t maximumfree = 8192;

    static void* allocate() {
        FreeList& list = freelist;
        if (Block* block = list.head) {
            unpoison(block);
            list.head = block->next;
            --list.count;
            return block;
        }
        return ::operator new(Size);
    }

    static void release(void* memory) noexcept {
        FreeList& list = freelist;
        if (list.count >= maximumfree || !list.open()) {
            ::operator delete(memory);
            return;
        }
        Block* block = static_cast<Block*>(memory);
        block->next = list.head;
        // Poisoned while on the list, so AddressSanitizer still reports a
        // use after free of a recycled block.
        poison(block);
        list.head = block;
        ++list.count;
    }

private:
    struct Block {
        Block* next;
    };

    // Trivially constructed and destroyed, so reaching it costs no
    // initialisation check; the Closer below empties it at thread exit.
    struct FreeList {
        Block* head = nullptr;
        uint32_t count = 0;
        enum class State : uint8_t { unused, open, closed } state = State::unused;

        // False once the thread's exit has emptied the list: blocks freed by
        // later destructors go straight back to the heap.
        bool open() {
            if (state == State::unused) {
                static thread_local Closer closer;
                state = State::open;
            }
            return state == State::open;
        }
    };

    struct Closer {
        ~Closer() {
            FreeList& list = freelist;
            while (Block* block = list.head) {
                unpoison(block);
                list.head = block->next;
                ::operator delete(block);
            }
            list.count = 0;
            list.state = FreeList::State::closed;
        }
    };

    static void poison([[maybe_unused]] Block* block) {
#ifdef VORN_POOL_POISONS
        ASAN_POISON_MEMORY_REGION(block, Size);
#endif
    }
    static void unpoison([[maybe_unused]] Block* block) {
#ifdef VORN_POOL_POISONS
        ASAN_UNPOISON_MEMORY_REGION(block, Size);
#endif
    }

    static inline thread_local FreeList freelist;
};

// Base giving a class operator new and delete on the pool of its size:
// `class Value final : public Base, public VornPooled<Value>`. For final
// classes only, so every allocation has exactly that size.
template <class Derived> class VornPooled {
public:
    static void* operator new(std::size_t) { return VornFreeListPool<sizeof(Derived)>::allocate(); }
    static void operator delete(void* memory) noexcept {
        VornFreeListPool<sizeof(Derived)>::release(memory);
    }
};

} // namespace vornscript
