#include "skin/ImageButton.h"
#include "options/frmOptions.h"
#include "skin/SkinResources.h"
#include "common/SkinnedDialogChecks.h"
#include "common/Density.h"

#include <gtest/gtest.h>

namespace {

struct OptionsWindowFrame : ::testing::Test {
  Density density;
};

TEST_F(OptionsWindowFrame, OpensOutOfSightThenCentredWithItsColourKey) {
  frmOptions window;
  EXPECT_EQ(window.size(), QSize(324, 172));
  expectParkedUntilTheTick(window);
}

TEST_F(OptionsWindowFrame, ControlsArePlacedOnTheSkin) {
  frmOptions window;
  expectControlsInsideTheClientArea(window);
  EXPECT_TRUE(window.cmbSR->geometry().contains(window.picButtonBR->geometry()));
  EXPECT_EQ(window.chkMC->size(), QSize(13, 13));  // the square only: its caption stays hidden
  for (ImageButton* button : {window.imgOK, window.imgBack, window.imgExit})
    EXPECT_EQ(button->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(OptionsWindowFrame, ButtonsLightUntilThePointerReachesTheBackground) {
  frmOptions window;
  const std::pair<ImageButton*, const char*> twins[] = {
      {window.imgOK, "ok_light.png"},
      {window.imgBack, "back_light.png"},
      {window.imgExit, "options_exit_light.png"},
      {window.picButtonBR, "arrow_light.png"},
  };
  for (const auto& [button, twin] : twins) {
    mouse::move(button);
    EXPECT_EQ(button->pixmap().toImage(),
              artwork::picture(QString::fromLatin1(twin)).toImage())
        << twin;
  }
  for (const auto& [button, twin] : twins) EXPECT_EQ(button->look(), ImageButton::Look::Lit);

  moveOverBackground(window);
  for (const auto& [button, twin] : twins) EXPECT_EQ(button->look(), ImageButton::Look::Normal);
  EXPECT_TRUE(window.imgOK->pixmap().isNull());
  EXPECT_EQ(window.picButtonBR->pixmap().toImage(),
            artwork::picture(QStringLiteral("arrow.png")).toImage());
}

TEST_F(OptionsWindowFrame, BackAndExitCloseTheWindow) {
  for (bool viaBack : {true, false}) {
    frmOptions window;
    window.show();
    mouse::click(viaBack ? window.imgBack : window.imgExit);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
  }
}

}  // namespace
