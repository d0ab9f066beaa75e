#include "app/batch/BatchOptions.h"

#include <charconv>
#include <limits>

#include "formats/TerrainPlacement.h"

namespace magmo::batch {

namespace {

class ArgReader {
 public:
  explicit ArgReader(const std::vector<std::string>& args) : args_(args) {}
  bool done() const { return i_ >= args_.size(); }
  const std::string& next() { return args_[i_++]; }
  const std::string& peek() const { return args_[i_]; }
  std::string value(const std::string& option) {
    if (done() || args_[i_].rfind("--", 0) == 0) throw BatchError(option + " needs a value");
    return next();
  }
  static bool isNumber(const std::string& s) {
    double v;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && p == s.data() + s.size();
  }

 private:
  const std::vector<std::string>& args_;
  size_t i_ = 0;
};

std::string number(const std::string& option, const std::string& text) {
  if (!ArgReader::isNumber(text)) throw BatchError(option + ": '" + text + "' is not a number");
  return text;
}

long long integer(const std::string& option, const std::string& text, long long lo, long long hi) {
  long long v = 0;
  auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || p != text.data() + text.size() || v < lo || v > hi)
    throw BatchError(option + ": '" + text + "' is not a whole number from " + std::to_string(lo) + " to " +
                     std::to_string(hi));
  return v;
}

// A number within [lo, hi]; range says which in the message.
std::string bounded(const std::string& option, const std::string& text, double lo, double hi, const char* range) {
  number(option, text);
  double v = 0;
  std::from_chars(text.data(), text.data() + text.size(), v);
  if (!(v >= lo && v <= hi)) throw BatchError(option + ": '" + text + "' is not " + range);
  return text;
}

std::string oneOf(const std::string& option, const std::string& text, std::initializer_list<const char*> names) {
  for (const char* n : names)
    if (text == n) return text;
  std::string list;
  for (const char* n : names) list += (list.empty() ? "" : ", ") + std::string(n);
  throw BatchError(option + ": '" + text + "' is not one of " + list);
}

std::pair<int, int> slider(const std::string& text) {
  const auto eq = text.find('=');
  if (eq == std::string::npos) throw BatchError("--slider: '" + text + "' is not K=V");
  return {static_cast<int>(integer("--slider", text.substr(0, eq), 1, 6)),
          static_cast<int>(integer("--slider", text.substr(eq + 1), -1000, 1000))};
}

// Reads the phase options that follow --erupt; true when it consumed one.
bool phaseOption(ArgReader& in, Phase& p) {
  const std::string option = in.peek();
  if (option == "--location") p.location = (in.next(), number(option, in.value(option)));
  else if (option == "--strength") p.strength = (in.next(), number(option, in.value(option)));
  else if (option == "--wind") p.wind = (in.next(), number(option, in.value(option)));
  else if (option == "--particles") p.particles = (in.next(), number(option, in.value(option)));
  else if (option == "--bursts") p.bursts = (in.next(), static_cast<int>(integer(option, in.value(option), 1, 30000)));
  else if (option == "--top") p.top = (in.next(), number(option, in.value(option)));
  else if (option == "--base") p.base = (in.next(), number(option, in.value(option)));
  else if (option == "--magnitude") p.magnitude = (in.next(), number(option, in.value(option)));
  else if (option == "--dip") p.dip = (in.next(), number(option, in.value(option)));
  else if (option == "--down") p.down = (in.next(), oneOf(option, in.value(option), {"left", "right"}));
  else if (option == "--caldera") p.caldera = (in.next(), oneOf(option, in.value(option), {"valles", "mazama"}));
  else if (option == "--cycles") p.cycles = (in.next(), static_cast<int>(integer(option, in.value(option), 1, 30000)));
  else if (option == "--diatreme") p.diatreme = (in.next(), true);
  else if (option == "--directed") p.directed = (in.next(), true);
  else if (option == "--explosions") p.explosions = (in.next(), true);
  else if (option == "--slider") p.sliders.push_back((in.next(), slider(in.value(option))));
  else return false;
  return true;
}

constexpr const char* kPhaseStyles[] = {"hawaiian", "peleean", "strombolian", "plinian", "vulcanian",
                                        "fumarole",  "collapse", "fault",       "erosion"};

bool isPhaseStyle(const std::string& key) {
  for (const char* k : kPhaseStyles)
    if (key == k) return true;
  return false;
}

std::string phaseStyleList() {
  std::string list;
  for (const char* k : kPhaseStyles) list += (list.empty() ? "" : ", ") + std::string(k);
  return list;
}

Action action(Action::Kind kind, std::string text = "", long long number = 0) {
  Action a;
  a.kind = kind;
  a.text = std::move(text);
  a.number = number;
  return a;
}

bool isPhaseOption(const std::string& o) {
  for (const char* name : {"--location", "--strength", "--wind", "--particles", "--bursts", "--diatreme", "--slider",
                           "--top", "--base", "--magnitude", "--dip", "--down", "--caldera", "--cycles", "--directed",
                           "--explosions"})
    if (o == name) return true;
  return false;
}

// "ROWS,COLS,SPACING": whole rows and columns, spacing in metres.
void rasterLayout(const std::string& text, DemLayout& dem) {
  const auto first = text.find(','), second = text.find(',', first == std::string::npos ? first : first + 1);
  if (first == std::string::npos || second == std::string::npos)
    throw BatchError("--dem-raster: '" + text + "' is not ROWS,COLS,SPACING");
  dem.rows = std::to_string(integer("--dem-raster rows", text.substr(0, first), 1, 100000));
  dem.columns = std::to_string(integer("--dem-raster columns", text.substr(first + 1, second - first - 1), 1, 100000));
  dem.spacing = number("--dem-raster spacing", text.substr(second + 1));
  if (std::stod(dem.spacing) <= 0) throw BatchError("--dem-raster: the spacing must be greater than 0");
}

// The Map window's fields that may follow --relief-png.
void reliefOptions(ArgReader& in, PlanView& view) {
  while (!in.done()) {
    const std::string option = in.peek();
    if (option == "--relief")
      view.relief = static_cast<int>(integer(option, (in.next(), in.value(option)), 1, 5));
    else if (option == "--base")
      view.base = bounded(option, (in.next(), in.value(option)), 0, std::numeric_limits<double>::max(), "0 or more");
    else if (option == "--contrast")
      view.contrast = bounded(option, (in.next(), in.value(option)), 0, 5, "from 0 to 5");
    else
      return;
  }
}

}  // namespace

Options parseOptions(const std::vector<std::string>& args) {
  Options out;
  ArgReader in(args);
  while (!in.done()) {
    const std::string option = in.next();
    Action a;
    if (option == "--scale") {
      a = action(Action::Scale, oneOf(option, in.value(option), {"small", "normal", "large"}));
    } else if (option == "--exaggeration") {
      a = action(Action::Exaggeration, "", std::stoll(oneOf(option, in.value(option), {"1", "2", "5", "10"})));
    } else if (option == "--zoom") {
      a = action(Action::Zoom, "", integer(option, in.value(option), 1, 5));
    } else if (option == "--gravity") {
      const std::string g = in.value(option);
      if (!ArgReader::isNumber(g)) oneOf(option, g, {"earth", "venus", "mars", "moon", "2x", "4x", "8x"});
      else if (std::stod(g) <= 0) throw BatchError("--gravity: '" + g + "' must be greater than 0");
      a = action(Action::Gravity, g);
    } else if (option == "--seed") {
      a = action(Action::Seed, "", integer(option, in.value(option), 0, 9007199254740991LL));
    } else if (option == "--load") {
      a = action(Action::Load, in.value(option));
    } else if (option == "--static") {
      a = action(Action::Static);
    } else if (option == "--erupt") {
      a = action(Action::Erupt);
      a.phase.style = in.value(option);
      if (!isPhaseStyle(a.phase.style))
        throw BatchError("--erupt: unknown style '" + a.phase.style + "' (known: " + phaseStyleList() + ")");
      while (!in.done() && phaseOption(in, a.phase)) {
      }
    } else if (option == "--auto") {
      a = action(Action::Auto, "", integer(option, in.value(option), 1, 30000));
    } else if (option == "--save") {
      a = action(Action::Save, in.value(option));
    } else if (option == "--maps") {
      a = action(Action::Maps);
    } else if (option == "--map-precision") {
      a = action(Action::MapPrecision, oneOf(option, in.value(option), {"low", "normal", "high"}));
    } else if (option == "--map-3d") {
      a = action(Action::Map3d);
    } else if (option == "--map-png") {
      a = action(Action::MapPng, in.value(option));
    } else if (option == "--relief-png") {
      a = action(Action::ReliefPng, in.value(option));
      reliefOptions(in, a.view);
    } else if (option == "--column-png") {
      a = action(Action::ColumnPng, in.value(option));
      if (in.done() || in.peek() != "--column-at") throw BatchError("--column-png needs --column-at KM after its file");
      in.next();
      a.view.columnAt = number("--column-at", in.value("--column-at"));
    } else if (option == "--export-3d") {
      a = action(Action::Export3d, in.value(option));
    } else if (option == "--relief" || option == "--contrast") {
      throw BatchError(option + " must follow --relief-png FILE.png");
    } else if (option == "--column-at") {
      throw BatchError("--column-at must follow --column-png FILE.png");
    } else if (option == "--base") {
      throw BatchError("--base must follow --erupt STYLE or --relief-png FILE.png");
    } else if (option == "--png") {
      a = action(Action::Png, in.value(option));
    } else if (option == "--report") {
      a = action(Action::Report);
    } else if (option == "--stats-csv") {
      a = action(Action::StatsCsv, in.value(option));
    } else if (option == "--play") {
      a = action(Action::Play, in.value(option), 1);
      if (!in.done() && in.peek() == "--loops") {
        in.next();
        a.number = integer("--loops", in.value("--loops"), 1, 1000);
      }
    } else if (option == "--loops") {
      throw BatchError("--loops must follow --play FILE.rec");
    } else if (option == "--record") {
      a = action(Action::Record, in.value(option));
    } else if (option == "--save-dem") {
      a = action(Action::SaveDem, in.value(option));
    } else if (option == "--undo") {
      a = action(Action::Undo);
    } else if (option == "--new") {
      a = action(Action::New);
    } else if (option == "--dem-vector" || option == "--dem-raster") {
      if (out.dem.kind != DemLayout::Unset) throw BatchError(option + ": the DEM layout is given twice");
      out.dem.kind = option == "--dem-vector" ? DemLayout::Vector : DemLayout::Raster;
      if (out.dem.kind == DemLayout::Raster) rasterLayout(in.value(option), out.dem);
      continue;
    } else if (option == "--dem-line") {
      if (out.dem.line) throw BatchError("--dem-line: the profile line is given twice");
      try {
        out.dem.line = parseProfileLine(in.value(option));
      } catch (const SimError& e) {
        throw BatchError(std::string("--dem-line: ") + e.what());
      }
      continue;
    } else if (option == "--dem-part") {
      out.dem.part = oneOf(option, in.value(option), {"top", "bottom", "middle"});
      continue;
    } else if (isPhaseOption(option)) {
      throw BatchError(option + " must follow --erupt STYLE");
    } else {
      throw BatchError("unknown option '" + option + "'");
    }
    out.actions.push_back(std::move(a));
  }
  return out;
}

std::string usage() {
  return "usage: magmo-batch [--scale small|normal|large] [--exaggeration 1|2|5|10] [--zoom 1..5] "
         "[--gravity earth|venus|mars|moon|2x|4x|8x|VALUE] [--seed N] [--load FILE.str] [--static] "
         "[--erupt STYLE [--location KM] [--strength S] [--wind MS] [--particles N] [--bursts N] [--diatreme] "
         "[--slider K=V] [--caldera valles|mazama] [--directed] [--explosions] [--top KM --base KM] "
         "[--magnitude M --dip D --down left|right] [--cycles N]...]... [--auto N] "
         "[--save FILE.str] [--png FILE.png] [--report] [--stats-csv FILE.csv] [--record FILE.rec] [--play FILE.rec [--loops N]] "
         "[--load FILE.dem [--dem-vector | --dem-raster ROWS,COLS,SPACING] [--dem-part top|bottom|middle]] "
         "[--load FILE.tif|FILE.asc|FILE.hgt|... [--dem-line ROW | --dem-line X1,Y1,X2,Y2]] "
         "[--save-dem FILE.dem] [--undo] [--new] [--maps] [--map-precision low|normal|high] [--map-3d] "
         "[--map-png FILE.png] [--relief-png FILE.png [--relief 1..5] [--base METRES] [--contrast 0..5]] "
         "[--column-png FILE.png --column-at KM] [--export-3d FILE.png|FILE.bmp]";
}

}  // namespace magmo::batch
