#pragma once
#include <string>
#include <string_view>

namespace magmo {

// Writes content to a temporary file beside path and renames it into place, so that a failed
// save leaves the previous file as it was. Throws SimError on failure.
void replaceFile(const std::string& path, std::string_view content);

}  // namespace magmo
