// Replaced global operator new and delete that keep a running total of the
// bytes in use. Each block carries its size in a header in front of it, so
// every delete (sized or not) takes back exactly what its new added. The
// aligned forms keep the library's own implementation: nothing here asks
// for over-aligned storage. The code under test allocates with new only
// (no malloc family), so this sees all of its heap use.
#include "HeapCount.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Large enough to keep the block aligned for any fundamental type.
constexpr std::size_t kHeader = alignof(std::max_align_t) > sizeof(std::size_t) ? alignof(std::max_align_t)
                                                                                 : sizeof(std::size_t);

std::atomic<long long> g_bytes{0};
std::atomic<long long> g_blocks{0};

void* Take(std::size_t size) noexcept
{
    void* raw = std::malloc(size + kHeader);
    if (!raw)
        return nullptr;
    *static_cast<std::size_t*>(raw) = size;
    g_bytes += static_cast<long long>(size);
    ++g_blocks;
    return static_cast<char*>(raw) + kHeader;
}

void* TakeOrThrow(std::size_t size)
{
    for (;;) {
        if (void* p = Take(size))
            return p;
        std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

void Give(void* p) noexcept
{
    if (!p)
        return;
    char* raw = static_cast<char*>(p) - kHeader;
    g_bytes -= static_cast<long long>(*reinterpret_cast<std::size_t*>(raw));
    --g_blocks;
    std::free(raw);
}

} // namespace

namespace reliability {

HeapFigures HeapInUse() { return HeapFigures{g_bytes.load(), g_blocks.load()}; }

} // namespace reliability

void* operator new(std::size_t size) { return TakeOrThrow(size); }
void* operator new[](std::size_t size) { return TakeOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Take(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Take(size); }
void operator delete(void* p) noexcept { Give(p); }
void operator delete[](void* p) noexcept { Give(p); }
void operator delete(void* p, std::size_t) noexcept { Give(p); }
void operator delete[](void* p, std::size_t) noexcept { Give(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Give(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Give(p); }
