// CanvasPath: a shape for ReportCanvas::DrawPath and ReportCanvas::BeginClip.
//
// A path is a list of subpaths, each begun with MoveTo and made of straight
// (LineTo) and cubic Bezier (CurveTo) segments, optionally closed. Points are
// in points (1/72 inch) from the top-left corner of the sheet, y downward:
// column c of the report units is x = 7.2 c, row r is y = 12 r
// (report_canvas.h). The checks' E-13B characters are drawn as such paths; so
// are shaded boxes, bars and polylines.
#ifndef ZENKAR_OUTPUT_CANVAS_PATH_H_
#define ZENKAR_OUTPUT_CANVAS_PATH_H_

#include <array>
#include <cstdint>
#include <vector>

namespace zenkar {

struct CanvasPoint {
  double x = 0;
  double y = 0;
  friend bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

class CanvasPath {
 public:
  enum class Op { kMove, kLine, kCurve, kClose, kRectangle };
  // kMove and kLine use points[0]; kCurve the two control points and then
  // the end point; kClose none; kRectangle, a closed subpath of its own, its
  // top-left corner and then its width and height.
  struct Segment {
    Op op = Op::kMove;
    std::array<CanvasPoint, 3> points{};
  };

  void MoveTo(double x, double y) { segments_.push_back({Op::kMove, {{{x, y}}}}); }
  void LineTo(double x, double y) { segments_.push_back({Op::kLine, {{{x, y}}}}); }
  void CurveTo(double x1, double y1, double x2, double y2, double x3, double y3) {
    segments_.push_back({Op::kCurve, {{{x1, y1}, {x2, y2}, {x3, y3}}}});
  }
  // Closes the current subpath with a straight line to its start.
  void Close() { segments_.push_back({Op::kClose, {}}); }
  // A closed rectangle with its top-left corner at `x`, `y`; every
  // rectangle runs the same way round, so overlapping ones fill as one shape
  // under the nonzero rule.
  void AddRectangle(double x, double y, double width, double height) {
    segments_.push_back({Op::kRectangle, {{{x, y}, {width, height}}}});
  }

  bool empty() const { return segments_.empty(); }
  const std::vector<Segment>& segments() const { return segments_; }

 private:
  std::vector<Segment> segments_;
};

struct CanvasColor {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend bool operator==(const CanvasColor&, const CanvasColor&) = default;
};

// Which parts of a self-overlapping path are inside: nonzero winding, or
// even-odd (an inner subpath makes a hole whatever its direction).
enum class FillRule { kNonZero, kEvenOdd };

// How DrawPath paints: filled, stroked or both.
struct PathPaint {
  bool fill = true;
  CanvasColor fill_color;
  FillRule fill_rule = FillRule::kNonZero;
  bool stroke = false;
  CanvasColor stroke_color;
  double line_width = 1;  // points; butt ends, mitred joins
};

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_CANVAS_PATH_H_
