#pragma once
// The working images are Windows bitmaps: the 3-D viewer reads them.
#include <string>

#include "model/RgbImage.h"

namespace magmo {

// The picture as a 24-bit Windows bitmap, the format of the working images.
std::string bmpBytes(const RgbImage& image);
// Writes it in place of path without ever leaving half a file; throws SimError.
void writeBmp(const RgbImage& image, const std::string& path);
// A working image of the plan views: folder + name + extension, the one it replaces kept beside
// it as name + "-Undo" + extension for Undo. Throws SimError when the new one cannot be written.
void writeWorkingImage(const RgbImage& image, const std::string& folder, const std::string& name,
                       const std::string& extension);

}  // namespace magmo
