// The main window's skinned frame: its face, the title-bar images, the
// drop-down arrow boxes, the links, and the looks of every image button.
#include "main/WebSite.h"
#include "main/frmMain.h"
#include "skin/ImageButton.h"
#include "skin/LinkLabel.h"
#include "skin/SkinControls.h"
#include "skin/SkinResources.h"
#include "skin/SkinStyle.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
const QString kBitrateTip = QStringLiteral("MP3 Audio Bitrate");

void giveHoverTwin(ImageButton* button, const QString& twin) {
  button->setHoverPicture(artwork::picture(twin));
}

void goDarkWhenPressed(ImageButton* button) { button->setPressedPicture(QPixmap()); }
}  // namespace

void frmMain::createFrameControls() {
  setWindowFlag(Qt::FramelessWindowHint);
  setMouseTracking(true);
  setStyleSheet(skinnedControlsStyleSheet());
  skin.setPicture(artwork::picture(QStringLiteral("main.png")));

  imgHelp = createImageButton(this, QStringLiteral("help_light.png"),
                              QStringLiteral("Help & Tutorial"), true);
  layout.add(imgHelp, 9520, 120, 225, 225);
  imgMin = createImageButton(this, QStringLiteral("min_light.png"),
                             QStringLiteral("Minimize Window"), true);
  layout.add(imgMin, 9775, 135, 210, 210);
  connect(imgMin, &ImageButton::clicked, this, &frmMain::imgMin_Click);

  // Over the right ends of the lists; the output format's box shares the bitrate's tip.
  picButtonOF = createArrowBox(cmbOF, kBitrateTip);
  layout.add(picButtonOF, 9850, 2400, 285, 285);
  picButtonBR = createArrowBox(cmbBR, kBitrateTip);
  layout.add(picButtonBR, 9850, 3030, 285, 285);
  picButtonR = createArrowBox(cmbR, QStringLiteral("MP3 Audio Rate"));
  layout.add(picButtonR, 9850, 3690, 285, 285);
  picButtonChannel = createArrowBox(cmbChannel, QStringLiteral("MP3 Audio Channel(Stereo or Mono)"));
  layout.add(picButtonChannel, 9850, 4320, 285, 285);

  // Below the client area: only other controls reach its click.
  imgStart = createImageButton(this, QString(), QStringLiteral("Start Converting"), false);
  layout.add(imgStart, 4440, 8220, 1365, 315);
  connect(imgStart, &ImageButton::clicked, this, &frmMain::imgStart_Click);

  connect(lblFeed, &ClickableLabel::mouseMoved, this, &frmMain::lblFeed_MouseMove);
  connect(lblFeed, &ClickableLabel::clicked, this, &frmMain::lblFeed_Click);
}

void frmMain::giveButtonsTheirLooks() {
  giveHoverTwin(imgExit, QStringLiteral("exit_light.png"));
  imgExit->setCursor(artwork::handCursor());
  lblWeb->setToolTip(kHomePage);

  std::vector<ImageButton*> toolbar;
  for (const auto& [index, button] : imgToolbar) {
    giveHoverTwin(button, QStringLiteral("toolbar_data_%1.png").arg(index));
    toolbar.push_back(button);
  }
  makeImageButtonArray(toolbar, true);
  for (int i = 0; i < 3; ++i)
    giveHoverTwin(imgMenu[i], QStringLiteral("menu_data_%1.png").arg(i));
  makeImageButtonArray({imgMenu[0], imgMenu[1], imgMenu[2]}, false);

  giveHoverTwin(imgConvert, QStringLiteral("convert_data.png"));
  goDarkWhenPressed(imgConvert);
  giveHoverTwin(imgBrowse, QStringLiteral("browse_light.png"));
  imgBrowse->setPressedPicture(artwork::picture(QStringLiteral("browse_dark.png")));
  for (ImageButton* unreachable : {imgAdd, imgRemove, imgStart}) goDarkWhenPressed(unreachable);

  skin.hoverList = [this] {
    lblFeed->setHoverLook(false);
    imgHelp->GoDark();
    imgExit->GoDark();
    for (ImageButton* arrow : {picButtonChannel, picButtonR, picButtonOF, picButtonBR})
      arrow->GoDark();
    imgBrowse->GoDark();
    imgMin->GoDark();
    for (ImageButton* button : {imgStart, imgAdd, imgRemove, imgDoorButton}) button->GoDark();
    for (const auto& [index, button] : imgToolbar) button->GoDark();
    for (ImageButton* menu : imgMenu) menu->GoDark();
    imgConvert->GoDark();
  };
}

void frmMain::imgMin_Click() {
  showMinimized();
  imgMin->GoDark();
}

void frmMain::lblFeed_MouseMove() { lblFeed->setHoverLook(true); }

void frmMain::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  skin.paint(painter);
}

void frmMain::mousePressEvent(QMouseEvent* event) { skin.backgroundMousePress(*event); }

void frmMain::mouseMoveEvent(QMouseEvent* event) { skin.backgroundMouseMove(*event); }
