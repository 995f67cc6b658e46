#pragma once
// Fixed-width text built in a buffer whose size is the sum of the widths of the fields it holds.
// The report lines of the scan are written millions of times, so they are put together field by
// field in a stack buffer rather than through a stream; the buffer's size is worked out from the
// widths at compile time (WidthSum, checked by a static_assert where the line is built), and every
// field is checked against the room left, so a line can never run past its buffer.
#include <array>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string_view>

namespace orrerion {

// The sum of fixed field widths: WidthSum({7, 4, 11}) == 22.
constexpr std::size_t WidthSum(std::initializer_list<std::size_t> widths) {
    std::size_t sum = 0;
    for (const std::size_t w : widths) sum += w;
    return sum;
}

template <std::size_t Capacity>
class FixedLine {
public:
    static constexpr std::size_t capacity = Capacity;

    // The next `Width` characters, for a writer of exactly that width (a std::span of fixed extent,
    // so that a writer of another width does not compile).
    template <std::size_t Width>
    std::span<char, Width> Field() {
        return std::span<char, Width>(Room(Width), Width);
    }
    // The next `width` characters, for a writer that returns how many it used (see Shrink).
    std::span<char> Field(std::size_t width) { return {Room(width), width}; }
    // Gives back the unused end of the last field.
    void Shrink(std::size_t unused) {
        if (unused > size_) throw std::length_error("FixedLine: shrunk below its start");
        size_ -= unused;
    }

    void Put(std::string_view text) {
        if (!text.empty()) std::memcpy(Room(text.size()), text.data(), text.size());
    }
    void Put(char c) { *Room(1) = c; }

    std::string_view View() const { return {text_.data(), size_}; }
    std::size_t size() const { return size_; }

private:
    // Claims `width` characters; a field that does not fit is a fault in the caller's widths and
    // stops the line rather than writing past it.
    char* Room(std::size_t width) {
        if (width > Capacity - size_) throw std::length_error("FixedLine: a field runs past the line's width");
        char* at = text_.data() + size_;
        size_ += width;
        return at;
    }

    std::array<char, Capacity> text_{};
    std::size_t size_ = 0;
};

}  // namespace orrerion
