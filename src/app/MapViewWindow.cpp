#include "app/MapViewWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ControlMirror.h"
#include "app/PictureImage.h"
#include "app/PicturePrint.h"
#include "app/WindowPlacement.h"
#include "control/MapCommands.h"
#include "model/Sim.h"

namespace magmo {

namespace {

// A few pixels and the buffer's address tell a new picture from the one shown.
size_t stampOf(const RgbImage& p) {
  size_t h = reinterpret_cast<size_t>(p.pixels.data()) ^ (static_cast<size_t>(p.width) << 20) ^ p.pixels.size();
  for (size_t i = 0; i < p.pixels.size(); i += p.pixels.size() / 97 + 1) {
    const Rgb c = p.pixels[i];
    h = h * 1099511628211u ^ (c.r | c.g << 8 | c.b << 16);
  }
  return h;
}

// The picture scaled into the label, keeping its proportions.
class PictureLabel : public QLabel {
 public:
  void setPicture(const QImage& image) {
    image_ = image.copy();
    rescale();
  }

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QLabel::resizeEvent(e);
    rescale();
  }

 private:
  void rescale() {
    if (image_.isNull()) {
      setPixmap(QPixmap());
      return;
    }
    setPixmap(QPixmap::fromImage(image_.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  }
  QImage image_;
};

QToolButton* arrow(Qt::ArrowType type) {
  auto* b = new QToolButton;
  b->setArrowType(type);
  b->setAutoRepeat(true);
  return b;
}

}  // namespace

MapViewWindow::MapViewWindow(Sim& sim, Runner run, QWidget* parent)
    : QWidget(parent, Qt::Window), sim_(sim), run_(std::move(run)), mirror_(std::make_unique<ControlMirror>()) {
  setObjectName("Map");
  build();
  resize(820, 520);
}

MapViewWindow::~MapViewWindow() = default;

QWidget* MapViewWindow::buildReliefControls() {
  Controls& ui = sim_.ui;
  auto* box = new QGroupBox("Illumination");
  box->setObjectName("fraLight");
  box->setToolTip(QString::fromStdString(sim_.tip("Select illumination source")));
  auto* layout = new QVBoxLayout(box);
  static constexpr std::pair<const char*, const char*> kOptions[] = {
      {"Top", "Select for illumination source from top"},
      {"Bottom", "Select for illumination source from bottom"},
      {"Left", "Select for illumination source from left"},
      {"Right", "Select for illumination source from right"},
      {"Colour", "Select to colour by elevation"}};
  for (int i = 1; i <= 5; ++i) {
    options_[i] = new QRadioButton(kOptions[i - 1].first);
    options_[i]->setObjectName(QString("Option%1").arg(i));
    options_[i]->setToolTip(QString::fromStdString(sim_.tip(kOptions[i - 1].second)));
    layout->addWidget(options_[i]);
    connect(options_[i], &QRadioButton::clicked, this, [this, i] { run_([this, i] { mapOptionClick(sim_, i); }); });
  }

  auto* fields = new QGridLayout;
  const auto field = [&](int row, const char* caption, const char* name, Field& f, const char* tip,
                         void (*spin)(Sim&, int)) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setMaximumWidth(70);
    edit->setToolTip(QString::fromStdString(sim_.tip(tip)));
    mirror_->field(edit, &f);
    connect(edit, &QLineEdit::textEdited, this, [&f](const QString& t) { f.text = t.toStdString(); });
    connect(edit, &QLineEdit::returnPressed, this, [this] { run_([this] { mapFieldEnter(sim_); }); });
    QToolButton* up = arrow(Qt::UpArrow);
    QToolButton* down = arrow(Qt::DownArrow);
    connect(up, &QToolButton::clicked, this, [this, spin] { run_([this, spin] { spin(sim_, 1); }); });
    connect(down, &QToolButton::clicked, this, [this, spin] { run_([this, spin] { spin(sim_, -1); }); });
    fields->addWidget(new QLabel(caption), row, 0);
    fields->addWidget(edit, row, 1);
    fields->addWidget(up, row, 2);
    fields->addWidget(down, row, 3);
  };
  field(0, "Base (m)", "txtBase", ui.Map.txtBase, "Type in base level (lower elevations will not be plotted)",
        mapBaseSpin);
  field(1, "Contrast", "txtContrast", ui.Map.txtContrast, "Type in contrast (0 to 5)", mapContrastSpin);
  layout->addLayout(fields);
  layout->addStretch();
  return box;
}

void MapViewWindow::build() {
  Controls& ui = sim_.ui;
  auto* picture = new PictureLabel;
  picture_ = picture;
  picture_->setObjectName("picMap");
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setMinimumSize(320, 160);
  picture_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  picture_->setStyleSheet("background: black");
  relief_ = buildReliefControls();

  auto* buttons = new QHBoxLayout;
  const auto button = [&](const char* caption, const char* name, std::function<void()> onClick) {
    auto* b = new QPushButton(caption);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, std::move(onClick));
    buttons->addWidget(b);
    return b;
  };
  toggle_ = button("&Topography", "Command1", [this] { run_([this] { mapSwitchClick(sim_); }); });
  button("&Save", "cmdSave", [this] { run_([this] { mapSaveClick(sim_); }); });
  button("&Copy", "cmdCopy", [this] { copyPicture(); });
  print_ = button("&Print", "cmdPrint", [this] { printPicture(); });
  print_->setToolTip("Press to display print options");
  printer_ = printerAvailable();
  buttons->addStretch();
  button("C&lose", "cmdClose", [this] { run_([this] { mapCloseClick(sim_); }); });

  status1_ = new QLabel;
  auto* status2 = new QLabel;
  for (QLabel* l : {status1_, status2}) l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  mirror_->label(status2, &ui.Map.status2);
  auto* statusRow = new QHBoxLayout;
  statusRow->addWidget(status1_, 1);
  statusRow->addWidget(status2, 2);

  auto* top = new QHBoxLayout;
  top->addWidget(picture_, 1);
  top->addWidget(relief_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);
  layout->addLayout(statusRow);
}

void MapViewWindow::copyPicture() {
  const QImage image = picture();
  if (image.isNull()) return;
  QApplication::clipboard()->setImage(image);
  sim_.ui.Map.status2 = sim_.ui.Map.topography ? "Topographic window copied to clipboard" : "Map window copied to clipboard";
  sync();
}

void MapViewWindow::printPicture() {
  try {
    const QImage image = picture();
    if (image.isNull()) {
      sim_.ui.Map.status2 = "No map to print";
      sync();
      return;
    }
    showPrintPreview(this, image, printCaptionOf(sim_, sim_.ui.Map.caption()),
                     QString::fromStdString(sim_.paths.dataPath));
  } catch (const std::exception& e) {
    sim_.reportError("Map cmdPrint", e);
  }
}

QImage MapViewWindow::picture() const {
  const RgbImage& p = sim_.ui.Map.topography ? sim_.pictures.topo : sim_.pictures.map;
  return p.empty() ? QImage() : imageOf(p).copy();
}

void MapViewWindow::sync() {
  if (syncing_) return;
  syncing_ = true;
  const MapWindow& w = sim_.ui.Map;
  setWindowTitle(w.caption());
  toggle_->setText(w.switchCaption());
  status1_->setText(w.status1());
  mirror_->sync();
  relief_->setVisible(w.topography);
  relief_->setEnabled(w.buttonsEnabled);
  if (w.visible && !isVisible()) printer_ = printerAvailable();
  print_->setEnabled(printer_ && w.buttonsEnabled);
  for (int i = 1; i <= 5; ++i)
    if (options_[i]->isChecked() != (w.option == i)) {
      options_[i]->setAutoExclusive(false);
      options_[i]->setChecked(w.option == i);
      options_[i]->setAutoExclusive(true);
    }
  const RgbImage& p = w.topography ? sim_.pictures.topo : sim_.pictures.map;
  const size_t stamp = stampOf(p);
  if (&p != shown_ || stamp != shownStamp_) {
    shown_ = &p;
    shownStamp_ = stamp;
    static_cast<PictureLabel*>(picture_)->setPicture(p.empty() ? QImage() : imageOf(p));
  }
  if (w.visible && !isVisible()) placeBesideParent(this);
  if (w.visible != isVisible()) setVisible(w.visible);
  syncing_ = false;
}

void MapViewWindow::closeEvent(QCloseEvent* e) {
  if (sim_.ui.Map.visible) run_([this] { mapCloseClick(sim_); });
  e->accept();
}

}  // namespace magmo
