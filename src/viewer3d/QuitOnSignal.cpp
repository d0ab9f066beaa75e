#include "QuitOnSignal.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int pipeEnds[2] = {-1, -1};

// Only async-signal-safe work here: the event loop picks the byte up.
void onSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(pipeEnds[0], &byte, 1);
}
}  // namespace

QuitOnSignal::QuitOnSignal(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pipeEnds) != 0) return;
  notifier_ = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char byte;
    [[maybe_unused]] const ssize_t n = ::read(pipeEnds[1], &byte, 1);
    QCoreApplication::quit();
  });
  struct sigaction action = {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &action, nullptr);
}
