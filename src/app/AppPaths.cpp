#include "app/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "model/SimError.h"

namespace magmo {

namespace {

std::string withSlash(const QString& folder) {
  QString f = QDir::cleanPath(folder);
  if (!f.endsWith('/')) f += '/';
  return f.toStdString();
}

void makeFolder(const QString& folder) {
  if (!QDir().mkpath(folder)) throw SimError("Cannot create the folder " + folder.toStdString());
}

bool sameFolder(const std::string& a, const std::string& b) {
  return QFileInfo(QString::fromStdString(a)).absoluteFilePath() ==
         QFileInfo(QString::fromStdString(b)).absoluteFilePath();
}

// Every factory file except the *txt ones, replacing the user's copies of the same name.
void copyFactoryFiles(const QString& factory, const QString& target) {
  const QDir source(factory);
  for (const QString& name : source.entryList(QDir::Files)) {
    if (name.toLower().endsWith("txt")) continue;
    const QString to = target + name;
    if (QFile::exists(to)) QFile::remove(to);
    if (!QFile::copy(source.filePath(name), to)) throw SimError("Cannot copy " + name.toStdString());
  }
}

}  // namespace

std::string findResources(const QString& programDir) {
  const QString installed = programDir + "/../share/magmo3";
  if (QDir(installed).exists()) return withSlash(installed);
  return withSlash(QStringLiteral(MAGMO_BUILD_DATA_DIR));
}

std::string prepareDataFolder(SettingsStore& settings, const std::string& resources, const QString& documents) {
  std::string dataPath = settings.read(kSettingsSection, "DataPath", "");
  if (!dataPath.empty() && !QDir(QString::fromStdString(dataPath)).exists()) dataPath.clear();
  const std::string factory = resources + "Files/";
  if (dataPath.empty()) {
    if (documents.isEmpty()) {
      dataPath = factory;
    } else {
      makeFolder(documents + "/Plovk");
      dataPath = withSlash(documents + "/Plovk/Magmo3");
    }
    makeFolder(QString::fromStdString(dataPath));
    settings.save(kSettingsSection, "DataPath", dataPath);
  }
  dataPath = withSlash(QString::fromStdString(dataPath));
  if (!sameFolder(dataPath, factory)) {
    makeFolder(QString::fromStdString(dataPath));
    copyFactoryFiles(QString::fromStdString(factory), QString::fromStdString(dataPath));
  }
  return dataPath;
}

std::string workFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  if (folder.isEmpty()) folder = QDir::tempPath() + "/Magmo3";
  makeFolder(folder);
  return withSlash(folder);
}

}  // namespace magmo
