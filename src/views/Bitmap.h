#pragma once
// The working images are Windows bitmaps: the 3-D viewer reads them.
#include <string>

#include "model/RgbImage.h"

namespace magmo {

// The picture as a 24-bit Windows bitmap, the format of the working images.
std::string bmpBytes(const RgbImage& image);
// Writes it in place of path without ever leaving half a file; throws SimError.
void writeBmp(const RgbImage& image, const std::string& path);

}  // namespace magmo
