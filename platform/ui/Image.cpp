#include "platform/ui/Image.h"

#include <png.h>

#include <algorithm>

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
  return dpi > 0 ? static_cast<png_uint_32>(dpi / 0.0254 + 0.5) : 0;
}

}  // namespace

std::vector<BYTE> EncodePng(const Image& image, int dpiX, int dpiY) {
  std::vector<BYTE> out;
  if (image.Empty()) return out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return out;
  png_infop info = png_create_info_struct(png);
  std::vector<png_byte> row(static_cast<std::size_t>(image.Width()) * 3);
  // libpng reports its errors by longjmp: nothing with a destructor may be
  // created between here and the end of the encoding.
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    out.clear();
    return out;
  }
  png_set_write_fn(png, &out, AppendToBuffer, NoFlush);
  // Barcode images are large flat areas: fast filtering compresses them well.
  png_set_compression_level(png, 6);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE | PNG_FILTER_SUB | PNG_FILTER_UP);
  png_set_IHDR(png, info, image.Width(), image.Height(), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
  if (dpiX > 0 && dpiY > 0)
    png_set_pHYs(png, info, DotsPerMetre(dpiX), DotsPerMetre(dpiY), PNG_RESOLUTION_METER);
  png_write_info(png, info);
  for (int y = 0; y < image.Height(); ++y) {
    const Pixel* from = image.Bits() + static_cast<std::size_t>(y) * image.Width();
    for (int x = 0; x < image.Width(); ++x) {
      row[3 * x] = static_cast<png_byte>(from[x] >> 16);
      row[3 * x + 1] = static_cast<png_byte>(from[x] >> 8);
      row[3 * x + 2] = static_cast<png_byte>(from[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
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
