// magmo3dview /open [--image PATH] [--settings-org O --settings-app A] [--snapshot PNG]
// Shows the main program's exported height image in 3-D. By default it uses the main
// program's settings and work folder; --snapshot renders one picture and quits.
#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>

#include "QuitOnSignal.h"
#include "ViewerWindow.h"

namespace {
QString option(QStringList& args, const QString& name) {
  const qsizetype i = args.indexOf(name);
  if (i < 0 || i + 1 >= args.size()) return {};
  const QString value = args[i + 1];
  args.remove(i, 2);
  return value;
}

// The main program's work folder, found the same way it finds it.
QString workFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  if (folder.isEmpty()) folder = QDir::tempPath() + "/Magmo3";
  return folder;
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QStringList args = QApplication::arguments().mid(1);
  ViewerOptions options;
  if (QString org = option(args, "--settings-org"); !org.isEmpty()) options.settingsOrg = org;
  if (QString name = option(args, "--settings-app"); !name.isEmpty()) options.settingsApp = name;
  // The folder names follow the settings names, as in the main program.
  QApplication::setOrganizationName(options.settingsOrg);
  QApplication::setApplicationName(options.settingsApp);
  options.imagePath = option(args, "--image");
  if (options.imagePath.isEmpty()) options.imagePath = workFolder() + "/Magmo3D.ebm";
  const QString snapshot = option(args, "--snapshot");

  QuitOnSignal quitOnSignal;
  ViewerWindow window(options);
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &ViewerWindow::markClosed);
  window.show();
  if (!snapshot.isEmpty()) {
    // Leave the graph time for its first frame before rendering it again off screen.
    QTimer::singleShot(500, &window, [&] { QCoreApplication::exit(window.savePicture(snapshot) ? 0 : 1); });
  }
  return QApplication::exec();
}
