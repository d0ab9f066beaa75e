// Saves: what they may write over, what they refuse, and what they leave behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/FileTestSupport.h"
#include "textio/ReplaceFile.h"

namespace magmo {
namespace {

namespace fs = std::filesystem;
using test::slurp;
using test::spit;

std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ReplaceFile, ARegularFileIsReplacedWithItsPermissionsAndALinkIsWrittenThrough) {
  test::TempDir dir;
  const std::string file = dir.path("a.str"), link = dir.path("link.str"), chain = dir.path("chain.str");
  spit(file, "old");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  replaceFile(file, "new");
  EXPECT_EQ(slurp(file), "new");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

  fs::create_symlink("a.str", link);  // relative, as users make them
  fs::create_symlink(link, chain);
  replaceFile(chain, "through");
  EXPECT_TRUE(fs::is_symlink(link) && fs::is_symlink(chain));
  EXPECT_EQ(slurp(file), "through");

  fs::create_symlink("missing.str", dir.path("dangling.str"));
  replaceFile(dir.path("dangling.str"), "made");
  EXPECT_EQ(slurp(dir.path("missing.str")), "made");
  EXPECT_EQ(namesIn(dir.folder()),
            (std::vector<std::string>{"a.str", "chain.str", "dangling.str", "link.str", "missing.str"}));
}

TEST(ReplaceFile, WhatIsNotAWritableRegularFileIsRefusedByTheNameGivenAndLeftAsItWas) {
  test::TempDir dir;
  spit(dir.path("locked.str"), "keep");
  fs::permissions(dir.path("locked.str"), fs::perms::owner_read | fs::perms::group_read);
  ASSERT_EQ(mkfifo(dir.path("pipe").c_str(), 0644), 0);
  fs::create_directory(dir.path("folder.str"));
  fs::create_symlink("locked.str", dir.path("to-locked.str"));
  const struct {
    std::string name, why;
  } refused[] = {
      {"locked.str", "the file is read-only"},
      {"to-locked.str", "the file is read-only"},
      {"pipe", "it is not a regular file"},
      {"folder.str", "it is a folder"},
      {"nowhere/x.str", "the folder '" + dir.path("nowhere") + "' does not exist"},
  };
  const std::vector<std::string> before = namesIn(dir.folder());
  for (const auto& r : refused) {
    SCOPED_TRACE(r.name);
    EXPECT_TRUE(test::refusedWith([&] { replaceFile(dir.path(r.name), "new"); },
                                  "Cannot write '" + dir.path(r.name) + "': " + r.why));
  }
  EXPECT_EQ(slurp(dir.path("locked.str")), "keep");
  EXPECT_TRUE(fs::is_fifo(dir.path("pipe")));
  EXPECT_EQ(namesIn(dir.folder()), before);  // no temporary file left behind
}

}  // namespace
}  // namespace magmo
