#pragma once
// The start-up picture, drawn in code: a stratovolcano in cross-section erupting under a night sky,
// with the program's name and version.
#include <QPixmap>
#include <QSize>

namespace magmo {

// Laid out for 480 x 300 and scaled to size, keeping its proportions (the sky fills the rest).
QPixmap splashPicture(const QSize& size = {480, 300});

// "3.0": the version the build was made as.
QString magmoVersion();

}  // namespace magmo
