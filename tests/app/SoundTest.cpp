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
#include <vector>

#include "app/SoundPlayer.h"

namespace magmo {
namespace {

const QString kSounds = QStringLiteral(MAGMO_TEST_DATA_DIR "/Sounds/");

struct Wav {
  std::vector<int> format;  // tag, channels, rate, bits
  std::vector<int> samples;
};

// A WAV file as the generator writes it: the plain 44-byte header, then samples up to the end.
Wav readWav(const QString& path) {
  QFile f(path);
  const QByteArray b = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  const auto* p = reinterpret_cast<const uchar*>(b.constData());
  Wav w;
  if (b.size() < 44 || b.left(4) != "RIFF" || b.mid(8, 8) != "WAVEfmt " || b.mid(36, 4) != "data" ||
      qFromLittleEndian<quint32>(p + 40) != b.size() - 44)
    return w;
  w.format = {qFromLittleEndian<quint16>(p + 20), qFromLittleEndian<quint16>(p + 22),
              int(qFromLittleEndian<quint32>(p + 24)), qFromLittleEndian<quint16>(p + 34)};
  for (qsizetype i = 44; i + 1 < b.size(); i += 2) w.samples.push_back(qFromLittleEndian<qint16>(p + i));
  return w;
}

TEST(SoundFilesTest, EverySoundIsAQuietlyMasteredMonoWavAndLoopsJoinWithoutAClick) {
  struct Case { const char* names; bool looped; double minSeconds, maxSeconds, peakDb; };
  const Case cases[] = {
      {"Stromb Lava Dome Plinian Surge Collapse Fault Erode Dikeint Dikecool", true, 1.5, 3.5, -3},
      {"Fumarole", true, 1.5, 3.5, -6}, {"Off", false, 0.1, 0.6, -6}, {"Closing", false, 0.8, 1.6, -6},
      {"Maximize Minimize RestoreUp RestoreDown", false, 0.1, 0.4, -6}};
  const auto dbfs = [](double v) { return 20 * std::log10(std::max(v, 1e-9) / 32768.0); };
  for (const Case& c : cases)
    for (const QString& name : QString(c.names).split(' ')) {
      SCOPED_TRACE(name.toStdString());
      const Wav wav = readWav(kSounds + name + ".wav");
      EXPECT_EQ(wav.format, (std::vector{1, 1, 22050, 16})) << "16-bit PCM mono at 22050 Hz";
      const std::vector<int>& s = wav.samples;
      ASSERT_GT(s.size(), 800u);
      const double seconds = s.size() / 22050.0;
      EXPECT_TRUE(seconds >= c.minSeconds && seconds <= c.maxSeconds) << seconds << " s";
      double peak = 0, sum = 0, squares = 0;
      for (double v : s) {
        peak = std::max(peak, std::abs(v));
        sum += v;
        squares += v * v;
      }
      EXPECT_NEAR(dbfs(peak), c.peakDb, 0.5);  // neither clipped nor too loud for a classroom
      EXPECT_GT(dbfs(std::sqrt(squares / s.size())), -32.0) << "nearly silent";
      EXPECT_LT(std::abs(sum / s.size()), 0.005 * 32768) << "DC offset";
      // A loop's seam jumps no more than the signal steps within 400 samples either side of it;
      // a one-shot fades in and out, so it neither starts nor ends with a click.
      int nearStep = 0;
      for (size_t i = 0; i + 1 < s.size(); ++i)
        if (i + 1 < 400 || i >= s.size() - 400) nearStep = std::max(nearStep, std::abs(s[i + 1] - s[i]));
      if (c.looped)
        EXPECT_LE(std::abs(s.front() - s.back()), nearStep) << "click at the loop seam";
      else
        EXPECT_LE(std::max(std::abs(s.front()), std::abs(s.back())), 100) << "click at an end";
    }
}

TEST(SoundPlayerTest, OneSoundAtATimeALoopAskedAgainGoesOnFilesLoadedOnceAndNothingWithoutAnOutput) {
  EXPECT_EQ(SoundPlayer().available(), !QMediaDevices::audioOutputs().isEmpty());
  // Told it is available, the player makes its effects even where no device sounds them; the
  // unavailable one stands for a machine without audio whatever this one has.
  SoundPlayer player(true), quiet(false);
  struct Step { const char* file; bool loop; const char* current; int starts; };  // current "": nothing plays
  const Step steps[] = {{"Stromb.wav", true, "Stromb.wav", 1}, {"Lava.wav", true, "Lava.wav", 2},
                        {"Lava.wav", true, "Lava.wav", 2},     {"Lava.wav", false, "Lava.wav", 3},
                        {"Lava.wav", true, "Lava.wav", 4},     {"Off.wav", false, "Off.wav", 5},
                        {"NoSuchSound.wav", false, "", 5},     {".", false, "", 5},
                        {"Fault.wav", true, "Fault.wav", 6}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.file);
    player.play(kSounds + s.file, s.loop);
    quiet.play(kSounds + s.file, s.loop);
    EXPECT_EQ(player.current(), *s.current ? kSounds + s.current : QString());
    EXPECT_EQ(player.starts(), s.starts);
  }
  player.stop();
  EXPECT_TRUE(player.current().isEmpty());
  EXPECT_EQ(player.cachedEffects(), 4);
  EXPECT_TRUE(quiet.current().isEmpty() && quiet.cachedEffects() == 0 && quiet.starts() == 0);
  // Lets Qt's sample loader finish while the application still exists; it warns at exit otherwise.
  for (int i = 0; i < 10; ++i) {
    QThread::msleep(10);
    QCoreApplication::processEvents();
  }
}

TEST(SoundPlayerTest, VolumeFollowsASquareLawOnAClampedPercent) {
  const std::pair<int, float> cases[] = {{-5, 0.0f}, {0, 0.0f}, {20, 0.04f}, {50, 0.25f}, {100, 1.0f}, {150, 1.0f}};
  for (const auto& [percent, gain] : cases) EXPECT_FLOAT_EQ(SoundPlayer::gain(percent), gain) << percent;
}

}  // namespace
}  // namespace magmo
