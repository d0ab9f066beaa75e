// The desktop services: one running instance per user, later starts handing over to it, and the
// screen saver kept away through the session bus.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QUuid>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/ScreenSaverInhibitor.h"
#include "app/SingleInstance.h"

namespace magmo {
namespace {

struct Instance {
  explicit Instance(const QString& name) : object(std::make_unique<SingleInstance>(name)) {
    QObject::connect(object.get(), &SingleInstance::activateRequested, [this] { ++activations; });
  }
  bool activatedOnce() {
    const QDeadlineTimer deadline(3000);
    while (activations == 0 && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return activations == 1;
  }
  std::unique_ptr<SingleInstance> object;
  int activations = 0;
};

// A crash leaves the socket file bound with nobody listening, at the path a probe finds.
QString leaveDeadSocket(const QString& name) {
  QLocalServer probe;
  if (!probe.listen(name)) return {};
  const QString path = probe.fullServerName();
  probe.close();
  sockaddr_un addr{.sun_family = AF_UNIX, .sun_path = {}};
  const QByteArray p = QFile::encodeName(path).left(sizeof addr.sun_path - 1);
  std::copy(p.begin(), p.end(), addr.sun_path);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  ::close(fd);
  return bound ? path : QString();
}

TEST(SingleInstanceTest, ALaterStartHandsOverQuicklyUntilTheFirstIsGoneAndACrashBlocksNothing) {
  const QString name = "MagmoTest-" + QUuid::createUuid().toString(QUuid::Id128).left(12);
  const QString path = leaveDeadSocket(name);
  ASSERT_TRUE(QFile::exists(path));
  Instance first(name);
  ASSERT_TRUE(first.object->claim());
  const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
  EXPECT_FALSE(QFile::permissions(path) & others) << "other users cannot knock";
  QElapsedTimer clock;
  clock.start();
  // The first cannot accept while this thread is busy: it stands for a hung instance.
  EXPECT_FALSE(Instance(name).object->claim());
  EXPECT_LT(clock.elapsed(), SingleInstance::kTimeoutMs);
  EXPECT_TRUE(first.activatedOnce());

  first.object.reset();
  Instance next(name);
  EXPECT_TRUE(next.object->claim()) << "the name is free once the first has ended";
  EXPECT_FALSE(Instance(name).object->claim()) << "and the new holder answers";
  EXPECT_TRUE(next.activatedOnce());
}

TEST(SingleInstanceTest, TheDefaultNameDependsOnTheUser) {
  const QString mine = SingleInstance::defaultServerName();
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", home + "-someone-else");
  const QString theirs = SingleInstance::defaultServerName();
  qputenv("HOME", home);
  EXPECT_NE(mine, theirs);
  EXPECT_TRUE(mine.startsWith(QCoreApplication::applicationName() + '-')) << mine.toStdString();
}

}  // namespace

// Stands in for the desktop's screen-saver service and records what it was asked.
class FakeScreenSaver : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
 public:
  std::vector<QString> asked;
  std::vector<uint> issued, released;
 public slots:
  Q_SCRIPTABLE uint Inhibit(const QString& app, const QString& reason) {
    asked.push_back(app + " / " + reason);
    issued.push_back(7001 + 13 * uint(issued.size()));
    return issued.back();
  }
  Q_SCRIPTABLE void UnInhibit(uint cookie) { released.push_back(cookie); }
};

namespace {

class ScreenSaverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!bus.isConnected()) {
      // The entry run under dbus-run-session must not pass by skipping.
      if (qEnvironmentVariableIsSet("MAGMO_REQUIRE_SESSION_BUS")) FAIL() << "no session bus";
      GTEST_SKIP() << "no session bus; the entry run under dbus-run-session covers this";
    }
    if (bus.interface()->isServiceRegistered(kService)) GTEST_SKIP() << "a screen-saver service already runs";
  }
  void TearDown() override {
    bus.unregisterObject(kPath);
    bus.unregisterService(kService);
  }
  void registerFake() {
    ASSERT_TRUE(bus.registerObject(kPath, &fake, QDBusConnection::ExportScriptableSlots));
    ASSERT_TRUE(bus.registerService(kService));
  }

  static constexpr char kService[] = "org.freedesktop.ScreenSaver";
  static constexpr char kPath[] = "/org/freedesktop/ScreenSaver";
  QDBusConnection bus = QDBusConnection::sessionBus();
  FakeScreenSaver fake;
};

TEST_F(ScreenSaverTest, InhibitsOnceAndReleasesItsOwnCookie) {
  registerFake();
  {
    ScreenSaverInhibitor inhibitor;
    EXPECT_TRUE(inhibitor.setInhibited(false)) << "nothing to release";
    EXPECT_TRUE(inhibitor.setInhibited(true) && inhibitor.setInhibited(true) && inhibitor.inhibited());
    EXPECT_EQ(fake.asked, std::vector<QString>{"Magmo / An eruption simulation is running"});
    EXPECT_TRUE(fake.released.empty());
    EXPECT_TRUE(inhibitor.setInhibited(false) && inhibitor.setInhibited(false) && !inhibitor.inhibited());
    EXPECT_EQ(fake.released, fake.issued);
    EXPECT_TRUE(inhibitor.setInhibited(true));
    ASSERT_EQ(fake.issued.size(), 2u);
  }
  EXPECT_EQ(fake.released, fake.issued) << "the destructor releases the second cookie";
}

TEST_F(ScreenSaverTest, WithoutTheServiceItFailsQuicklyAndTriesAgainNextTime) {
  QElapsedTimer clock;
  clock.start();
  ScreenSaverInhibitor inhibitor;
  EXPECT_FALSE(inhibitor.setInhibited(true) || inhibitor.inhibited());
  EXPECT_LT(clock.elapsed(), ScreenSaverInhibitor::kTimeoutMs);
  registerFake();
  EXPECT_TRUE(inhibitor.setInhibited(true));
}

}  // namespace
}  // namespace magmo

#include "DesktopServicesTest.moc"
