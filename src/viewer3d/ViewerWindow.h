#pragma once
// The viewer's window: the height image as a lit surface, reloaded when the main program says
// it has written a new one.
#include <QDateTime>
#include <QMainWindow>
#include <QSettings>
#include <QTimer>

class Q3DSurface;
class QSurface3DSeries;

struct ViewerOptions {
  QString imagePath;
  QString settingsOrg = "Plovk", settingsApp = "Magmo3";
};

class ViewerWindow : public QMainWindow {
  Q_OBJECT
 public:
  static inline const QString kCaption = "Magmo 3D View";

  explicit ViewerWindow(const ViewerOptions& options);

  // Renders the graph as it stands into a PNG file; false when nothing could be saved.
  bool savePicture(const QString& path);
  // Tells the main program that the viewer has gone.
  void markClosed();

 private:
  void buildToolBar();
  void reload();
  void poll();
  void savePictureAs();

  Q3DSurface* graph_;
  QSurface3DSeries* series_;
  QSettings settings_;
  QString imagePath_;
  QTimer poll_;
  // Modification time and size of the image last read, so one export is read once.
  QDateTime loadedTime_;
  qint64 loadedSize_ = -1;
};
