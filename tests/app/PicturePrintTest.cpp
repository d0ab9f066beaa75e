// Printing of the pictures: the page's layout measured in pixels, the PDF file and its failures,
// the preview and the map window's Print button; the About box and the splash picture.
#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <QtPrintSupport>
#include <QtWidgets>
#include <functional>

#include "app/AboutDialog.h"
#include "app/MapViewWindow.h"
#include "app/PicturePrint.h"
#include "app/SplashPicture.h"
#include "support/SimFixture.h"

static void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }  // readable failures

namespace magmo::test {
namespace {

const PrintCaption kCaption{"Map View", "Demo.str", "20 m per column", "Earth Gravity"};

// A green picture with a red frame 4 pixels wide.
QImage framedPicture(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::red);
  QPainter(&image).fillRect(4, 4, w - 8, h - 8, Qt::green);
  return image;
}

// Calls inspect on the modal dialog open brings up, then closes it.
void whileOpen(const std::function<void()>& open, const std::function<void(QDialog&)>& inspect) {
  QTimer::singleShot(0, [inspect] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) {
        inspect(*dialog);
        return dialog->reject();
      }
    ADD_FAILURE() << "no dialog open";
  });
  open();
}

TEST(PicturePrint, PageFitsThePictureUnderTheCaptionWithItsProportions) {
  struct Case {
    const char* what;
    QSize picture;
    bool fillsWidth;
  };
  const Case cases[] = {{"wide", {200, 50}, true}, {"tall", {60, 240}, false}};
  const QRect page(20, 30, 560, 740);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QImage sheet(600, 800, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    paintPicturePage(p, page, framedPicture(c.picture.width(), c.picture.height()), kCaption);
    p.end();

    QRect red, ink;  // the picture's frame, and whatever else is not white (the caption)
    for (int y = 0; y < sheet.height(); ++y)
      for (int x = 0; x < sheet.width(); ++x) {
        const QColor px = sheet.pixelColor(x, y);
        if (px == Qt::white) continue;
        ASSERT_TRUE(page.contains(x, y)) << x << "," << y;
        if (px.red() > 200 && px.green() < 60 && px.blue() < 60)
          red |= QRect(x, y, 1, 1);
        else if (!red.isValid() || y < red.top())
          ink |= QRect(x, y, 1, 1);
      }
    ASSERT_TRUE(red.isValid() && ink.isValid());
    EXPECT_EQ(sheet.pixelColor(red.center()), QColor(Qt::green));
    EXPECT_NEAR(double(red.width()) / red.height(), double(c.picture.width()) / c.picture.height(), 0.02);
    EXPECT_NEAR(red.left() - page.left(), page.right() - red.right(), 1);  // centred across
    EXPECT_LT(ink.bottom(), red.top());                                     // the caption above it
    EXPECT_GT(ink.width(), 200);                                            // the long second line
    if (c.fillsWidth) {
      EXPECT_NEAR(red.width(), page.width(), 2);
      EXPECT_NEAR(ink.top() - page.top(), page.bottom() - red.bottom(), 8);  // the block centred down
    } else {
      EXPECT_NEAR(red.bottom(), page.bottom(), 1);
      EXPECT_LT(ink.top() - page.top(), 10);
    }
  }
}

TEST(PicturePrint, PdfIsWrittenWholeOrNotAtAll) {
  QTemporaryDir dir;
  const QString pdf = dir.filePath("page.pdf");
  ASSERT_TRUE(printPictureToPdf(framedPicture(300, 200), kCaption, pdf));
  QFile written(pdf);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.read(4), "%PDF");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"page.pdf"});

  const QString folder = dir.filePath("folder");
  QDir().mkdir(folder);
  for (const QString& bad : {dir.filePath("missing/page.pdf"), folder, QString()}) {
    SCOPED_TRACE(bad.toStdString());
    EXPECT_FALSE(printPictureToPdf(framedPicture(300, 200), kCaption, bad));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"folder", "page.pdf"}));
    EXPECT_TRUE(QFileInfo(folder).isDir());
  }
}

TEST(PicturePrint, PreviewIsTitledAndTurnedToThePicture) {
  const std::pair<QSize, QPageLayout::Orientation> cases[] = {{{300, 200}, QPageLayout::Landscape},
                                                             {{200, 300}, QPageLayout::Portrait}};
  for (const auto& [size, orientation] : cases) {
    whileOpen([&] { showPrintPreview(nullptr, framedPicture(size.width(), size.height()), kCaption); },
              [&](QDialog& d) {
                auto* preview = qobject_cast<QPrintPreviewDialog*>(&d);
                ASSERT_TRUE(preview);
                EXPECT_EQ(d.windowTitle(), "Map View Print");
                EXPECT_EQ(preview->printer()->pageLayout().orientation(), orientation);
                EXPECT_TRUE(d.findChild<QAction*>("actExportPdf"));
              });
  }
}

class MapPrintTest : public SimTest {
 protected:
  MapPrintTest() : window(sim, [this](const std::function<void()>& f) { f(), window.sync(); }) { window.sync(); }
  QPushButton* print() { return window.findChild<QPushButton*>("cmdPrint"); }
  MapViewWindow window;
};

TEST_F(MapPrintTest, PrintFollowsThePrinterAndTheBusyPicture) {
  ASSERT_TRUE(print());
  EXPECT_EQ(print()->isEnabled(), printerAvailable());  // none on the offscreen test machine
  EXPECT_EQ(print()->toolTip(), "Press to display print options");
  ui().Map.buttonsEnabled = false;
  window.sync();
  EXPECT_FALSE(print()->isEnabled());

  ASSERT_TRUE(window.picture().isNull());
  emit print()->clicked();
  EXPECT_EQ(ui().Map.status2, "No map to print");
}

TEST_F(MapPrintTest, CaptionNamesTheFileScaleAndGravity) {
  const std::pair<std::string, QString> files[] = {{"", "No File"}, {"/data/files/Fuji like.str", "Fuji like.str"}};
  m().Scale = 10;
  ui().statusBar1[5] = "Mars Gravity";
  for (const auto& [path, shown] : files) {
    ui().StrFileName = path;
    const PrintCaption c = printCaptionOf(sim, "Topography");
    EXPECT_EQ(c.fileName, shown);
    EXPECT_EQ(c.scale, "10 m per column");
    EXPECT_EQ(c.gravity, "Mars Gravity");
  }
}

TEST(AboutAndSplash, AboutShowsTheVersionAndClosesOnOk) {
  EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d+").match(magmoVersion()).hasMatch());
  whileOpen([] { showAboutMagmo(nullptr); }, [](QDialog& d) {
    EXPECT_EQ(d.objectName(), "frmAbout");
    EXPECT_EQ(d.windowTitle(), "About Magmo");
    auto* text = d.findChild<QLabel*>("lblAbout");
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->text().contains("Magmo " + magmoVersion()));
    d.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_FALSE(d.isVisible());
  });
}

TEST(AboutAndSplash, SplashIsDrawnOverTheWholePicture) {
  for (const QSize size : {QSize(480, 300), QSize(300, 300)}) {
    SCOPED_TRACE(size.width());
    const QImage image = splashPicture(size).toImage();
    ASSERT_EQ(image.size(), size);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3)
      for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 200);
    // The sky reaches the corners whatever the proportions; the top is dark.
    for (const QPoint corner : {QPoint(0, 0), QPoint(size.width() - 1, 0)}) {
      EXPECT_NE(image.pixelColor(corner), QColor(Qt::black));
      EXPECT_LT(image.pixelColor(corner).lightness(), 60);
    }
  }
  EXPECT_TRUE(splashPicture(QSize(0, 0)).isNull());
}

}  // namespace
}  // namespace magmo::test
