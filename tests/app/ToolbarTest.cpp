// The toolbar's stored layout read back whatever the file holds.
#include <gtest/gtest.h>

#include "app/ToolbarLayout.h"

namespace magmo {
namespace {

TEST(ToolbarLayoutTest, AStoredLayoutIsReadBackCleanAndNothingUsableGivesTheDefault) {
  const QStringList fallback = defaultToolbarLayout();
  EXPECT_EQ(fallback.count(kToolbarSeparator), 4);
  EXPECT_EQ(fallback.size() - 4, toolbarKeys().size());
  EXPECT_EQ(parseToolbarLayout(formatToolbarLayout(fallback)), fallback);
  const std::pair<const char*, QStringList> cases[] = {
      {"play, halt ,exit", {"play", "halt", "exit"}},
      {"|,new,|,|,bogus,new,save,|", {"new", "|", "save"}},  // stray separators, unknown keys, repeats
      {"", fallback},
      {"|,nothing,|", fallback}};
  for (const auto& [stored, expected] : cases) EXPECT_EQ(parseToolbarLayout(stored), expected) << stored;
}

}  // namespace
}  // namespace magmo
