// The user's data folder: chosen, created, remembered and filled with the factory files.
#include "app/AppPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace magmo {
namespace {

void writeFile(const QString& path, const QByteArray& content) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
}

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DataFolderTest : public ::testing::Test {
 protected:
  DataFolderTest() {
    QDir().mkpath(root.filePath("res/Files"));
    for (auto [name, text] : {std::pair{"Magmo3.str", "factory"}, {"MagmoDemo.rec", "demo"}, {"ReadMe.TXT", "notes"}})
      writeFile(root.filePath("res/Files/") + name, text);
  }
  std::string prepare() { return prepareDataFolder(settings, resources, documents); }
  QTemporaryDir root;
  MemorySettings settings;
  std::string resources = root.filePath("res").toStdString() + "/";
  QString documents = root.filePath("Documents");
};

TEST_F(DataFolderTest, FirstStartMakesTheFolderAndFactoryFilesReplaceOnlyTheirOwnCopies) {
  const std::string data = prepare();
  EXPECT_EQ(data, documents.toStdString() + "/Plovk/Magmo3/");
  EXPECT_EQ(settings.read(kSettingsSection, "DataPath", ""), data);
  const QString folder = QString::fromStdString(data);
  EXPECT_EQ(readFile(folder + "MagmoDemo.rec"), "demo");
  EXPECT_FALSE(QFile::exists(folder + "ReadMe.TXT"));
  writeFile(folder + "Magmo3.str", "changed by the user");
  writeFile(folder + "Mine.str", "the user's own");
  EXPECT_EQ(prepare(), data);  // the next start
  EXPECT_EQ(readFile(folder + "Magmo3.str"), "factory");
  EXPECT_EQ(readFile(folder + "Mine.str"), "the user's own");
}

TEST_F(DataFolderTest, AStoredFolderIsKeptADeletedOneReplacedAndWithoutDocumentsTheFactoryOneUsed) {
  QDir().mkpath(root.filePath("elsewhere"));
  settings.save(kSettingsSection, "DataPath", root.filePath("elsewhere").toStdString());
  EXPECT_EQ(prepare(), root.filePath("elsewhere").toStdString() + "/");
  EXPECT_TRUE(QFile::exists(root.filePath("elsewhere/Magmo3.str")));
  settings.save(kSettingsSection, "DataPath", root.filePath("deleted").toStdString() + "/");  // gone since
  EXPECT_EQ(prepare(), documents.toStdString() + "/Plovk/Magmo3/");
  EXPECT_TRUE(QDir(documents + "/Plovk/Magmo3").exists());
  settings.save(kSettingsSection, "DataPath", "");
  documents.clear();  // a system without a documents folder
  EXPECT_EQ(prepare(), resources + "Files/");
  EXPECT_TRUE(QFile::exists(root.filePath("res/Files/ReadMe.TXT")));  // the factory folder as it is
}

}  // namespace
}  // namespace magmo
