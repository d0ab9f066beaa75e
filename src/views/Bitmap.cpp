#include "views/Bitmap.h"

#include <filesystem>

#include "textio/ReplaceFile.h"

namespace magmo {

namespace {

void put16(std::string& s, unsigned v) {
  s += static_cast<char>(v & 0xff);
  s += static_cast<char>((v >> 8) & 0xff);
}
void put32(std::string& s, unsigned v) {
  put16(s, v & 0xffff);
  put16(s, v >> 16);
}

}  // namespace

std::string bmpBytes(const RgbImage& image) {
  const unsigned rowBytes = (static_cast<unsigned>(image.width) * 3 + 3) & ~3u;
  const unsigned dataBytes = rowBytes * static_cast<unsigned>(image.height);
  constexpr unsigned kHeaders = 14 + 40;
  std::string s;
  s.reserve(kHeaders + dataBytes);
  s += "BM";
  put32(s, kHeaders + dataBytes);
  put32(s, 0);
  put32(s, kHeaders);
  put32(s, 40);
  put32(s, static_cast<unsigned>(image.width));
  put32(s, static_cast<unsigned>(image.height));  // positive: rows bottom to top
  put16(s, 1);
  put16(s, 24);
  put32(s, 0);  // no compression
  put32(s, dataBytes);
  put32(s, 2835);  // 72 dots per inch
  put32(s, 2835);
  put32(s, 0);
  put32(s, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    const size_t start = s.size();
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = image.at(x, y);
      s += static_cast<char>(c.b);
      s += static_cast<char>(c.g);
      s += static_cast<char>(c.r);
    }
    s.append(rowBytes - (s.size() - start), '\0');
  }
  return s;
}

void writeBmp(const RgbImage& image, const std::string& path) { replaceFile(path, bmpBytes(image)); }

void writeWorkingImage(const RgbImage& image, const std::string& folder, const std::string& name,
                       const std::string& extension) {
  namespace fs = std::filesystem;
  const std::string path = folder + name + extension;
  std::error_code ec;
  if (fs::exists(path, ec))
    fs::copy_file(path, folder + name + "-Undo" + extension, fs::copy_options::overwrite_existing, ec);
  writeBmp(image, path);
}

}  // namespace magmo
