#include "textio/ReplaceFile.h"

#include <filesystem>
#include <fstream>

#include "model/SimError.h"

namespace magmo {

void replaceFile(const std::string& path, std::string_view content) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  fs::path temp = target;
  temp += ".tmp";
  std::error_code ec;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) throw SimError("Cannot create file '" + temp.string() + "'");
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
      fs::remove(temp, ec);
      throw SimError("Cannot write file '" + temp.string() + "'");
    }
  }
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    throw SimError("Cannot replace '" + path + "': " + ec.message());
  }
}

}  // namespace magmo
