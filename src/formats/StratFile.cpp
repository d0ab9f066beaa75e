#include "formats/StratFile.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "formats/StoredHeight.h"
#include "model/Model.h"
#include "model/Numeric.h"
#include "textio/FieldReader.h"
#include "textio/FieldWriter.h"
#include "textio/ReplaceFile.h"

namespace magmo {

namespace {

constexpr int kVersion2Mark = 2000, kVersion3Mark = 3000;
constexpr int kValuesPerLine = 20;
constexpr int kMapLastRow = 600;  // the map section covers rows 1..600

const std::string kRule19(19, '-'), kRule28(28, '-');

// ---- writer

void appendLayer(FieldWriter& w, const Model& m, int k) {
  w.endLine();
  w.text(kRule19 + " Strat layer number: " + generalNumber(k) + " of " + generalNumber(m.LayerCount) + " " + kRule28);
  w.endLine();
  w.endLine();
  w.line(m.LayerVentX[k], storedHeight(m.LayerBase[k], "Height"), m.LayerColor[k], m.LayerMapY[k], m.LayerMapA[k],
         m.LayerMapB[k], m.LayerMapC[k], m.LayerMapD[k], m.LayerWind[k], m.LayerCaldera[k], m.LayerCaldL[k],
         m.LayerCaldR[k]);
  for (int x = 1; x <= kColumns; ++x) {
    w.field(storedHeight(m.Strat(k, x), "Height"));
    if (x % kValuesPerLine == 0) w.endLine();
  }
}

void appendMap(FieldWriter& w, const Model& m) {
  w.endLine();
  w.text(kRule19 + " Final 3D Topo " + kRule28);
  w.endLine();
  w.endLine();
  for (int x = 2; x <= kColumns; x += 2)
    for (int y = 2; y <= kMapLastRow; y += 2) {
      w.field(storedHeight(m.mapGrid(x, y), "Height"));
      if ((y / 2) % kValuesPerLine == 0) w.endLine();
    }
}

}  // namespace

std::string stratFileText(const Model& m, bool withMap) {
  if (m.LayerCount < 0 || m.LayerCount > kMaxLayers) throw SimError("Layer count out of range");
  FieldWriter w;
  w.reserve(static_cast<size_t>(m.LayerCount + 1) * kColumns * 12 + (withMap ? 2'500'000 : 0));
  w.line(m.LayerCount + kVersion3Mark, m.VentX, m.Scale);
  w.line(m.AltPfs, m.AltStromb, m.AltLava, m.AltDome, m.AltPlin);
  for (int k = 1; k <= m.LayerCount; ++k) appendLayer(w, m, k);
  if (withMap) appendMap(w, m);
  return w.str();
}

void writeStratFile(const Model& m, const std::string& path, bool withMap) {
  replaceFile(path, stratFileText(m, withMap));
}

int mapCode(const Section& s, int k, int previous) {
  if (s.LayerVentX[k] == 0) return -1;
  switch (s.LayerColor[k]) {
    case 7: case 8: return 1;
    case 2: case 10: return 2;
    case 12: case 13: return 3;
    case 4: case 6: return 4;
    case 9: case 11: return 5;
    case 15: return 6;
    case 14: return 8;
    default: return previous;
  }
}

namespace {

// The words of a separator line, without the rules of hyphens around them.
std::string_view ruleWords(std::string_view line) {
  const size_t first = line.find_first_not_of("- "), last = line.find_last_not_of("- ");
  return first == std::string_view::npos ? std::string_view() : line.substr(first, last - first + 1);
}

// Reads one file into a staging section; the caller decides what becomes of it. Version 3
// is read line by line as it is written, so that a line inserted or lost is refused where it
// shows instead of shifting the values after it; versions 1 and 2, whose line layout is not
// known, are read value by value and must end with their last layer.
class StratReader {
 public:
  StratReader(std::istream& in, Section& into, const StratReadOptions& options)
      : in_(in), s_(into), options_(options) {}

  StratReadResult read() {
    readHeader();
    result_.complete = readLayers();
    if (result_.complete && result_.version == 3)
      readMapSection();
    else if (result_.complete)
      in_.expectEnd("the last layer");
    return result_;
  }

 private:
  bool layoutKnown() const { return result_.version == 3; }

  void readHeader() {
    const int n = in_.integer();
    int& version = result_.version;
    version = n >= kVersion3Mark ? 3 : n > kVersion2Mark ? 2 : 1;
    // A count of 0 is stored as 3000: that is version 3, as no version-2 file holds 1000 layers.
    count_ = n - (version == 3 ? kVersion3Mark : version == 2 ? kVersion2Mark : 0);
    if (count_ < 0 || count_ > kMaxLayers)
      in_.fail("Layer count " + std::to_string(count_) + " out of range 0.." + std::to_string(kMaxLayers));
    if (layoutKnown()) in_.line(3, 1);
    // Versions 1 and 2 kept the current vent at half resolution.
    const int factor = version == 3 ? 1 : 2;
    s_.VentX = in_.integer(0, kColumns / factor, "Vent column") * factor;
    if (version == 3) {
      const float scale = in_.single();
      if (!options_.keepScale) {
        if (!isStoredScale(scale)) in_.fail("Scale " + generalNumber(scale) + " is not 4, 20, 40 or 100");
        result_.scale = scale;
      }
    }
    if (layoutKnown()) in_.line(5);
    for (int* alt : {&s_.AltPfs, &s_.AltStromb, &s_.AltLava, &s_.AltDome, &s_.AltPlin}) *alt = in_.integer();
  }

  bool readLayers() {
    s_.LayerCount = 0;
    for (int k = 1; k <= count_; ++k) {
      if (layoutKnown()) {
        readSeparator("Strat layer number: " + generalNumber(k) + " of " + generalNumber(count_));
        readAttributes(k);
      } else {
        readOldAttributes(k);
      }
      readTops(k);
      if (result_.version == 3) result_.mapCode = mapCode(s_, k, result_.mapCode);
      s_.LayerCount = k;
      // A Cancel during the last layer came too late to stop anything.
      if (k < count_ && options_.cancelled && options_.cancelled()) return false;
    }
    return true;
  }

  // An empty line, the quoted words between rules of hyphens, an empty line.
  void readSeparator(const std::string& words) {
    in_.blankLine();
    const std::string what = "Separator \"" + words + "\"";
    if (ruleWords(in_.textLine(what)) != words) in_.fail(what + " expected");
    in_.blankLine();
  }

  void readAttributes(int k) {
    in_.line(12);
    s_.LayerVentX[k] = in_.integer(0, kColumns, "Vent column");
    s_.LayerBase[k] = in_.single(kMaxStoredHeight, "Layer base");
    s_.LayerColor[k] = in_.integer(0, 15, "Layer colour");
    s_.LayerMapY[k] = in_.integer(0, kMapRows, "Map row");
    for (float* v : {&s_.LayerMapA[k], &s_.LayerMapB[k], &s_.LayerMapC[k], &s_.LayerMapD[k], &s_.LayerWind[k],
                     &s_.LayerCaldera[k]})
      *v = in_.single();
    s_.LayerCaldL[k] = in_.integer(0, kColumns, "Caldera column");
    s_.LayerCaldR[k] = in_.integer(0, kColumns, "Caldera column");
  }

  // Version 1 stored the layers' vent columns at half resolution too; version 2 did not. The
  // attributes these versions lack are zero.
  void readOldAttributes(int k) {
    const int factor = result_.version == 1 ? 2 : 1;
    s_.LayerVentX[k] = in_.integer(0, kColumns / factor, "Vent column") * factor;
    s_.LayerBase[k] = in_.single(kMaxStoredHeight, "Layer base");
    s_.LayerColor[k] = in_.integer(0, 15, "Layer colour");
    s_.LayerMapY[k] = s_.LayerCaldL[k] = s_.LayerCaldR[k] = 0;
    for (auto* a : {&s_.LayerMapA, &s_.LayerMapB, &s_.LayerMapC, &s_.LayerMapD, &s_.LayerWind, &s_.LayerCaldera})
      (*a)[k] = 0;
  }

  // The i-th of count heights, which version 3 writes twenty to a line.
  float height(int i, int count) {
    if (layoutKnown() && i % kValuesPerLine == 0) in_.line(std::min(kValuesPerLine, count - i));
    return in_.single(kMaxStoredHeight, "Height");
  }

  // Version 1 stored every other column; the column after each stored one takes its value.
  void readTops(int k) {
    const int step = result_.version == 1 ? 2 : 1;
    for (int x = 1; x <= kColumns; x += step) {
      const float v = height((x - 1) / step, kColumns / step);
      s_.Strat(k, x) = v;
      if (step == 2) s_.Strat(k, x + 1) = v;
      const int done = x + step - 1;
      if (done % kValuesPerLine == 0 && options_.progress)
        options_.progress(static_cast<int>(100.0 * k * (done - kValuesPerLine + 1) / (double(count_) * kColumns)));
    }
  }

  // The map section is optional; when there is one, its separator must follow the last layer
  // even if the map is not wanted. A writer stops the map at a column it cannot write, so a
  // short or damaged map ends at the column reached; that is no error.
  void readMapSection() {
    if (in_.atEnd()) return;
    in_.blankLine();
    if (in_.atEnd()) return;  // an empty line at the end of the file
    const std::string what = "Separator \"Final 3D Topo\"";
    if (ruleWords(in_.textLine(what)) != "Final 3D Topo") in_.fail(what + " expected");
    in_.blankLine();
    if (!options_.withMap) return;
    constexpr int kRows = kMapLastRow / 2;
    try {
      for (int x = 2; x <= kColumns; x += 2) {
        for (int y = 2; y <= kMapLastRow; y += 2) s_.mapGrid(x, y) = height(y / 2 - 1, kRows);
        // Each stored value stands for its whole 2 x 2 block.
        for (int y = 2; y <= kMapLastRow; y += 2)
          s_.mapGrid(x, y - 1) = s_.mapGrid(x - 1, y - 1) = s_.mapGrid(x - 1, y) = s_.mapGrid(x, y);
        result_.mapColumns = x;
      }
    } catch (const SimError&) {
    }
  }

  FieldReader in_;
  Section& s_;
  const StratReadOptions& options_;
  StratReadResult result_;
  int count_ = 0;
};

}  // namespace

StratReadResult readStratText(std::istream& in, Section& into, const StratReadOptions& options) {
  return StratReader(in, into, options).read();
}

}  // namespace magmo
