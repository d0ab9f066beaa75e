#pragma once
// The plan views' pictures as Qt images.
#include <QImage>

#include "model/RgbImage.h"

namespace magmo {

// Four bytes a pixel, the last unused: RGBX wraps the pixels as they are, without a copy, so the
// image is valid while the picture lives unchanged.
static_assert(sizeof(Rgb) == 4);
inline QImage imageOf(const RgbImage& picture) {
  return QImage(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width, picture.height,
                picture.width * static_cast<int>(sizeof(Rgb)), QImage::Format_RGBX8888);
}

}  // namespace magmo
