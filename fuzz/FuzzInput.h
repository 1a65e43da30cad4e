// Reads a fuzzer's bytes as a script of small decisions: numbers that lean
// towards the edges (0, 1, -1, the 16- and 32-bit limits), choices and
// short texts. Running out of bytes gives zeros, so every input is a
// complete script.
#pragma once
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : p_(data), n_(size) {}
    bool empty() const { return n_ == 0; }

    std::uint8_t Byte()
    {
        if (n_ == 0)
            return 0;
        --n_;
        return *p_++;
    }
    std::uint32_t U32()
    {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = (v << 8) | Byte();
        return v;
    }
    // One of n choices.
    unsigned Pick(unsigned n) { return n ? Byte() % n : 0; }
    bool Flag() { return Byte() & 1; }

    // A 32-bit number: an edge, a small number or any 32 bits.
    std::int32_t Int()
    {
        static const std::int32_t edges[] = {0,      1,       -1,        2,           16,          20,
                                             32767,  32768,   -32768,    65535,       65536,       1 << 24,
                                             INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1, INT_MAX / 2, INT_MAX / 15};
        switch (Pick(4)) {
        case 0: return edges[Pick(sizeof(edges) / sizeof(edges[0]))];
        case 1: return static_cast<std::int32_t>(U32());
        default: return static_cast<std::int32_t>(Byte()) - 40;
        }
    }
    // A size or position as a window message carries it (16 bits).
    int Size()
    {
        const std::int32_t v = Int();
        return v < -32768 ? -32768 : v > 32767 ? 32767 : v;
    }
    // A client width or height: 0 to 32767 pixels.
    int Extent()
    {
        const int v = Size();
        return v < 0 ? -(v + 1) : v;
    }
    // Up to max bytes of the input as they are.
    std::string Text(std::size_t max)
    {
        const std::size_t len = Pick(static_cast<unsigned>(max + 1));
        std::string s;
        for (std::size_t i = 0; i < len && n_ > 0; ++i)
            s += static_cast<char>(Byte());
        return s;
    }

private:
    const std::uint8_t* p_;
    std::size_t n_;
};

} // namespace fuzz
