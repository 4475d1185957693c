// Pictures on Windows: GDI+, which every Windows has, drawing on a bitmap
// written as PNG. GDI+ writes no SVG or PDF. The painter keeps the path and
// the state that cairo would keep itself, and turns each stroke, fill and
// clip into a GraphicsPath drawn with the state of the moment.
#include "platform/picture.h"

#include <windows.h>
#include <objidl.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <optional>
#include <vector>

// gdiplus.h wants min and max, which NOMINMAX keeps from windows.h.
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "platform/windows/utf16.h"

namespace scen::platform {

namespace {

namespace gp = Gdiplus;

// The plot's typeface where it is installed, as it is under Wine; on a
// Windows without it, the sans-serif face that Windows 10 and 11 have, then
// older ones, then GDI+'s own choice.
constexpr const wchar_t* kFallbackFamilies[] = {L"Segoe UI", L"Arial", L"Tahoma"};

BYTE channel(double v) { return static_cast<BYTE>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

// One piece of a path: a polyline (closed or not), or a shape of its own.
struct Piece {
  enum class Kind { polyline, rectangle, circle } kind = Kind::polyline;
  std::vector<gp::PointF> points;
  bool closed = false;
  double x = 0, y = 0, w = 0, h = 0;  // rectangle; circle: centre and radius in x, y, w
};

struct State {
  gp::Color colour{255, 0, 0, 0};
  double line_width = 2;
  std::optional<std::pair<double, double>> dash;
  LineJoin join = LineJoin::miter;
  std::wstring family;
  double font_size = 10;
  bool bold = false;
  gp::GraphicsState graphics{};  // the transform and the clip, kept by GDI+
};

class GdiplusPainter final : public Painter {
 public:
  explicit GdiplusPainter(gp::Graphics& g) : g_(g) {
    typographic_.SetFormatFlags(typographic_.GetFormatFlags() | gp::StringFormatFlagsMeasureTrailingSpaces |
                                gp::StringFormatFlagsNoWrap);
  }

  // The first failure of GDI+, if any.
  gp::Status status() const { return status_; }

  void set_colour(double r, double g, double b) override { set_colour(r, g, b, 1); }
  void set_colour(double r, double g, double b, double a) override {
    state_.colour = gp::Color(channel(a), channel(r), channel(g), channel(b));
  }
  void set_line_width(double width) override { state_.line_width = width; }
  void set_dash(double on, double off) override { state_.dash = {{on, off}}; }
  void clear_dash() override { state_.dash.reset(); }
  void set_line_join(LineJoin join) override { state_.join = join; }

  void new_path() override {
    pieces_.clear();
    current_.reset();
  }
  void new_sub_path() override { current_.reset(); }
  void move_to(double x, double y) override {
    pieces_.push_back({});
    pieces_.back().points.push_back(point(x, y));
    current_ = point(x, y);
  }
  void line_to(double x, double y) override {
    if (!current_ || pieces_.empty() || pieces_.back().kind != Piece::Kind::polyline || pieces_.back().closed) {
      move_to(x, y);
      return;
    }
    pieces_.back().points.push_back(point(x, y));
    current_ = point(x, y);
  }
  void close_path() override {
    if (pieces_.empty() || pieces_.back().kind != Piece::Kind::polyline) return;
    pieces_.back().closed = true;
    current_ = pieces_.back().points.front();
  }
  void rectangle(double x, double y, double w, double h) override {
    Piece p;
    p.kind = Piece::Kind::rectangle;
    p.x = x, p.y = y, p.w = w, p.h = h;
    pieces_.push_back(p);
    current_ = point(x, y);
  }
  void circle(double x, double y, double r) override {
    Piece p;
    p.kind = Piece::Kind::circle;
    p.x = x, p.y = y, p.w = r;
    pieces_.push_back(p);
    current_.reset();
  }

  void stroke() override {
    if (auto path = built_path()) {
      gp::Pen pen(state_.colour, static_cast<gp::REAL>(state_.line_width));
      pen.SetLineJoin(state_.join == LineJoin::round ? gp::LineJoinRound : gp::LineJoinMiter);
      pen.SetMiterLimit(10);  // cairo's
      if (state_.dash && state_.line_width > 0) {
        // GDI+ counts dashes in line widths.
        const gp::REAL pattern[2] = {static_cast<gp::REAL>(state_.dash->first / state_.line_width),
                                     static_cast<gp::REAL>(state_.dash->second / state_.line_width)};
        pen.SetDashPattern(pattern, 2);
      }
      check(g_.DrawPath(&pen, path.get()));
    }
    new_path();
  }
  void fill() override {
    fill_preserve();
    new_path();
  }
  void fill_preserve() override {
    if (auto path = built_path()) {
      gp::SolidBrush brush(state_.colour);
      check(g_.FillPath(&brush, path.get()));
    }
  }
  void clip() override {
    if (auto path = built_path()) check(g_.SetClip(path.get(), gp::CombineModeIntersect));
    new_path();
  }

  void save() override {
    saved_.push_back(state_);
    saved_.back().graphics = g_.Save();
  }
  void restore() override {
    if (saved_.empty()) return;
    const gp::GraphicsState graphics = saved_.back().graphics;
    state_ = saved_.back();
    saved_.pop_back();
    check(g_.Restore(graphics));
  }
  void translate(double x, double y) override {
    check(g_.TranslateTransform(static_cast<gp::REAL>(x), static_cast<gp::REAL>(y)));
  }
  void rotate(double angle) override {
    check(g_.RotateTransform(static_cast<gp::REAL>(angle * 180 / std::numbers::pi)));
  }

  void set_font(const char* family, double size, bool bold) override {
    state_.family = utf16_of(family);
    state_.font_size = size;
    state_.bold = bold;
  }
  double text_advance(const std::string& text) override {
    const Font f = font();
    if (!f.font) return 0;
    const std::wstring wide = utf16_of(text);
    gp::RectF box;
    check(g_.MeasureString(wide.c_str(), static_cast<INT>(wide.size()), f.font.get(), gp::PointF(0, 0),
                           &typographic_, &box));
    return box.Width;
  }
  void show_text(const std::string& text) override {
    const Font f = font();
    if (f.font && current_) {
      const std::wstring wide = utf16_of(text);
      gp::SolidBrush brush(state_.colour);
      // GDI+ places a text by the top of its line; the baseline is the
      // family's ascent below it.
      const gp::PointF top(current_->X, current_->Y - static_cast<gp::REAL>(f.ascent));
      check(g_.DrawString(wide.c_str(), static_cast<INT>(wide.size()), f.font.get(), top, &typographic_, &brush));
    }
    new_path();
  }

 private:
  struct Font {
    std::unique_ptr<gp::FontFamily> family;
    std::unique_ptr<gp::Font> font;
    double ascent = 0;
  };

  static gp::PointF point(double x, double y) { return {static_cast<gp::REAL>(x), static_cast<gp::REAL>(y)}; }

  void check(gp::Status s) {
    if (s != gp::Ok && status_ == gp::Ok) status_ = s;
  }

  // The font of the state, or of the nearest family installed.
  Font font() const {
    Font f;
    const INT style = state_.bold ? gp::FontStyleBold : gp::FontStyleRegular;
    auto usable = [&](std::unique_ptr<gp::FontFamily> family) {
      if (family->GetLastStatus() != gp::Ok || !family->IsStyleAvailable(style)) return false;
      f.family = std::move(family);
      return true;
    };
    bool found = usable(std::make_unique<gp::FontFamily>(state_.family.c_str()));
    for (const wchar_t* name : kFallbackFamilies)
      if (!found) found = usable(std::make_unique<gp::FontFamily>(name));
    if (!found) found = usable(std::unique_ptr<gp::FontFamily>(gp::FontFamily::GenericSansSerif()->Clone()));
    if (!found) return f;
    f.font = std::make_unique<gp::Font>(f.family.get(), static_cast<gp::REAL>(state_.font_size), style,
                                        gp::UnitPixel);
    if (f.font->GetLastStatus() != gp::Ok) {
      f.font.reset();
      return f;
    }
    f.ascent = state_.font_size * f.family->GetCellAscent(style) / f.family->GetEmHeight(style);
    return f;
  }

  // The path as GDI+ draws it; none when it is empty.
  std::unique_ptr<gp::GraphicsPath> built_path() const {
    auto path = std::make_unique<gp::GraphicsPath>(gp::FillModeWinding);
    bool any = false;
    for (const Piece& p : pieces_) {
      path->StartFigure();
      switch (p.kind) {
        case Piece::Kind::polyline:
          if (p.points.size() < 2) continue;
          path->AddLines(p.points.data(), static_cast<INT>(p.points.size()));
          if (p.closed) path->CloseFigure();
          break;
        case Piece::Kind::rectangle:
          path->AddRectangle(gp::RectF(static_cast<gp::REAL>(p.x), static_cast<gp::REAL>(p.y),
                                       static_cast<gp::REAL>(p.w), static_cast<gp::REAL>(p.h)));
          break;
        case Piece::Kind::circle:
          path->AddEllipse(static_cast<gp::REAL>(p.x - p.w), static_cast<gp::REAL>(p.y - p.w),
                           static_cast<gp::REAL>(2 * p.w), static_cast<gp::REAL>(2 * p.w));
          break;
      }
      any = true;
    }
    if (!any) return nullptr;
    return path;
  }

  gp::Graphics& g_;
  gp::Status status_ = gp::Ok;
  std::vector<Piece> pieces_;
  std::optional<gp::PointF> current_;
  State state_;
  std::vector<State> saved_;
  // Measured and drawn without GDI+'s padding around the text, and with
  // the spaces at its ends, as cairo measures it.
  gp::StringFormat typographic_{gp::StringFormat::GenericTypographic()};
};

const char* status_text(gp::Status s) {
  switch (s) {
    case gp::OutOfMemory: return "out of memory";
    case gp::InvalidParameter: return "invalid parameter";
    case gp::FontFamilyNotFound: return "no font family found";
    case gp::Win32Error: return "a Windows call failed";
    case gp::GdiplusNotInitialized: return "not started";
    default: return "drawing failed";
  }
}

std::string failure(gp::Status s) {
  return std::string("GDI+: ") + status_text(s) + " (status " + std::to_string(static_cast<int>(s)) + ")";
}

// GDI+ from its start to its end, around one picture.
class GdiplusSession {
 public:
  GdiplusSession() {
    const gp::GdiplusStartupInput input;
    status_ = gp::GdiplusStartup(&token_, &input, nullptr);
  }
  ~GdiplusSession() {
    if (status_ == gp::Ok) gp::GdiplusShutdown(token_);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  gp::Status status() const { return status_; }

 private:
  ULONG_PTR token_ = 0;
  gp::Status status_;
};

std::optional<CLSID> png_encoder() {
  UINT count = 0, size = 0;
  if (gp::GetImageEncodersSize(&count, &size) != gp::Ok || size == 0) return std::nullopt;
  std::vector<unsigned char> buffer(size);
  auto* codecs = reinterpret_cast<gp::ImageCodecInfo*>(buffer.data());
  if (gp::GetImageEncoders(count, size, codecs) != gp::Ok) return std::nullopt;
  for (UINT i = 0; i < count; ++i)
    if (std::wstring_view(codecs[i].MimeType) == L"image/png") return codecs[i].Clsid;
  return std::nullopt;
}

struct ReleaseStream {
  void operator()(IStream* s) const { s->Release(); }
};

// The bitmap as PNG, through a stream in memory; "" or what went wrong.
std::string write_png(gp::Bitmap& bitmap, const std::function<void(std::string_view)>& write) {
  const std::optional<CLSID> encoder = png_encoder();
  if (!encoder) return "GDI+: no PNG encoder";
  IStream* raw = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &raw))) return "GDI+: no memory for the PNG";
  const std::unique_ptr<IStream, ReleaseStream> stream(raw);
  if (const gp::Status s = bitmap.Save(stream.get(), &*encoder, nullptr); s != gp::Ok) return failure(s);
  HGLOBAL memory = nullptr;
  if (FAILED(GetHGlobalFromStream(stream.get(), &memory))) return "GDI+: the PNG is not in memory";
  STATSTG stat{};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return "GDI+: the PNG's size is unknown";
  const void* bytes = GlobalLock(memory);
  if (!bytes) return "GDI+: the PNG cannot be read";
  try {
    write(std::string_view(static_cast<const char*>(bytes), static_cast<size_t>(stat.cbSize.QuadPart)));
  } catch (...) {
    GlobalUnlock(memory);
    throw;
  }
  GlobalUnlock(memory);
  return {};
}

}  // namespace

bool picture_format_available(PictureFormat format) { return format == PictureFormat::png; }

std::string draw_picture(const PictureRequest& request, const std::function<void(Painter&)>& draw,
                         const std::function<void(std::string_view)>& write) {
  if (request.format != PictureFormat::png) return "GDI+ writes PNG pictures only";
  const GdiplusSession session;
  if (session.status() != gp::Ok) return failure(session.status());
  // The bitmap and its Graphics end before GDI+ does.
  gp::Bitmap bitmap(request.width, request.height, PixelFormat24bppRGB);
  if (bitmap.GetLastStatus() != gp::Ok) return failure(bitmap.GetLastStatus());
  {
    gp::Graphics graphics(&bitmap);
    if (graphics.GetLastStatus() != gp::Ok) return failure(graphics.GetLastStatus());
    // Pixel centres at half units and text anti-aliased in grey, as cairo
    // draws a PNG.
    graphics.SetSmoothingMode(gp::SmoothingModeAntiAlias8x8);
    graphics.SetPixelOffsetMode(gp::PixelOffsetModeHalf);
    graphics.SetTextRenderingHint(gp::TextRenderingHintAntiAlias);
    GdiplusPainter painter(graphics);
    draw(painter);
    if (painter.status() != gp::Ok) return failure(painter.status());
  }
  return write_png(bitmap, write);
}

}  // namespace scen::platform
