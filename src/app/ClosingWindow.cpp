#include "app/ClosingWindow.h"

#include <QEventLoop>
#include <QLabel>
#include <QTimer>

#include "model/Sim.h"

namespace magmo {

namespace {
constexpr int kClosingSoundMs = 1200;  // the length of Closing.wav
}

void showClosingWindow(QWidget* parent, Sim& sim) {
  QLabel window(parent, Qt::SplashScreen | Qt::FramelessWindowHint);
  window.setObjectName("frmClosing");
  window.setText("<p style='font-size:22pt; font-weight:bold'>Magmo</p><p>Settings saved. Closing...</p>");
  window.setAlignment(Qt::AlignCenter);
  window.setFrameStyle(QFrame::Box | QFrame::Raised);
  window.setMargin(24);
  window.adjustSize();
  if (parent) window.move(parent->geometry().center() - window.rect().center());
  window.show();
  QEventLoop wait;
  const bool sound = sim.ui.mnuOptSound.checked;
  sim.windowSound("Closing");
  QTimer::singleShot(sound ? kClosingSoundMs : 0, &wait, &QEventLoop::quit);
  wait.exec();
}

}  // namespace magmo
