#include "app/AboutDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/SplashPicture.h"

namespace magmo {

void showAboutMagmo(QWidget* parent) {
  QDialog dialog(parent);
  dialog.setObjectName("frmAbout");
  dialog.setWindowTitle("About Magmo");

  auto* picture = new QLabel;
  picture->setObjectName("picSplash");
  picture->setPixmap(splashPicture({240, 150}));
  picture->setAlignment(Qt::AlignTop);

  auto* text = new QLabel;
  text->setObjectName("lblAbout");
  text->setTextFormat(Qt::RichText);
  text->setWordWrap(true);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  text->setText(
      "<p><b style='font-size:large'>Magmo " + magmoVersion().toHtmlEscaped() +
      "</b><br>A simulator of volcanic eruptions for teaching.</p>"
      "<p>Licensed under the MIT licence.</p>"
      "<p>Built with:</p>"
      "<ul style='margin-left:-20px'>"
      "<li>Qt 6, including Qt Multimedia &mdash; LGPL v3</li>"
      "<li>Qt SVG &mdash; LGPL v3</li>"
      "<li>Qt Data Visualization (the 3-D viewer) &mdash; GPL v3 or commercial</li>"
      "</ul>"
      "<p>For development only: GoogleTest (BSD 3-Clause) and Google Benchmark (Apache 2.0).</p>");
  text->setMinimumWidth(300);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  buttons->setObjectName("cmdOK");
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);

  auto* row = new QHBoxLayout;
  row->addWidget(picture);
  row->addWidget(text, 1);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(row);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  dialog.exec();
}

}  // namespace magmo
