#include "core/pictures/svg_writer.h"

#include <charconv>
#include <cmath>

#include "core/io/text_encoding.h"

namespace orrerion {

std::string SvgNumber(double value) {
    if (!std::isfinite(value)) return "0";
    double rounded = std::round(value * 100) / 100;
    if (rounded == 0) rounded = 0;  // no "-0"
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, rounded, std::chars_format::fixed, 2).ptr;
    std::string s(text, end);
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

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

SvgWriter::SvgWriter(double width, double height, std::string_view title) {
    out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + SvgNumber(width) + "\" height=\"" +
            SvgNumber(height) + "\" viewBox=\"0 0 " + SvgNumber(width) + " " + SvgNumber(height) + "\">\n";
    out_ += "<title>" + XmlEscape(title) + "</title>\n";
    out_ += "<rect class=\"background\" x=\"0\" y=\"0\" width=\"" + SvgNumber(width) + "\" height=\"" +
            SvgNumber(height) + "\" fill=\"" + std::string(HexColour(ColourRole::Background)) + "\"/>\n";
}

void SvgWriter::Attributes(const SvgAttributes& attributes) {
    for (const auto& [name, value] : attributes) out_ += " " + name + "=\"" + XmlEscape(value) + "\"";
}

void SvgWriter::StrokeAttributes(const SvgStroke& stroke) {
    out_ += " stroke=\"" + std::string(HexColour(stroke.colour)) + "\" stroke-width=\"" + SvgNumber(stroke.width) + "\"";
    switch (stroke.style) {
        case LineStyle::Solid: break;
        case LineStyle::Dashed:
            out_ += " stroke-dasharray=\"" + SvgNumber(4 * stroke.width) + " " + SvgNumber(2 * stroke.width) + "\"";
            break;
        case LineStyle::Dotted:
            out_ += " stroke-dasharray=\"" + SvgNumber(stroke.width) + " " + SvgNumber(2 * stroke.width) + "\"";
            break;
    }
}

void SvgWriter::OpenGroup(std::string_view cls, const SvgAttributes& attributes) {
    out_ += "<g class=\"" + XmlEscape(cls) + "\"";
    Attributes(attributes);
    out_ += ">\n";
    ++depth_;
}

void SvgWriter::CloseGroup() {
    if (depth_ == 0) return;
    out_ += "</g>\n";
    --depth_;
}

void SvgWriter::Line(double x1, double y1, double x2, double y2, std::string_view cls, const SvgStroke& stroke,
                     const SvgAttributes& attributes) {
    out_ += "<line class=\"" + XmlEscape(cls) + "\" x1=\"" + SvgNumber(x1) + "\" y1=\"" + SvgNumber(y1) +
            "\" x2=\"" + SvgNumber(x2) + "\" y2=\"" + SvgNumber(y2) + "\"";
    StrokeAttributes(stroke);
    Attributes(attributes);
    out_ += "/>\n";
}

void SvgWriter::Circle(double cx, double cy, double r, std::string_view cls, const SvgStroke& stroke,
                       const ColourRole* fill, const SvgAttributes& attributes) {
    out_ += "<circle class=\"" + XmlEscape(cls) + "\" cx=\"" + SvgNumber(cx) + "\" cy=\"" + SvgNumber(cy) +
            "\" r=\"" + SvgNumber(r) + "\" fill=\"" + (fill ? std::string(HexColour(*fill)) : "none") + "\"";
    StrokeAttributes(stroke);
    Attributes(attributes);
    out_ += "/>\n";
}

void SvgWriter::Rect(double x, double y, double w, double h, std::string_view cls, ColourRole fill,
                     double opacity, const SvgStroke* stroke, const SvgAttributes& attributes) {
    out_ += "<rect class=\"" + XmlEscape(cls) + "\" x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) +
            "\" width=\"" + SvgNumber(w) + "\" height=\"" + SvgNumber(h) + "\" fill=\"" +
            std::string(HexColour(fill)) + "\"";
    if (opacity < 1) out_ += " fill-opacity=\"" + SvgNumber(opacity) + "\"";
    if (stroke) StrokeAttributes(*stroke);
    Attributes(attributes);
    out_ += "/>\n";
}

void SvgWriter::Path(std::string_view d, std::string_view cls, const ColourRole* fill, const SvgStroke* stroke,
                     double opacity, const SvgAttributes& attributes) {
    out_ += "<path class=\"" + XmlEscape(cls) + "\" d=\"" + XmlEscape(d) + "\" fill=\"" +
            (fill ? std::string(HexColour(*fill)) : "none") + "\"";
    if (opacity < 1) out_ += " opacity=\"" + SvgNumber(opacity) + "\"";
    if (stroke) StrokeAttributes(*stroke);
    Attributes(attributes);
    out_ += "/>\n";
}

void SvgWriter::Text(double x, double y, std::string_view text, std::string_view cls, ColourRole colour,
                     double size, std::string_view families, TextAnchor anchor, double fitWidth,
                     const SvgAttributes& attributes) {
    static constexpr const char* Anchors[] = {"start", "middle", "end"};
    out_ += "<text class=\"" + XmlEscape(cls) + "\" x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) +
            "\" font-size=\"" + SvgNumber(size) + "\" font-family=\"" + XmlEscape(families) +
            "\" text-anchor=\"" + Anchors[static_cast<int>(anchor)] +
            "\" dominant-baseline=\"central\" fill=\"" + std::string(HexColour(colour)) + "\"";
    if (fitWidth > 0) {
        out_ += " textLength=\"" + SvgNumber(fitWidth) + "\" lengthAdjust=\"spacingAndGlyphs\"";
    }
    Attributes(attributes);
    out_ += ">" + XmlEscape(text) + "</text>\n";
}

void SvgWriter::ElementTitle(std::string_view text) { out_ += "<title>" + XmlEscape(text) + "</title>\n"; }

std::string SvgWriter::Finish() {
    while (depth_ > 0) CloseGroup();
    out_ += "</svg>\n";
    return std::move(out_);
}

}  // namespace orrerion
