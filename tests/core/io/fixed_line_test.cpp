// Fixed-width lines: fields fill the buffer exactly, and one that does not fit is refused before
// anything is written past the end.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/io/fixed_line.h"

namespace orrerion {
namespace {

TEST(FixedLine, FillsToItsWidthAndRefusesAFieldPastIt) {
    constexpr std::size_t Width = WidthSum({3, 1, 2});
    static_assert(Width == 6);
    struct Case {
        const char* name;
        void (*fill)(FixedLine<Width>&);
        bool fits;
        std::string text;  // what the line holds afterwards
    };
    const Case cases[] = {
        {"exactly full", [](FixedLine<Width>& l) { l.Put("abc"); l.Put(' '); l.Put("de"); }, true, "abc de"},
        {"one character over", [](FixedLine<Width>& l) { l.Put("abc de"); l.Put('!'); }, false, "abc de"},
        {"a field over the end", [](FixedLine<Width>& l) { l.Put("abcd"); l.Field<3>(); }, false, "abcd"},
        {"a field shrunk back",
         [](FixedLine<Width>& l) { l.Field(6)[0] = 'x'; l.Shrink(5); l.Put("yz"); }, true, "xyz"},
        {"shrunk past its start", [](FixedLine<Width>& l) { l.Put('a'); l.Shrink(2); }, false, "a"},
    };
    for (const Case& c : cases) {
        FixedLine<Width> line;
        bool threw = false;
        try {
            c.fill(line);
        } catch (const std::length_error&) {
            threw = true;
        }
        EXPECT_EQ(threw, !c.fits) << c.name;
        EXPECT_EQ(std::string(line.View()), c.text) << c.name;
        EXPECT_LE(line.size(), Width) << c.name;
    }
}

}  // namespace
}  // namespace orrerion
