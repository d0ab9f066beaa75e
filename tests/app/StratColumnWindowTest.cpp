// The stratigraphy window driven through its widgets: it shows what Controls::Strat says, draws
// the column of the model and passes each edit to the core's handler through the run callback.
#include <gtest/gtest.h>
#include <QtWidgets>

#include "app/StratColumnWindow.h"
#include "control/ColumnCommands.h"
#include "support/SimFixture.h"

namespace magmo::test {
namespace {

class StratColumnWindowTest : public SimTest {
 protected:
  StratColumnWindowTest() : window(sim, [this](const std::function<void()>& f) { f(), window.sync(); }) {
    buildCone(640, 30, 200);  // layer 1 in green
    ui().txtLoc.text = "12.8";
  }
  template <typename T = QWidget>
  T* find(const char* name) {
    T* w = window.findChild<T*>(name);
    if (!w) ADD_FAILURE() << "no " << name;
    return w;
  }
  void open() {
    mnuViewStratClick(sim);
    window.sync();
    QCoreApplication::processEvents();
  }
  double share(QRgb colour) const {
    const QImage& p = window.picture();
    int n = 0;
    for (int y = 0; y < p.height(); ++y)
      for (int x = 0; x < p.width(); ++x) n += p.pixel(x, y) == colour;
    return double(n) / (p.width() * p.height());
  }
  static constexpr QRgb kGreen = 0xff008000, kBlue = 0xff000080;

  StratColumnWindow window;
};

TEST_F(StratColumnWindowTest, PictureShowsTheSliceAndFollowsTheScrollBar) {
  open();
  ASSERT_TRUE(window.isVisible());
  EXPECT_EQ(find<QLineEdit>("txtLoc")->text(), "12.80");
  EXPECT_EQ(find<QScrollBar>("HScroll1")->value(), 640);
  // The cone's top fills about two thirds of the width over most of the height.
  EXPECT_GT(share(kGreen), 0.3);
  EXPECT_GT(share(kBlue), 0.05);

  find<QScrollBar>("HScroll1")->setValue(1200);  // far from the cone: the empty frame
  EXPECT_EQ(ui().Strat.scroll, 1200);
  EXPECT_EQ(find<QLineEdit>("txtLoc")->text(), "24.00");
  EXPECT_EQ(share(kGreen), 0);
  EXPECT_GT(share(kBlue), 0.1);

  find<QLineEdit>("txtLoc")->setText("12.5");
  emit find<QLineEdit>("txtLoc")->returnPressed();
  EXPECT_EQ(find<QScrollBar>("HScroll1")->value(), 625);
  EXPECT_EQ(find<QLineEdit>("txtLoc")->text(), "12.50");
  EXPECT_GT(share(kGreen), 0.3);
}

TEST_F(StratColumnWindowTest, ButtonsReachTheCoreAndTipsFollowTheOption) {
  ui().mnuOptHtips.checked = true;
  open();
  EXPECT_FALSE(find<QPushButton>("cmdPrint")->isEnabled());
  EXPECT_FALSE(find("Strata")->toolTip().isEmpty());
  ui().mnuOptHtips.checked = false;
  window.sync();
  EXPECT_TRUE(find("Strata")->toolTip().isEmpty());

  find<QPushButton>("cmdCopy")->click();
  EXPECT_EQ(find<QLabel>("StatusBar1")->text(), "Stratigraphy window copied to clipboard");
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), window.picture().size());

  find<QPushButton>("cmdClose")->click();
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(ui().Strat.visible || ui().mnuViewStrat.checked);
}

}  // namespace
}  // namespace magmo::test
