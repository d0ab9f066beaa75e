// The desktop program: one main window around one simulation.
#include <QApplication>
#include <QSplashScreen>
#include <QStandardPaths>
#include <QStringList>
#include <QTimer>

#include "app/DesktopSim.h"
#include "app/MainWindow.h"
#include "app/QtSettings.h"
#include "app/SingleInstance.h"
#include "app/SplashPicture.h"
#include "textio/PendingFiles.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  magmo::pendingFiles::tidyOnSignals();
  QApplication::setOrganizationName("Plovk");
  QApplication::setApplicationName("Magmo3");
  magmo::SingleInstance instance;
  if (!instance.claim()) return 0;  // the running one was asked to come to the front

  // "--close-after <ms>" closes the window by itself (smoke tests); the rest is the
  // command line whose characters 2 to 5 carry the start-up switches.
  QStringList args = QApplication::arguments().mid(1);
  int closeAfterMs = -1;
  if (const qsizetype i = args.indexOf("--close-after"); i >= 0 && i + 1 < args.size()) {
    closeAfterMs = args[i + 1].toInt();
    args.remove(i, 2);
  }

  QSplashScreen splash(magmo::splashPicture());
  splash.show();
  QApplication::processEvents();
  magmo::QtSettings settings;
  magmo::DesktopSim desktop(settings);
  magmo::MainWindow window(desktop);
  window.startUp(magmo::parseSwitches(args.join(' ').toStdString()),
                 QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), /*calibrate=*/true);
  window.show();
  splash.finish(&window);
  QObject::connect(&instance, &magmo::SingleInstance::activateRequested, &window, [&window] {
    if (window.isMinimized()) window.showNormal();
    window.raise();
    window.activateWindow();
  });
  if (closeAfterMs >= 0) QTimer::singleShot(closeAfterMs, &window, &QWidget::close);
  return QApplication::exec();
}
