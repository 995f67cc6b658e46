#pragma once
// The astrological symbols the pictures draw, as UTF-8 text, with the names and short texts a
// painter falls back to when a font lacks a symbol, and the font families that carry them.
#include <string_view>

namespace orrerion {

// Font families for the symbols, best first: Symbola (Debian fonts-symbola) has every one of them;
// DejaVu Sans has the planets, signs, conjunction, opposition and trine.
inline constexpr std::string_view SymbolFontFamilies = "Symbola, 'DejaVu Sans', 'Noto Sans Symbols', sans-serif";
inline constexpr std::string_view SymbolFontFamily = "Symbola";
inline constexpr std::string_view TextFontFamilies = "'DejaVu Sans', 'Liberation Sans', Arial, sans-serif";

// The symbol of a chart point by BodyIndex (ASC and MC are written "AC" and "MC"), or of an extra
// point by ExtraPointBody.
std::string_view BodyGlyph(int body);
// The sign's symbol, 1 Aries .. 12 Pisces.
std::string_view SignGlyph(int sign);
// The aspect's symbol by AspectCode (2 conjunct .. 10 quincunx).
std::string_view AspectGlyph(int AspectCode);
inline constexpr std::string_view RetrogradeGlyph = "\u211E";  // ℞

// Texts for a painter whose fonts lack the symbol: "Su", "Ar", "sq".
std::string_view BodyShortText(int body);
std::string_view SignShortText(int sign);
std::string_view AspectShortText(int AspectCode);

// Plain names: "SATURN", "square" (as the report lines spell them, without padding).
std::string_view BodyName(int body);
std::string_view AspectWord(int AspectCode);

}  // namespace orrerion
