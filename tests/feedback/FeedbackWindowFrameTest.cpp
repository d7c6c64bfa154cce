#include "feedback/frmSuggest.h"
#include "main/ImageButton.h"
#include "main/SkinResources.h"
#include "common/SkinnedDialogChecks.h"

#include <gtest/gtest.h>

namespace {

struct FeedbackWindowFrame : ::testing::Test {
  FeedbackWindowFrame() { twips::setPerPixel(15, 15); }
  ~FeedbackWindowFrame() override { twips::setPerPixel(0, 0); }
};

TEST_F(FeedbackWindowFrame, OpensOutOfSightThenCentredWithItsColourKey) {
  frmSuggest window;
  EXPECT_EQ(window.size(), QSize(326, 174));
  expectParkedUntilTheTick(window);
}

TEST_F(FeedbackWindowFrame, ControlsArePlacedOnTheSkin) {
  frmSuggest window;
  expectControlsInsideTheClientArea(window);
  struct Box {
    QLineEdit* box;
    QRect place;
    int maxLength;
    const char* tip;
  } boxes[] = {
      {window.txtName, QRect(110, 50, 141, 21), 50, "Your Name"},
      {window.txtEMail, QRect(110, 76, 141, 21), 100, "Email"},
      {window.txtComment, QRect(110, 102, 189, 21), 256, ""},
  };
  for (const Box& b : boxes) {
    EXPECT_EQ(b.box->geometry(), b.place) << b.tip;
    EXPECT_EQ(b.box->maxLength(), b.maxLength) << b.tip;
    EXPECT_EQ(b.box->toolTip(), b.tip);
  }
  EXPECT_TRUE(window.lblSending->isHidden());
  EXPECT_EQ(window.imgSend->toolTip(), "Send your feedback now");
  EXPECT_EQ(window.imgBack->toolTip(), "back to main");
  EXPECT_EQ(window.imgExit->toolTip(), "Exit");
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
