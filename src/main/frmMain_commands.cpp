// The main window's commands: the menu line's popups, the help page, the
// home-page link, the about box, and the command channel through which the
// popup menus' items reach the window.
#include "main/WebSite.h"
#include "main/frmMain.h"
#include "main/frmMenu.h"
#include "platform/Modal.h"
#include "skin/ImageButton.h"

#include <QUrl>

namespace {

QString aboutText() {
  return QStringLiteral("Dabrelin\nConverts video and audio files into audio files.\n") +
         kHomePage;
}

}  // namespace

void frmMain::wireCommands() {
  connect(imgHelp, &ImageButton::clicked, this, &frmMain::imgHelp_Click);
  connect(lblWeb, &ClickableLabel::clicked, this, &frmMain::lblWeb_Click);
  for (int16_t i = 0; i < 3; ++i)
    connect(imgMenu[i], &ImageButton::clicked, this, [this, i] { imgMenu_Click(i); });
}

void frmMain::imgHelp_Click() {
  // Whether a browser could be started is not ours to report.
  platform::modal().openUrl(QUrl(kHomePage).resolved(QUrl(QStringLiteral("/tutorial.html"))));
  imgHelp->GoDark();
}

void frmMain::lblWeb_Click() { platform::modal().openUrl(QUrl(kHomePage)); }

void frmMain::imgMenu_Click(int16_t Index) {
  QMenu* const menus[] = {menuForm->menuFile, menuForm->menuOptions, menuForm->menuAbout};
  if (Index < 0 || Index > 2) return;
  // The popup hangs from the image's bottom-left corner wherever the pointer
  // is; the corner is taken at the click, after any rescaling.
  const ControlGeometry& image = layout[imgMenu[Index]];
  const QPoint corner(twips::toPixelsX(image.Left), twips::toPixelsY(image.Top + image.Height));
  platform::modal().popupMenu(menus[Index], mapToGlobal(corner));
  // The menu held the pointer while it was open, so no move over the
  // background darkened the image; however the menu closed, it looks like
  // the rest of the menu line again.
  imgMenu[Index]->GoDark();
}

void frmMain::showAboutBox() {
  platform::modal().showMessage(this, aboutText(), QString(), platform::MessageIcon::None);
}

void frmMain::txtAction_Change() {
  // Each test reads the box again: a word written by a nested dispatch has
  // already been performed and emptied, so nothing runs twice.
  if (txtAction->text() == QLatin1String("RemoveSelected")) imgRemove_Click();
  if (txtAction->text() == QLatin1String("A")) showAboutBox();
  if (txtAction->text() == QLatin1String("AddaFile")) imgAdd_Click();
  if (txtAction->text() == QLatin1String("menuAddaFolder")) imgToolbar_Click(6);
  if (txtAction->text() == QLatin1String("menuExit")) imgExit_Click();
  if (txtAction->text() == QLatin1String("menuHelp")) imgHelp_Click();
  if (txtAction->text() == QLatin1String("menuOption")) imgToolbar_Click(2);
  txtAction->setText(QString());
}
