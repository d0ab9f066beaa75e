#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Canvas.h"
#include "model/Numeric.h"
#include "model/SimError.h"
#include "model/TerrainGrid.h"

namespace magmo {

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class Answer { Yes, No, Cancel };

struct FileDialog {
  std::string title;
  std::string filter;  // "Description (*.ext)|*.ext|...": pairs of a description and its patterns
  std::string defaultExt;
  std::string proposedName;
};

// What the simulation asks of the platform: the event loop, the clock, drawing, dialogs, sound.
class Host {
 public:
  virtual ~Host() = default;
  // Let the window process events; the window re-reads the Controls here.
  virtual void yield() = 0;
  // One turn of the pause wait: yield and sleep a little instead of spinning.
  virtual void pauseTurn() { yield(); sleepMs(10); }
  // End of one animation frame; a desktop host paces the animation here.
  virtual void frameDone() {}
  virtual void sleepMs(int ms) = 0;
  virtual double secondsSinceMidnight() = 0;
  // A finer clock for measuring short spans (any origin).
  virtual double monotonicSeconds() { return secondsSinceMidnight(); }
  virtual Canvas& profile() = 0;

  virtual void message(std::string_view text, MsgIcon icon, std::string_view title) = 0;
  virtual bool askYesNo(std::string_view text, MsgIcon icon, std::string_view title) = 0;
  virtual Answer askYesNoCancel(std::string_view text, MsgIcon icon, std::string_view title) = 0;
  // nullopt when cancelled.
  virtual std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                              std::string_view defaultText) = 0;
  // One of a few choices (0-based), nullopt when cancelled. Hosts without a list to offer ask
  // for the choice's number (1-based) instead.
  virtual std::optional<int> chooseItem(std::string_view prompt, std::string_view title,
                                        const std::vector<std::string>& items, int current) {
    const auto answer = inputBox(prompt, title, std::to_string(current + 1));
    if (!answer) return std::nullopt;
    const double n = val(*answer);
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
      if (n == i + 1) return i;
    return std::nullopt;
  }
  virtual std::optional<std::string> openFileName(const FileDialog& d) = 0;
  virtual std::optional<std::string> saveFileName(const FileDialog& d) = 0;

  // Raster elevation files of GIS programs. nullopt when the file is no raster the platform
  // knows (the text layouts are tried next); SimError when it is one that cannot be read.
  virtual std::optional<TerrainGrid> readTerrain(const std::string& /*path*/) { return std::nullopt; }
  virtual void writeTerrain(const std::string& /*path*/, const TerrainGrid&, TerrainFormat) {
    throw SimError("GIS raster files cannot be written here");
  }
  // The line the section follows, starting from the proposal; nullopt when the user cancels.
  virtual std::optional<ProfileLine> chooseProfileLine(const TerrainGrid&, const ProfileLine& proposal) {
    return proposal;
  }

  // One sound at a time: a new one replaces whatever plays, a looped one until the next.
  virtual void soundPlay(const std::string& /*wavPath*/, bool /*loop*/) {}
  virtual void soundStop() {}
  virtual void setSoundVolume(int /*percent*/) {}
  // Keeps the screen saver from starting while on.
  virtual void inhibitScreenSaver(bool /*on*/) {}
  // Right-click help: the help file opened at a topic number.
  virtual void eruptHelp(int /*topic*/) {}
  virtual void busyPointer(bool /*busy*/) {}
  // Screen capture: the profile as it is now, saved as the next numbered picture in the folder.
  virtual void captureProfile(const std::string& /*folder*/) {}
  // Runs f after ms milliseconds without blocking the window; hosts without an event loop run
  // it at once.
  virtual void later(int /*ms*/, std::function<void()> f) { f(); }
  // The 3-D viewer program: start it (false when it could not be started) and ask it to close.
  virtual bool startViewer() { return false; }
  virtual void closeViewer() {}
};

}  // namespace magmo
