#include "formats/StatisticsCsv.h"

#include <charconv>
#include <optional>

#include "model/LayerSummary.h"
#include "model/Palette.h"

namespace magmo {

namespace {

void fixed(std::string& line, std::optional<double> v, int decimals) {
  line += ',';
  if (!v) return;
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, *v, std::chars_format::fixed, decimals);
  // Beyond the buffer only for values no layer has; the field then stays empty.
  if (r.ec == std::errc()) line.append(buf, r.ptr);
}

// The texts are the program's own names, none with a comma or a quote.
void text(std::string& line, const std::string& s) { line += ',' + s; }

}  // namespace

std::string layerStatisticsCsv(const Model& m) {
  std::string out =
      "layer,style,colour,colour_name,vent_km,volume_m3,vei,duration_h,base_at_vent_m,top_at_vent_m,summit_m\r\n";
  for (const LayerSummary& row : layerSummaries(m)) {
    std::string line = std::to_string(row.layer);
    text(line, row.style ? styleName(*row.style) : "");
    line += ',' + std::to_string(row.colour);
    text(line, paletteName(row.colour));
    fixed(line, row.ventKm, 3);
    fixed(line, row.volume, 0);
    line += ',' + std::to_string(row.explosivityIndex);
    fixed(line, row.hours, 2);
    fixed(line, row.baseAtVent, 1);
    fixed(line, row.topAtVent, 1);
    fixed(line, row.summit, 1);
    out += line + "\r\n";
  }
  return out;
}

}  // namespace magmo
