#pragma once
// Plays Magmo's WAV sounds on the default audio output, one at a time.
#include <QString>
#include <map>
#include <memory>

class QSoundEffect;

namespace magmo {

class SoundPlayer {
 public:
  // Available when the system lists an audio output.
  SoundPlayer();
  // Takes availability as given; an unavailable player never creates an effect.
  explicit SoundPlayer(bool available);
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  bool available() const { return available_; }
  // Replaces whatever plays; a looped sound goes on until the next play or stop. Asking
  // again for the loop already playing leaves it running. A missing file plays nothing.
  void play(const QString& wavPath, bool loop);
  void stop();
  void setVolume(int percent);

  // The file started last, empty once stopped or when the last request found no file.
  const QString& current() const { return current_; }
  int cachedEffects() const { return static_cast<int>(effects_.size()); }
  // How many times an effect was started.
  int starts() const { return starts_; }
  // The effect's linear gain for a volume in percent.
  static float gain(int percent);

 private:
  QSoundEffect* effect(const QString& wavPath);

  bool available_;
  float gain_ = 1.0f;
  QString current_;
  bool currentLoops_ = false;
  int starts_ = 0;
  std::map<QString, std::unique_ptr<QSoundEffect>> effects_;
};

}  // namespace magmo
