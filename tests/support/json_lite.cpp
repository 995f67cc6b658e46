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

}  // namespace orrerion::testing
