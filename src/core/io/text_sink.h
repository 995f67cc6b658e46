#pragma once
// A long text on its way out: the writers of texts that grow with the days scanned (the exports,
// the timeline's SVG and JSON) put it piece by piece into a sink, which hands it to a file being
// replaced in blocks of a fixed size, or appends it to a string. A text written to a file is then
// never held whole in memory.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "core/io/file_replace.h"

namespace orrerion {

class TextSink {
public:
    // Into `file` (FileReplacement::Write), one block at a time; the caller commits the file after
    // Flush() or the sink's end.
    explicit TextSink(FileReplacement& file);
    // Onto the end of `text`.
    explicit TextSink(std::string& text) : text_(&text) {}
    ~TextSink() { Flush(); }
    TextSink(const TextSink&) = delete;
    TextSink& operator=(const TextSink&) = delete;

    void Put(std::string_view bytes) {
        if (text_) {
            text_->append(bytes);
        } else if (bytes.size() <= BlockBytes - used_) {
            bytes.copy(block_.get() + used_, bytes.size());
            used_ += bytes.size();
        } else {
            PutLarge(bytes);
        }
    }
    void Put(char c) { Put(std::string_view(&c, 1)); }

    // Hands what the block holds on to the file.
    void Flush();

    // The size of the blocks handed to a file: large enough that the file writes them as they are.
    static constexpr std::size_t BlockBytes = 64 << 10;

private:
    void PutLarge(std::string_view bytes);

    FileReplacement* file_ = nullptr;
    std::string* text_ = nullptr;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
};

}  // namespace orrerion
