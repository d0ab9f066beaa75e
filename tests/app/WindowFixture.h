#pragma once
// A main window started as the program starts it, on fast animation and a fixed seed, with
// lookups of its widgets by their control names.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include "app/DesktopSim.h"
#include "app/MainWindow.h"
#include "app/QtSettings.h"

namespace magmo {

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() : settings(dir.filePath("settings.ini")), desk(settings), window(desk) {
    settings.save(kSettingsSection, "Speed", "5");  // fast animation keeps the test short
    desk.sim.rnd.fixSeed(7);
    window.resize(1000, 760);
    window.startUp({}, dir.filePath("Documents"));
    window.show();
    settle();
  }

  template <typename T>
  T* find(const char* name) {
    T* w = window.findChild<T*>(name);
    if (!w) ADD_FAILURE() << "no " << name;
    return w;
  }
  static void settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }

  Model& m() { return desk.sim.m; }
  Controls& ui() { return desk.sim.ui; }

  QTemporaryDir dir;
  QtSettings settings;
  DesktopSim desk;
  MainWindow window;
};

}  // namespace magmo
