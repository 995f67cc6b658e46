#pragma once
// Reading a record file field by field, across lines: a comma or a line end ends a field, so a
// record may be spread over several lines and a line may hold more than one record. Each line is
// split with SplitRecordFields (blanks around unquoted fields dropped, double quotes allow commas).
//
// A read fails when:
//   - the fields are used up in the middle of a record (PastEnd: the caller asked for a field and
//     the file has none left);
//   - the next line holds a double quote that is not closed on that line (UnclosedQuote; a quoted
//     field never spans lines);
//   - the next line is longer than MaxRecordLineLength bytes (LineTooLong);
//   - the next line holds a NUL byte, which no text file has (BinaryData).
// A damaged line yields none of its fields. After a failure every further read fails the same way,
// so a reading loop that forgets to stop still ends. Returned fields never hold a line end: a lone
// carriage return inside a line ends a field like a line end does.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orrerion {

inline constexpr std::size_t MaxRecordLineLength = 64 * 1024;

enum class FieldReadFailure { None, PastEnd, UnclosedQuote, LineTooLong, BinaryData };

// A few words on the failure, for logs and tests ("unclosed quote"); the user is shown the file's
// own message.
const char* FieldReadFailureText(FieldReadFailure failure);

class RecordFieldStream {
public:
    // The lines of a decoded file, without their line ends (see ReadDataFileLines).
    explicit RecordFieldStream(std::vector<std::string> lines);

    // End of file: no field is left to read. A damaged line still to come is not the end.
    bool AtEnd() const;

    // The next field, or nothing when the read fails (see above).
    std::optional<std::string> Next();

    FieldReadFailure failure() const { return failure_; }
    // 1-based line of the last field returned, or of the failure once a read has failed
    // (for PastEnd, the last line of the file).
    std::size_t line() const { return line_; }

private:
    void PrepareNextLine();

    std::vector<std::string> lines_;
    std::size_t nextLine_ = 0;          // index of the next line to split
    std::vector<std::string> pending_;  // fields of the current line not yet returned
    std::size_t pendingPos_ = 0;
    std::size_t pendingLine_ = 0;       // 1-based line of the pending fields or the damaged line
    FieldReadFailure blocked_ = FieldReadFailure::None;  // the next line is damaged
    FieldReadFailure failure_ = FieldReadFailure::None;
    std::size_t line_ = 0;
};

}  // namespace orrerion
