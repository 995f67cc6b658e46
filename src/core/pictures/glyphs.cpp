#include "core/pictures/glyphs.h"

#include <array>
#include <string>

#include "core/ephemeris/extra_points.h"

namespace orrerion {
namespace {

struct Symbol {
    std::string_view glyph;
    std::string_view shortText;
    std::string_view name;
};

// By BodyIndex 1..12; the extra points' come from their own table (ExtraPoints).
constexpr auto Bodies = std::to_array<Symbol>({
    {"\u2609", "Su", "SUN"},      {"\u263F", "Me", "MERCURY"}, {"\u2640", "Ve", "VENUS"},
    {"\u2642", "Ma", "MARS"},     {"\u2643", "Ju", "JUPITER"}, {"\u2644", "Sa", "SATURN"},
    {"\u2645", "Ur", "URANUS"},   {"\u2646", "Ne", "NEPTUNE"}, {"\u2647", "Pl", "PLUTO"},
    {"\u263D", "Mo", "MOON"},     {"AC", "AC", "ASC"},         {"MC", "MC", "MC"},
});
static_assert(Bodies.size() == FirstExtraPointBody - 1);

// The extra points' names as the summary prints them ("MEAN SOUTH NODE"), made once from their table.
const std::array<std::string, ExtraPointCount>& ExtraPointNames() {
    static const std::array<std::string, ExtraPointCount> names = [] {
        std::array<std::string, ExtraPointCount> made;
        for (std::size_t i = 0; i < made.size(); ++i) made[i] = ExtraPointLabel(ExtraPoints[i].point);
        return made;
    }();
    return names;
}

// A chart point's symbol, short text and name by BodyIndex or ExtraPointBody.
Symbol PointSymbol(int body) {
    if (IsExtraPointBody(body)) {
        const std::size_t i = static_cast<std::size_t>(body - FirstExtraPointBody);
        return {ExtraPoints[i].glyph, ExtraPoints[i].shortText, ExtraPointNames()[i]};
    }
    static constexpr Symbol none{"?", "?", "?"};
    return body >= 1 && body <= static_cast<int>(Bodies.size()) ? Bodies[static_cast<std::size_t>(body - 1)] : none;
}

// Aries first.
constexpr auto Signs = std::to_array<Symbol>({
    {"\u2648", "Ar", "ARIES"},  {"\u2649", "Ta", "TAURUS"},      {"\u264A", "Ge", "GEMINI"},
    {"\u264B", "Cn", "CANCER"}, {"\u264C", "Le", "LEO"},         {"\u264D", "Vi", "VIRGO"},
    {"\u264E", "Li", "LIBRA"},  {"\u264F", "Sc", "SCORPIO"},     {"\u2650", "Sg", "SAGITTARIUS"},
    {"\u2651", "Cp", "CAPRICORN"}, {"\u2652", "Aq", "AQUARIUS"}, {"\u2653", "Pi", "PISCES"},
});
static_assert(Signs.size() == 12);

// By AspectCode 2..10.
constexpr auto Aspects = std::to_array<Symbol>({
    {"\u260C", "cj", "conjunct"},   {"\u2220", "ssq", "semisquare"}, {"\u26B9", "sx", "sextile"},
    {"\u25A1", "sq", "square"},     {"\u25B3", "tr", "trine"},       {"\u26BC", "sqq", "sesquisquare"},
    {"\u260D", "op", "opposite"},   {"\u26BA", "ssx", "semi-sextile"}, {"\u26BB", "qx", "quincunx"},
});
static_assert(Aspects.size() == 9);

template <std::size_t N>
const Symbol& At(const std::array<Symbol, N>& table, int oneBased) {
    static constexpr Symbol none{"?", "?", "?"};
    if (oneBased < 1 || oneBased > static_cast<int>(N)) return none;
    return table[static_cast<std::size_t>(oneBased - 1)];
}

}  // namespace

std::string_view BodyGlyph(int body) { return PointSymbol(body).glyph; }
std::string_view SignGlyph(int sign) { return At(Signs, sign).glyph; }
std::string_view AspectGlyph(int AspectCode) { return At(Aspects, AspectCode - 1).glyph; }
std::string_view BodyShortText(int body) { return PointSymbol(body).shortText; }
std::string_view SignShortText(int sign) { return At(Signs, sign).shortText; }
std::string_view AspectShortText(int AspectCode) { return At(Aspects, AspectCode - 1).shortText; }
std::string_view BodyName(int body) { return PointSymbol(body).name; }
std::string_view AspectWord(int AspectCode) { return At(Aspects, AspectCode - 1).name; }

}  // namespace orrerion
