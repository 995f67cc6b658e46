#include "core/io/text_sink.h"

#include <algorithm>

namespace orrerion {

TextSink::TextSink(FileReplacement& file) : file_(&file), block_(new char[BlockBytes]) {}

void TextSink::Flush() {
    if (file_ && used_ > 0) file_->Write({block_.get(), used_});
    used_ = 0;
}

void TextSink::PutLarge(std::string_view bytes) {
    while (!bytes.empty()) {
        if (used_ == BlockBytes) Flush();
        const std::size_t n = std::min(bytes.size(), BlockBytes - used_);
        bytes.copy(block_.get() + used_, n);
        used_ += n;
        bytes.remove_prefix(n);
    }
}

}  // namespace orrerion
