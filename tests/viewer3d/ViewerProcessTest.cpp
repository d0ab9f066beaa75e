// Runs magmo3dview as the main program would, with its own home folder: the settings
// handshake, the height image on screen, reloads and the ways it is closed.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <cmath>
#include <functional>

namespace {

const QString kCaption = "Magmo 3D View";

// A 180 x 90 grey cone of the given peak on black water, as the main program exports it.
void writeCone(const QString& path, int peak) {
  QImage image(180, 90, QImage::Format_RGB32);
  for (int z = 0; z < 90; ++z)
    for (int x = 0; x < 180; ++x) {
      const double d = std::hypot(x - 90.0, z - 45.0) / 40.0;
      const int g = d >= 1 ? 0 : int(std::lround(peak * (1 - d)));
      image.setPixel(x, z, qRgb(g, g, g));
    }
  QDir().mkpath(QFileInfo(path).path());
  ASSERT_TRUE(image.save(path, "BMP"));
}

class ViewerProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    QDir(home_.path()).mkdir("run");
    QFile::setPermissions(path("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home_.path());
    env.insert("XDG_CONFIG_HOME", home_.path() + "/config");
    env.insert("XDG_DATA_HOME", home_.path() + "/data");
    env.insert("XDG_RUNTIME_DIR", home_.path() + "/run");
    viewer_.setProcessEnvironment(env);
  }
  void TearDown() override {
    if (viewer_.state() != QProcess::NotRunning) {
      viewer_.kill();
      viewer_.waitForFinished(5000);
    }
  }

  QString path(const QString& name) const { return home_.path() + "/" + name; }
  QString workImage() const { return path("data/MagmoTest/Viewer/Magmo3D.ebm"); }

  void start(QStringList args) {
    args.prepend("/open");
    args << "--settings-org" << "MagmoTest" << "--settings-app" << "Viewer";
    output_.clear();
    viewer_.start(VIEWER_PROGRAM, args);
    ASSERT_TRUE(viewer_.waitForStarted(5000));
  }

  // Runs a --snapshot and returns its picture (null when none was written).
  QImage snapshot(QStringList args, const QString& png) {
    start(args << "--snapshot" << png);
    EXPECT_TRUE(viewer_.waitForFinished(30000));
    output_ += viewer_.readAllStandardOutput();
    expectCleanExit();
    return QImage(png);
  }
  void expectCleanExit() {
    EXPECT_EQ(viewer_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(viewer_.exitCode(), 0) << viewer_.readAllStandardError().toStdString();
  }

  // Collects what the viewer prints until done() holds (true) or the time is up.
  bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
      if (t.elapsed() > ms) return false;
      viewer_.waitForReadyRead(20);  // without an event loop only this moves the pipe's bytes
      output_ += viewer_.readAllStandardOutput();
    }
    return true;
  }
  bool waitForOutput(const QString& text, int ms) { return waitFor([&] { return output_.contains(text); }, ms); }
  void collect(int ms) { waitFor([] { return false; }, ms); }

  // The settings file as the main program sees it (a fresh store each time, like another process).
  QString setting(const QString& key) {
    return QSettings(path("config/MagmoTest/Viewer.ini"), QSettings::IniFormat).value("Magmo3/Topo3D/" + key).toString();
  }
  void setSetting(const QString& key, const QString& value) {
    QSettings(path("config/MagmoTest/Viewer.ini"), QSettings::IniFormat).setValue("Magmo3/Topo3D/" + key, value);
  }

  QTemporaryDir home_;
  QProcess viewer_;
  QString output_;
};

TEST_F(ViewerProcess, SnapshotDrawsTheWorkFolderImageAndAnEmptySurfaceWhenTheImageIsMissing) {
  writeCone(workImage(), 200);
  const QImage cone = snapshot({}, path("cone.png"));
  EXPECT_TRUE(output_.contains("loaded " + workImage() + ": 180 x 90, highest 200")) << output_.toStdString();
  ASSERT_FALSE(cone.isNull());
  QSet<QRgb> colours;
  for (int y = 0; y < cone.height(); y += 2)
    for (int x = 0; x < cone.width(); x += 2) colours.insert(cone.pixel(x, y));
  EXPECT_GT(colours.size(), 50);

  const QImage empty = snapshot({"--image", path("missing.ebm")}, path("empty.png"));
  EXPECT_TRUE(output_.contains("empty surface: " + path("missing.ebm") + " does not exist")) << output_.toStdString();
  ASSERT_EQ(empty.size(), cone.size());
  // The surface itself must show: the axes and walls alone are common to both pictures.
  int differing = 0;
  for (int y = 0; y < cone.height(); ++y)
    for (int x = 0; x < cone.width(); ++x) differing += cone.pixel(x, y) != empty.pixel(x, y);
  EXPECT_GT(differing, cone.width() * cone.height() / 50);
  EXPECT_EQ(setting("Caption"), "Closed");
}

// Terminated, the viewer writes "Closed" for the main program; a "Closed" caption from the main
// program closes it.
TEST_F(ViewerProcess, ReloadsANewImageOnlyOnceNewFileIsTrueAndBothSidesCanClose) {
  writeCone(path("topo.ebm"), 200);
  start({"--image", path("topo.ebm")});
  ASSERT_TRUE(waitForOutput("highest 200", 20000)) << output_.toStdString();
  ASSERT_TRUE(waitFor([&] { return setting("Caption") == kCaption; }, 5000));

  // The main program is still writing: the viewer must keep the old surface.
  setSetting("NewFile", "False");
  writeCone(path("topo.ebm"), 120);
  collect(500);
  EXPECT_EQ(output_.count("loaded"), 1) << output_.toStdString();

  // Two polls when idle; a loaded machine rendering in software can take seconds.
  setSetting("NewFile", "True");
  ASSERT_TRUE(waitForOutput("highest 120", 10000)) << output_.toStdString();
  collect(300);  // the same file is not read again while NewFile stays True
  EXPECT_EQ(output_.count("loaded"), 2) << output_.toStdString();

  viewer_.terminate();
  ASSERT_TRUE(viewer_.waitForFinished(5000));
  expectCleanExit();
  EXPECT_EQ(setting("Caption"), "Closed");

  start({"--image", path("missing.ebm")});
  ASSERT_TRUE(waitFor([&] { return setting("Caption") == kCaption; }, 20000));
  setSetting("Caption", "Closed");
  ASSERT_TRUE(viewer_.waitForFinished(5000));
  expectCleanExit();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // QProcess's notifiers need one
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
