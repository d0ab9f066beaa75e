// The Parameters menu and the parameter panels of the main window, bound to the Controls.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "app/AdvancedPanel.h"
#include "app/MainWindow.h"
#include "app/ParamPanel.h"
#include "app/TectonicPanel.h"
#include "control/Params.h"
#include "control/RunControl.h"
#include "control/Undo.h"

namespace magmo {

std::function<void()> MainWindow::core(void (*handler)(Sim&)) {
  return [this, handler] { handler(sim_); };
}

void MainWindow::buildParametersMenu(QMenu* par) {
  menuGroup<Style>(par, {
      {"&Hawaiian", "mnuParLava", &ui_.mnuParLava, Style::Lava},
      {"P&eléean", "mnuParDome", &ui_.mnuParDome, Style::Dome},
      {"&Strombolian", "mnuParStrom", &ui_.mnuParStrom, Style::Stromb},
      {"&Plinian", "mnuParPlin", &ui_.mnuParPlin, Style::Plinian},
      {"&Vulcanian/Surtseyan", "mnuParPfs", &ui_.mnuParPfs, Style::Pfs},
      {"&Fumarolic/Phreatic", "mnuParFum", &ui_.mnuParFum, Style::Fumarole},
      {"Sector &Collapse", "mnuParCol", &ui_.mnuParCol, Style::Collapse},
      {"&Tectonic", "mnuParTec", &ui_.mnuParTec, Style::Tectonic}}, selectStyle);
  par->addSeparator();
  menuItem(par, "&Auto", "mnuParAuto", &ui_.mnuParAuto, [this] { selectAuto(sim_); });
  menuItem(par, "Stat&ic", "mnuParStatic", &ui_.mnuParStatic, core(mnuParStaticClick));
  menuItem(par, "&Undo", "mnuParUndo", &ui_.mnuParUndo, core(mnuParUndoClick));
}

void MainWindow::bindParamPanel() {
  ParamPanel& p = *params_;
  mirror_.panel(&p, &ui_.Change);
  mirror_.panel(p.panTephra, &ui_.panTephra);
  mirror_.panel(p.panCol, &ui_.panCol);
  connectField(p.txtLoc, ui_.txtLoc, core(txtLocChange), "Location");
  connectField(p.txtStr, ui_.txtStr, core(txtStrChange), "Strength");
  connect(p.txtStr, &QLineEdit::editingFinished, this, [this] { run(core(txtStrCommit)); });
  connectField(p.txtPart, ui_.txtPart, core(txtPartChange), "Flux");
  connectField(p.txtWind, ui_.txtWind, core(txtWindChange), "Wind");
  connectField(p.txtCtop, ui_.txtCtop, core(txtCtopChange), "ColTop");
  connectField(p.txtCbase, ui_.txtCbase, core(txtCbaseChange), "ColBase");
  connectCheck(p.chkCaldDiat, ui_.chkCaldDiat, core(chkCaldDiatClick), true);
  connectCheck(p.chkDirected, ui_.chkDirected, core(chkDirectedClick), false);
  connectCheck(p.chkFumex, ui_.chkFumex, core(chkFumexClick), false);
  connectCombo(p.CaldStyle, ui_.CaldStyle, core(caldStyleChange));
  connectButton(p.ok, ui_.Command[1], core(changeOk));
  connectButton(p.cancel, ui_.Command[3], core(cancelParams));
  connectButton(p.advanced, ui_.Command[5], core(openAdvanced));
}

void MainWindow::bindTectonicPanel() {
  TectonicPanel& t = *tectonic_;
  mirror_.panel(&t, &ui_.Tectonic);
  mirror_.panel(t.panFault, &ui_.panFault);
  connectOption(t.opFault, ui_.opFault, ui_.opErode, core(opFaultClick));
  connectOption(t.opErode, ui_.opErode, ui_.opFault, core(opErodeClick));
  connectField(t.txtTloc, ui_.txtTloc, core(txtTlocChange), "Location");
  connectField(t.txtMag, ui_.txtMag, core(txtMagChange), "Magnitude");
  connectField(t.txtDip, ui_.txtDip, core(txtDipChange), "Dip");
  connectCombo(t.Down, ui_.Down, core(downChange));
  connectButton(t.ok, ui_.Command[2], core(tectonicOk));
  connectButton(t.cancel, ui_.Command[4], core(cancelTectonic));
}

void MainWindow::bindAdvancedPanel() {
  AdvancedPanel& a = *advanced_;
  mirror_.panel(&a, &ui_.Advanced);
  for (int k = 1; k <= 6; ++k) {
    mirror_.label(a.Label[k], &ui_.Label[k]);
    mirror_.slider(a.Slider[k], &ui_.Slider[k]);
    connect(a.Slider[k], &QSlider::valueChanged, this, [this, k](int value) {
      ui_.Slider[k].value = value;
      run([this, k] { sliderChange(sim_, k); });
    });
  }
  connectButton(a.accept, ui_.Command[6], core(acceptAdvanced));
  connectButton(a.cancel, ui_.Command[7], core(cancelAdvanced));
  connectButton(a.defaults, ui_.Command[8], core(defaultSliders));
}

}  // namespace magmo
