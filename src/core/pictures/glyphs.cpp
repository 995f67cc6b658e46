#include "core/pictures/glyphs.h"

#include <array>

#include "core/ephemeris/extra_points.h"

namespace orrerion {
namespace {

struct Symbol {
    std::string_view glyph;
    std::string_view shortText;
    std::string_view name;
};

// By BodyIndex 1..12, then the extra points from FirstExtraPointBody in ExtraPoint order.
constexpr auto Bodies = std::to_array<Symbol>({
    {"\u2609", "Su", "SUN"},      {"\u263F", "Me", "MERCURY"}, {"\u2640", "Ve", "VENUS"},
    {"\u2642", "Ma", "MARS"},     {"\u2643", "Ju", "JUPITER"}, {"\u2644", "Sa", "SATURN"},
    {"\u2645", "Ur", "URANUS"},   {"\u2646", "Ne", "NEPTUNE"}, {"\u2647", "Pl", "PLUTO"},
    {"\u263D", "Mo", "MOON"},     {"AC", "AC", "ASC"},         {"MC", "MC", "MC"},
    {"\u260A", "Nn", "MEAN NODE"}, {"\u260B", "Sn", "MEAN SOUTH NODE"},
    {"\u260A", "TN", "TRUE NODE"}, {"\u260B", "TS", "TRUE SOUTH NODE"},
    {"\u26B8", "Li", "LILITH"},    {"\u26B7", "Ch", "CHIRON"},  {"\u26B3", "Ce", "CERES"},
    {"\u26B4", "Pa", "PALLAS"},    {"\u26B5", "Jn", "JUNO"},    {"\u26B6", "Vs", "VESTA"},
    {"\u2297", "Fo", "FORTUNE"},
});
static_assert(Bodies.size() == FirstExtraPointBody - 1 + ExtraPointCount);

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

std::string_view BodyGlyph(int body) { return At(Bodies, body).glyph; }
std::string_view SignGlyph(int sign) { return At(Signs, sign).glyph; }
std::string_view AspectGlyph(int AspectCode) { return At(Aspects, AspectCode - 1).glyph; }
std::string_view BodyShortText(int body) { return At(Bodies, body).shortText; }
std::string_view SignShortText(int sign) { return At(Signs, sign).shortText; }
std::string_view AspectShortText(int AspectCode) { return At(Aspects, AspectCode - 1).shortText; }
std::string_view BodyName(int body) { return At(Bodies, body).name; }
std::string_view AspectWord(int AspectCode) { return At(Aspects, AspectCode - 1).name; }

}  // namespace orrerion
