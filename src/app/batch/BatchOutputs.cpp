#include "app/batch/BatchOutputs.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include <unistd.h>

#include "app/batch/BatchOptions.h"
#include "model/SimError.h"
#include "textio/PendingFiles.h"
#include "textio/ReplaceFile.h"

namespace magmo::batch {

namespace fs = std::filesystem;

BatchOutputs::~BatchOutputs() { restore(); }

void BatchOutputs::check(const std::string& target) {
  try {
    saveTarget(target);
  } catch (const SimError& e) {
    throw BatchError(e.what());
  }
}

// The first write to a file keeps its original aside as a hard link (a copy where links are not
// possible), which the rename of the new content leaves untouched.
const BatchOutputs::Output& BatchOutputs::keepAside(const std::string& target) {
  const std::string written = saveTarget(target).string();
  for (const Output& o : outputs_)
    if (o.written == written) return o;
  Output o{target, written, {}, 0};
  if (fs::exists(written)) {
    o.original = hiddenBeside(written, "original", int(outputs_.size())).string();
    std::error_code ec;
    fs::remove(o.original, ec);
    if (link(written.c_str(), o.original.c_str()) != 0) fs::copy_file(written, o.original, ec);
    if (ec) throw SimError("Cannot write '" + target + "': the file it replaces cannot be kept aside");
    o.pending = pendingFiles::add(o.original, written);
  } else {
    o.pending = pendingFiles::add(written);
  }
  outputs_.push_back(o);
  return outputs_.back();
}

void BatchOutputs::write(const std::string& target, std::string_view content) {
  try {
    replaceFile(keepAside(target).written, content);
  } catch (const SimError& e) {
    // The message names the written file; the user knows it by the name they gave.
    throw BatchError("cannot write '" + target + "': " + e.what());
  }
}

void BatchOutputs::keep() {
  for (const Output& o : outputs_) {
    if (!o.original.empty()) std::remove(o.original.c_str());
    pendingFiles::forget(o.pending);
  }
  outputs_.clear();
}

std::vector<std::string> BatchOutputs::restore() {
  std::vector<std::string> left;
  for (auto o = outputs_.rbegin(); o != outputs_.rend(); ++o) {
    const bool back = o->original.empty() ? std::remove(o->written.c_str()) == 0 || errno == ENOENT
                                          : std::rename(o->original.c_str(), o->written.c_str()) == 0;
    if (!back) left.push_back(o->asked);
    pendingFiles::forget(o->pending);
  }
  outputs_.clear();
  return left;
}

}  // namespace magmo::batch
