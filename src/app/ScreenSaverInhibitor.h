#pragma once
// Keeps the desktop's screen saver away while asked to, through the session bus. Without a bus
// or a screen-saver service it does nothing and says so by its return value only.
#include <optional>

namespace magmo {

class ScreenSaverInhibitor {
 public:
  ScreenSaverInhibitor() = default;
  ~ScreenSaverInhibitor();
  ScreenSaverInhibitor(const ScreenSaverInhibitor&) = delete;
  ScreenSaverInhibitor& operator=(const ScreenSaverInhibitor&) = delete;

  // True when the screen saver is now in the asked state as far as the service told us.
  bool setInhibited(bool on);
  bool inhibited() const { return cookie_.has_value(); }

  // A hung service must not freeze the window for long.
  static constexpr int kTimeoutMs = 1000;

 private:
  std::optional<unsigned> cookie_;
};

}  // namespace magmo
