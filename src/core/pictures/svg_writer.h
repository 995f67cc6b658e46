#pragma once
// The core's SVG writer: plain text, one element per item, with `class` naming the kind of item
// and `data-` attributes carrying its dates or longitudes, so users can style and script the
// pictures. Colours are written as presentation attributes (a stylesheet may override them).
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/io/text_sink.h"
#include "core/pictures/colours.h"

namespace orrerion {

// Extra attributes of an element, written in order: {"data-first", "2026-12-07"}.
using SvgAttributes = std::vector<std::pair<std::string, std::string>>;

// A coordinate or size with at most two decimals and no trailing zeros: 12, 12.5, -0.25.
std::string SvgNumber(double value);
void PutSvgNumber(TextSink& out, double value);
// ExportSafeText(text) (valid UTF-8 without the characters XML forbids or control characters
// but line breaks) with &, <, >, " and ' escaped for XML content and attribute values.
std::string XmlEscape(std::string_view text);
void PutXmlEscaped(TextSink& out, std::string_view text);

enum class TextAnchor { Start, Middle, End };

struct SvgStroke {
    ColourRole colour = ColourRole::Ink;
    double width = 1.0;
    LineStyle style = LineStyle::Solid;
};

class SvgWriter {
public:
    // A picture of width × height units written into `out` element by element; `title` becomes its
    // <title>.
    SvgWriter(TextSink& out, double width, double height, std::string_view title);
    // The same picture kept as a string, which Finish() returns.
    SvgWriter(double width, double height, std::string_view title);
    SvgWriter(const SvgWriter&) = delete;
    SvgWriter& operator=(const SvgWriter&) = delete;

    void OpenGroup(std::string_view cls, const SvgAttributes& attributes = {});
    void CloseGroup();
    void Line(double x1, double y1, double x2, double y2, std::string_view cls, const SvgStroke& stroke,
              const SvgAttributes& attributes = {});
    void Circle(double cx, double cy, double r, std::string_view cls, const SvgStroke& stroke,
                const ColourRole* fill = nullptr, const SvgAttributes& attributes = {});
    // A rectangle filled with `fill` at `opacity` (1 opaque), without outline unless `stroke`.
    void Rect(double x, double y, double w, double h, std::string_view cls, ColourRole fill, double opacity,
              const SvgStroke* stroke = nullptr, const SvgAttributes& attributes = {});
    // A polygon or polyline path ("M x y L x y ... Z") filled or stroked.
    void Path(std::string_view d, std::string_view cls, const ColourRole* fill, const SvgStroke* stroke,
              double opacity = 1.0, const SvgAttributes& attributes = {});
    // Text with its baseline centre, start or end at (x, y) (dominant-baseline central), `size`
    // units high, in `families`. With `fitWidth` > 0 the text is squeezed to at most that width.
    void Text(double x, double y, std::string_view text, std::string_view cls, ColourRole colour, double size,
              std::string_view families, TextAnchor anchor = TextAnchor::Middle, double fitWidth = 0,
              const SvgAttributes& attributes = {});

    // A <title> of the element just opened (a group): viewers show it as the element's tooltip.
    void ElementTitle(std::string_view text);

    // Closes the document: the whole of it when it was kept as a string, otherwise nothing.
    std::string Finish();

private:
    void Start(double width, double height, std::string_view title);
    void Attributes(const SvgAttributes& attributes);
    void StrokeAttributes(const SvgStroke& stroke);
    // ` name="number"`
    void NumberAttribute(std::string_view name, double value);
    // `<element class="cls"`
    void Open(std::string_view element, std::string_view cls);

    std::string text_;                 // the document, when kept as a string
    std::optional<TextSink> ownSink_;  // into text_
    TextSink& out_;
    int depth_ = 0;
};

}  // namespace orrerion
