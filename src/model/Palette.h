#pragma once
#include <cstdint>

namespace magmo {

// Four-byte aligned so a colour moves as one word (drawing passes one per strata span).
struct alignas(4) Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The standard 16-colour palette; a layer's colour index is the only record of its deposit type.
inline Rgb paletteColor(int index) {
  static constexpr Rgb table[16] = {
      {0, 0, 0},     {0, 0, 128},   {0, 128, 0},   {0, 128, 128}, {128, 0, 0},     {128, 0, 128},
      {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255}, {0, 255, 0},     {0, 255, 255},
      {255, 0, 0},   {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
  return table[index & 15];
}

inline const char* paletteName(int index) {
  static constexpr const char* names[16] = {
      "black",      "blue",      "green",       "cyan",       "red",       "magenta",        "brown",  "light grey",
      "dark grey", "light blue", "light green", "light cyan", "light red", "light magenta", "yellow", "white"};
  return names[index & 15];
}

}  // namespace magmo
