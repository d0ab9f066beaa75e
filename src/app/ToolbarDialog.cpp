#include "app/ToolbarDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ToolbarLayout.h"

namespace magmo {

namespace {

constexpr int kKeyRole = Qt::UserRole;

void addEntry(QListWidget* list, const QString& key, bool shown,
              const std::function<std::pair<QIcon, QString>(const QString&)>& describe) {
  const bool separator = key == kToolbarSeparator;
  const auto [icon, name] = separator ? std::pair(QIcon(), QString("(separator)")) : describe(key);
  auto* item = new QListWidgetItem(icon, name, list);
  item->setData(kKeyRole, key);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  item->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
}

// The shown buttons in their order, then the hidden ones, unticked, in the toolbar's order.
void fill(QListWidget* list, const QStringList& layout,
          const std::function<std::pair<QIcon, QString>(const QString&)>& describe) {
  list->clear();
  for (const QString& key : layout) addEntry(list, key, true, describe);
  for (const QString& key : toolbarKeys())
    if (!layout.contains(key)) addEntry(list, key, false, describe);
}

void moveCurrent(QListWidget* list, int step) {
  const int row = list->currentRow(), to = row + step;
  if (row < 0 || to < 0 || to >= list->count()) return;
  list->insertItem(to, list->takeItem(row));
  list->setCurrentRow(to);
}

}  // namespace

std::optional<QStringList> customiseToolbar(QWidget* parent, const QStringList& layout,
                                            const std::function<std::pair<QIcon, QString>(const QString&)>& describe) {
  QDialog dialog(parent);
  dialog.setObjectName("frmToolbar");
  dialog.setWindowTitle("Customise Toolbar");
  auto* list = new QListWidget;
  list->setObjectName("lstButtons");
  list->setToolTip("Tick the buttons to show; move the selected one with Up and Down");
  fill(list, layout, describe);
  list->setCurrentRow(0);

  auto* side = new QVBoxLayout;
  const std::pair<const char*, std::function<void()>> actions[] = {
      {"Move &Up", [list] { moveCurrent(list, -1); }},
      {"Move &Down", [list] { moveCurrent(list, 1); }},
      {"Add &Separator", [list, &describe] {
         addEntry(list, kToolbarSeparator, true, describe);
         list->insertItem(std::max(list->currentRow(), 0), list->takeItem(list->count() - 1));
       }},
      {"&Reset", [list, &describe] { fill(list, defaultToolbarLayout(), describe); }}};
  for (const auto& [caption, act] : actions) {
    auto* b = new QPushButton(caption);
    QObject::connect(b, &QPushButton::clicked, &dialog, act);
    side->addWidget(b);
  }
  side->addStretch();
  auto* row = new QHBoxLayout;
  row->addWidget(list, 1);
  row->addLayout(side);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layoutBox = new QVBoxLayout(&dialog);
  layoutBox->addLayout(row);
  layoutBox->addWidget(buttons);
  dialog.resize(480, 540);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;

  QStringList chosen;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->checkState() == Qt::Checked) chosen << list->item(i)->data(kKeyRole).toString();
  return parseToolbarLayout(formatToolbarLayout(chosen));
}

}  // namespace magmo
