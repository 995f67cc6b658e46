#pragma once
// A small reader for the flat JSON objects the command line prints and the approved outputs hold:
// values are numbers, strings, or arrays of numbers.
#include <map>
#include <string>
#include <vector>

namespace orrerion::testing {

struct JsonValue {
    enum class Kind { Number, String, NumberArray, Null } kind = Kind::Null;
    double number = 0.0;
    std::string text;
    std::vector<double> numbers;
};

// Throws std::runtime_error on text it cannot read.
std::map<std::string, JsonValue> ParseFlatJson(const std::string& text);

// Reads any JSON document strictly by RFC 8259: its structure, numbers, escapes, no raw control
// character inside a string, and the whole text well-formed UTF-8 (no overlong forms, surrogates
// or bytes beyond U+10FFFF). Returns every string in it (keys and values, in document order) with
// its escapes decoded to UTF-8; throws std::runtime_error saying where the text goes wrong.
std::vector<std::string> StrictJsonStrings(const std::string& text);

// Any JSON value, objects and arrays nested.
struct JsonNode {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;
    std::vector<JsonNode> items;                 // an array's
    std::map<std::string, JsonNode> members;     // an object's
    // The member `key` of an object; throws std::runtime_error when there is none.
    const JsonNode& operator[](const std::string& key) const;
};
// Throws std::runtime_error on text it cannot read or that goes on after the value.
JsonNode ParseJson(const std::string& text);

}  // namespace orrerion::testing
