// Drawing a picture and writing it as an image file: paths stroked and
// filled, text measured and drawn, through the drawing library the system
// has. On Linux that is cairo (platform/posix/picture.cc), which writes PNG,
// SVG and PDF; on Windows GDI+ (platform/windows/picture.cc), which writes
// PNG only. The painter keeps a current path, colour, line width, dash, line
// join, font and transform, as cairo does: a path is built, then stroked,
// filled or made the clip, which ends it; save() and restore() bracket
// changes to the state. Paths are drawn with the transform in force when
// they are stroked or filled: build and draw them under the same one.
//
// Only the module that draws (scenc plot) links these files; the stages
// never do.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace scen::platform {

enum class LineJoin { miter, round };

class Painter {
 public:
  virtual ~Painter() = default;

  // Colour channels and opacity from 0 to 1.
  virtual void set_colour(double red, double green, double blue) = 0;
  virtual void set_colour(double red, double green, double blue, double alpha) = 0;
  virtual void set_line_width(double width) = 0;
  // Dashes of `on` then gaps of `off`, in page units, from the start of each line.
  virtual void set_dash(double on, double off) = 0;
  virtual void clear_dash() = 0;
  virtual void set_line_join(LineJoin join) = 0;

  // The path. line_to() without a current point starts the path there;
  // new_sub_path() leaves none, so that the next line_to() starts a new piece.
  virtual void new_path() = 0;
  virtual void new_sub_path() = 0;
  virtual void move_to(double x, double y) = 0;
  virtual void line_to(double x, double y) = 0;
  virtual void close_path() = 0;
  virtual void rectangle(double x, double y, double width, double height) = 0;
  virtual void circle(double centre_x, double centre_y, double radius) = 0;

  // What to do with the path: each but fill_preserve() ends it. clip()
  // narrows what is drawn until the next restore().
  virtual void stroke() = 0;
  virtual void fill() = 0;
  virtual void fill_preserve() = 0;
  virtual void clip() = 0;

  virtual void save() = 0;
  virtual void restore() = 0;
  virtual void translate(double x, double y) = 0;
  // Radians, turning the x axis towards the y axis (clockwise on the page).
  virtual void rotate(double angle) = 0;

  // Text, UTF-8, in the family named or the nearest the system has, `size`
  // page units from the top of its tallest letters' cell to the bottom of
  // their descent (the em).
  virtual void set_font(const char* family, double size, bool bold) = 0;
  // How far the text moves the pen: its width as laid out.
  virtual double text_advance(const std::string& text) = 0;
  // The text with the left end of its baseline at the current point; ends the path.
  virtual void show_text(const std::string& text) = 0;
};

enum class PictureFormat { png, svg, pdf };

// Whether this system's drawing library writes `format`.
bool picture_format_available(PictureFormat format);

struct PictureRequest {
  PictureFormat format;
  int width = 0;   // page units: the PNG's pixels
  int height = 0;
  double points_per_unit = 1;  // the size of an SVG or PDF page, in points, per page unit
};

// Draws a page of `request`'s size with `draw` (which paints its background)
// and hands its file's bytes to `write`, in one or more pieces. An
// exception thrown by `write` is thrown again once the library has let go.
// Returns what went wrong in the library ("cairo: out of memory"), or ""
// when the picture was written.
std::string draw_picture(const PictureRequest& request, const std::function<void(Painter&)>& draw,
                         const std::function<void(std::string_view)>& write);

}  // namespace scen::platform
