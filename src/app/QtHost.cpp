#include "app/QtHost.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>
#include <QThread>
#include <QTime>

#include "app/FileFilter.h"
#include "app/ProfileLineDialog.h"
#include "gis/GdalTerrain.h"

namespace magmo {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QMessageBox::Icon qtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QtHost::QtHost(QtCanvas& profile) : profile_(profile) {
  sinceRepaint_.start();
  sinceFrame_.start();
  sinceStart_.start();
}

QtHost::~QtHost() {
  // A viewer still open goes on without us.
  if (viewer_) (void)viewer_.release();
}

void QtHost::later(int ms, std::function<void()> f) { QTimer::singleShot(ms, std::move(f)); }

bool QtHost::startViewer() {
  if (viewerProgram_.isEmpty()) return false;
  if (viewer_ && viewer_->state() != QProcess::NotRunning) return true;
  viewer_ = std::make_unique<QProcess>();
  viewer_->setProgram(viewerProgram_);
  viewer_->setArguments({"/open", "--image", viewerImage_});
  viewer_->start();
  return viewer_->waitForStarted(5000);
}

void QtHost::closeViewer() {
  if (!viewer_) return;
  // Ask first; a viewer that does not answer is ended.
  viewer_->terminate();
  if (!viewer_->waitForFinished(3000)) viewer_->kill();
  viewer_->waitForFinished(1000);
  viewer_.reset();
}

void QtHost::yield() {
  if (onYield_) onYield_();
  if (onRepaint_ && sinceRepaint_.elapsed() >= kRepaintIntervalMs) {
    onRepaint_();
    sinceRepaint_.restart();
  }
  QCoreApplication::processEvents();
  if (hook_) hook_();
}

void QtHost::frameDone() {
  // Fast machines would otherwise draw a whole bomb flight between two repaints.
  const qint64 spent = sinceFrame_.elapsed();
  if (spent < kMinFrameMs) sleepMs(static_cast<int>(kMinFrameMs - spent));
  sinceFrame_.restart();
}

void QtHost::sleepMs(int ms) {
  if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

double QtHost::monotonicSeconds() { return sinceStart_.nsecsElapsed() * 1e-9; }

double QtHost::secondsSinceMidnight() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

void QtHost::message(std::string_view text, MsgIcon icon, std::string_view title) {
  QMessageBox box(qtIcon(icon), qs(title), qs(text), QMessageBox::Ok, parent_);
  box.exec();
}

bool QtHost::askYesNo(std::string_view text, MsgIcon icon, std::string_view title) {
  QMessageBox box(qtIcon(icon), qs(title), qs(text), QMessageBox::Yes | QMessageBox::No, parent_);
  return box.exec() == QMessageBox::Yes;
}

Answer QtHost::askYesNoCancel(std::string_view text, MsgIcon icon, std::string_view title) {
  QMessageBox box(qtIcon(icon), qs(title), qs(text), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent_);
  box.setDefaultButton(QMessageBox::Cancel);
  const int pressed = box.exec();
  return pressed == QMessageBox::Yes ? Answer::Yes : pressed == QMessageBox::No ? Answer::No : Answer::Cancel;
}

std::optional<std::string> QtHost::inputBox(std::string_view prompt, std::string_view title,
                                            std::string_view defaultText) {
  bool ok = false;
  const QString answer = QInputDialog::getText(parent_, qs(title), qs(prompt), QLineEdit::Normal, qs(defaultText), &ok);
  if (!ok) return std::nullopt;
  return answer.toStdString();
}

std::optional<int> QtHost::chooseItem(std::string_view prompt, std::string_view title,
                                      const std::vector<std::string>& items, int current) {
  QStringList choices;
  for (const std::string& item : items) choices << qs(item);
  bool ok = false;
  const QString chosen = QInputDialog::getItem(parent_, qs(title), qs(prompt), choices, current, false, &ok);
  if (!ok) return std::nullopt;
  return static_cast<int>(choices.indexOf(chosen));
}

std::optional<std::string> QtHost::fileName(const FileDialog& d, bool save) {
  QFileDialog dialog(parent_, qs(d.title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilters(qtNameFilters(d.filter));
  dialog.setDefaultSuffix(qs(d.defaultExt));
  // A name typed without an extension takes the chosen kind's (GeoTIFF, ESRI ASCII grid...).
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
    static const QRegularExpression firstPattern(R"(\(\*\.(\w+))");
    const QRegularExpressionMatch m = firstPattern.match(filter);
    if (m.hasMatch()) dialog.setDefaultSuffix(m.captured(1));
  });
  if (!startFolder_.isEmpty()) dialog.setDirectory(startFolder_);
  if (!d.proposedName.empty()) dialog.selectFile(qs(d.proposedName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::cleanPath(dialog.selectedFiles().front()).toStdString();
}

std::optional<std::string> QtHost::openFileName(const FileDialog& d) { return fileName(d, false); }

std::optional<TerrainGrid> QtHost::readTerrain(const std::string& path) {
  struct Restore {
    QtHost* h;
    bool was;
    ~Restore() { h->busyPointer(was); }
  } restore{this, busy_};
  busyPointer(true);
  return gis::readTerrainFile(path);
}

void QtHost::writeTerrain(const std::string& path, const TerrainGrid& g, TerrainFormat format) {
  gis::writeTerrainFile(path, g, format);
}

std::optional<ProfileLine> QtHost::chooseProfileLine(const TerrainGrid& g, const ProfileLine& proposal) {
  ProfileLineDialog dialog(g, proposal, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.line();
}
std::optional<std::string> QtHost::saveFileName(const FileDialog& d) { return fileName(d, true); }

void QtHost::soundPlay(const std::string& wavPath, bool loop) {
  sound_.play(QString::fromStdString(wavPath), loop);
}
void QtHost::soundStop() { sound_.stop(); }
void QtHost::setSoundVolume(int percent) { sound_.setVolume(percent); }

void QtHost::busyPointer(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

// Numbered on from the highest number in the folder, so a slide show keeps its order and
// captures of earlier runs are never overwritten.
void QtHost::captureProfile(const std::string& folder) {
  QDir dir(qs(folder));
  if (!dir.mkpath(".")) return;
  const QStringList taken = dir.entryList({"Magmo-????.png"}, QDir::Files, QDir::Name);
  const int next = taken.isEmpty() ? 1 : taken.last().mid(6, 4).toInt() + 1;
  profile_.image().save(dir.filePath(QString("Magmo-%1.png").arg(next, 4, 10, QChar('0'))), "PNG");
}

void QtHost::inhibitScreenSaver(bool on) { screenSaver_.setInhibited(on); }

}  // namespace magmo
