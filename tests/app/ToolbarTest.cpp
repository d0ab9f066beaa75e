// The toolbar's stored layout read back whatever the file holds.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "app/ToolbarDialog.h"
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

// The ticked rows in their list order are the new layout; Cancel changes nothing.
TEST(ToolbarDialogTest, TickedButtonsInTheirListOrderMakeTheLayout) {
  const auto describe = [](const QString& key) { return std::pair(QIcon(), key); };
  auto drive = [](std::function<void(QDialog*, QListWidget*)> steps) {
    QTimer::singleShot(0, [steps] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_TRUE(dialog);
      steps(dialog, dialog->findChild<QListWidget*>("lstButtons"));
    });
  };
  drive([](QDialog* dialog, QListWidget* list) {
    // Rows: play, |, exit, then the hidden buttons in the toolbar's order: new, open, ...
    ASSERT_EQ(list->item(3)->text(), "new");
    list->item(2)->setCheckState(Qt::Unchecked);
    list->item(3)->setCheckState(Qt::Checked);
    list->setCurrentRow(3);
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
      if (b->text() == "Move &Up") b->click(), b->click(), b->click(), b->click();  // one more than the top
    dialog->accept();
  });
  EXPECT_EQ(customiseToolbar(nullptr, {"play", "|", "exit"}, describe), QStringList({"new", "play"}));
  drive([](QDialog* dialog, QListWidget*) { dialog->reject(); });
  EXPECT_FALSE(customiseToolbar(nullptr, {"play"}, describe).has_value());
}

}  // namespace
}  // namespace magmo
