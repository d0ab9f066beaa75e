#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace magmo {

// The file a save to path writes: the one a chain of symbolic links ends at. Throws SimError,
// naming path, when that is not a regular file, is read-only, or its folder is missing.
std::filesystem::path saveTarget(const std::string& path);

// A hidden name beside target for a file of this process's own: ".<name>.magmo-<tag>-<pid>-<n>".
std::filesystem::path hiddenBeside(const std::filesystem::path& target, const std::string& tag, int n);

// Writes content to a temporary file beside the save target and renames it into place with the
// old file's permissions, so that a failed save leaves the previous file as it was. Throws
// SimError naming path on failure.
void replaceFile(const std::string& path, std::string_view content);

}  // namespace magmo
