#include "platform/ui/Image.h"

#include <png.h>

#include <algorithm>
#include <cmath>

#include "platform/base/Exceptions.h"
#include "platform/fs/File.h"

namespace vext {

Image::Image(int width, int height, Pixel fill) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return;
  m_width = width;
  m_height = height;
  m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

Pixel Image::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
  return m_pixels[static_cast<std::size_t>(y) * m_width + x];
}

void Image::Set(int x, int y, Pixel p) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  m_pixels[static_cast<std::size_t>(y) * m_width + x] = p;
}

void Image::Fill(const RECT& area, Pixel p) {
  const int left = std::max<LONG>(area.left, 0), right = std::min<LONG>(area.right, m_width);
  const int top = std::max<LONG>(area.top, 0), bottom = std::min<LONG>(area.bottom, m_height);
  for (int y = top; y < bottom; ++y) {
    Pixel* row = m_pixels.data() + static_cast<std::size_t>(y) * m_width;
    std::fill(row + left, row + std::max(left, right), p);
  }
}

void Image::Draw(const Image& source, int x, int y) {
  // Widened so that offsets near the int limits cannot overflow.
  const long long left = std::max<long long>(x, 0);
  const long long right = std::min<long long>(static_cast<long long>(x) + source.m_width, m_width);
  const long long top = std::max<long long>(y, 0);
  const long long bottom =
      std::min<long long>(static_cast<long long>(y) + source.m_height, m_height);
  if (left >= right || top >= bottom) return;
  for (long long row = top; row < bottom; ++row) {
    const Pixel* from = source.m_pixels.data() + (row - y) * source.m_width + (left - x);
    std::copy(from, from + (right - left), m_pixels.data() + row * m_width + left);
  }
}

namespace {

void AppendToBuffer(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<BYTE>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

png_uint_32 DotsPerMetre(int dpi) {
  return dpi > 0 ? static_cast<png_uint_32>(std::lround(dpi / 0.0254)) : 0;
}

// The image's colours when there are at most 16 of them (a palette image
// packs 1, 2 or 4 bits a pixel: a two-colour barcode is 24 times smaller
// to compress than RGB); empty otherwise.
std::vector<Pixel> SmallPalette(const Image& image) {
  std::vector<Pixel> palette;
  const Pixel* p = image.Bits();
  const Pixel* end = p + static_cast<std::size_t>(image.Width()) * image.Height();
  Pixel last = *p;
  palette.push_back(last);
  for (; p != end; ++p) {
    if (*p == last) continue;
    last = *p;
    if (std::find(palette.begin(), palette.end(), last) != palette.end()) continue;
    if (palette.size() == 16) return {};
    palette.push_back(last);
  }
  return palette;
}

// How an image is written: RGB, or a palette of 1, 2 or 4 bits a pixel.
struct PngLayout {
  std::vector<Pixel> palette;  // empty for RGB
  std::vector<png_color> colours;
  int depth = 8;
  std::vector<png_byte> row;
};

PngLayout LayoutFor(const Image& image) {
  PngLayout layout;
  layout.palette = SmallPalette(image);
  const std::size_t n = layout.palette.size();
  layout.depth = n == 0 ? 8 : n <= 2 ? 1 : n <= 4 ? 2 : 4;
  for (Pixel p : layout.palette)
    layout.colours.push_back(
        {static_cast<png_byte>(p >> 16), static_cast<png_byte>(p >> 8), static_cast<png_byte>(p)});
  const std::size_t width = static_cast<std::size_t>(image.Width());
  layout.row.resize(n == 0 ? width * 3 : (width * layout.depth + 7) / 8);
  return layout;
}

// Everything libpng may leave by longjmp: no object with a destructor is
// created here.
void WritePng(png_structp png, png_infop info, const Image& image, PngLayout& layout, int dpiX,
              int dpiY, std::vector<BYTE>& out) {
  png_set_write_fn(png, &out, AppendToBuffer, NoFlush);
  png_set_compression_level(png, 6);
  const bool rgb = layout.palette.empty();
  if (rgb) {
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE | PNG_FILTER_SUB | PNG_FILTER_UP);
    png_set_IHDR(png, info, image.Width(), image.Height(), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  } else {
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, image.Width(), image.Height(), layout.depth, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_set_PLTE(png, info, layout.colours.data(), static_cast<int>(layout.colours.size()));
  }
  if (dpiX > 0 && dpiY > 0)
    png_set_pHYs(png, info, DotsPerMetre(dpiX), DotsPerMetre(dpiY), PNG_RESOLUTION_METER);
  png_write_info(png, info);
  png_byte* row = layout.row.data();
  const int depth = layout.depth;
  const std::size_t width = static_cast<std::size_t>(image.Width());
  for (int y = 0; y < image.Height(); ++y) {
    const Pixel* from = image.Bits() + y * width;
    // Rows repeat (a bar is the same from top to bottom): the packed row
    // of the one above serves again.
    if (y > 0 && std::equal(from, from + width, from - width)) {
      png_write_row(png, row);
      continue;
    }
    if (rgb) {
      for (int x = 0; x < image.Width(); ++x) {
        row[3 * x] = static_cast<png_byte>(from[x] >> 16);
        row[3 * x + 1] = static_cast<png_byte>(from[x] >> 8);
        row[3 * x + 2] = static_cast<png_byte>(from[x]);
      }
    } else {
      std::fill(layout.row.begin(), layout.row.end(), 0);
      int index = 0;
      Pixel last = layout.palette[0];
      for (int x = 0; x < image.Width(); ++x) {
        if (from[x] != last) {
          last = from[x];
          index = static_cast<int>(std::find(layout.palette.begin(), layout.palette.end(), last) -
                                   layout.palette.begin());
        }
        const int bit = x * depth;
        row[bit / 8] |= static_cast<png_byte>(index << (8 - depth - bit % 8));
      }
    }
    png_write_row(png, row);
  }
  png_write_end(png, info);
}

}  // namespace

std::vector<BYTE> EncodePng(const Image& image, int dpiX, int dpiY) {
  std::vector<BYTE> out;
  if (image.Empty()) return out;
  PngLayout layout = LayoutFor(image);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return out;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    out.clear();
    return out;
  }
  WritePng(png, info, image, layout, dpiX, dpiY, out);
  png_destroy_write_struct(&png, &info);
  return out;
}

void SavePng(const Image& image, const CString& path, int dpiX, int dpiY) {
  const std::vector<BYTE> bytes = EncodePng(image, dpiX, dpiY);
  if (bytes.empty()) throw CFileException(CFileException::generic, -1, path);
  CFile file(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
  file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
  file.Close();
}

}  // namespace vext
