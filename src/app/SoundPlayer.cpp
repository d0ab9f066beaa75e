#include "app/SoundPlayer.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <algorithm>

namespace magmo {

SoundPlayer::SoundPlayer() : SoundPlayer(!QMediaDevices::audioOutputs().isEmpty()) {}

SoundPlayer::SoundPlayer(bool available) : available_(available) {}

SoundPlayer::~SoundPlayer() = default;

float SoundPlayer::gain(int percent) {
  // Square law: loudness follows the slider more evenly than a linear gain would.
  const float f = static_cast<float>(std::clamp(percent, 0, 100)) / 100.0f;
  return f * f;
}

QSoundEffect* SoundPlayer::effect(const QString& wavPath) {
  if (auto found = effects_.find(wavPath); found != effects_.end()) return found->second.get();
  const QFileInfo file(wavPath);
  if (!file.isFile() || !file.isReadable()) return nullptr;
  auto made = std::make_unique<QSoundEffect>();
  made->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
  made->setVolume(gain_);
  return effects_.emplace(wavPath, std::move(made)).first->second.get();
}

void SoundPlayer::play(const QString& wavPath, bool loop) {
  if (!available_) return;
  if (loop && currentLoops_ && wavPath == current_) return;
  stop();
  QSoundEffect* e = effect(wavPath);
  if (!e) return;
  e->setLoopCount(loop ? QSoundEffect::Infinite : 1);
  e->play();  // before loading has finished, the effect starts once loaded
  ++starts_;
  current_ = wavPath;
  currentLoops_ = loop;
}

void SoundPlayer::stop() {
  if (auto found = effects_.find(current_); found != effects_.end()) found->second->stop();
  current_.clear();
  currentLoops_ = false;
}

void SoundPlayer::setVolume(int percent) {
  gain_ = gain(percent);
  for (auto& [path, e] : effects_) e->setVolume(gain_);
}

}  // namespace magmo
