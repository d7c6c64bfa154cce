#include "skin/ImageButton.h"
#include "main/frmMain.h"
#include "skin/SkinResources.h"
#include "skin/TextFit.h"
#include "common/MouseInput.h"
#include "common/ScriptedModal.h"
#include "common/TempFolder.h"
#include "common/Density.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <map>
#include <string>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

bool shows(const QLabel* label, const QString& picture) {
  return label->pixmap().toImage() == artwork::picture(picture).toImage();
}

struct MainWindowFrame : ::testing::Test {
  Density density;
  ScriptedModal modal;
  TempProgramFolder program;
  std::unique_ptr<frmMain> w;

  MainWindowFrame() { w = std::make_unique<frmMain>(); }

  // A point of the main window's face that no control covers.
  void moveOverBackground() { mouse::move(w.get(), Qt::NoButton, QPoint(690, 250)); }

  std::vector<ImageButton*> arrowBoxes() const {
    return {w->picButtonOF, w->picButtonBR, w->picButtonR, w->picButtonChannel};
  }
};

TEST_F(MainWindowFrame, StaysOutOfSightUntilTheTickThenShowsCentredWithItsColourKey) {
  EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
  w->skin.ParkOffScreen();
  w->Timer2->start();
  EXPECT_LT(w->geometry().right(), 0);
  EXPECT_LT(w->geometry().bottom(), 0);
  EXPECT_EQ(w->mTransparentColor, 0);

  ASSERT_TRUE(processEventsUntil([&] { return !w->Timer2->isActive(); }, 2000));
  EXPECT_EQ(w->mTransparentColor, 0xFF00FF);
  const QRect screen = w->screen()->geometry();
  EXPECT_NEAR(w->geometry().center().x(), screen.center().x(), 1);
  EXPECT_NEAR(w->geometry().center().y(), screen.center().y(), 1);
  EXPECT_FALSE(w->mask().contains(QPoint(0, 0)));  // the skin's rounded corner
  EXPECT_TRUE(w->mask().contains(QPoint(348, 250)));
}

TEST_F(MainWindowFrame, ToolbarLightsOneButtonAndAPressDarkensThemAll) {
  mouse::move(w->imgToolbar[0]);
  mouse::move(w->imgToolbar[3]);
  for (const auto& [index, button] : w->imgToolbar)
    EXPECT_EQ(button->look() == ImageButton::Look::Lit, index == 3) << index;
  EXPECT_TRUE(shows(w->imgToolbar[3], QStringLiteral("toolbar_data_3.png")));

  mouse::press(w->imgToolbar[3]);
  for (const auto& [index, button] : w->imgToolbar) EXPECT_TRUE(button->pixmap().isNull()) << index;
  mouse::move(w->imgToolbar[3], Qt::LeftButton);
  EXPECT_TRUE(shows(w->imgToolbar[3], QStringLiteral("toolbar_data_3.png")));
}

TEST_F(MainWindowFrame, MenuLineLightsTheElementUnderThePointerOnly) {
  mouse::move(w->imgMenu[0]);
  mouse::move(w->imgMenu[2]);
  EXPECT_TRUE(shows(w->imgMenu[2], QStringLiteral("menu_data_2.png")));
  EXPECT_TRUE(w->imgMenu[0]->pixmap().isNull());
  EXPECT_TRUE(w->imgMenu[1]->pixmap().isNull());
  mouse::press(w->imgMenu[2]);  // no press handler: it stays lit
  EXPECT_TRUE(shows(w->imgMenu[2], QStringLiteral("menu_data_2.png")));
}

TEST_F(MainWindowFrame, ButtonsStayLitUntilThePointerReachesTheBackground) {
  mouse::move(w->imgHelp);
  mouse::move(w->imgMin);
  EXPECT_TRUE(shows(w->imgHelp, QStringLiteral("help_light.png")));
  EXPECT_TRUE(shows(w->imgMin, QStringLiteral("min_light.png")));

  // Light everything that ResetHovers darkens.
  std::vector<ImageButton*> lit = {w->imgExit, w->imgBrowse, w->imgConvert, w->imgDoorButton,
                                   w->imgToolbar[6], w->imgMenu[1]};
  for (ImageButton* arrow : arrowBoxes()) lit.push_back(arrow);
  for (ImageButton* button : lit) mouse::move(button);
  mouse::move(w->lblFeed);
  lit.push_back(w->imgHelp);
  lit.push_back(w->imgMin);
  for (ImageButton* button : lit) {
    ASSERT_EQ(button->look(), ImageButton::Look::Lit);
    // Whole, also where the picture is larger than the control (the help mark).
    EXPECT_TRUE(button->rect().contains(QRect(QPoint(), button->pixmap().size())))
        << button->toolTip().toStdString();
  }
  EXPECT_TRUE(w->lblFeed->hasHoverLook());

  moveOverBackground();
  for (ImageButton* button : lit) EXPECT_EQ(button->look(), ImageButton::Look::Normal);
  EXPECT_TRUE(w->imgHelp->pixmap().isNull());
  for (ImageButton* arrow : arrowBoxes()) EXPECT_TRUE(shows(arrow, QStringLiteral("arrow.png")));
  EXPECT_FALSE(w->lblFeed->hasHoverLook());
}

TEST_F(MainWindowFrame, APressOnTheBareFaceStartsOneSystemMove) {
  int moves = 0;
  w->skin.startSystemMove = [&moves] { ++moves; };
  const QPoint face(690, 250);
  mouse::press(w.get(), face);
  mouse::move(w.get(), Qt::LeftButton, face + QPoint(0, 5));
  mouse::move(w.get(), Qt::LeftButton, face + QPoint(0, 9));
  EXPECT_EQ(moves, 1);
}

TEST_F(MainWindowFrame, PressedLooks) {
  mouse::move(w->imgConvert);
  mouse::press(w->imgConvert);
  EXPECT_TRUE(w->imgConvert->pixmap().isNull());

  mouse::move(w->imgBrowse);
  mouse::press(w->imgBrowse);
  EXPECT_TRUE(shows(w->imgBrowse, QStringLiteral("browse_dark.png")));
  mouse::move(w->imgBrowse, Qt::LeftButton);
  EXPECT_TRUE(shows(w->imgBrowse, QStringLiteral("browse_light.png")));

  // No press handler: a pressed title-bar image stays lit.
  mouse::move(w->imgHelp);
  mouse::press(w->imgHelp);
  EXPECT_TRUE(shows(w->imgHelp, QStringLiteral("help_light.png")));
}

TEST_F(MainWindowFrame, ArrowBoxesLieOverTheirListsAndDropThemDown) {
  struct Case {
    ImageButton* box;
    QComboBox* list;
    const char* tip;
  } cases[] = {
      {w->picButtonOF, w->cmbOF, "MP3 Audio Bitrate"},
      {w->picButtonBR, w->cmbBR, "MP3 Audio Bitrate"},
      {w->picButtonR, w->cmbR, "MP3 Audio Rate"},
      {w->picButtonChannel, w->cmbChannel, "MP3 Audio Channel(Stereo or Mono)"},
  };
  w->show();
  for (const Case& c : cases) {
    EXPECT_TRUE(shows(c.box, QStringLiteral("arrow.png")));
    EXPECT_EQ(c.box->toolTip(), c.tip);
    const QRect list = c.list->geometry();
    EXPECT_TRUE(list.contains(c.box->geometry())) << c.tip;
    EXPECT_GE(c.box->geometry().left(), list.right() - 24) << c.tip;
    EXPECT_GT(w->children().indexOf(c.box), w->children().indexOf(c.list));  // above it

    mouse::click(c.box);
    EXPECT_TRUE(c.list->view()->isVisible()) << c.tip;
    c.list->hidePopup();
  }
}

TEST_F(MainWindowFrame, HandCursorOnTheTitleBarImagesAndLinksOnly) {
  for (QWidget* hand : {static_cast<QWidget*>(w->imgHelp), static_cast<QWidget*>(w->imgMin),
                        static_cast<QWidget*>(w->imgExit), static_cast<QWidget*>(w->lblFeed),
                        static_cast<QWidget*>(w->lblWeb)})
    EXPECT_EQ(hand->cursor().shape(), Qt::BitmapCursor) << hand->toolTip().toStdString();
  for (ImageButton* arrow : {w->imgConvert, w->imgBrowse, w->imgToolbar[2], w->imgMenu[0]})
    EXPECT_EQ(arrow->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindowFrame, StartImageLiesBelowTheClientArea) {
  EXPECT_GE(w->imgStart->geometry().top(), w->height());
  int started = 0;
  modal.onMessage = [&](const ScriptedModal::Message&) { ++started; };
  mouse::click(w->imgStart);  // reached only through other controls; its click still starts
  EXPECT_EQ(started, 1);      // "Please add a file" for the empty queue
}

TEST_F(MainWindowFrame, OutputFolderBoxShowsTheStartOfWhatTheProgramPutsThere) {
  const QString longPath = QStringLiteral("/home/someone/a rather long folder name/") +
                           QString(200, u'x') + QStringLiteral("/output");
  w->txtPath->setText(longPath);
  EXPECT_EQ(w->txtPath->cursorPosition(), 0);
  w->txtPath->end(false);
  w->txtPath->setText(longPath);  // the same text again
  EXPECT_EQ(w->txtPath->cursorPosition(), 0);

  // The user's own keys move the cursor and type where it is, as in any text box.
  const auto key = [this](Qt::Key code, const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w->txtPath, &event);
  };
  for (int i = 0; i < 5; ++i) key(Qt::Key_Right);
  key(Qt::Key_Z, QStringLiteral("z"));
  EXPECT_EQ(w->txtPath->text().mid(5, 1), "z");
  EXPECT_EQ(w->txtPath->cursorPosition(), 6);
}

TEST_F(MainWindowFrame, MinimiseLeavesTheButtonDark) {
  w->show();
  mouse::move(w->imgMin);
  mouse::click(w->imgMin);
  EXPECT_TRUE(w->windowState().testFlag(Qt::WindowMinimized));
  EXPECT_TRUE(w->imgMin->pixmap().isNull());
}

// Text and the list's columns keep their pixels at every density, as the
// window and its controls do: what 96 DPI shows, 120 and 144 DPI show.
TEST(MainWindowDensity, EveryFontAndTheListColumnsKeepTheirPixels) {
  ScriptedModal modal;
  TempProgramFolder program;
  const auto shownAt = [](double perPixel) {
    Density density(perPixel, perPixel);
    frmMain w;
    w.skin.ScaleToDpi();
    w.show();
    const auto pixels = [perPixel](double points) { return points * 1440 / 72 / perPixel; };
    std::map<std::string, double> shown;
    const std::pair<const char*, const QWidget*> texts[] = {
        {"list", w.LV},
        {"list header", w.LV->header()->viewport()},  // where the header draws
        {"format", w.cmbOF},
        {"bitrate", w.cmbBR},
        {"rate", w.cmbR},
        {"channels", w.cmbChannel},
        {"format popup", w.cmbOF->view()},
        {"output folder", w.txtPath},
        {"percentage", w.lblPB}};
    for (const auto& [name, control] : texts) shown[name] = pixels(control->font().pointSizeF());
    shown["smallest fitted text"] = pixels(fittingPointSize(w.lblFeed->font(), "Feedback", 0));
    shown["list width"] = w.LV->width();
    shown["FileName column"] = w.LV->columnWidth(0);
    shown["Format column"] = w.LV->header()->sectionSize(1);
    shown["columns beyond the list"] = std::max(0, w.LV->header()->length() - w.LV->width());
    return shown;
  };
  const std::map<std::string, double> designed = shownAt(15);
  EXPECT_EQ(designed.at("list"), 12);  // 9 points at 96 DPI
  EXPECT_EQ(designed.at("FileName column") + designed.at("Format column"),
            designed.at("list width"));
  for (const double perPixel : {12.0, 10.0}) {
    const std::map<std::string, double> shown = shownAt(perPixel);
    for (const auto& [name, designedPixels] : designed)
      EXPECT_NEAR(shown.at(name), designedPixels, 0.01) << name << " at " << perPixel;
  }
}

}  // namespace
