#include "ViewerWindow.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLinearGradient>
#include <QStatusBar>
#include <QTextStream>
#include <QToolBar>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QValue3DAxis>

#include "HeightSurface.h"

namespace {
const QString kNewFileKey = "Magmo3/Topo3D/NewFile";
const QString kCaptionKey = "Magmo3/Topo3D/Caption";
constexpr int kPollMs = 100;  // a new export shows within two polls

QValue3DAxis* axis(const QString& title, float max) {
  auto* a = new QValue3DAxis;
  a->setTitle(title);
  a->setTitleVisible(true);
  a->setRange(0, max);
  a->setLabelFormat("%d");
  return a;
}

// Water blue at grey 0, then lowland green, upland brown and white summits.
QLinearGradient heightGradient() {
  QLinearGradient g;
  g.setColorAt(0.0, QColor(30, 70, 150));
  g.setColorAt(0.02, QColor(70, 130, 70));
  g.setColorAt(0.35, QColor(120, 160, 60));
  g.setColorAt(0.65, QColor(140, 100, 60));
  g.setColorAt(0.9, QColor(200, 190, 180));
  g.setColorAt(1.0, Qt::white);
  return g;
}
}  // namespace

ViewerWindow::ViewerWindow(const ViewerOptions& options)
    : graph_(new Q3DSurface),
      series_(new QSurface3DSeries),
      settings_(QSettings::IniFormat, QSettings::UserScope, options.settingsOrg, options.settingsApp),
      imagePath_(options.imagePath) {
  setWindowTitle(kCaption);
  resize(900, 600);

  graph_->setAxisX(axis("x", 179));
  graph_->setAxisY(axis("height", 255));
  graph_->setAxisZ(axis("z", 89));
  // Image row 0 is the far edge, so the top view shows the image as the main program draws it.
  graph_->axisZ()->setReversed(true);
  graph_->setHorizontalAspectRatio(2.0f);
  series_->setDrawMode(QSurface3DSeries::DrawSurface);
  series_->setFlatShadingEnabled(false);
  series_->setWireframeColor(QColor(40, 40, 40, 120));  // a dense 180 x 90 mesh in black hides the surface
  series_->setBaseGradient(heightGradient());
  series_->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
  graph_->addSeries(series_);
  graph_->scene()->activeCamera()->setCameraPreset(Q3DCamera::CameraPresetIsometricRightHigh);
  graph_->scene()->activeCamera()->setZoomLevel(85);  // the whole surface fits the first view
  setCentralWidget(QWidget::createWindowContainer(graph_, this));

  buildToolBar();
  reload();

  settings_.setValue(kCaptionKey, kCaption);
  settings_.sync();
  connect(&poll_, &QTimer::timeout, this, &ViewerWindow::poll);
  poll_.start(kPollMs);
}

void ViewerWindow::buildToolBar() {
  QToolBar* bar = addToolBar("View");
  bar->setMovable(false);
  QAction* wire = bar->addAction("Wireframe");
  wire->setCheckable(true);
  connect(wire, &QAction::toggled, this, [this](bool on) {
    series_->setDrawMode(on ? QSurface3DSeries::DrawSurfaceAndWireframe : QSurface3DSeries::DrawSurface);
  });
  bar->addSeparator();
  const std::pair<const char*, Q3DCamera::CameraPreset> presets[] = {
      {"Front", Q3DCamera::CameraPresetFront},
      {"Side", Q3DCamera::CameraPresetRight},
      {"Top", Q3DCamera::CameraPresetDirectlyAbove},
      {"Isometric", Q3DCamera::CameraPresetIsometricRightHigh},
  };
  for (const auto& [name, preset] : presets) {
    connect(bar->addAction(name), &QAction::triggered, this,
            [this, preset] { graph_->scene()->activeCamera()->setCameraPreset(preset); });
  }
  bar->addSeparator();
  QAction* save = bar->addAction("Save Picture...");
  save->setShortcut(QKeySequence::Save);
  connect(save, &QAction::triggered, this, &ViewerWindow::savePictureAs);
  QAction* close = bar->addAction("Close");
  close->setShortcut(QKeySequence::Close);
  connect(close, &QAction::triggered, this, &QWidget::close);
}

void ViewerWindow::reload() {
  const QFileInfo file(imagePath_);
  loadedTime_ = file.lastModified();
  loadedSize_ = file.size();
  HeightSurface s = readHeightSurface(imagePath_);
  series_->dataProxy()->resetArray(s.rows);
  if (s.width > 0) {
    graph_->axisX()->setRange(0, float(s.width - 1));
    graph_->axisZ()->setRange(0, float(s.height - 1));
  }
  // The line on stdout lets a starter or a test follow the reloads.
  const QString text = s.error.isEmpty()
      ? QString("loaded %1: %2 x %3, highest %4").arg(imagePath_).arg(s.width).arg(s.height).arg(s.highest)
      : "empty surface: " + s.error;
  statusBar()->showMessage(text);
  QTextStream(stdout) << text << Qt::endl;
}

void ViewerWindow::poll() {
  settings_.sync();
  // Another caption (the main program writes "Closed") is a request to close.
  if (settings_.value(kCaptionKey).toString() != kCaption) {
    close();
    return;
  }
  if (settings_.value(kNewFileKey).toString() != "True") return;
  const QFileInfo file(imagePath_);
  if (file.lastModified() != loadedTime_ || file.size() != loadedSize_) reload();
}

bool ViewerWindow::savePicture(const QString& path) {
  const QImage picture = graph_->renderToImage(4, graph_->size() * graph_->devicePixelRatio());
  return !picture.isNull() && picture.save(path, "PNG");
}

void ViewerWindow::savePictureAs() {
  const QString path = QFileDialog::getSaveFileName(this, "Save Picture", "Magmo3D.png", "PNG pictures (*.png)");
  if (path.isEmpty()) return;
  statusBar()->showMessage(savePicture(path) ? "Saved " + path : "Cannot save " + path);
}

void ViewerWindow::markClosed() {
  poll_.stop();
  settings_.setValue(kCaptionKey, "Closed");
  settings_.sync();
}
