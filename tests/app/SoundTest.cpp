// The synthesised sounds as the program reads them, and the player's rules.
#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

#include "app/SoundPlayer.h"

namespace magmo {
namespace {

const QString kSounds = QStringLiteral(MAGMO_TEST_DATA_DIR "/Sounds/");

struct Wav {
  int format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<int> samples;
};

// Walks the RIFF chunks; nullopt for anything that is not a complete WAV file.
std::optional<Wav> readWav(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray b = f.readAll();
  const auto* p = reinterpret_cast<const uchar*>(b.constData());
  if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE") return std::nullopt;
  Wav w;
  bool haveData = false;
  for (qsizetype at = 12; at + 8 <= b.size();) {
    const qsizetype len = qFromLittleEndian<quint32>(p + at + 4), body = at + 8;
    if (body + len > b.size()) return std::nullopt;
    if (b.mid(at, 4) == "fmt " && len >= 16) {
      w.format = qFromLittleEndian<quint16>(p + body);
      w.channels = qFromLittleEndian<quint16>(p + body + 2);
      w.rate = static_cast<int>(qFromLittleEndian<quint32>(p + body + 4));
      w.bits = qFromLittleEndian<quint16>(p + body + 14);
    } else if (b.mid(at, 4) == "data") {
      for (qsizetype i = 0; i + 1 < len; i += 2)
        w.samples.push_back(qFromLittleEndian<qint16>(p + body + i));
      haveData = true;
    }
    at = body + len + (len & 1);
  }
  if (!haveData) return std::nullopt;
  return w;
}

double dbfs(double v) { return 20 * std::log10(std::max(v, 1e-9) / 32768.0); }

TEST(SoundFilesTest, EverySoundIsAQuietlyMasteredMonoWavAndLoopsJoinWithoutAClick) {
  struct Case {
    const char* name;
    bool looped;
    double minSeconds, maxSeconds, peakDb;
  };
  const Case cases[] = {
      {"Stromb", true, 1.5, 3.5, -3},    {"Lava", true, 1.5, 3.5, -3},
      {"Dome", true, 1.5, 3.5, -3},      {"Plinian", true, 1.5, 3.5, -3},
      {"Surge", true, 1.5, 3.5, -3},     {"Fumarole", true, 1.5, 3.5, -6},
      {"Collapse", true, 1.5, 3.5, -3},  {"Fault", true, 1.5, 3.5, -3},
      {"Erode", true, 1.5, 3.5, -3},     {"Dikeint", true, 1.5, 3.5, -3},
      {"Dikecool", true, 1.5, 3.5, -3},  {"Off", false, 0.1, 0.6, -6},
      {"Closing", false, 0.8, 1.6, -6},  {"Maximize", false, 0.1, 0.4, -6},
      {"Minimize", false, 0.1, 0.4, -6}, {"RestoreUp", false, 0.1, 0.4, -6},
      {"RestoreDown", false, 0.1, 0.4, -6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<Wav> wav = readWav(kSounds + c.name + ".wav");
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->format, 1);  // PCM
    EXPECT_EQ(wav->channels, 1);
    EXPECT_EQ(wav->bits, 16);
    EXPECT_EQ(wav->rate, 22050);
    const std::vector<int>& s = wav->samples;
    const double seconds = static_cast<double>(s.size()) / 22050;
    EXPECT_GE(seconds, c.minSeconds);
    EXPECT_LE(seconds, c.maxSeconds);
    ASSERT_GT(s.size(), 800u);

    double peak = 0, sum = 0, squares = 0;
    for (int v : s) {
      peak = std::max(peak, std::abs(static_cast<double>(v)));
      sum += v;
      squares += static_cast<double>(v) * v;
    }
    EXPECT_NEAR(dbfs(peak), c.peakDb, 0.5);  // neither clipped nor too loud for a classroom
    EXPECT_GT(dbfs(std::sqrt(squares / s.size())), -32.0) << "nearly silent";
    EXPECT_LT(std::abs(sum / s.size()), 0.005 * 32768) << "DC offset";

    if (c.looped) {
      // Wrapping from the last sample to the first jumps no more than the signal steps
      // anywhere within 400 samples either side of the seam.
      int nearStep = 0;
      auto widen = [&](size_t from, size_t to) {
        for (size_t i = from; i + 1 < to; ++i) nearStep = std::max(nearStep, std::abs(s[i + 1] - s[i]));
      };
      widen(s.size() - 400, s.size());
      widen(0, 400);
      EXPECT_LE(std::abs(s.front() - s.back()), nearStep) << "click at the loop seam";
    } else {
      // A one-shot fades in and out, so it neither starts nor ends with a click.
      EXPECT_LE(std::abs(s.front()), 100);
      EXPECT_LE(std::abs(s.back()), 100);
    }
  }
}

TEST(SoundPlayerTest, WithoutAnOutputDeviceNothingIsCreatedOrPlayed) {
  const SoundPlayer probed;
  EXPECT_EQ(probed.available(), !QMediaDevices::audioOutputs().isEmpty());

  // The unavailable player stands for a machine without audio whatever this one has.
  SoundPlayer quiet(false);
  quiet.setVolume(40);
  quiet.play(kSounds + "Stromb.wav", true);
  EXPECT_TRUE(quiet.current().isEmpty());
  quiet.play(kSounds + "Off.wav", false);
  quiet.stop();
  quiet.play(kSounds + "Maximize.wav", false);
  EXPECT_EQ(quiet.cachedEffects(), 0);
  EXPECT_EQ(quiet.starts(), 0);
  EXPECT_TRUE(quiet.current().isEmpty());
}

TEST(SoundPlayerTest, OneSoundAtATimeEachFileLoadedOnceAndMissingFilesIgnored) {
  // Told it is available, the player makes its effects even where no device sounds them.
  SoundPlayer player(true);
  player.play(kSounds + "Stromb.wav", true);
  player.play(kSounds + "Lava.wav", true);
  EXPECT_EQ(player.current(), kSounds + "Lava.wav");
  player.play(kSounds + "Lava.wav", true);  // the loop already playing goes on
  EXPECT_EQ(player.starts(), 2);
  player.play(kSounds + "Off.wav", false);
  player.play(kSounds + "Off.wav", false);
  player.play(kSounds + "Stromb.wav", true);
  EXPECT_EQ(player.current(), kSounds + "Stromb.wav");
  EXPECT_EQ(player.starts(), 5);
  EXPECT_EQ(player.cachedEffects(), 3);

  for (const QString& notASound : {kSounds + "NoSuchSound.wav", kSounds}) {
    player.play(notASound, false);
    EXPECT_TRUE(player.current().isEmpty());
  }
  player.play(kSounds + "Fault.wav", true);
  player.stop();
  EXPECT_TRUE(player.current().isEmpty());
  EXPECT_EQ(player.cachedEffects(), 4);
  // Lets Qt's sample loader finish while the application still exists; it warns at exit otherwise.
  for (int i = 0; i < 10; ++i) {
    QThread::msleep(10);
    QCoreApplication::processEvents();
  }
}

TEST(SoundPlayerTest, VolumeFollowsASquareLawOnAClampedPercent) {
  const std::pair<int, float> cases[] = {{0, 0.0f},   {20, 0.04f}, {50, 0.25f},
                                         {100, 1.0f}, {150, 1.0f}, {-5, 0.0f}};
  for (const auto& [percent, gain] : cases) {
    SCOPED_TRACE(percent);
    EXPECT_FLOAT_EQ(SoundPlayer::gain(percent), gain);
  }
}

}  // namespace
}  // namespace magmo
