#pragma once
// Printing of the map, relief and column pictures: one picture a page under a caption, shown in a
// print preview whose toolbar can also write the page as a PDF file.
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;
class QWidget;

namespace magmo {
struct Sim;

// At least one printer is installed.
bool printerAvailable();

struct PrintCaption {
  QString title;
  QString fileName;
  QString scale;
  QString gravity;
};

// The caption of a picture of this simulation: its stratigraphic file (title only, or "No File"),
// its scale and the gravity as the status bar shows it.
PrintCaption printCaptionOf(const Sim& sim, const QString& title);

// The caption's two lines (title in bold, then file, date, scale and gravity) at the top of the
// block, and under them the picture as large as the rest of the page allows, with its proportions.
// The block is centred on the page.
void paintPicturePage(QPainter& p, const QRectF& page, const QImage& picture, const PrintCaption& c);

// The page as an A4 PDF file; false, and no file left, when it cannot be written.
bool printPictureToPdf(const QImage& picture, const PrintCaption& c, const QString& pdfPath);

// The preview (modal), landscape for a picture wider than tall; its toolbar adds "Export PDF...",
// whose file dialog opens in startFolder.
void showPrintPreview(QWidget* parent, const QImage& picture, const PrintCaption& c,
                      const QString& startFolder = QString());

}  // namespace magmo
