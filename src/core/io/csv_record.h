#pragma once
// Comma-separated record fields with the usual reading rules: a comma or a line end ends a field,
// blanks around an unquoted field are dropped, double quotes allow commas inside a field.
#include <string>
#include <string_view>
#include <vector>

namespace orrerion {

std::vector<std::string> SplitRecordFields(std::string_view line);

}  // namespace orrerion
