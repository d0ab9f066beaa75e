#include "app/RecordEditWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <functional>
#include <tuple>

#include "app/ControlMirror.h"
#include "model/Sim.h"
#include "control/RecordEditor.h"

namespace magmo {

namespace {

struct Tip {
  const char* name;
  const char* text;
};

constexpr Tip kTips[] = {
    {"labRecfile", "Currently opened recorder file"},
    {"txtTopFile", "Stratigraphic file, delete to remove"},
    {"labPhases", "Number of recorded phases"},
    {"cmdOpen", "Open a record file for editing"},
    {"cmdChange", "Select another stratigraphic file"},
    {"cmbPhase", "Select record phase to edit"},
    {"cmdAdd", "Add a new phase after the currently selected phase"},
    {"cmdDelete", "Remove the currently selected phase"},
    {"cmdReset", "Go back to original settings"},
    {"cmbType", "Select a new eruption type for current phase"},
    {"cmbStyle", "Select the caldera style"},
    {"cmbDown", "Select the fault side to be thrown down"},
    {"chkBurst", "Edit the number of bursts"},
    {"chkDirected", "Check to make a directed blast"},
    {"chkCald", "Check to make a caldera"},
    {"txtLoc", "Edit the vent location"},
    {"txtStr", "Edit the eruption strength"},
    {"txtWind", "Edit the wind direction (+/-) and speed"},
    {"txtPart", "Edit the number of erupted particles"},
    {"txtBurst", "Edit the number of bursts in this phase"},
    {"txtCtop", "Edit the top location of the collapse scarp"},
    {"txtCbase", "Edit the base location of the collapse scarp"},
    {"txtMag", "Edit the fault magnitude (0-5)"},
    {"txtDip", "Edit the dip direction (+/-) and slope (0 = vertical)"},
    {"txtErode", "Edit the number of erosive cycles"},
    {"txtSlide1", "Edit the average length of lava flows (1-11)"},
    {"txtSlide2", "Edit the crater size (1-11)"},
    {"txtSlide3", "Edit the 3D position (0-40)"},
    {"txtSlide4", "Edit the caldera vent position/phreatic explosion frequency (1-11)"},
    {"txtSlide5", "Edit the period over which the explosive eruption grows"},
    {"txtSlide6", "Edit the simulation speed for this phase"},
    {"txtMap1", "Edit the average deposit radius"},
    {"txtMap2", "Edit the pyroclastic deposit skewness"},
    {"txtMap3", "Edit the lava flow left skewness"},
    {"txtMap4", "Edit the lava flow right skewness"},
    {"Command1", "Close editor without any changes applied"},
    {"Command2", "Apply/save changes"},
    {"Frame1", "Select record, associated topographic file, and scale"},
    {"Frame2", "Primary parameter value ranges dependent upon eruption type"},
    {"Frame3", "Numerical values of advanced parameter sliders"},
    {"Frame4", "Numerical values set to zero for random calculation, otherwise specify"},
};

template <typename W>
W* named(W* w, const char* name) {
  w->setObjectName(name);
  return w;
}

QLineEdit* numberEdit(const QString& name) {
  auto* e = new QLineEdit;
  e->setObjectName(name);
  e->setMaximumWidth(80);
  return e;
}

QComboBox* choices(const char* name, const QStringList& items, const QString& prompt = {}) {
  auto* c = named(new QComboBox, name);
  c->addItems(items);
  c->setPlaceholderText(prompt);
  c->setMinimumContentsLength(12);
  return c;
}

QString qs(const std::string& s) { return QString::fromStdString(s); }

// A list whose items the editor rebuilds (phases, flows), mirrored only where it differs.
void showList(QComboBox* w, const ListControl& list) {
  QStringList items;
  for (const std::string& s : list.items) items << qs(s);
  const QSignalBlocker quiet(w);
  bool same = w->count() == items.size();
  for (int i = 0; same && i < items.size(); ++i) same = w->itemText(i) == items[i];
  if (!same) {
    w->clear();
    w->addItems(items);
  }
  if (w->currentIndex() != list.index) w->setCurrentIndex(list.index);
  w->setEnabled(list.enabled);
}

}  // namespace

RecordEditWindow::RecordEditWindow(Sim& sim, QWidget* parent)
    : QDialog(parent), sim_(sim), editor_(std::make_unique<RecordEditor>(sim)),
      mirror_(std::make_unique<ControlMirror>()) {
  setObjectName("RecordEdit");
  setWindowTitle("Record Editor");
  build();
  syncFromEditor();
  if (sim_.ui.mnuOptHtips.checked)
    for (const Tip& tip : kTips)
      if (auto* w = findChild<QWidget*>(tip.name)) w->setToolTip(tip.text);
}

RecordEditWindow::~RecordEditWindow() = default;

void RecordEditWindow::start() {
  editor_->open();
  syncFromEditor();
}

void RecordEditWindow::syncFromEditor() {
  syncing_ = true;
  mirror_->sync();
  showList(findChild<QComboBox*>("cmbPhase"), editor_->ui.cmbPhase);
  showList(findChild<QComboBox*>("cmbFlow"), editor_->ui.cmbFlow);
  syncing_ = false;
  if (editor_->ui.closed) accept();
}

void RecordEditWindow::build() {
  RecordEditControls& u = editor_->ui;
  RecordEditor* ed = editor_.get();
  ControlMirror& mirror = *mirror_;
  // Every user action goes to the editor, then the widgets follow what it made of it.
  auto run = [this](const std::function<void()>& f) {
    if (syncing_) return;
    f();
    syncFromEditor();
  };
  auto field = [&](QLineEdit* w, Field* f, EditField which) {
    mirror.field(w, f);
    connect(w, &QLineEdit::textEdited, this,
            [run, ed, which](const QString& t) { run([&] { ed->fieldEdited(which, t.toStdString()); }); });
    return w;
  };
  auto check = [&](QAbstractButton* w, CheckBox* c, void (RecordEditor::*on)(bool)) {
    mirror.check(w, c, false);
    connect(w, &QAbstractButton::clicked, this, [run, ed, on](bool checked) { run([&] { (ed->*on)(checked); }); });
    return w;
  };
  auto combo = [&](QComboBox* w, Field* f, void (RecordEditor::*on)(const std::string&)) {
    mirror.combo(w, f);
    connect(w, &QComboBox::textActivated, this,
            [run, ed, on](const QString& t) { run([&] { (ed->*on)(t.toStdString()); }); });
    return w;
  };
  auto button = [&](const char* caption, const char* name, Button* b, void (RecordEditor::*on)()) {
    auto* w = named(new QPushButton(caption), name);
    w->setAutoDefault(false);
    mirror.button(w, b, false);
    connect(w, &QPushButton::clicked, this, [run, ed, on] { run([&] { (ed->*on)(); }); });
    return w;
  };

  // Record, stratigraphic file and scale.
  auto* frame1 = named(new QGroupBox("Record"), "Frame1");
  auto* labRecfile = named(new QLabel, "labRecfile");
  labRecfile->setMinimumWidth(300);
  mirror.label(labRecfile, &u.labRecfile);
  auto* txtTopFile = named(new QLineEdit, "txtTopFile");
  mirror.field(txtTopFile, &u.txtTopFile);
  connect(txtTopFile, &QLineEdit::textEdited, this,
          [run, ed](const QString& t) { run([&] { ed->topFileEdited(t.toStdString()); }); });
  auto* labPhases = named(new QLabel, "labPhases");
  mirror.label(labPhases, &u.labPhases);
  auto* cmbPhase = named(new QComboBox, "cmbPhase");
  cmbPhase->setMinimumContentsLength(10);
  connect(cmbPhase, &QComboBox::activated, this, [run, ed](int i) { run([&] { ed->phaseChosen(i); }); });
  auto* scale = new QHBoxLayout;
  const std::tuple<const char*, const char*, CheckBox*, int> options[] = {
      {"Large", "optLarge", &u.optLarge, 100}, {"Normal", "optNormal", &u.optNormal, 20}, {"Small", "optSmall", &u.optSmall, 4}};
  for (auto [caption, name, box, metres] : options) {
    auto* o = named(new QRadioButton(caption), name);
    o->setAutoExclusive(false);  // the editor decides which one is on
    mirror.check(o, box, false);
    connect(o, &QRadioButton::clicked, this, [run, ed, metres] { run([&] { ed->scaleChosen(metres); }); });
    scale->addWidget(o);
  }
  scale->addStretch();
  auto* record = new QGridLayout(frame1);
  record->addWidget(new QLabel("Record file:"), 0, 0);
  record->addWidget(labRecfile, 0, 1, 1, 3);
  record->addWidget(button("&Open...", "cmdOpen", &u.cmdOpen, &RecordEditor::cmdOpen), 0, 4);
  record->addWidget(new QLabel("Strat file:"), 1, 0);
  record->addWidget(txtTopFile, 1, 1, 1, 3);
  record->addWidget(button("C&hange...", "cmdChange", &u.cmdChange, &RecordEditor::cmdChange), 1, 4);
  record->addWidget(new QLabel("Scale:"), 2, 0);
  record->addLayout(scale, 2, 1, 1, 3);
  record->addWidget(new QLabel("Phases:"), 3, 0);
  record->addWidget(labPhases, 3, 1);
  record->addWidget(cmbPhase, 3, 2);
  auto* phaseButtons = new QHBoxLayout;
  phaseButtons->addWidget(button("&Add", "cmdAdd", &u.cmdAdd, &RecordEditor::cmdAdd));
  phaseButtons->addWidget(button("&Delete", "cmdDelete", &u.cmdDelete, &RecordEditor::cmdDelete));
  phaseButtons->addWidget(button("&Reset", "cmdReset", &u.cmdReset, &RecordEditor::cmdReset));
  record->addLayout(phaseButtons, 4, 0, 1, 5);
  record->setColumnStretch(3, 1);

  // The phase's type and primary values.
  auto* frame2 = named(new QGroupBox("Phase"), "Frame2");
  auto* primary = new QGridLayout(frame2);
  auto* cmbType = combo(choices("cmbType", {"Vulcanian/Surtseyan", "Strombolian", "Hawaiian", "Peléean", "Plinian",
                                            "Sector Collapse", "Fumarolic/Phreatic", "Faulting", "Erosion"},
                                "Select Parameters"),
                        &u.cmbType, &RecordEditor::typeChosen);
  primary->addWidget(new QLabel("Type"), 0, 0);
  primary->addWidget(cmbType, 0, 1, 1, 3);
  const std::tuple<const char*, const char*, Field*, EditField> numbers[] = {
      {"Location (km)", "txtLoc", &u.txtLoc, EditField::Loc},     {"Strength", "txtStr", &u.txtStr, EditField::Str},
      {"Wind (m/s)", "txtWind", &u.txtWind, EditField::Wind},     {"Particles", "txtPart", &u.txtPart, EditField::Part},
      {"Bursts", "txtBurst", &u.txtBurst, EditField::Burst},      {"Scarp top (km)", "txtCtop", &u.txtCtop, EditField::Ctop},
      {"Scarp base (km)", "txtCbase", &u.txtCbase, EditField::Cbase}, {"Magnitude", "txtMag", &u.txtMag, EditField::Mag},
      {"Dip", "txtDip", &u.txtDip, EditField::Dip},               {"Erosion cycles", "txtErode", &u.txtErode, EditField::Erode}};
  int row = 1;
  for (auto [caption, name, f, which] : numbers) {
    const int r = 1 + (row - 1) / 2, c = ((row - 1) % 2) * 2;
    primary->addWidget(new QLabel(caption), r, c);
    primary->addWidget(field(numberEdit(name), f, which), r, c + 1);
    ++row;
  }
  primary->addWidget(check(named(new QCheckBox("Caldera"), "chkCald"), &u.chkCald, &RecordEditor::caldChecked), 6, 0);
  primary->addWidget(combo(choices("cmbStyle", {"Valles Type", "Mazama Type"}), &u.cmbStyle, &RecordEditor::styleChosen),
                     6, 1);
  primary->addWidget(combo(choices("cmbDown", {"Left side down", "Right side down"}, "Down Side"), &u.cmbDown,
                           &RecordEditor::downChosen),
                     6, 3);
  primary->addWidget(
      check(named(new QCheckBox("Directed Blast"), "chkDirected"), &u.chkDirected, &RecordEditor::directedChecked), 7, 0,
      1, 2);
  primary->addWidget(
      check(named(new QCheckBox("Phreatic Explosions"), "chkBurst"), &u.chkBurst, &RecordEditor::burstChecked), 7, 2, 1,
      2);
  auto* cmbFlow = named(new QComboBox, "cmbFlow");
  cmbFlow->setMinimumContentsLength(16);
  connect(cmbFlow, &QComboBox::activated, this, [run, ed](int i) { run([&] { ed->flowChosen(i); }); });
  primary->addWidget(new QLabel("Lava flows"), 8, 0);
  primary->addWidget(cmbFlow, 8, 1, 1, 2);
  primary->addWidget(field(numberEdit("txtLava"), &u.txtLava, EditField::Lava), 8, 3);

  // The advanced sliders, as numbers.
  auto* frame3 = named(new QGroupBox("Advanced"), "Frame3");
  auto* sliders = new QFormLayout(frame3);
  const char* sliderCaptions[] = {"Flow length", "Crater size", "3D position", "", "Strength growth", "Speed"};
  for (int k = 1; k <= 6; ++k) {
    auto* caption = named(new QLabel(sliderCaptions[k - 1]), qPrintable(QString("labSlide%1").arg(k)));
    if (k == 4) mirror.label(caption, &u.labSlide4);
    auto* edit = numberEdit(QString("txtSlide%1").arg(k));
    if (k == 6)
      mirror.field(edit, &u.txtSlide[6]);
    else
      field(edit, &u.txtSlide[size_t(k)], EditField(int(EditField::Slide1) + k - 1));
    sliders->addRow(caption, edit);
  }

  // The plan-view shape of the phase's stratum.
  auto* frame4 = named(new QGroupBox("Map"), "Frame4");
  auto* maps = new QFormLayout(frame4);
  const char* mapCaptions[] = {"Deposit radius", "Deposit skewness", "Flow left skew", "Flow right skew"};
  for (int k = 1; k <= 4; ++k)
    maps->addRow(mapCaptions[k - 1], field(numberEdit(QString("txtMap%1").arg(k)), &u.txtMap[size_t(k)],
                                           EditField(int(EditField::Map1) + k - 1)));

  auto* closeButtons = new QHBoxLayout;
  closeButtons->addStretch();
  closeButtons->addWidget(button("Cancel", "Command1", &u.Command1, &RecordEditor::command1));
  closeButtons->addWidget(button("Apply", "Command2", &u.Command2, &RecordEditor::command2));

  auto* side = new QVBoxLayout;
  side->addWidget(frame3);
  side->addWidget(frame4);
  side->addStretch();
  auto* body = new QHBoxLayout;
  body->addWidget(frame2, 1);
  body->addLayout(side);
  auto* all = new QVBoxLayout(this);
  all->addWidget(frame1);
  all->addLayout(body);
  all->addLayout(closeButtons);
}

void openRecordEditor(QWidget* parent, Sim& sim) {
  RecordEditWindow window(sim, parent);
  window.start();
  if (!window.editor().ui.closed) window.exec();
}

}  // namespace magmo
