#pragma once
// The record editor window: edits a copy of the eruption history and applies it on request.
#include <QDialog>
#include <memory>

namespace magmo {
struct Sim;
class ControlMirror;
class RecordEditor;

class RecordEditWindow : public QDialog {
 public:
  RecordEditWindow(Sim& sim, QWidget* parent = nullptr);
  ~RecordEditWindow() override;

  // Takes the main window's record, or asks for a file when there is none.
  void start();
  RecordEditor& editor() { return *editor_; }
  // Brings every widget in line with the editor's controls; closes once the editor is done.
  void syncFromEditor();

 private:
  void build();
  Sim& sim_;
  std::unique_ptr<RecordEditor> editor_;
  std::unique_ptr<ControlMirror> mirror_;
  bool syncing_ = false;
};

// Opens the editor over the main window and returns when it closes.
void openRecordEditor(QWidget* parent, Sim& sim);

}  // namespace magmo
