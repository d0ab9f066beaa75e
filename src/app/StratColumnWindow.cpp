#include "app/StratColumnWindow.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/ColumnCanvas.h"
#include "app/ControlMirror.h"
#include "app/PicturePrint.h"
#include "app/WindowPlacement.h"
#include "control/ColumnCommands.h"
#include "model/Numeric.h"
#include "model/Sim.h"

namespace magmo {

// The picture box: the canvas at the widget's own pixel size, and the pointer in canvas units.
class StrataView : public QWidget {
 public:
  explicit StrataView(ColumnCanvas& canvas) : canvas_(canvas) {
    setObjectName("Strata");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }
  QSize sizeHint() const override { return {240, 480}; }
  QSize minimumSizeHint() const override { return {100, 200}; }
  std::function<void()> onResize;
  std::function<void(float, float, QPoint)> onPointer;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.drawImage(QRectF(rect()), canvas_.image());
  }
  void resizeEvent(QResizeEvent*) override {
    canvas_.resize(size() * devicePixelRatio());
    if (onResize) onResize();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    const double dpr = devicePixelRatio();
    if (onPointer)
      onPointer(canvas_.columnX(e->position().x() * dpr), canvas_.userY(e->position().y() * dpr),
                e->globalPosition().toPoint());
  }

 private:
  ColumnCanvas& canvas_;
};

namespace {

struct Tip {
  const char* name;
  const char* text;
};
constexpr Tip kTips[] = {{"Strata", "x = 0 km: y = 0 km"},
                         {"cmdClose", "Close stratigraphy window to return to simulation"},
                         {"cmdCopy", "Copy stratigraphy to Windows clipboard"},
                         {"cmdPrint", "Press to display print options"},
                         {"txtLoc", "Type in desired stratigraphic location"}};

QPushButton* button(const char* caption, const char* name) {
  auto* b = new QPushButton(caption);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

StratColumnWindow::StratColumnWindow(Sim& sim, Runner run, QWidget* parent)
    : QWidget(parent, Qt::Window), sim_(sim), run_(std::move(run)), mirror_(std::make_unique<ControlMirror>()),
      canvas_(std::make_unique<ColumnCanvas>()) {
  setObjectName("Strat");
  setWindowTitle("Stratigraphy");
  build();
}

StratColumnWindow::~StratColumnWindow() = default;

const QImage& StratColumnWindow::picture() const { return canvas_->image(); }

void StratColumnWindow::build() {
  strata_ = new StrataView(*canvas_);
  strata_->onResize = [this] {
    drawnKey_.clear();  // the canvas is new and black
    if (isVisible()) redraw();
  };
  strata_->onPointer = [this](float x, float y, QPoint at) { showPointer(x, y, at); };

  txtLoc_ = new QLineEdit;
  txtLoc_->setObjectName("txtLoc");
  txtLoc_->setMaximumWidth(70);
  mirror_->field(txtLoc_, &sim_.ui.Strat.txtLoc);
  connect(txtLoc_, &QLineEdit::returnPressed, this, [this] {
    const std::string typed = txtLoc_->text().toStdString();
    run_([this, typed] {
      sim_.ui.Strat.txtLoc.text = typed;
      stratLocEnter(sim_);
    });
  });

  scroll_ = new QScrollBar(Qt::Horizontal);
  scroll_->setObjectName("HScroll1");
  scroll_->setRange(kColumnFirstCentre, kColumnLastCentre);
  scroll_->setPageStep(33);
  connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
    if (!syncing_) run_([this, v] { stratScrollChange(sim_, v); });
  });

  auto* cmdClose = button("&Close", "cmdClose");
  auto* cmdCopy = button("C&opy", "cmdCopy");
  print_ = button("&Print", "cmdPrint");
  auto* cmdHelp = button("&Help", "cmdHelp");
  print_->setEnabled(printerAvailable());
  connect(cmdClose, &QPushButton::clicked, this, [this] {
    if (sim_.ui.Strat.visible) run_([this] { mnuViewStratClick(sim_); });
  });
  connect(cmdCopy, &QPushButton::clicked, this, [this] {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(canvas_->image());
    run_([this] { stratCopyClick(sim_); });
  });
  connect(print_, &QPushButton::clicked, this, [this] {
    showPrintPreview(this, canvas_->image(), printCaptionOf(sim_, "Magmo Stratigraphy"),
                     QString::fromStdString(sim_.paths.dataPath));
  });
  connect(cmdHelp, &QPushButton::clicked, this, [this] { run_([this] { stratHelpClick(sim_); }); });

  auto* status = new QLabel;
  status->setObjectName("StatusBar1");
  status->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  mirror_->label(status, &sim_.ui.Strat.status);

  mirror_->flag(&sim_.ui.mnuOptHtips.checked, [this](bool on) {
    for (const Tip& tip : kTips)
      if (auto* w = findChild<QWidget*>(tip.name)) w->setToolTip(on ? tip.text : QString());
  });

  auto* location = new QHBoxLayout;
  location->addWidget(new QLabel("km"));
  location->addWidget(txtLoc_);
  location->addWidget(scroll_, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {cmdClose, cmdCopy, print_, cmdHelp}) buttons->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 2);
  layout->addWidget(strata_, 1);
  layout->addLayout(location);
  layout->addLayout(buttons);
  layout->addWidget(status);
}

void StratColumnWindow::sync() {
  syncing_ = true;
  mirror_->sync();
  if (scroll_->value() != sim_.ui.Strat.scroll) {
    const QSignalBlocker quiet(scroll_);
    scroll_->setValue(sim_.ui.Strat.scroll);
  }
  const bool open = sim_.ui.Strat.visible;
  if (open && !isVisible()) {
    print_->setEnabled(printerAvailable());  // looked up when the window opens, not on every sync
    fitBesideParent();
    show();
  } else if (!open && isVisible()) {
    QToolTip::hideText();
    hide();
  }
  syncing_ = false;
  if (open && sliceKey() != drawnKey_) redraw();
}

void StratColumnWindow::redraw() {
  drawnKey_ = sliceKey();  // also after a failure: the report is not repeated on every sync
  scale_ = redrawStrat(sim_, *canvas_);
  strata_->update();
}

std::vector<float> StratColumnWindow::sliceKey() const {
  const Model& m = sim_.m;
  const float km = static_cast<float>(val(sim_.ui.Strat.txtLoc.text));
  const QSize px = canvas_->pixelSize();
  std::vector<float> key{km, m.Scale, float(m.LayerCount), float(px.width()), float(px.height())};
  const ColumnSlice slice = columnSlice(m.Scale, km);
  const int first = std::clamp(static_cast<int>(std::floor(slice.left)), 0, kColumns);
  const int last = std::clamp(static_cast<int>(std::ceil(slice.right)), 0, kColumns);
  for (int x = first; x <= last; ++x) key.insert(key.end(), m.Strat.column(x), m.Strat.column(x) + m.LayerCount + 1);
  for (int i = 1; i <= m.LayerCount; ++i)
    key.insert(key.end(), {float(m.LayerColor[i]), float(m.LayerVentX[i]), m.LayerBase[i]});
  return key;
}

void StratColumnWindow::showPointer(float x, float y, QPoint globalPos) {
  const std::string text = strataMouseMove(sim_, scale_, x, y);
  if (text.empty()) {
    strata_->setToolTip(QString());
    QToolTip::hideText();
    return;
  }
  const QString q = QString::fromStdString(text);
  strata_->setToolTip(q);
  QToolTip::showText(globalPos, q, strata_);
}

// Beside the main window on the right, or on its left when the screen has no room there.
void StratColumnWindow::fitBesideParent() {
  if (QWidget* main = parentWidget()) resize(width(), std::max(minimumSizeHint().height(), main->height()));
  magmo::placeBesideParent(this);
}

void StratColumnWindow::closeEvent(QCloseEvent* e) {
  // The title bar's close is the Close button: the Controls follow, and sync hides the window.
  if (sim_.ui.Strat.visible) run_([this] { mnuViewStratClick(sim_); });
  e->accept();
}

}  // namespace magmo
