#include "gaitlab/plot/SvgCanvas.h"

#include <cmath>
#include <cstdio>

namespace trotix {
namespace {

std::string Number(double value) {
  if (!std::isfinite(value)) return "0";
  char text[48];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string result = text;
  // Trim trailing zeros and the dot: "12.50" -> "12.5", "3.00" -> "3".
  result.erase(result.find_last_not_of('0') + 1);
  if (result.back() == '.') result.pop_back();
  if (result == "-0") result = "0";
  return result;
}

const char* AnchorName(TextAnchor anchor) {
  switch (anchor) {
    case TextAnchor::kMiddle:
      return "middle";
    case TextAnchor::kEnd:
      return "end";
    default:
      return "start";
  }
}

}  // namespace

SvgCanvas::SvgCanvas(double width, double height) {
  out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width) + "\" height=\"" +
          Number(height) + "\" viewBox=\"0 0 " + Number(width) + " " + Number(height) +
          "\" font-family=\"DejaVu Sans, Helvetica, Arial, sans-serif\">\n";
}

std::string SvgCanvas::Escape(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&apos;";
        break;
      default:
        // Control characters are not allowed in XML 1.0 text.
        escaped += (static_cast<unsigned char>(c) < 0x20) ? '?' : c;
    }
  }
  return escaped;
}

void SvgCanvas::appendStroke(const Stroke& stroke) {
  if (stroke.colour.empty()) return;
  out_ += " stroke=\"" + stroke.colour + "\" stroke-width=\"" + Number(stroke.width) + "\"";
  if (!stroke.dash.empty()) out_ += " stroke-dasharray=\"" + stroke.dash + "\"";
}

void SvgCanvas::rect(double x, double y, double width, double height, std::string_view fill,
                     const Stroke& stroke, double cornerRadius) {
  out_ += "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(width) +
          "\" height=\"" + Number(height) + "\" fill=\"" + std::string(fill) + "\"";
  if (cornerRadius > 0.0) out_ += " rx=\"" + Number(cornerRadius) + "\"";
  appendStroke(stroke);
  out_ += "/>\n";
}

void SvgCanvas::line(double x0, double y0, double x1, double y1, const Stroke& stroke) {
  out_ += "<line x1=\"" + Number(x0) + "\" y1=\"" + Number(y0) + "\" x2=\"" + Number(x1) +
          "\" y2=\"" + Number(y1) + "\"";
  appendStroke(stroke);
  out_ += "/>\n";
}

void SvgCanvas::circle(double x, double y, double radius, std::string_view fill,
                       const Stroke& stroke) {
  out_ += "<circle cx=\"" + Number(x) + "\" cy=\"" + Number(y) + "\" r=\"" + Number(radius) +
          "\" fill=\"" + std::string(fill) + "\"";
  appendStroke(stroke);
  out_ += "/>\n";
}

void SvgCanvas::text(double x, double y, std::string_view content, const TextStyle& style) {
  out_ += "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" font-size=\"" +
          Number(style.size) + "\" fill=\"" + style.colour + "\"";
  if (style.anchor != TextAnchor::kStart) {
    out_ += std::string(" text-anchor=\"") + AnchorName(style.anchor) + "\"";
  }
  if (style.bold) out_ += " font-weight=\"bold\"";
  if (style.rotate != 0.0) {
    out_ +=
        " transform=\"rotate(" + Number(style.rotate) + " " + Number(x) + " " + Number(y) + ")\"";
  }
  out_ += ">" + Escape(content) + "</text>\n";
}

void SvgCanvas::moveTo(double x, double y) { pathData_ += "M" + Number(x) + " " + Number(y); }

void SvgCanvas::lineTo(double x, double y) { pathData_ += "L" + Number(x) + " " + Number(y); }

void SvgCanvas::strokePath(const Stroke& stroke) {
  if (pathData_.empty()) return;
  out_ += "<path d=\"" + pathData_ + "\" fill=\"none\" stroke-linejoin=\"round\"" +
          " stroke-linecap=\"round\"";
  appendStroke(stroke);
  out_ += "/>\n";
  pathData_.clear();
}

void SvgCanvas::openGroup(std::string_view attributes) {
  out_ += "<g " + std::string(attributes) + ">\n";
}

void SvgCanvas::closeGroup() { out_ += "</g>\n"; }

std::string SvgCanvas::finish() {
  out_ += "</svg>\n";
  return std::move(out_);
}

}  // namespace trotix
