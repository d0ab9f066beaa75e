#pragma once
// Presentation model: everything the procedures read or write that a user sees. Plain data;
// the window mirrors it and reports user edits back into it.
#include <array>
#include <map>
#include <string>

namespace magmo {

struct MenuItem {
  bool checked = false;
  bool enabled = true;
};

struct Button {
  std::string caption;
  bool enabled = true;
  bool isDefault = false;
  std::string tooltip;
};

struct ToolButton {
  bool enabled = true;
  bool pressed = false;
  std::string image;  // "pause" / "stop" for the halt button
  std::string tooltip;
};

struct Field {
  std::string text;
  bool enabled = true;
  bool visible = true;
  std::string tooltip;
};

struct CheckBox {
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  std::string caption;
  std::string tooltip;
};

struct Panel {
  bool visible = false;
  bool enabled = true;
  std::string caption;
  std::string tooltip = {};  // defaulted, so a panel can still be written {visible, enabled, caption}
};

struct SliderControl {
  int value = 6;
  int min = 1, max = 11;
  bool enabled = true;
  std::string tooltip;
};

// The window that shows the plan-view grid as the geological map or as the relief.
struct MapWindow {
  bool visible = false;
  bool topography = false;  // showing the relief rather than the map
  std::string status2;         // the second status panel; the first names the view
  int option = 0;              // Option1..Option5 selected (0: none)
  Field txtBase{"0", true, true, ""}, txtContrast{"3", true, true, ""};
  bool buttonsEnabled = true;  // save, copy, print, the switch and the option frame
  const char* caption() const { return topography ? "Topography" : "Map View"; }
  const char* status1() const { return topography ? "Topographic View" : "Map View"; }
  const char* switchCaption() const { return topography ? "&Map" : "&Topography"; }
};

// The magnified stratigraphic column beside the main window.
struct StratWindow {
  bool visible = false;
  Field txtLoc{"12.80", true, true, ""};
  int scroll = 640;  // HScroll1: the centre column, 16..1264
  std::string status;
};

struct Controls {
  // Menus of the main window, by their item names.
  MenuItem mnuFile, mnuPar, mnuOpt, mnuRec, mnuView;  // top-level menus
  MenuItem mnuFileSave, mnuFilePrint;
  bool PrinterAvailable = false;  // at least one printer is installed
  MenuItem mnuParStatic, mnuParAuto, mnuParUndo;
  MenuItem mnuParLava, mnuParDome, mnuParStrom, mnuParPlin, mnuParPfs, mnuParFum, mnuParCol, mnuParTec;
  MenuItem mnuRecRec, mnuRecPlay, mnuRecPlayLoop, mnuRecEdit;
  MenuItem mnuFileSaveAsDem{false, false};  // enabled once there is a map grid to write
  MenuItem mnuOptSound, mnuOptHtips{true, true}, mnuOptPart{true, true}, mnuOptTopoLoad, mnuOptAdSave{true, true};
  MenuItem mnuOptMapEnable, mnuOptMap3dPosEnable, mnuOptMapPrec, mnuOptMapHigh, mnuOptMapNorm{true, true}, mnuOptMapLow;
  MenuItem mnuOptScaleSmall, mnuOptScaleNorm{true, true}, mnuOptScaleLarge;
  MenuItem mnuOptG, mnuOptG2, mnuOptG4, mnuOptG8, mnuOptGEarth{true, true}, mnuOptGVenus, mnuOptGMars, mnuOptGMoon;
  MenuItem mnuOptSpeedFast, mnuOptSpeedNorm{true, true}, mnuOptSpeedSlow;
  MenuItem mnuOptOptions, mnuOptTB{true, true};
  MenuItem mnuOptAdUpdate, mnuOptAdPassive, mnuOptAdSaver;  // Options > Advanced
  int SoundVolume = 80;  // percent, the Options window's volume slider
  MenuItem mnuViewVert, mnuViewLedg{true, true}, mnuViewStrat, mnuViewMap, mnuViewTopo, mnuView3D, mnuViewCap;
  // View > Vertical Exaggeration: the profile's heights drawn VertExag times (1, 2, 5 or 10).
  MenuItem mnuViewExag1{true, true}, mnuViewExag2, mnuViewExag5, mnuViewExag10;
  int VertExag = 1;

  MenuItem mnuFileMagmo3D{false, false};
  MapWindow Map;
  StratWindow Strat;
  bool View3DOpen = false;         // the 3-D viewer runs
  bool Viewer3DAvailable = false;  // the viewer program stands beside the program
  // The vent marker on the small map of the 3-D position panel, in grid cells.
  int MapMarkerX = 640, MapMarkerY = 320;

  // Toolbar buttons by key ("play", "halt", "strombolian", ...).
  std::map<std::string, ToolButton> toolbar;

  // Run buttons and the panel buttons (OK, Cancel, Advanced, ...).
  Button cmdErupt{"&Erupt", true, true, ""};
  Button cmdHalt{"&Pause", false, false, ""};
  std::array<Button, 9> Command{};  // Command1..Command8; index 0 unused

  // Parameter panel fields and boxes.
  Field txtLoc, txtStr, txtPart, txtWind, txtCtop, txtCbase, txtTloc, txtMag, txtDip;
  CheckBox chkCaldDiat, chkDirected, chkFumex, opFault, opErode;
  Field CaldStyle{"Valles Type", true, true, ""}, Down{"Right side down", true, true, ""};
  Panel Change, Tectonic, Advanced, Legend{true, true, "Legend"}, panTephra, panCol, panFault, pan3D;
  // Slider1..Slider6 (index 0 unused): flow length, crater size, 3-D vent position, burst
  // frequency or caldera vent, strength growth, extrusion rate.
  std::array<SliderControl, 7> Slider{{{},
                                       {6, 1, 11, true, ""},
                                       {6, 1, 11, true, ""},
                                       {20, 0, 40, true, ""},
                                       {6, 1, 11, true, ""},
                                       {0, 0, 10, true, ""},
                                       {6, 1, 11, true, ""}}};
  std::array<Field, 7> Label{};    // Label1..Label6
  std::array<int, 7> SliderSave{};  // slider values when the Advanced panel opened
  std::string ActiveField = "Location";

  // Status bars: StatusBar1 panels 1..8, StatusBar2 panels 1..2, and the statistics label.
  std::array<std::string, 9> statusBar1{};
  std::array<std::string, 3> statusBar2{};
  std::string labVei;
  bool pBarVisible = false;
  int pBarValue = 0;

  // State the main window keeps beside its controls.
  std::string EruptTitle;
  std::string PhaseText;
  int EruptStarted = 0;
  int AutoCyclesBegun = 0;  // cycles the current automatic run has begun
  bool ConeBuilding = false;
  int ConeVentX = 640;  // vent column when the cone-building episode began
  std::string StrFileName, RecFileName, DemFileName;
  std::string gravityAnswer;  // last answer to the user-gravity prompt
  bool collapsePickBase = false;  // next profile click in the collapse panel sets the base
  bool recordFlag = false;        // a record file refers to the current strat file
  bool RecLoaded = false;  // a record table exists: the Playback items may be used
  bool PlayReady = false;  // the record's strat file is loaded: the next Playback skips its reset
  bool CaldDiatAtStart = false;  // chkCaldDiat as the current phase began
  // Work not yet in a file: the section since it was opened, saved or reset, the record since
  // it was read or written.
  bool SectionChanged = false, RecordChanged = false;

  std::string& modeText() { return statusBar1[8]; }
  bool playbackRunning() const { return statusBar1[8].rfind("Play", 0) == 0; }
};

}  // namespace magmo
