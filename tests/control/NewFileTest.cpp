#include "control/NewFile.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

using NewFileTest = SimTest;

TEST_F(NewFileTest, ForgetsTheFilesAndResetsTheSection) {
  buildCone(640, 30, 100);
  ui().StrFileName = "/somewhere/cone.str";
  ui().RecFileName = "/somewhere/cone.rec";
  ui().mnuRecPlay.enabled = true;
  std::string statusWhileResetting;
  host.onYield = [&] {
    if (statusWhileResetting.empty()) statusWhileResetting = ui().statusBar2[1];
  };
  fileNew(sim);
  EXPECT_EQ(statusWhileResetting, "Resetting Magmo Record");
  EXPECT_EQ(m().LayerCount, 0);
  EXPECT_EQ(m().Topo[640], 0);
  EXPECT_TRUE(ui().StrFileName.empty() && ui().RecFileName.empty());
  EXPECT_EQ(ui().statusBar1[3], "No File Loaded");
  EXPECT_FALSE(ui().mnuRecPlay.enabled || ui().toolbar["play"].enabled);
  EXPECT_TRUE(ui().mnuFile.enabled);
}

}  // namespace
}  // namespace magmo::test
