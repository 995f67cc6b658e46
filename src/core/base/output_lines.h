#pragma once
// The line under construction and the two output line buffers: OutputLines is what the data
// window saves and prints, DataLines what it shows.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orrerion {

inline constexpr int MaxBufferLines = 32767;  // the buffers' signed 16-bit line count

// A list of text lines kept compactly: the characters of many lines in one block, with where each
// line ends, instead of one allocation per line. Blocks are only ever appended to, so two lists
// that receive the same lines (the saved and the shown buffer) share the blocks holding them;
// changing one list never changes the other.
class LineList {
public:
    LineList() = default;
    LineList(std::initializer_list<std::string_view> lines);
    LineList& operator=(std::initializer_list<std::string_view> lines);

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // A line as a view; it stays valid until the list changes. (Const, so that assigning to it
    // fails to compile rather than change a copy.)
    const std::string_view operator[](std::size_t i) const;
    const std::string_view front() const { return (*this)[0]; }
    const std::string_view back() const { return (*this)[size_ - 1]; }

    void push_back(std::string_view line);
    // Appends the last line of `other`, sharing its storage where the two lists run alike.
    void push_back_last_of(const LineList& other);
    void assign(std::size_t count, std::string_view line);
    void clear();
    void set(std::size_t i, std::string_view line);

    std::vector<std::string> ToVector() const;

    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const LineList* list, std::size_t i) : list_(list), i_(i) {}
        std::string_view operator*() const { return (*list_)[i_]; }
        std::string_view operator[](difference_type n) const { return (*list_)[i_ + static_cast<std::size_t>(n)]; }
        const_iterator& operator++() { ++i_; return *this; }
        const_iterator operator++(int) { const_iterator old = *this; ++i_; return old; }
        const_iterator& operator--() { --i_; return *this; }
        const_iterator operator--(int) { const_iterator old = *this; --i_; return old; }
        const_iterator& operator+=(difference_type n) { i_ += static_cast<std::size_t>(n); return *this; }
        const_iterator& operator-=(difference_type n) { i_ -= static_cast<std::size_t>(n); return *this; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
            return static_cast<difference_type>(a.i_) - static_cast<difference_type>(b.i_);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.i_ == b.i_; }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) { return a.i_ <=> b.i_; }

    private:
        const LineList* list_ = nullptr;
        std::size_t i_ = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size_}; }

    friend bool operator==(const LineList& a, const LineList& b);
    friend bool operator==(const LineList& a, const std::vector<std::string>& b);

private:
    // Lines appended one after the other; a block is full at BlockBytes characters.
    struct Block {
        std::string text;
        std::vector<std::uint32_t> ends;  // end of each line in text
        std::string_view Line(std::size_t i) const {
            const std::uint32_t from = i == 0 ? 0 : ends[i - 1];
            return std::string_view(text).substr(from, ends[i] - from);
        }
    };
    // Lines first .. first + count - 1 of a block.
    struct Segment {
        std::shared_ptr<Block> block;
        std::size_t first = 0;
        std::size_t count = 0;
    };
    // Appends to a block of this list's own that it ends, or starts one.
    void AppendOwn(std::string_view line);

    std::vector<Segment> segments_;
    std::size_t size_ = 0;
};

struct OutputBuffers {
    std::string LineText;  // line under construction
    LineList OutputLines;  // saved and printed
    LineList DataLines;    // shown in the data window
    bool outputCut = false;  // lines were dropped at the limit
    bool dataCut = false;
};

// The last line of both buffers once lines have been dropped at the limit.
inline constexpr const char* BufferCutNotice =
    "*** This listing was cut at 32767 lines. The report files hold every line. ***";

// Appends LineText to OutputLines, then to DataLines. Once OutputLines holds MaxBufferLines lines,
// further lines are dropped from both; the first dropped line replaces the last line of each
// buffer by BufferCutNotice, so the buffers say that they are incomplete.
void AddOutputLine(OutputBuffers& b);
void AddBlankLine(OutputBuffers& b);  // LineText = "" then AddOutputLine

// A buffer emptied for a new listing holds one empty line.
void ResetOutputLines(OutputBuffers& b);
void ResetDataLines(OutputBuffers& b);

}  // namespace orrerion
