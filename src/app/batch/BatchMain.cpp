// magmo-batch: runs eruptions headless from the command line (see README).
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <iostream>

#include "app/AppPaths.h"
#include "app/batch/BatchOptions.h"
#include "app/batch/BatchRunner.h"
#include "textio/PendingFiles.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  for (const auto& a : args)
    if (a == "--help" || a == "-h") {
      std::cout << magmo::batch::usage() << '\n';
      return 0;
    }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Stderr is for the run's own messages; the off-screen platform's notices would only confuse.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QGuiApplication app(argc, argv);
  magmo::pendingFiles::tidyOnSignals();
  try {
    const magmo::batch::Options options = magmo::batch::parseOptions(args);
    QTemporaryDir work;
    if (!work.isValid()) throw magmo::batch::BatchError("cannot create a temporary folder");
    magmo::Paths paths;
    paths.resources = magmo::findResources(QCoreApplication::applicationDirPath());
    paths.dataPath = paths.resources + "Files/";
    paths.work = QDir(work.path()).absolutePath().toStdString() + "/";
    magmo::batch::BatchRunner runner(paths, std::cout);
    runner.run(options);
  } catch (const std::exception& e) {
    std::cerr << "magmo-batch: " << e.what() << '\n';
    return 2;
  }
  return 0;
}
