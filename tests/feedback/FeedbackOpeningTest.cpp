#include "feedback/frmSuggest.h"
#include "main/frmMain.h"
#include "skin/ImageButton.h"
#include "common/MouseInput.h"
#include "common/ScriptedModal.h"
#include "common/TempFolder.h"
#include "common/Density.h"

#include <QPointer>
#include <gtest/gtest.h>

namespace {

struct FeedbackOpening : ::testing::Test {
  Density density;
  ScriptedModal modal;
  TempProgramFolder program;
  std::unique_ptr<frmMain> main;

  FeedbackOpening() {
    main = std::make_unique<frmMain>();
    main->endProgram = [] {};
  }
};

TEST_F(FeedbackOpening, TheFeedbackLinkOpensAFreshWindowEveryTime) {
  std::vector<QPointer<frmSuggest>> opened;
  modal.onModal = [&](QDialog* dialog) {
    auto* window = qobject_cast<frmSuggest*>(dialog);
    EXPECT_NE(window, nullptr);
    if (!window) return int(QDialog::Rejected);
    opened.emplace_back(window);
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_TRUE(window->Timer1->isActive());  // loaded, waiting to show centred
    EXPECT_TRUE(window->txtName->text().isEmpty());
    EXPECT_TRUE(window->txtEMail->text().isEmpty());
    EXPECT_TRUE(window->txtComment->text().isEmpty());
    EXPECT_TRUE(window->lblSending->isHidden());
    EXPECT_TRUE(window->imgSend->isEnabled());

    // The first visit sends, then leaves before the answer.
    window->txtName->setText(QStringLiteral("Ann"));
    window->txtEMail->setText(QStringLiteral("ann@mail.example"));
    window->txtComment->setText(QStringLiteral("Nice"));
    window->Command1_Click();
    window->imgExit_Click();
    return window->result();
  };

  mouse::click(main->lblFeed);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_TRUE(opened[0].isNull());  // gone once closed
  ASSERT_EQ(modal.pendingReplies.size(), 1u);
  modal.pendingReplies[0](true);  // the late answer finds no window

  mouse::click(main->lblFeed);
  EXPECT_EQ(opened.size(), 2u);
}

}  // namespace
