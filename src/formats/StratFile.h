#pragma once
// The stratigraphic file (.str): the whole section as comma-separated text, written in format
// version 3 and read in versions 1 to 3.
#include <functional>
#include <istream>
#include <optional>
#include <string>

namespace magmo {
struct Model;
struct Section;

// The text of format version 3; withMap adds the plan-view grid. Throws SimError for a value
// that cannot be stored.
std::string stratFileText(const Model& m, bool withMap);
// Writes that text to path through a temporary file, so a failure leaves the old file intact.
void writeStratFile(const Model& m, const std::string& path, bool withMap);

struct StratReadOptions {
  bool keepScale = false;  // the stored scale is read and discarded (the default file)
  bool withMap = false;    // read the map section of a version-3 file
  std::function<void(int percent)> progress = {};  // after each group of 20 heights
  std::function<bool()> cancelled = {};            // asked after each layer
};

struct StratReadResult {
  bool complete = true;  // false: cancelled between layers, the layers read so far kept
  int version = 3;
  std::optional<float> scale;  // the stored scale, unless kept
  int mapCode = 0;  // the map code (MapOn) the last layers' colours and vents give
  int mapColumns = 0;  // the map section holds rows 1..600 of columns 1..mapColumns
};

// The map code (MapOn) of layer k from its colour and vent; colours of no style leave the code
// of the layer before, `previous`.
int mapCode(const Section& s, int k, int previous);

// Reads a stratigraphic file into `into`: LayerCount, layers 1..LayerCount with their
// attributes and tops, VentX, the colour alternation and, when asked, the map grid. Nothing
// else of `into` is touched. Throws SimError naming the line of anything damaged or out of
// range, of a line with more or fewer fields than its place in the layout holds and of a
// separator out of place; `into` is then unusable, so callers read into a staging section.
StratReadResult readStratText(std::istream& in, Section& into, const StratReadOptions& options);

}  // namespace magmo
