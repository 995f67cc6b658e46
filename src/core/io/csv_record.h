#pragma once
// Comma-separated record fields with the usual reading rules: a comma or a line end ends a field,
// blanks around an unquoted field are dropped, double quotes allow commas inside a field and two
// double quotes inside them stand for one ("say ""hi""" reads as say "hi").
#include <string>
#include <string_view>
#include <vector>

namespace orrerion {

// A quote that is not closed on the line takes the rest of the line; `unclosedQuote`, when given,
// is then set to true (and left as it is otherwise).
std::vector<std::string> SplitRecordFields(std::string_view line, bool* unclosedQuote = nullptr);

}  // namespace orrerion
