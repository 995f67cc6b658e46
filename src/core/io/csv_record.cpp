#include "core/io/csv_record.h"

namespace orrerion {

std::vector<std::string> SplitRecordFields(std::string_view line, bool* unclosedQuote) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    const std::size_t n = line.size();
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (true) {
        while (i < n && isBlank(line[i])) ++i;
        std::string field;
        if (i < n && line[i] == '"') {
            ++i;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 >= n || line[i + 1] != '"') break;
                    ++i;  // a doubled quote stands for one
                }
                field += line[i++];
            }
            if (i < n) {
                ++i;  // closing quote
            } else if (unclosedQuote) {
                *unclosedQuote = true;
            }
            while (i < n && line[i] != ',') ++i;  // anything after the quotes is dropped
        } else {
            std::size_t start = i;
            while (i < n && line[i] != ',') ++i;
            std::size_t end = i;
            while (end > start && isBlank(line[end - 1])) --end;
            field.assign(line.substr(start, end - start));
        }
        fields.push_back(std::move(field));
        if (i >= n) break;
        ++i;  // the comma
    }
    return fields;
}

}  // namespace orrerion
