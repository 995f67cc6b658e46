#include "core/base/output_lines.h"

#include <algorithm>

namespace orrerion {
namespace {

// A block takes lines until it holds this many characters.
constexpr std::size_t BlockBytes = 256 << 10;

}  // namespace

LineList::LineList(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines) push_back(line);
}

LineList& LineList::operator=(std::initializer_list<std::string_view> lines) {
    clear();
    for (std::string_view line : lines) push_back(line);
    return *this;
}

const std::string_view LineList::operator[](std::size_t i) const {
    for (const Segment& segment : segments_) {
        if (i < segment.count) return segment.block->Line(segment.first + i);
        i -= segment.count;
    }
    return {};
}

void LineList::AppendOwn(std::string_view line) {
    if (!segments_.empty()) {
        Segment& last = segments_.back();
        Block& block = *last.block;
        const std::size_t next = last.first + last.count;
        // Appending to a block another list shares is safe: that list's lines end before it.
        if (next == block.ends.size() && block.text.size() + line.size() <= BlockBytes) {
            block.text.append(line);
            block.ends.push_back(static_cast<std::uint32_t>(block.text.size()));
            ++last.count;
            ++size_;
            return;
        }
    }
    auto block = std::make_shared<Block>();
    block->text.assign(line);
    block->ends.push_back(static_cast<std::uint32_t>(block->text.size()));
    segments_.push_back({std::move(block), 0, 1});
    ++size_;
}

void LineList::push_back(std::string_view line) {
    if (!segments_.empty()) {
        // Where the block goes on with the same line (another list appended it first), share it.
        Segment& last = segments_.back();
        const std::size_t next = last.first + last.count;
        if (next < last.block->ends.size() && last.block->Line(next) == line) {
            ++last.count;
            ++size_;
            return;
        }
    }
    AppendOwn(line);
}

void LineList::push_back_last_of(const LineList& other) {
    if (other.segments_.empty()) return;
    const Segment& theirs = other.segments_.back();
    const std::size_t line = theirs.first + theirs.count - 1;
    if (!segments_.empty()) {
        Segment& last = segments_.back();
        if (last.block == theirs.block && last.first + last.count == line) {
            ++last.count;
            ++size_;
            return;
        }
    }
    segments_.push_back({theirs.block, line, 1});
    ++size_;
}

void LineList::assign(std::size_t count, std::string_view line) {
    clear();
    for (std::size_t i = 0; i < count; ++i) AppendOwn(line);
}

void LineList::clear() {
    segments_.clear();
    size_ = 0;
}

void LineList::set(std::size_t i, std::string_view line) {
    if (i >= size_) return;
    // The segment holding line i is split around it; the new text goes into a block of its own.
    std::vector<Segment> segments;
    segments.reserve(segments_.size() + 2);
    std::size_t at = 0;
    for (const Segment& segment : segments_) {
        if (i < at || i >= at + segment.count) {
            segments.push_back(segment);
        } else {
            const std::size_t k = i - at;
            if (k > 0) segments.push_back({segment.block, segment.first, k});
            auto block = std::make_shared<Block>();
            block->text.assign(line);
            block->ends.push_back(static_cast<std::uint32_t>(block->text.size()));
            segments.push_back({std::move(block), 0, 1});
            if (k + 1 < segment.count) {
                segments.push_back({segment.block, segment.first + k + 1, segment.count - k - 1});
            }
        }
        at += segment.count;
    }
    segments_ = std::move(segments);
}

std::vector<std::string> LineList::ToVector() const {
    std::vector<std::string> lines;
    lines.reserve(size_);
    for (std::string_view line : *this) lines.emplace_back(line);
    return lines;
}

bool operator==(const LineList& a, const LineList& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin());
}

bool operator==(const LineList& a, const std::vector<std::string>& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](std::string_view x, const std::string& y) { return x == y; });
}

namespace {

void MarkCut(LineList& lines, bool& cut) {
    if (cut) return;
    cut = true;
    if (lines.empty()) {
        lines.push_back(BufferCutNotice);
    } else {
        lines.set(lines.size() - 1, BufferCutNotice);
    }
}

}  // namespace

void AddOutputLine(OutputBuffers& b) {
    if (b.outputCut || b.OutputLines.size() >= static_cast<std::size_t>(MaxBufferLines)) {
        // The full report buffer stops both: a drop is marked once in each buffer.
        MarkCut(b.OutputLines, b.outputCut);
        MarkCut(b.DataLines, b.dataCut);
        return;
    }
    b.OutputLines.push_back(b.LineText);
    if (b.dataCut) return;
    if (b.DataLines.size() >= static_cast<std::size_t>(MaxBufferLines)) {
        MarkCut(b.DataLines, b.dataCut);
        return;
    }
    b.DataLines.push_back_last_of(b.OutputLines);
}

void AddBlankLine(OutputBuffers& b) {
    b.LineText.clear();
    AddOutputLine(b);
}

void ResetOutputLines(OutputBuffers& b) {
    b.OutputLines.assign(1, "");
    b.outputCut = false;
}

void ResetDataLines(OutputBuffers& b) {
    b.DataLines.assign(1, "");
    b.dataCut = false;
}

}  // namespace orrerion
