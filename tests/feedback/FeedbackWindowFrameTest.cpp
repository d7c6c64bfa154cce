#include "feedback/frmSuggest.h"
#include "skin/ImageButton.h"
#include "skin/SkinResources.h"
#include "common/SkinnedDialogChecks.h"
#include "common/Density.h"

#include <gtest/gtest.h>

namespace {

struct FeedbackWindowFrame : ::testing::Test {
  Density density;
};

TEST_F(FeedbackWindowFrame, OpensOutOfSightThenCentredWithItsColourKey) {
  frmSuggest window;
  EXPECT_EQ(window.size(), QSize(326, 174));
  expectParkedUntilTheTick(window);
}

TEST_F(FeedbackWindowFrame, ControlsArePlacedOnTheSkin) {
  frmSuggest window;
  expectControlsInsideTheClientArea(window);
  EXPECT_EQ(window.txtComment->geometry(), QRect(110, 102, 189, 21));
  const std::pair<QLineEdit*, int> limits[] = {
      {window.txtName, 50}, {window.txtEMail, 100}, {window.txtComment, 256}};
  for (const auto& [box, limit] : limits) EXPECT_EQ(box->maxLength(), limit);
  EXPECT_TRUE(window.lblSending->isHidden());
}

TEST_F(FeedbackWindowFrame, ButtonsLightUntilThePointerReachesTheBackground) {
  frmSuggest window;
  const std::pair<ImageButton*, const char*> twins[] = {
      {window.imgSend, "send_light.png"},
      {window.imgBack, "back_light.png"},
      {window.imgExit, "suggest_exit_light.png"},
  };
  for (const auto& [button, twin] : twins) {
    mouse::move(button);
    EXPECT_EQ(button->pixmap().toImage(),
              artwork::picture(QString::fromLatin1(twin)).toImage())
        << twin;
  }
  moveOverBackground(window);
  for (const auto& [button, twin] : twins) EXPECT_TRUE(button->pixmap().isNull()) << twin;
}

TEST_F(FeedbackWindowFrame, BackAndExitCloseTheWindow) {
  for (bool viaBack : {true, false}) {
    frmSuggest window;
    window.show();
    mouse::click(viaBack ? window.imgBack : window.imgExit);
    EXPECT_FALSE(window.isVisible());
  }
}

}  // namespace
