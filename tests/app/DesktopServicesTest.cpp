// The desktop services: one running instance per user, later starts handing over to it, and the
// screen saver kept away through the session bus.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QUuid>
#include <memory>
#include <vector>

#include "app/ScreenSaverInhibitor.h"
#include "app/SingleInstance.h"

namespace magmo {
namespace {

// A running instance that counts the requests to come to the front.
struct Instance : SingleInstance {
  explicit Instance(const QString& name) : SingleInstance(name) {
    connect(this, &SingleInstance::activateRequested, [this] { ++activations; });
  }
  bool activatedOnce() {
    const QDeadlineTimer deadline(3000);
    while (activations == 0 && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return activations == 1;
  }
  int activations = 0;
};

// A crash leaves the socket file behind with nobody listening.
QString leaveDeadSocket(const QString& name) {
  QLocalServer probe;
  probe.listen(name);
  const QString path = probe.fullServerName(), aside = path + ".aside";
  QFile::rename(path, aside);  // out of the way of close(), which removes the file
  probe.close();
  QFile::rename(aside, path);
  return path;
}

TEST(SingleInstanceTest, ALaterStartHandsOverQuicklyUntilTheFirstIsGoneAndACrashBlocksNothing) {
  const QString name = "MagmoTest-" + QUuid::createUuid().toString(QUuid::Id128).left(12);
  const QString path = leaveDeadSocket(name);
  ASSERT_TRUE(QFile::exists(path)) << "no dead socket at " << path.toStdString();
  auto first = std::make_unique<Instance>(name);
  ASSERT_TRUE(first->claim());
  const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
  EXPECT_FALSE(QFile::permissions(path) & others) << "other users cannot knock";
  QElapsedTimer clock;
  clock.start();
  // The first cannot accept while this thread is busy: it stands for a hung instance.
  EXPECT_FALSE(SingleInstance(name).claim());
  EXPECT_LT(clock.elapsed(), SingleInstance::kTimeoutMs);
  EXPECT_TRUE(first->activatedOnce());

  first.reset();
  Instance next(name);
  EXPECT_TRUE(next.claim()) << "the name is free once the first has ended";
  EXPECT_TRUE(next.claim()) << "asked again, the holder goes on without knocking at its own door";
  EXPECT_FALSE(SingleInstance(name).claim()) << "and the new holder answers";
  EXPECT_TRUE(next.activatedOnce());
}

// Two users on one machine never meet.
TEST(SingleInstanceTest, TheDefaultNameIsTheProgramsAndDependsOnTheUser) {
  const QString mine = SingleInstance::defaultServerName();
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", home + "-someone-else");
  EXPECT_NE(SingleInstance::defaultServerName(), mine);
  qputenv("HOME", home);
  EXPECT_TRUE(mine.startsWith(QCoreApplication::applicationName() + '-')) << mine.toStdString();
}

}  // namespace

// Stands in for the desktop's screen-saver service and records what it was asked.
class FakeScreenSaver : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
 public:
  std::vector<QString> asked;
  std::vector<uint> released;
 public slots:
  Q_SCRIPTABLE uint Inhibit(const QString& app, const QString& reason) {
    asked.push_back(app + " / " + reason);
    return 7000 + 13 * uint(asked.size());  // the cookies 7013, 7026...
  }
  Q_SCRIPTABLE void UnInhibit(uint cookie) { released.push_back(cookie); }
};

namespace {

TEST(ScreenSaverTest, FailsQuicklyWithoutTheServiceThenInhibitsOnceAndReleasesItsOwnCookie) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  // The entry run under dbus-run-session must not pass by skipping.
  if (!bus.isConnected() && qEnvironmentVariableIsSet("MAGMO_REQUIRE_SESSION_BUS")) FAIL() << "no session bus";
  if (!bus.isConnected()) GTEST_SKIP() << "no session bus; the entry run under dbus-run-session covers this";
  const QString service = "org.freedesktop.ScreenSaver", path = "/org/freedesktop/ScreenSaver";
  if (bus.interface()->isServiceRegistered(service)) GTEST_SKIP() << "a screen-saver service already runs";
  FakeScreenSaver fake;
  {
    ScreenSaverInhibitor inhibitor;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(inhibitor.setInhibited(true) || inhibitor.inhibited());
    EXPECT_LT(clock.elapsed(), ScreenSaverInhibitor::kTimeoutMs);
    ASSERT_TRUE(bus.registerObject(path, &fake, QDBusConnection::ExportScriptableSlots) &&
                bus.registerService(service));
    EXPECT_TRUE(inhibitor.setInhibited(false)) << "nothing to release";
    EXPECT_TRUE(inhibitor.setInhibited(true) && inhibitor.setInhibited(true) && inhibitor.inhibited())
        << "tried again, asked once";
    EXPECT_EQ(fake.asked, std::vector<QString>{"Magmo / An eruption simulation is running"});
    EXPECT_TRUE(inhibitor.setInhibited(false) && inhibitor.setInhibited(false) && !inhibitor.inhibited());
    EXPECT_EQ(fake.released, std::vector<uint>{7013});
    EXPECT_TRUE(inhibitor.setInhibited(true));
  }
  EXPECT_EQ(fake.released, (std::vector<uint>{7013, 7026})) << "the destructor releases the second cookie";
  bus.unregisterService(service);  // the object went with the fake
}

}  // namespace
}  // namespace magmo

#include "DesktopServicesTest.moc"
