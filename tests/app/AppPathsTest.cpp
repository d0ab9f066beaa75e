// The user's data folder: chosen, created, remembered and filled with the factory files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/AppPaths.h"

namespace magmo {
namespace {

void writeFile(const QString& path, const QByteArray& content) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(content);
}

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DataFolderTest : public ::testing::Test {
 protected:
  DataFolderTest() {
    QDir().mkpath(root.filePath("res/Files"));
    writeFile(root.filePath("res/Files/Magmo3.str"), "factory");
    writeFile(root.filePath("res/Files/MagmoDemo.rec"), "demo");
    writeFile(root.filePath("res/Files/ReadMe.TXT"), "notes");
    resources = root.filePath("res").toStdString() + "/";
    documents = root.filePath("Documents");
  }
  std::string prepare() { return prepareDataFolder(settings, resources, documents); }

  QTemporaryDir root;
  MemorySettings settings;
  std::string resources;
  QString documents;
};

TEST_F(DataFolderTest, FirstStartMakesTheFolderUnderDocumentsAndFillsIt) {
  const std::string data = prepare();
  EXPECT_EQ(data, documents.toStdString() + "/Plovk/Magmo3/");
  EXPECT_EQ(settings.read(kSettingsSection, "DataPath", ""), data);
  const QString folder = QString::fromStdString(data);
  EXPECT_EQ(readFile(folder + "Magmo3.str"), "factory");
  EXPECT_EQ(readFile(folder + "MagmoDemo.rec"), "demo");
  EXPECT_FALSE(QFile::exists(folder + "ReadMe.TXT"));
}

TEST_F(DataFolderTest, FactoryFilesReplaceTheUsersCopiesButNothingElse) {
  const QString folder = QString::fromStdString(prepare());
  writeFile(folder + "Magmo3.str", "changed by the user");
  writeFile(folder + "Mine.str", "the user's own");
  EXPECT_EQ(prepare(), folder.toStdString());
  EXPECT_EQ(readFile(folder + "Magmo3.str"), "factory");
  EXPECT_EQ(readFile(folder + "Mine.str"), "the user's own");
}

TEST_F(DataFolderTest, AStoredFolderIsKeptAndADeletedOneReplaced) {
  QDir().mkpath(root.filePath("elsewhere"));
  settings.save(kSettingsSection, "DataPath", root.filePath("elsewhere").toStdString());
  EXPECT_EQ(prepare(), root.filePath("elsewhere").toStdString() + "/");
  EXPECT_TRUE(QFile::exists(root.filePath("elsewhere/Magmo3.str")));

  settings.save(kSettingsSection, "DataPath", root.filePath("deleted").toStdString() + "/");
  EXPECT_EQ(prepare(), documents.toStdString() + "/Plovk/Magmo3/");
  EXPECT_TRUE(QDir(documents + "/Plovk/Magmo3").exists());
}

TEST_F(DataFolderTest, WithoutDocumentsTheFactoryFolderIsUsedAsItIs) {
  documents.clear();
  EXPECT_EQ(prepare(), resources + "Files/");
  EXPECT_TRUE(QFile::exists(root.filePath("res/Files/ReadMe.TXT")));
}

}  // namespace
}  // namespace magmo
