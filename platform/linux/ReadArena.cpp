// SPDX-License-Identifier: MIT
#include "platform/linux/ReadArena.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <sys/mman.h>
#include <utility>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
// AddressSanitizer cannot see the bounds of blocks carved out of a chunk it
// did not hand out: the chunk is marked unusable, each block usable, and a
// gap left between blocks, so a read past a block's end is still caught.
constexpr std::size_t Redzone = 16;
#define ARENA_POISON(at, size) ASAN_POISON_MEMORY_REGION(at, size)
#define ARENA_UNPOISON(at, size) ASAN_UNPOISON_MEMORY_REGION(at, size)
#else
constexpr std::size_t Redzone = 0;
#define ARENA_POISON(at, size) ((void)(at), (void)(size))
#define ARENA_UNPOISON(at, size) ((void)(at), (void)(size))
#endif

namespace platform::linux_backend {

// Each chunk starts with this header, which links it to the one before.
struct ReadArena::Chunk {
    Chunk* previous;
    std::size_t size;
};

namespace {

// Small reads fit their first chunk; larger ones double what they hold up
// to a step beyond which a chunk's unused end would cost too much (its pages
// are all made present at once).
constexpr std::size_t FirstChunk = std::size_t{64} * 1024;
constexpr std::size_t LargestStep = std::size_t{4} * 1024 * 1024;
constexpr std::size_t Page = 4096;
// A read of an ordinary catalogue, even one of 10,000 models, fits in this.
constexpr std::size_t SpareLimit = std::size_t{16} * 1024 * 1024;

std::size_t roundUp(std::size_t size, std::size_t to) {
    return (size + to - 1) / to * to;
}

std::size_t headerSize() {
    return roundUp(sizeof(ReadArena::Chunk), alignof(std::max_align_t));
}

void* mapChunk(std::size_t size, bool populate) {
    void* memory = ::mmap(nullptr, size, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | (populate ? MAP_POPULATE : 0), -1, 0);
    return memory == MAP_FAILED ? nullptr : memory;
}

void unmapChunk(void* memory, std::size_t size) {
    ARENA_UNPOISON(memory, size);
    ::munmap(memory, size);
}

// One chunk kept from a finished read for the next, so that reading the
// same catalogues again asks the system for nothing: the kernel's price for
// a fresh page is larger than what the parser spends on it. It is a single
// mapping of bounded size, so keeping it cannot fragment anything.
class SpareChunk {
public:
    // The spare when it holds at least `size` bytes. One too small is given
    // back: what this read leaves will replace it.
    std::pair<void*, std::size_t> take(std::size_t size) {
        std::unique_lock<std::mutex> lock(guard_);
        void* memory = std::exchange(memory_, nullptr);
        const std::size_t held = std::exchange(size_, 0);
        lock.unlock();
        if (memory != nullptr && held < size) {
            unmapChunk(memory, held);
            return {nullptr, 0};
        }
        return {memory, held};
    }
    // Keeps the larger of the spare and this chunk, and unmaps the other.
    void offer(void* memory, std::size_t size) {
        ARENA_POISON(memory, size);
        std::unique_lock<std::mutex> lock(guard_);
        if (size_ >= size) {
            lock.unlock();
            unmapChunk(memory, size);
            return;
        }
        std::swap(memory, memory_);
        std::swap(size, size_);
        lock.unlock();
        if (memory != nullptr) unmapChunk(memory, size);
    }

private:
    std::mutex guard_;
    void* memory_ = nullptr;
    std::size_t size_ = 0;
};

SpareChunk& spare() {
    static SpareChunk chunk;
    return chunk;
}

} // namespace

ReadArena::~ReadArena() {
    if (last_ != nullptr && last_->previous == nullptr && last_->size <= SpareLimit) {
        spare().offer(last_, last_->size);
        return;
    }
    while (last_ != nullptr) {
        Chunk* previous = last_->previous;
        unmapChunk(last_, last_->size);
        last_ = previous;
    }
    // A read that needed several chunks leaves one that holds them all,
    // whose pages come in as the next read writes them.
    if (reserved_ <= SpareLimit)
        if (void* memory = mapChunk(reserved_, false)) spare().offer(memory, reserved_);
}

void ReadArena::grow(std::size_t atLeast) {
    const std::size_t header = headerSize();
    std::size_t size =
        roundUp(std::max({FirstChunk, std::min(reserved_, LargestStep), atLeast + header}), Page);
    auto [memory, spareSize] = spare().take(size);
    if (memory != nullptr) {
        size = spareSize;
    } else {
        // MAP_POPULATE: the chunk's pages arrive in one call instead of one
        // fault each; what a read asks for it nearly always writes.
        memory = mapChunk(size, true);
        if (memory == nullptr) throw std::bad_alloc();
    }
    ARENA_UNPOISON(memory, header);
    auto* chunk = static_cast<Chunk*>(memory);
    chunk->previous = last_;
    chunk->size = size;
    last_ = chunk;
    reserved_ += size;
    next_ = static_cast<std::byte*>(memory) + header;
    end_ = static_cast<std::byte*>(memory) + size;
    ARENA_POISON(next_, static_cast<std::size_t>(end_ - next_));
}

void* ReadArena::allocate(std::size_t size, std::size_t alignment) {
    if (size > MaxBytes) throw std::bad_alloc();
    if (Redzone != 0) alignment = std::max<std::size_t>(alignment, 8);
    // What brings the next free byte to the alignment asked for.
    const auto padding = [&] {
        return (alignment - reinterpret_cast<std::uintptr_t>(next_) % alignment) % alignment;
    };
    const std::size_t room = size + Redzone;
    if (next_ == nullptr || static_cast<std::size_t>(end_ - next_) < padding() + room)
        grow(room + alignment);
    std::byte* block = next_ + padding();
    next_ = block + room;
    ARENA_UNPOISON(block, size);
    return block;
}

} // namespace platform::linux_backend
