#pragma once
// Where the program's folders are on a desktop: the read-only resources beside the program
// (the source tree's data/ in a build tree), the user's data folder, the writable work folder.
#include <QString>
#include <string>

#include "model/Settings.h"

namespace magmo {

// The resources folder (Sounds/, Files/, help), ending with '/'.
std::string findResources(const QString& programDir);

// The user's data folder, chosen and filled the way start-up does it: the stored "DataPath"
// when that folder exists, else documents + "Plovk/Magmo3/" (resources + "Files/" without a
// documents folder); created, stored back, and given fresh copies of the factory files.
// Throws SimError when a folder cannot be created or a factory file cannot be copied.
std::string prepareDataFolder(SettingsStore& settings, const std::string& resources, const QString& documents);

// The per-user folder for the working images, created when missing, ending with '/'.
std::string workFolder();

}  // namespace magmo
