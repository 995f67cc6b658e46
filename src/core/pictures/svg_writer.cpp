#include "core/pictures/svg_writer.h"

#include <array>
#include <charconv>
#include <cmath>

#include "core/io/text_encoding.h"

namespace orrerion {

namespace {

// SvgNumber's text in a buffer: rounded to hundredths, trailing zeros and point dropped.
struct SvgNumberChars {
    std::array<char, 64> text;
    std::size_t size = 0;
    std::string_view view() const { return {text.data(), size}; }
};

SvgNumberChars SvgNumberText(double value) {
    SvgNumberChars n;
    if (!std::isfinite(value)) {
        n.text[0] = '0';
        n.size = 1;
        return n;
    }
    double rounded = std::round(value * 100) / 100;
    if (rounded == 0) rounded = 0;  // no "-0"
    const auto [end, ec] =
        std::to_chars(n.text.data(), n.text.data() + n.text.size(), rounded, std::chars_format::fixed, 2);
    n.size = ec == std::errc() ? static_cast<std::size_t>(end - n.text.data()) : 0;
    while (n.size > 0 && n.text[n.size - 1] == '0') --n.size;
    if (n.size > 0 && n.text[n.size - 1] == '.') --n.size;
    return n;
}

// True when the text needs neither ExportSafeText nor an escape: printable ASCII but & < > " '.
bool PlainXml(std::string_view text) {
    for (const char c : text) {
        if (c < 0x20 || c > 0x7E || c == '&' || c == '<' || c == '>' || c == '"' || c == '\'') return false;
    }
    return true;
}

}  // namespace

std::string SvgNumber(double value) { return std::string(SvgNumberText(value).view()); }

void PutSvgNumber(TextSink& out, double value) { out.Put(SvgNumberText(value).view()); }

std::string XmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : ExportSafeText(text)) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default: out += c;
        }
    }
    return out;
}

void PutXmlEscaped(TextSink& out, std::string_view text) {
    if (PlainXml(text)) {
        out.Put(text);
    } else {
        out.Put(XmlEscape(text));
    }
}

SvgWriter::SvgWriter(TextSink& out, double width, double height, std::string_view title) : out_(out) {
    Start(width, height, title);
}

SvgWriter::SvgWriter(double width, double height, std::string_view title)
    : ownSink_(std::in_place, text_), out_(*ownSink_) {
    Start(width, height, title);
}

void SvgWriter::Start(double width, double height, std::string_view title) {
    out_.Put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    out_.Put("<svg xmlns=\"http://www.w3.org/2000/svg\"");
    NumberAttribute("width", width);
    NumberAttribute("height", height);
    out_.Put(" viewBox=\"0 0 ");
    PutSvgNumber(out_, width);
    out_.Put(' ');
    PutSvgNumber(out_, height);
    out_.Put("\">\n<title>");
    PutXmlEscaped(out_, title);
    out_.Put("</title>\n");
    out_.Put("<rect class=\"background\" x=\"0\" y=\"0\"");
    NumberAttribute("width", width);
    NumberAttribute("height", height);
    out_.Put(" fill=\"");
    out_.Put(HexColour(ColourRole::Background));
    out_.Put("\"/>\n");
}

void SvgWriter::NumberAttribute(std::string_view name, double value) {
    out_.Put(' ');
    out_.Put(name);
    out_.Put("=\"");
    PutSvgNumber(out_, value);
    out_.Put('"');
}

void SvgWriter::Open(std::string_view element, std::string_view cls) {
    out_.Put('<');
    out_.Put(element);
    out_.Put(" class=\"");
    PutXmlEscaped(out_, cls);
    out_.Put('"');
}

void SvgWriter::Attributes(const SvgAttributes& attributes) {
    for (const auto& [name, value] : attributes) {
        out_.Put(' ');
        out_.Put(name);
        out_.Put("=\"");
        PutXmlEscaped(out_, value);
        out_.Put('"');
    }
}

void SvgWriter::StrokeAttributes(const SvgStroke& stroke) {
    out_.Put(" stroke=\"");
    out_.Put(HexColour(stroke.colour));
    out_.Put('"');
    NumberAttribute("stroke-width", stroke.width);
    const auto dashes = [&](double dash, double gap) {
        out_.Put(" stroke-dasharray=\"");
        PutSvgNumber(out_, dash);
        out_.Put(' ');
        PutSvgNumber(out_, gap);
        out_.Put('"');
    };
    switch (stroke.style) {
        case LineStyle::Solid: break;
        case LineStyle::Dashed: dashes(4 * stroke.width, 2 * stroke.width); break;
        case LineStyle::Dotted: dashes(stroke.width, 2 * stroke.width); break;
    }
}

void SvgWriter::OpenGroup(std::string_view cls, const SvgAttributes& attributes) {
    Open("g", cls);
    Attributes(attributes);
    out_.Put(">\n");
    ++depth_;
}

void SvgWriter::CloseGroup() {
    if (depth_ == 0) return;
    out_.Put("</g>\n");
    --depth_;
}

void SvgWriter::Line(double x1, double y1, double x2, double y2, std::string_view cls, const SvgStroke& stroke,
                     const SvgAttributes& attributes) {
    Open("line", cls);
    NumberAttribute("x1", x1);
    NumberAttribute("y1", y1);
    NumberAttribute("x2", x2);
    NumberAttribute("y2", y2);
    StrokeAttributes(stroke);
    Attributes(attributes);
    out_.Put("/>\n");
}

void SvgWriter::Circle(double cx, double cy, double r, std::string_view cls, const SvgStroke& stroke,
                       const ColourRole* fill, const SvgAttributes& attributes) {
    Open("circle", cls);
    NumberAttribute("cx", cx);
    NumberAttribute("cy", cy);
    NumberAttribute("r", r);
    out_.Put(" fill=\"");
    out_.Put(fill ? HexColour(*fill) : std::string_view("none"));
    out_.Put('"');
    StrokeAttributes(stroke);
    Attributes(attributes);
    out_.Put("/>\n");
}

void SvgWriter::Rect(double x, double y, double w, double h, std::string_view cls, ColourRole fill,
                     double opacity, const SvgStroke* stroke, const SvgAttributes& attributes) {
    Open("rect", cls);
    NumberAttribute("x", x);
    NumberAttribute("y", y);
    NumberAttribute("width", w);
    NumberAttribute("height", h);
    out_.Put(" fill=\"");
    out_.Put(HexColour(fill));
    out_.Put('"');
    if (opacity < 1) NumberAttribute("fill-opacity", opacity);
    if (stroke) StrokeAttributes(*stroke);
    Attributes(attributes);
    out_.Put("/>\n");
}

void SvgWriter::Path(std::string_view d, std::string_view cls, const ColourRole* fill, const SvgStroke* stroke,
                     double opacity, const SvgAttributes& attributes) {
    Open("path", cls);
    out_.Put(" d=\"");
    PutXmlEscaped(out_, d);
    out_.Put("\" fill=\"");
    out_.Put(fill ? HexColour(*fill) : std::string_view("none"));
    out_.Put('"');
    if (opacity < 1) NumberAttribute("opacity", opacity);
    if (stroke) StrokeAttributes(*stroke);
    Attributes(attributes);
    out_.Put("/>\n");
}

void SvgWriter::Text(double x, double y, std::string_view text, std::string_view cls, ColourRole colour,
                     double size, std::string_view families, TextAnchor anchor, double fitWidth,
                     const SvgAttributes& attributes) {
    static constexpr const char* Anchors[] = {"start", "middle", "end"};
    Open("text", cls);
    NumberAttribute("x", x);
    NumberAttribute("y", y);
    NumberAttribute("font-size", size);
    out_.Put(" font-family=\"");
    PutXmlEscaped(out_, families);
    out_.Put("\" text-anchor=\"");
    out_.Put(Anchors[static_cast<int>(anchor)]);
    out_.Put("\" dominant-baseline=\"central\" fill=\"");
    out_.Put(HexColour(colour));
    out_.Put('"');
    if (fitWidth > 0) {
        NumberAttribute("textLength", fitWidth);
        out_.Put(" lengthAdjust=\"spacingAndGlyphs\"");
    }
    Attributes(attributes);
    out_.Put('>');
    PutXmlEscaped(out_, text);
    out_.Put("</text>\n");
}

void SvgWriter::ElementTitle(std::string_view text) {
    out_.Put("<title>");
    PutXmlEscaped(out_, text);
    out_.Put("</title>\n");
}

std::string SvgWriter::Finish() {
    while (depth_ > 0) CloseGroup();
    out_.Put("</svg>\n");
    out_.Flush();
    return std::move(text_);
}

}  // namespace orrerion
