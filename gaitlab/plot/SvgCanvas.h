// Builds an SVG document from a few drawing calls. Text is escaped; numbers
// are written with two decimals at most.
#ifndef TROTIX_GAITLAB_SVGCANVAS_H_
#define TROTIX_GAITLAB_SVGCANVAS_H_

#include <string>
#include <string_view>
#include <utility>

namespace trotix {

// An outline style; no colour means no outline.
struct Stroke {
  Stroke(std::string strokeColour = "", double strokeWidth = 1.0, std::string dashPattern = "")
      : colour(std::move(strokeColour)), width(strokeWidth), dash(std::move(dashPattern)) {}

  std::string colour;
  double width;
  std::string dash;  // e.g. "4 3"; empty for a solid line
};

enum class TextAnchor { kStart, kMiddle, kEnd };

struct TextStyle {
  double size = 12.0;
  std::string colour = "#333";
  TextAnchor anchor = TextAnchor::kStart;
  bool bold = false;
  double rotate = 0.0;  // degrees, about the text's anchor point
};

class SvgCanvas {
 public:
  SvgCanvas(double width, double height);

  void rect(double x, double y, double width, double height, std::string_view fill,
            const Stroke& stroke = {}, double cornerRadius = 0.0);
  void line(double x0, double y0, double x1, double y1, const Stroke& stroke);
  void circle(double x, double y, double radius, std::string_view fill, const Stroke& stroke = {});
  void text(double x, double y, std::string_view content, const TextStyle& style);

  // A path outline from path data built with moveTo/lineTo.
  void beginPath() { pathData_.clear(); }
  void moveTo(double x, double y);
  void lineTo(double x, double y);
  void strokePath(const Stroke& stroke);

  void openGroup(std::string_view attributes);
  void closeGroup();

  // The whole document; the canvas should not be used afterwards.
  std::string finish();

  static std::string Escape(std::string_view text);

 private:
  void appendStroke(const Stroke& stroke);

  std::string out_;
  std::string pathData_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_SVGCANVAS_H_
