#include "json_lite.h"

#include <cstdlib>
#include <stdexcept>

namespace orrerion::testing {
namespace {

struct Reader {
    const std::string& s;
    std::size_t i = 0;

    void Blanks() {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\n' || s[i] == '\r' || s[i] == '\t')) ++i;
    }
    void Expect(char c) {
        Blanks();
        if (i >= s.size() || s[i] != c) throw std::runtime_error(std::string("expected '") + c + "' at " + std::to_string(i));
        ++i;
    }
    bool Peek(char c) {
        Blanks();
        return i < s.size() && s[i] == c;
    }
    std::string String() {
        Expect('"');
        std::string out;
        while (i < s.size() && s[i] != '"') {
            if (s[i] == '\\' && i + 1 < s.size()) {
                ++i;
                switch (s[i]) {
                    case 'n': out += '\n'; break;
                    case 't': out += '\t'; break;
                    case 'r': out += '\r'; break;
                    default: out += s[i];
                }
                ++i;
            } else {
                out += s[i++];
            }
        }
        Expect('"');
        return out;
    }
    double Number() {
        Blanks();
        const char* begin = s.c_str() + i;
        char* end = nullptr;
        double v = std::strtod(begin, &end);
        if (end == begin) throw std::runtime_error("expected a number at " + std::to_string(i));
        i += static_cast<std::size_t>(end - begin);
        return v;
    }
};

JsonNode Value(Reader& r) {
    JsonNode node;
    if (r.Peek('{')) {
        r.Expect('{');
        node.kind = JsonNode::Kind::Object;
        while (!r.Peek('}')) {
            std::string key = r.String();
            r.Expect(':');
            node.members[key] = Value(r);
            if (!r.Peek('}')) r.Expect(',');
        }
        r.Expect('}');
    } else if (r.Peek('[')) {
        r.Expect('[');
        node.kind = JsonNode::Kind::Array;
        while (!r.Peek(']')) {
            node.items.push_back(Value(r));
            if (!r.Peek(']')) r.Expect(',');
        }
        r.Expect(']');
    } else if (r.Peek('"')) {
        node.kind = JsonNode::Kind::String;
        node.text = r.String();
    } else if (r.s.compare(r.i, 4, "true") == 0 || r.s.compare(r.i, 5, "false") == 0) {
        node.kind = JsonNode::Kind::Bool;
        node.boolean = r.s[r.i] == 't';
        r.i += node.boolean ? 4 : 5;
    } else if (r.s.compare(r.i, 4, "null") == 0) {
        r.i += 4;
    } else {
        node.kind = JsonNode::Kind::Number;
        node.number = r.Number();
    }
    return node;
}

}  // namespace

const JsonNode& JsonNode::operator[](const std::string& key) const {
    const auto found = members.find(key);
    if (found == members.end()) throw std::runtime_error("no member \"" + key + "\"");
    return found->second;
}

JsonNode ParseJson(const std::string& text) {
    Reader r{text};
    JsonNode node = Value(r);
    r.Blanks();
    if (r.i != text.size()) throw std::runtime_error("text after the value at " + std::to_string(r.i));
    return node;
}

std::map<std::string, JsonValue> ParseFlatJson(const std::string& text) {
    Reader r{text};
    std::map<std::string, JsonValue> out;
    r.Expect('{');
    while (!r.Peek('}')) {
        std::string key = r.String();
        r.Expect(':');
        JsonValue v;
        if (r.Peek('"')) {
            v.kind = JsonValue::Kind::String;
            v.text = r.String();
        } else if (r.Peek('[')) {
            r.Expect('[');
            v.kind = JsonValue::Kind::NumberArray;
            while (!r.Peek(']')) {
                v.numbers.push_back(r.Number());
                if (r.Peek(',')) r.Expect(',');
            }
            r.Expect(']');
        } else if (r.Peek('n')) {
            r.i += 4;
        } else {
            v.kind = JsonValue::Kind::Number;
            v.number = r.Number();
        }
        out[key] = v;
        if (r.Peek(',')) r.Expect(',');
    }
    r.Expect('}');
    return out;
}

namespace {

// A strict reader of a whole JSON document, written from RFC 8259 and RFC 3629 alone.
class StrictReader {
public:
    explicit StrictReader(const std::string& text) : s_(text) {}

    std::vector<std::string> Document() {
        Value();
        Blanks();
        if (i_ != s_.size()) Fail("text after the document");
        return std::move(strings_);
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error(what + " at byte " + std::to_string(i_));
    }
    unsigned char At(std::size_t k) const { return k < s_.size() ? static_cast<unsigned char>(s_[k]) : 0; }
    void Blanks() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\r' || s_[i_] == '\t')) ++i_;
    }
    void Literal(const char* word) {
        for (const char* c = word; *c; ++c, ++i_) {
            if (At(i_) != static_cast<unsigned char>(*c)) Fail(std::string("expected ") + word);
        }
    }
    void Value() {
        Blanks();
        switch (At(i_)) {
            case '{': Object(); break;
            case '[': Array(); break;
            case '"': strings_.push_back(String()); break;
            case 't': Literal("true"); break;
            case 'f': Literal("false"); break;
            case 'n': Literal("null"); break;
            default: Number();
        }
    }
    void Object() {
        ++i_;
        Blanks();
        if (At(i_) == '}') { ++i_; return; }
        while (true) {
            Blanks();
            if (At(i_) != '"') Fail("expected a key");
            strings_.push_back(String());
            Blanks();
            if (At(i_) != ':') Fail("expected ':'");
            ++i_;
            Value();
            Blanks();
            if (At(i_) == ',') { ++i_; continue; }
            if (At(i_) == '}') { ++i_; return; }
            Fail("expected ',' or '}'");
        }
    }
    void Array() {
        ++i_;
        Blanks();
        if (At(i_) == ']') { ++i_; return; }
        while (true) {
            Value();
            Blanks();
            if (At(i_) == ',') { ++i_; continue; }
            if (At(i_) == ']') { ++i_; return; }
            Fail("expected ',' or ']'");
        }
    }
    void Number() {
        const std::size_t start = i_;
        auto digits = [&] {
            const std::size_t from = i_;
            while (At(i_) >= '0' && At(i_) <= '9') ++i_;
            return i_ - from;
        };
        if (At(i_) == '-') ++i_;
        if (At(i_) == '0') {
            ++i_;
        } else if (digits() == 0) {
            Fail("expected a value");
        }
        if (At(i_) == '.') {
            ++i_;
            if (digits() == 0) Fail("expected a digit after '.'");
        }
        if (At(i_) == 'e' || At(i_) == 'E') {
            ++i_;
            if (At(i_) == '+' || At(i_) == '-') ++i_;
            if (digits() == 0) Fail("expected an exponent");
        }
        if (i_ == start) Fail("expected a value");
    }
    static void Append(std::string& out, unsigned long c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    unsigned long Hex4() {
        unsigned long v = 0;
        for (int k = 0; k < 4; ++k, ++i_) {
            const unsigned char h = At(i_);
            v <<= 4;
            if (h >= '0' && h <= '9') v |= h - '0';
            else if (h >= 'a' && h <= 'f') v |= h - 'a' + 10;
            else if (h >= 'A' && h <= 'F') v |= h - 'A' + 10;
            else Fail("expected four hex digits");
        }
        return v;
    }
    // One UTF-8 character of the raw text, checked by the table of RFC 3629 section 4.
    void Utf8Character(std::string& out) {
        const unsigned char b0 = At(i_);
        std::size_t length;
        unsigned char low = 0x80, high = 0xBF;
        if (b0 >= 0xC2 && b0 <= 0xDF) length = 2;
        else if (b0 == 0xE0) { length = 3; low = 0xA0; }
        else if (b0 == 0xED) { length = 3; high = 0x9F; }
        else if (b0 >= 0xE1 && b0 <= 0xEF) length = 3;
        else if (b0 == 0xF0) { length = 4; low = 0x90; }
        else if (b0 == 0xF4) { length = 4; high = 0x8F; }
        else if (b0 >= 0xF1 && b0 <= 0xF3) length = 4;
        else Fail("a byte that starts no UTF-8 character");
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char b = At(i_ + k);
            if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF)) Fail("a malformed UTF-8 character");
        }
        out.append(s_, i_, length);
        i_ += length;
    }
    std::string String() {
        ++i_;  // the opening quote
        std::string out;
        while (true) {
            if (i_ >= s_.size()) Fail("an unterminated string");
            const unsigned char c = At(i_);
            if (c == '"') { ++i_; return out; }
            if (c < 0x20) Fail("a raw control character in a string");
            if (c >= 0x80) { Utf8Character(out); continue; }
            if (c != '\\') { out += static_cast<char>(c); ++i_; continue; }
            ++i_;
            const unsigned char e = At(i_++);
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    unsigned long u = Hex4();
                    if (u >= 0xDC00 && u <= 0xDFFF) Fail("a lone low surrogate");
                    if (u >= 0xD800 && u <= 0xDBFF) {
                        if (At(i_) != '\\' || At(i_ + 1) != 'u') Fail("a lone high surrogate");
                        i_ += 2;
                        const unsigned long lowHalf = Hex4();
                        if (lowHalf < 0xDC00 || lowHalf > 0xDFFF) Fail("a lone high surrogate");
                        u = 0x10000 + ((u - 0xD800) << 10) + (lowHalf - 0xDC00);
                    }
                    Append(out, u);
                    break;
                }
                default: Fail("an unknown escape");
            }
        }
    }

    const std::string& s_;
    std::size_t i_ = 0;
    std::vector<std::string> strings_;
};

}  // namespace

std::vector<std::string> StrictJsonStrings(const std::string& text) { return StrictReader(text).Document(); }

}  // namespace orrerion::testing
