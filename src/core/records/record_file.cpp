#include "core/records/record_file.h"

#include "core/io/text_encoding.h"

namespace orrerion {

RawRecordFile ReadRecordLines(std::vector<std::string> lines, std::size_t fieldCount,
                              bool stopAtEmptyFirstField) {
    RawRecordFile file;
    file.opened = true;
    RecordFieldStream stream(std::move(lines));
    while (!stream.AtEnd()) {
        RawRecord record;
        for (std::size_t k = 0; k < fieldCount; ++k) {
            std::optional<std::string> field = stream.Next();
            if (!field) {
                file.failure = stream.failure();
                file.failureLine = stream.line();
                file.partial = std::move(record.fields);
                return file;
            }
            if (k == 0) {
                record.line = stream.line();
                if (stopAtEmptyFirstField && field->empty()) {
                    file.emptyFirstFieldLine = record.line;
                    while (const std::optional<std::string> rest = stream.Next()) {
                        file.fieldsAfterEmpty = file.fieldsAfterEmpty || !rest->empty();
                    }
                    file.fieldsAfterEmpty = file.fieldsAfterEmpty ||
                                            stream.failure() != FieldReadFailure::PastEnd;
                    return file;
                }
            }
            record.fields.push_back(std::move(*field));
        }
        file.records.push_back(std::move(record));
    }
    return file;
}

RawRecordFile ReadRecordBytes(std::string_view bytes, std::size_t fieldCount,
                              bool stopAtEmptyFirstField) {
    return ReadRecordLines(SplitTextLines(DecodeDataText(bytes)).lines, fieldCount,
                           stopAtEmptyFirstField);
}

RawRecordFile ReadRecordFile(const std::filesystem::path& path, std::size_t fieldCount,
                             bool stopAtEmptyFirstField) {
    std::string error;
    std::optional<TextLines> text = ReadDataFileLines(path, &error);
    if (!text) {
        RawRecordFile file;
        file.openError = error;
        return file;
    }
    return ReadRecordLines(std::move(text->lines), fieldCount, stopAtEmptyFirstField);
}

bool StoppedAtDamage(const RawRecordFile& raw) {
    if (raw.failure == FieldReadFailure::None) return false;
    if (raw.failure != FieldReadFailure::PastEnd) return true;
    for (const std::string& f : raw.partial) {
        if (!f.empty()) return true;
    }
    return false;
}

std::optional<std::string> ListEndNote(std::string_view text, std::size_t fieldCount,
                                       std::string_view listName) {
    const RawRecordFile raw = ReadRecordBytes(text, fieldCount, true);
    const std::string stops = "The " + std::string(listName) + " list stops at line ";
    if (raw.emptyFirstFieldLine != 0 && raw.fieldsAfterEmpty) {
        return stops + std::to_string(raw.emptyFirstFieldLine) +
               ": a record there has an empty first field (a blank line counts as one), so the "
               "records after it are not listed.";
    }
    if (!StoppedAtDamage(raw)) return std::nullopt;
    return stops + std::to_string(raw.failureLine) + ": " + FieldReadFailureText(raw.failure) +
           ", so the records from there on are not listed.";
}

RecordFileProblem CannotOpenProblem(const std::filesystem::path& path, const std::string& reason) {
    RecordFileProblem p;
    p.cannotOpen = true;
    p.detail = path.string() + ": " + reason;
    p.message = {"Error!", MessageIcon::Critical, "Cannot open " + path.string() + ": " + reason};
    return p;
}

RecordFileProblem DamagedFileProblem(const std::filesystem::path& path, FieldReadFailure failure,
                                     std::size_t line, std::string_view messageText) {
    RecordFileProblem p;
    p.failure = failure;
    p.line = line;
    p.detail = path.string() + ", line " + std::to_string(line) + ": " +
               FieldReadFailureText(failure);
    p.message = {"Error!", MessageIcon::Critical, std::string(messageText)};
    return p;
}

std::string FileLabelText(const std::filesystem::path& path) {
    return UpperCaseText(path.filename().string());
}

std::optional<std::size_t> ChooseFilePreselection(const std::vector<std::string>& fileListEntries,
                                                  const std::filesystem::path& currentPath) {
    if (fileListEntries.empty()) return std::nullopt;
    // The whole file name is compared, so that "S.FIL" is not taken for "NAMES.FIL".
    const std::string current = FileLabelText(currentPath);
    for (std::size_t i = 0; i < fileListEntries.size(); ++i) {
        if (UpperCaseText(fileListEntries[i]) == current) return i;
    }
    return 0;
}

EditorText LoadEditorText(const std::filesystem::path& path) {
    EditorText out;
    std::string error;
    const std::optional<TextLines> lines = ReadDataFileLines(path, &error);
    if (!lines) {
        out.problem = CannotOpenProblem(path, error).message;
        return out;
    }
    for (const std::string& line : lines->lines) out.text += line + "\r\n";
    return out;
}

WriteResult SaveEditorText(const std::filesystem::path& path, std::string_view text) {
    std::string content;
    content.reserve(text.size() + text.size() / 16 + 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) content += '\r';
        content += text[i];
    }
    if (!content.empty()) {
        if (content.ends_with("\r\n")) content.resize(content.size() - 2);
        content += "\r\n";
    }
    const DataFileLock lock(path);  // waits for another copy saving the same file
    if (!lock.ok()) return {false, lock.message()};
    return ReplaceFile(path, content);
}

}  // namespace orrerion
