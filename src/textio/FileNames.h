#pragma once
// Names of the files the File and Record menus propose and protect.
#include <string>

namespace magmo {
struct Sim;

bool samePath(const std::string& a, const std::string& b);
// "C:/x/name.str" -> "name.str"
std::string fileTitle(const std::string& name);
// The name without its last four characters (".str", ".rec", ...).
std::string dropLastFour(const std::string& s);
// The name with ext (".rec") in place of its last four characters.
std::string withExtension(const std::string& name, const std::string& ext);
// The extension of the file name in lower case, without its dot ("" when there is none).
std::string lowerExtension(const std::string& name);
// The name with ext (".str", or "") in place of its extension, whatever the length of that.
std::string replaceExtension(const std::string& name, const std::string& ext);
// A demonstration or default file of the data folder, e.g. "MagmoDemo.rec".
bool isDataFile(const Sim& sim, const std::string& name, const std::string& dataFile);
// A file of the factory's ready-made histories (resources + "Files/Scenarios/").
bool isScenarioFile(const Sim& sim, const std::string& name);
// The stratigraphic file a record names. Records store a path, which another machine (or a
// shipped record's bare file name) does not have: a name that is not an existing file by its
// absolute path is looked for by its file name in the data folder, then in the factory folder.
// Unchanged when neither has it, so that the caller refuses it as named.
std::string locateRecordStrat(const Sim& sim, const std::string& named);

}  // namespace magmo
