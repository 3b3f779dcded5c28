// SPDX-License-Identifier: MIT
// The memory one property-list read lives in: the file's bytes, the XML
// parser's document, the value tree and its texts. It comes from the system
// in a few large chunks, is handed out in order and goes back all at once
// when the tree is dropped. A read therefore leaves nothing behind in the
// heap: reading large files again and again cannot fragment it, and the
// pages come in whole (not one fault at a time) for a read that touches
// every one of them. One chunk of a bounded size is kept for the next read.
#pragma once

#include <cstddef>
#include <new>
#include <span>

namespace platform::linux_backend {

class ReadArena {
public:
    ReadArena() = default;
    ~ReadArena();
    ReadArena(const ReadArena&) = delete;
    ReadArena& operator=(const ReadArena&) = delete;

    // size bytes at the given alignment (at most max_align_t's); throws
    // std::bad_alloc when the system gives no more.
    void* allocate(std::size_t size, std::size_t alignment = alignof(std::max_align_t));

    template <typename T> std::span<T> allocateArray(std::size_t count) {
        if (count > MaxBytes / sizeof(T)) throw std::bad_alloc();
        T* first = static_cast<T*>(allocate(count * sizeof(T), alignof(T)));
        for (std::size_t i = 0; i < count; ++i)
            new (first + i) T();
        return {first, count};
    }

    // No single request can be larger; the readers' own bounds are far below.
    static constexpr std::size_t MaxBytes = std::size_t{1} << 30;

    struct Chunk;

private:
    void grow(std::size_t atLeast);

    Chunk* last_ = nullptr;
    std::byte* next_ = nullptr;
    std::byte* end_ = nullptr;
    std::size_t reserved_ = 0;
};

} // namespace platform::linux_backend
