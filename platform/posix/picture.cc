// Pictures on Linux: cairo, each call of the painter one call of cairo's.
#include "platform/picture.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>

#include <exception>
#include <memory>
#include <numbers>

namespace scen::platform {

namespace {

class CairoPainter final : public Painter {
 public:
  explicit CairoPainter(cairo_t* cr) : cr_(cr) {}

  void set_colour(double r, double g, double b) override { cairo_set_source_rgb(cr_, r, g, b); }
  void set_colour(double r, double g, double b, double a) override { cairo_set_source_rgba(cr_, r, g, b, a); }
  void set_line_width(double width) override { cairo_set_line_width(cr_, width); }
  void set_dash(double on, double off) override {
    const double dashes[2] = {on, off};
    cairo_set_dash(cr_, dashes, 2, 0);
  }
  void clear_dash() override { cairo_set_dash(cr_, nullptr, 0, 0); }
  void set_line_join(LineJoin join) override {
    cairo_set_line_join(cr_, join == LineJoin::round ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
  }

  void new_path() override { cairo_new_path(cr_); }
  void new_sub_path() override { cairo_new_sub_path(cr_); }
  void move_to(double x, double y) override { cairo_move_to(cr_, x, y); }
  void line_to(double x, double y) override { cairo_line_to(cr_, x, y); }
  void close_path() override { cairo_close_path(cr_); }
  void rectangle(double x, double y, double w, double h) override { cairo_rectangle(cr_, x, y, w, h); }
  void circle(double x, double y, double r) override { cairo_arc(cr_, x, y, r, 0, 2 * std::numbers::pi); }

  void stroke() override { cairo_stroke(cr_); }
  void fill() override { cairo_fill(cr_); }
  void fill_preserve() override { cairo_fill_preserve(cr_); }
  void clip() override { cairo_clip(cr_); }

  void save() override { cairo_save(cr_); }
  void restore() override { cairo_restore(cr_); }
  void translate(double x, double y) override { cairo_translate(cr_, x, y); }
  void rotate(double angle) override { cairo_rotate(cr_, angle); }

  void set_font(const char* family, double size, bool bold) override {
    cairo_select_font_face(cr_, family, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, size);
  }
  double text_advance(const std::string& text) override {
    cairo_text_extents_t e;
    cairo_text_extents(cr_, text.c_str(), &e);
    return e.x_advance;
  }
  void show_text(const std::string& text) override {
    cairo_show_text(cr_, text.c_str());
    cairo_new_path(cr_);
  }

 private:
  cairo_t* cr_;
};

// Where cairo's stream callbacks put the bytes. An exception thrown there
// must not cross cairo's C frames, so it waits here until cairo returns.
struct Stream {
  const std::function<void(std::string_view)>* write;
  std::exception_ptr error;
};

cairo_status_t write_piece(void* closure, const unsigned char* data, unsigned int n) {
  auto* s = static_cast<Stream*>(closure);
  if (s->error) return CAIRO_STATUS_WRITE_ERROR;
  try {
    (*s->write)(std::string_view(reinterpret_cast<const char*>(data), n));
  } catch (...) {
    s->error = std::current_exception();
    return CAIRO_STATUS_WRITE_ERROR;
  }
  return CAIRO_STATUS_SUCCESS;
}

struct DestroySurface {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct DestroyContext {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, DestroySurface>;
using Context = std::unique_ptr<cairo_t, DestroyContext>;

Surface surface_for(const PictureRequest& r, Stream& stream) {
  const double w = r.width * r.points_per_unit;
  const double h = r.height * r.points_per_unit;
  switch (r.format) {
    case PictureFormat::png: return Surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, r.width, r.height));
    case PictureFormat::svg: return Surface(cairo_svg_surface_create_for_stream(write_piece, &stream, w, h));
    case PictureFormat::pdf: return Surface(cairo_pdf_surface_create_for_stream(write_piece, &stream, w, h));
  }
  return nullptr;
}

// A write failure first, as the file system reported it; then cairo's.
std::string failure(const Stream& stream, cairo_status_t s) {
  if (stream.error) std::rethrow_exception(stream.error);
  if (s != CAIRO_STATUS_SUCCESS) return std::string("cairo: ") + cairo_status_to_string(s);
  return {};
}

}  // namespace

bool picture_format_available(PictureFormat) { return true; }

std::string draw_picture(const PictureRequest& request, const std::function<void(Painter&)>& draw,
                         const std::function<void(std::string_view)>& write) {
  Stream stream{&write, nullptr};
  Surface s = surface_for(request, stream);
  if (std::string e = failure(stream, cairo_surface_status(s.get())); !e.empty()) return e;
  {
    Context cr(cairo_create(s.get()));
    if (std::string e = failure(stream, cairo_status(cr.get())); !e.empty()) return e;
    if (request.format != PictureFormat::png)
      cairo_scale(cr.get(), request.points_per_unit, request.points_per_unit);
    CairoPainter painter(cr.get());
    draw(painter);
    if (std::string e = failure(stream, cairo_status(cr.get())); !e.empty()) return e;
  }
  if (request.format == PictureFormat::png) {
    cairo_surface_flush(s.get());
    if (std::string e = failure(stream, cairo_surface_write_to_png_stream(s.get(), write_piece, &stream)); !e.empty())
      return e;
  }
  cairo_surface_finish(s.get());
  return failure(stream, cairo_surface_status(s.get()));
}

}  // namespace scen::platform
