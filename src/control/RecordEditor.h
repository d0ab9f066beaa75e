#pragma once
// The record editor: a private working copy of an eruption history, edited phase by phase and
// applied to RecTable only when every phase passes the checks of its eruption type.
#include <array>
#include <string>
#include <vector>

#include "model/Controls.h"
#include "model/PhaseRecord.h"

namespace magmo {
struct Sim;

// A list control: its items, the selected one (-1 none) and whether it may be used.
struct ListControl {
  std::vector<std::string> items;
  int index = -1;
  bool enabled = true;
  std::string text() const { return index >= 0 && index < int(items.size()) ? items[size_t(index)] : ""; }
};

// What the editor window shows; the window mirrors it and reports user edits back.
struct RecordEditControls {
  std::string labRecfile, labPhases;
  Field txtTopFile;
  ListControl cmbPhase, cmbFlow;
  // Combo boxes whose text may also be a prompt ("Select Parameters", "Down Side").
  Field cmbType, cmbStyle, cmbDown;
  Field txtLoc, txtStr, txtWind, txtPart, txtBurst, txtCtop, txtCbase, txtMag, txtDip, txtErode, txtLava;
  std::array<Field, 7> txtSlide{};  // txtSlide1..6; index 0 unused
  std::array<Field, 5> txtMap{};    // txtMap1..4; index 0 unused
  Field labSlide4{"Vent Position", true, true, ""};
  CheckBox chkBurst, chkDirected, chkCald, optLarge, optNormal, optSmall;
  Button cmdOpen, cmdChange, cmdAdd, cmdDelete, cmdReset, Command1, Command2;
  bool closed = false;
};

// The editable number fields of a phase, by their control.
enum class EditField {
  Loc, Str, Wind, Part, Burst, Ctop, Cbase, Mag, Dip, Erode, Lava,
  Slide1, Slide2, Slide3, Slide4, Slide5, Map1, Map2, Map3, Map4  // slider 6 is not editable
};

class RecordEditor {
 public:
  explicit RecordEditor(Sim& sim);

  void open();  // the window opens: take the main record, or ask for a file
  void readData();
  void showData();
  void dataActivate();

  void fieldEdited(EditField f, const std::string& text);
  void topFileEdited(const std::string& text);
  void phaseChosen(int index);
  void flowChosen(int index);
  void typeChosen(const std::string& name);
  void styleChosen(const std::string& name);
  void downChosen(const std::string& name);
  void caldChecked(bool on);
  void directedChecked(bool on);
  void burstChecked(bool on);
  void scaleChosen(int metresPerColumn);
  void cmdAdd();
  void cmdDelete();
  void cmdReset();
  void cmdOpen();
  void cmdChange();
  void command1();
  void command2();
  // Checks every phase and copies the working copy into RecTable; false (with the message) on
  // the first violation.
  bool applyParams();
  void saveRec();

  RecordEditControls ui;
  PhaseTable EditTable{};
  BurstTable EditBurst;
  int EditCount = 0, EditPhase = 1;
  int EditScale = 20;
  std::string EditRecName, EditStrName;
  int EditOwnFile = 0;

 private:
  // The history the editing began from (the main record or the file opened); Reset returns to it.
  struct Source {
    PhaseTable table{};
    BurstTable bursts;
    int count = 0, scale = 20;
    std::string recName, strName;
  };

  Field& fieldOf(EditField f);
  PhaseRecord& phase() { return EditTable[size_t(EditPhase)]; }
  bool hasPhase() const { return EditCount > 0; }
  int scale() const { return EditScale == 0 ? 20 : EditScale; }
  void showFiles();
  void showScale();
  void showFlows();
  void clearFields();
  void fillDurations(int phaseIndex, int firstBurst);
  void changed() { ui.Command2.enabled = true; }
  bool loadFile(const std::string& path);

  Sim& sim_;
  Source source_;
};

}  // namespace magmo
