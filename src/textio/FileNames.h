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
// A demonstration or default file of the data folder, e.g. "MagmoDemo.rec".
bool isDataFile(const Sim& sim, const std::string& name, const std::string& dataFile);

}  // namespace magmo
