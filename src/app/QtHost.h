#pragma once
// The desktop platform: nested event processing for the core's yields, animation pacing,
// Qt dialogs for messages, prompts and file names, sound.
#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>

#include "app/QtCanvas.h"
#include "app/ScreenSaverInhibitor.h"
#include "app/SoundPlayer.h"
#include "model/Host.h"

class QProcess;
class QWidget;

namespace magmo {

class QtHost : public Host {
 public:
  explicit QtHost(QtCanvas& profile);
  ~QtHost() override;

  // The window the dialogs belong to.
  void setDialogParent(QWidget* parent) { parent_ = parent; }
  // The folder a file dialog shows when its proposed name does not name one (the data folder).
  void setStartFolder(const QString& folder) { startFolder_ = folder; }
  // Run on every yield, before events are processed: the window re-reads the Controls.
  void setOnYield(std::function<void()> f) { onYield_ = std::move(f); }
  // Right-click help: the window shows the help at a topic.
  void setOnHelp(std::function<void(int)> f) { onHelp_ = std::move(f); }
  void eruptHelp(int topic) override {
    if (onHelp_) onHelp_(topic);
  }
  // Run at most about 60 times a second from yield: the window repaints the profile.
  void setOnRepaint(std::function<void()> f) { onRepaint_ = std::move(f); }
  // An extra hook for tests and scripted runs, called after the window's own.
  void setYieldHook(std::function<void()> f) { hook_ = std::move(f); }

  void yield() override;
  void frameDone() override;
  void sleepMs(int ms) override;
  double secondsSinceMidnight() override;
  double monotonicSeconds() override;
  Canvas& profile() override { return profile_; }

  void message(std::string_view text, MsgIcon icon, std::string_view title) override;
  bool askYesNo(std::string_view text, MsgIcon icon, std::string_view title) override;
  Answer askYesNoCancel(std::string_view text, MsgIcon icon, std::string_view title) override;
  std::optional<std::string> inputBox(std::string_view prompt, std::string_view title,
                                      std::string_view defaultText) override;
  std::optional<int> chooseItem(std::string_view prompt, std::string_view title, const std::vector<std::string>& items,
                                int current) override;
  std::optional<std::string> openFileName(const FileDialog& d) override;
  std::optional<std::string> saveFileName(const FileDialog& d) override;
  std::optional<TerrainGrid> readTerrain(const std::string& path) override;
  void writeTerrain(const std::string& path, const TerrainGrid& g, TerrainFormat format) override;
  std::optional<ProfileLine> chooseProfileLine(const TerrainGrid& g, const ProfileLine& proposal) override;
  void busyPointer(bool busy) override;
  void captureProfile(const std::string& folder) override;
  void inhibitScreenSaver(bool on) override;
  void soundPlay(const std::string& wavPath, bool loop) override;
  void soundStop() override;
  void setSoundVolume(int percent) override;
  // False on a machine without an audio output; sound requests are then ignored.
  bool soundAvailable() const { return sound_.available(); }
  void later(int ms, std::function<void()> f) override;
  // The viewer is the program `viewer` reading `image`; it keeps running when Magmo ends.
  void setViewer(const QString& viewer, const QString& image) {
    viewerProgram_ = viewer;
    viewerImage_ = image;
  }
  bool startViewer() override;
  void closeViewer() override;

  static constexpr int kRepaintIntervalMs = 16;
  static constexpr int kMinFrameMs = 2;

 private:
  std::optional<std::string> fileName(const FileDialog& d, bool save);

  QtCanvas& profile_;
  QWidget* parent_ = nullptr;
  ScreenSaverInhibitor screenSaver_;
  std::function<void()> onYield_, onRepaint_, hook_;
  std::function<void(int)> onHelp_;
  QElapsedTimer sinceRepaint_, sinceFrame_, sinceStart_;
  bool busy_ = false;
  QString startFolder_;
  QString viewerProgram_, viewerImage_;
  std::unique_ptr<QProcess> viewer_;
  SoundPlayer sound_;
};

}  // namespace magmo
