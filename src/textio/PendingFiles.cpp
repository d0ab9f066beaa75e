#include "textio/PendingFiles.h"

#include <csignal>
#include <cstdio>
#include <vector>

#include <unistd.h>

namespace magmo::pendingFiles {

namespace {

struct Entry {
  int id;
  std::string path, restoreTo;
};

std::vector<Entry>& entries() {
  static std::vector<Entry> list;
  return list;
}
int lastId = 0;

// The list changes only while the signals that read it are held back.
class SignalsHeld {
 public:
  SignalsHeld() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, s);
    sigprocmask(SIG_BLOCK, &set, &old_);
  }
  ~SignalsHeld() { sigprocmask(SIG_SETMASK, &old_, nullptr); }

 private:
  sigset_t old_;
};

// Only async-signal-safe calls from here on.
void tidy(int signal) {
  const std::vector<Entry>& list = entries();
  for (auto it = list.rbegin(); it != list.rend(); ++it) {
    if (it->restoreTo.empty())
      unlink(it->path.c_str());
    else
      rename(it->path.c_str(), it->restoreTo.c_str());
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

int add(const std::string& path, const std::string& restoreTo) {
  SignalsHeld held;
  entries().push_back({++lastId, path, restoreTo});
  return lastId;
}

void forget(int id) {
  SignalsHeld held;
  std::erase_if(entries(), [id](const Entry& e) { return e.id == id; });
}

void tidyOnSignals() {
  for (int s : {SIGINT, SIGTERM, SIGHUP}) std::signal(s, tidy);
}

}  // namespace magmo::pendingFiles
