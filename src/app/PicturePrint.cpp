#include "app/PicturePrint.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QTemporaryFile>
#include <QToolBar>

#include "model/Sim.h"
#include "textio/FileNames.h"

namespace magmo {

namespace {

QPageLayout::Orientation orientationFor(const QImage& picture) {
  return picture.width() > picture.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// A painter on a printer starts at the printable area's corner.
QRectF printableArea(const QPrinter& printer) {
  return QRectF(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
}

bool paintToPrinter(QPrinter& printer, const QImage& picture, const PrintCaption& c) {
  QPainter p;
  if (!p.begin(&printer)) return false;
  paintPicturePage(p, printableArea(printer), picture, c);
  return p.end();
}

void exportPdf(QWidget* parent, const QImage& picture, const PrintCaption& c, const QString& startFolder) {
  QFileDialog dialog(parent, "Export PDF", startFolder, "PDF files (*.pdf)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("pdf");  // also asks before replacing the name with its suffix added
  dialog.selectFile(c.title + ".pdf");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().first();
  if (!printPictureToPdf(picture, c, path))
    QMessageBox::warning(parent, "Export PDF", "Could not write " + QDir::toNativeSeparators(path));
}

}  // namespace

bool printerAvailable() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

PrintCaption printCaptionOf(const Sim& sim, const QString& title) {
  const std::string& file = sim.ui.StrFileName;
  return {title, file.empty() ? QString("No File") : QString::fromStdString(fileTitle(file)),
          QString::number(sim.m.Scale) + " m per column", QString::fromStdString(sim.ui.statusBar1[5])};
}

void paintPicturePage(QPainter& p, const QRectF& page, const QImage& picture, const PrintCaption& c) {
  QFont titleFont = p.font();
  titleFont.setPointSizeF(14);
  titleFont.setBold(true);
  QFont lineFont = p.font();
  lineFont.setPointSizeF(9.5);
  lineFont.setBold(false);
  const QString line = "File: " + c.fileName +
                       "   Date: " + QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat) +
                       "   Scale: " + c.scale + "   Gravity: " + c.gravity;

  // Sizes follow the device's resolution, so the page looks alike on paper, in PDF and on screen.
  constexpr int kFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
  const QRectF wide(0, 0, page.width(), 1e6);
  const QFontMetricsF lineMetrics(lineFont, p.device());
  const qreal titleHeight = QFontMetricsF(titleFont, p.device()).boundingRect(wide, kFlags, c.title).height();
  const qreal lineHeight = lineMetrics.boundingRect(wide, kFlags, line).height();
  const qreal spacing = lineMetrics.height() * 0.3;
  const qreal captionHeight = titleHeight + spacing + lineHeight;
  const qreal gap = lineMetrics.height();

  QSizeF shown;
  if (!picture.isNull() && page.height() - captionHeight - gap > 0)
    shown = QSizeF(picture.size()).scaled(page.width(), page.height() - captionHeight - gap, Qt::KeepAspectRatio);
  const qreal blockHeight = captionHeight + (shown.isEmpty() ? 0 : gap + shown.height());
  const qreal top = page.top() + (page.height() - blockHeight) / 2;

  p.save();
  p.setPen(Qt::black);
  p.setFont(titleFont);
  p.drawText(QRectF(page.left(), top, page.width(), titleHeight), kFlags, c.title);
  p.setFont(lineFont);
  p.drawText(QRectF(page.left(), top + titleHeight + spacing, page.width(), lineHeight), kFlags, line);
  if (!shown.isEmpty()) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPointF corner(page.center().x() - shown.width() / 2, top + captionHeight + gap);
    p.drawImage(QRectF(corner, shown), picture);
  }
  p.restore();
}

bool printPictureToPdf(const QImage& picture, const PrintCaption& c, const QString& pdfPath) {
  if (pdfPath.isEmpty()) return false;
  const QFileInfo target(pdfPath);
  // Written beside the target under another name, so a failure leaves no partial file behind
  // and an older file of that name stays until the new one is complete.
  QTemporaryFile part(target.dir().filePath(".magmo-print-XXXXXX.pdf"));
  if (!part.open()) return false;
  const QString partPath = part.fileName();
  part.setAutoRemove(false);
  part.close();

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(partPath);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(orientationFor(picture));
  printer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
  printer.setDocName(c.title);
  printer.setCreator("Magmo");
  bool ok = paintToPrinter(printer, picture, c) && QFileInfo(partPath).size() > 0;
  if (ok && QFileInfo::exists(pdfPath)) ok = QFile::remove(pdfPath);
  if (ok) ok = QFile::rename(partPath, pdfPath);
  if (!ok) QFile::remove(partPath);
  return ok;
}

void showPrintPreview(QWidget* parent, const QImage& picture, const PrintCaption& c, const QString& startFolder) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(orientationFor(picture));
  printer.setDocName(c.title);
  printer.setCreator("Magmo");
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setWindowTitle(c.title + " Print");
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&](QPrinter* target) { paintToPrinter(*target, picture, c); });
  // Without a printer the print button still writes a file; this adds a direct way to PDF.
  if (auto* bar = dialog.findChild<QToolBar*>()) {
    bar->addSeparator();
    QAction* exportAction = bar->addAction("Export PDF...");
    exportAction->setObjectName("actExportPdf");
    exportAction->setToolTip("Write the page to a PDF file");
    QObject::connect(exportAction, &QAction::triggered, &dialog,
                     [&] { exportPdf(&dialog, picture, c, startFolder); });
  }
  // Room for the whole toolbar, with the added action, and a readable page.
  const QSize room = dialog.screen()->availableGeometry().size() * 0.9;
  dialog.resize(QSize(920, 720).boundedTo(room));
  dialog.exec();
}

}  // namespace magmo
