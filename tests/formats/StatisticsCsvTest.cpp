// The layer statistics as CSV: every field on every line, empty where a layer has no value,
// and numbers with a dot under a comma-decimal locale.
#include <gtest/gtest.h>
#include <clocale>
#include <locale>
#include <sstream>

#include "formats/StatisticsCsv.h"
#include "model/Model.h"

namespace magmo {
namespace {

struct CommaDecimal : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

TEST(StatisticsCsvTest, EveryLayerHasEveryFieldWithADotWhateverTheLocale) {
  Model m;  // layer 1 as read from a file: no vent, no phase; layer 2 a flow phase run here
  m.Scale = 20, m.LayerCount = 2, m.LayerVentX[2] = 640;
  for (int x = 600; x <= 680; ++x) m.Strat(1, x) = 5, m.Strat(2, x) = 7.5f;
  m.LayerStats[2] = {true, Style::Pfs, 1.5e6, 12.25, 7.5f};
  const std::locale before = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
  const std::string c = std::setlocale(LC_ALL, nullptr);
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE"})
    if (std::setlocale(LC_ALL, name)) break;
  std::istringstream csv(layerStatisticsCsv(m));
  std::setlocale(LC_ALL, c.c_str());
  std::locale::global(before);

  std::vector<std::vector<std::string>> t;
  for (std::string line; std::getline(csv, line);) {
    ASSERT_TRUE(line.ends_with('\r'));
    std::istringstream in(line.substr(0, line.size() - 1) + ",");
    t.emplace_back();
    for (std::string f; std::getline(in, f, ',');) t.back().push_back(f);
  }
  ASSERT_EQ(t.size(), 3u);
  const auto field = [&](int layer, const std::string& name) {
    for (size_t c = 0; c < t[0].size(); ++c)
      if (t[0][c] == name) return t[size_t(layer)].at(c);
    return std::string("no column " + name);
  };
  EXPECT_EQ(t[1].size(), t[0].size());
  for (const char* name : {"style", "vent_km", "duration_h", "base_at_vent_m", "top_at_vent_m"})
    EXPECT_EQ(field(1, name), "") << name;
  EXPECT_EQ(field(1, "layer") + field(2, "layer"), "12");
  std::string second;
  for (const char* name : {"vent_km", "volume_m3", "vei", "duration_h", "base_at_vent_m", "top_at_vent_m"})
    second += field(2, name) + " ";
  EXPECT_EQ(second, "12.800 1500000 2 12.25 100.0 150.0 ");
}

}  // namespace
}  // namespace magmo
