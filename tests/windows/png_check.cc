// png_check FILE WIDTH HEIGHT [NAME X Y W H MIN]...: checks that FILE is a
// PNG (its eight-byte signature intact, as a stream turning "\n" into
// "\r\n" would not leave it) of WIDTH x HEIGHT pixels, and that each named
// rectangle holds at least MIN pixels that are not the white background.
// Decoded with GDI+, as a Windows program would see the picture. Prints
// what it counted; exit status 1 when a check fails, 2 on bad arguments.
#include <windows.h>
#include <objidl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

namespace {

namespace gp = Gdiplus;

bool has_png_signature(const char* file) {
  std::ifstream in(file, std::ios::binary);
  const std::string expected("\x89PNG\r\n\x1a\n", 8);
  std::string start(8, '\0');
  return in.read(start.data(), 8) && start == expected;
}

// Pixels of `r` on `bitmap` that are not white.
long drawn_pixels(gp::Bitmap& bitmap, const gp::Rect& r) {
  gp::BitmapData data;
  gp::Rect area = r;
  if (bitmap.LockBits(&area, gp::ImageLockModeRead, PixelFormat32bppRGB, &data) != gp::Ok) return -1;
  long n = 0;
  for (UINT y = 0; y < data.Height; ++y) {
    const auto* row = static_cast<const unsigned char*>(data.Scan0) + static_cast<long>(y) * data.Stride;
    for (UINT x = 0; x < data.Width; ++x)
      if (row[4 * x] != 255 || row[4 * x + 1] != 255 || row[4 * x + 2] != 255) ++n;
  }
  bitmap.UnlockBits(&data);
  return n;
}

int check(int argc, char** argv) {
  if (argc < 4 || (argc - 4) % 6 != 0) {
    std::fprintf(stderr, "usage: png_check FILE WIDTH HEIGHT [NAME X Y W H MIN]...\n");
    return 2;
  }
  if (!has_png_signature(argv[1])) {
    std::printf("%s: no PNG signature\n", argv[1]);
    return 1;
  }
  const std::string name(argv[1]);
  gp::Bitmap bitmap(std::wstring(name.begin(), name.end()).c_str());
  if (bitmap.GetLastStatus() != gp::Ok) {
    std::printf("%s: GDI+ cannot read it (status %d)\n", argv[1], static_cast<int>(bitmap.GetLastStatus()));
    return 1;
  }
  const UINT width = bitmap.GetWidth(), height = bitmap.GetHeight();
  std::printf("%s: %u x %u\n", argv[1], width, height);
  int result = 0;
  if (width != std::strtoul(argv[2], nullptr, 10) || height != std::strtoul(argv[3], nullptr, 10)) result = 1;
  for (int i = 4; i + 5 < argc; i += 6) {
    const gp::Rect r(std::atoi(argv[i + 1]), std::atoi(argv[i + 2]), std::atoi(argv[i + 3]), std::atoi(argv[i + 4]));
    const long n = drawn_pixels(bitmap, r);
    const long minimum = std::atol(argv[i + 5]);
    std::printf("%s: %ld pixels drawn (at least %ld wanted)\n", argv[i], n, minimum);
    if (n < minimum) result = 1;
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  gp::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (gp::GdiplusStartup(&token, &input, nullptr) != gp::Ok) {
    std::fprintf(stderr, "png_check: GDI+ does not start\n");
    return 2;
  }
  const int result = check(argc, argv);
  gp::GdiplusShutdown(token);
  return result;
}
