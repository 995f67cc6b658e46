#include "core/io/field_stream.h"

#include "core/io/csv_record.h"

namespace orrerion {

const char* FieldReadFailureText(FieldReadFailure failure) {
    switch (failure) {
        case FieldReadFailure::None: return "no failure";
        case FieldReadFailure::PastEnd: return "the file ends inside a record";
        case FieldReadFailure::UnclosedQuote: return "unclosed quote";
        case FieldReadFailure::LineTooLong: return "line too long";
        case FieldReadFailure::BinaryData: return "binary data";
    }
    return "unknown failure";
}

RecordFieldStream::RecordFieldStream(std::vector<std::string> lines) : lines_(std::move(lines)) {
    PrepareNextLine();
}

void RecordFieldStream::PrepareNextLine() {
    pending_.clear();
    pendingPos_ = 0;
    if (nextLine_ >= lines_.size()) return;
    const std::string& text = lines_[nextLine_];
    if (text.size() > MaxRecordLineLength) {
        blocked_ = FieldReadFailure::LineTooLong;
    } else if (text.find('\0') != std::string::npos) {
        blocked_ = FieldReadFailure::BinaryData;
    } else {
        bool unclosed = false;
        std::size_t start = 0;
        while (true) {  // a lone carriage return ends a line too
            const std::size_t cr = text.find('\r', start);
            const std::string_view piece =
                std::string_view(text).substr(start, cr == std::string::npos ? cr : cr - start);
            for (std::string& field : SplitRecordFields(piece, &unclosed)) {
                pending_.push_back(std::move(field));
            }
            if (cr == std::string::npos) break;
            start = cr + 1;
        }
        if (unclosed) {
            pending_.clear();
            blocked_ = FieldReadFailure::UnclosedQuote;
        }
    }
    pendingLine_ = ++nextLine_;
}

bool RecordFieldStream::AtEnd() const {
    return failure_ == FieldReadFailure::None && blocked_ == FieldReadFailure::None &&
           pendingPos_ >= pending_.size() && nextLine_ >= lines_.size();
}

std::optional<std::string> RecordFieldStream::Next() {
    if (failure_ != FieldReadFailure::None) return std::nullopt;
    if (pendingPos_ >= pending_.size()) {
        if (blocked_ != FieldReadFailure::None) {
            failure_ = blocked_;
            line_ = pendingLine_;
        } else {
            failure_ = FieldReadFailure::PastEnd;
            line_ = lines_.size();
        }
        return std::nullopt;
    }
    std::string field = std::move(pending_[pendingPos_++]);
    line_ = pendingLine_;
    if (pendingPos_ >= pending_.size() && blocked_ == FieldReadFailure::None) PrepareNextLine();
    return field;
}

}  // namespace orrerion
