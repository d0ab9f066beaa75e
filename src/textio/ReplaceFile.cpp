#include "textio/ReplaceFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/SimError.h"
#include "textio/PendingFiles.h"

namespace magmo {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void refuse(const std::string& path, const std::string& why) {
  throw SimError("Cannot write '" + path + "': " + why);
}

constexpr int kMaxLinks = 40;  // as the system's own limit on a path's symbolic links

fs::path followLinks(const std::string& path) {
  fs::path p(path);
  std::error_code ec;
  for (int hops = 0; fs::is_symlink(fs::symlink_status(p, ec)); ++hops) {
    if (hops == kMaxLinks) refuse(path, "too many symbolic links");
    const fs::path next = fs::read_symlink(p, ec);
    if (ec) refuse(path, ec.message());
    p = next.is_absolute() ? next : p.parent_path() / next;
  }
  return p;
}

// Root may write anything, so the permission bits decide what the user meant to protect.
bool writable(const fs::path& p) {
  struct stat st {};
  return stat(p.c_str(), &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
         access(p.c_str(), W_OK) == 0;
}

fs::path folderOf(const fs::path& p) { return p.has_parent_path() ? p.parent_path() : fs::path("."); }

// The error number of a failed write, or 0.
int writeAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t n = write(fd, content.data(), content.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return errno ? errno : EIO;
    content.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

// A new, hidden file beside target, created with the target's permissions (or the defaults).
int createTemporary(const fs::path& target, fs::path& temp) {
  struct stat st {};
  const bool existed = stat(target.c_str(), &st) == 0;
  for (int n = 0;; ++n) {
    temp = hiddenBeside(target, "temp", n);
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      if (existed) fchmod(fd, st.st_mode & 07777);
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
}

}  // namespace

fs::path hiddenBeside(const fs::path& target, const std::string& tag, int n) {
  return folderOf(target) /
         ("." + target.filename().string() + ".magmo-" + tag + "-" + std::to_string(getpid()) + "-" + std::to_string(n));
}

fs::path saveTarget(const std::string& path) {
  if (path.empty()) throw SimError("Cannot write a file without a name");
  const fs::path target = followLinks(path);
  std::error_code ec;
  const fs::file_status status = fs::status(target, ec);
  if (fs::exists(status)) {
    if (fs::is_directory(status)) refuse(path, "it is a folder");
    if (!fs::is_regular_file(status)) refuse(path, "it is not a regular file");
    if (!writable(target)) refuse(path, "the file is read-only");
  } else if (!fs::is_directory(folderOf(target), ec)) {
    refuse(path, "the folder '" + folderOf(target).string() + "' does not exist");
  }
  return target;
}

void replaceFile(const std::string& path, std::string_view content) {
  const fs::path target = saveTarget(path);
  fs::path temp;
  const int fd = createTemporary(target, temp);
  if (fd < 0) refuse(path, std::strerror(errno));
  const int pending = pendingFiles::add(temp.string());
  int error = writeAll(fd, content);
  if (!error && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && !error) error = errno;
  if (!error && rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error) unlink(temp.c_str());
  pendingFiles::forget(pending);
  if (error) refuse(path, std::strerror(error));
}

}  // namespace magmo
