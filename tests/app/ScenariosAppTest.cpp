// magmo-batch --stats-csv agrees with --report, layer by layer, for a played-back history.
#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <charconv>
#include <regex>
#include <sstream>

#include "app/batch/BatchOptions.h"
#include "app/batch/BatchRunner.h"
#include "control/Scenarios.h"
#include "support/FileTestSupport.h"

namespace magmo::batch {
namespace {

double number(std::string s) {
  std::erase(s, ',');
  double v = 0;
  std::from_chars(s.data(), s.data() + s.size(), v);
  return v;
}

TEST(BatchStatisticsTest, TheCsvAgreesWithTheReportForAPlayedHistory) {
  QTemporaryDir dir;
  const std::string csvFile = dir.filePath("s.csv").toStdString();
  Paths paths{MAGMO_TEST_DATA_DIR "/", dir.path().toStdString() + "/", dir.path().toStdString() + "/"};
  std::ostringstream out;
  const std::string played = paths.resources + "Files/Scenarios/" + scenarios().back().file;  // faults and erosion
  BatchRunner(paths, out).run(parseOptions({"--seed", "4", "--play", played, "--report", "--stats-csv", csvFile}));
  std::istringstream report(out.str()), csv(test::slurp(csvFile));
  std::string line, row;
  std::getline(report, line), std::getline(csv, row);  // the headers
  int layers = 0;
  // Layer, colour number and name, vent km, volume and its unit, VEI, duration.
  const std::regex layout(R"(\s*(\d+)  (\d+) (.+?) +(\S+)  (\S+) (mil\. m\^3|km\^3) +(\d+)  (.+))");
  for (std::smatch r; std::getline(report, line) && std::regex_match(line, r, layout); ++layers) {
    SCOPED_TRACE(line);
    ASSERT_TRUE(std::getline(csv, row));
    std::vector<std::string> f;
    std::istringstream in(row.substr(0, row.size() - 1) + ",");
    for (std::string s; std::getline(in, s, ',');) f.push_back(s);
    EXPECT_EQ(std::tuple(f[0], f[2], f[3], f[6]), std::tuple(r[1].str(), r[2].str(), r[3].str(), r[7].str()));
    EXPECT_NEAR(number(f[4]), number(r[4]), 0.0051);
    const double unit = r[6] == "km^3" ? 1e9 : 1e6;
    EXPECT_NEAR(number(f[5]), number(r[5]) * unit, unit * 0.0006);
    const std::string duration = r[8];
    const double hours = duration.ends_with("hrs") ? 1 : duration.ends_with("days") ? 24 : 8760;
    if (f[7].empty())
      EXPECT_EQ(duration, "-");
    else
      EXPECT_NEAR(number(f[7]), number(duration.substr(0, duration.find(' '))) * hours, 0.05 * hours);
  }
  EXPECT_EQ(line.rfind("Total: " + std::to_string(layers) + " layers", 0), 0u) << line;
  EXPECT_FALSE(std::getline(csv, row));
  EXPECT_GT(layers, 4);
}

}  // namespace
}  // namespace magmo::batch
