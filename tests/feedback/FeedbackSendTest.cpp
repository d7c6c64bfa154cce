#include "feedback/frmSuggest.h"
#include "skin/ImageButton.h"
#include "common/MouseInput.h"
#include "common/ScriptedModal.h"
#include "common/Density.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct FeedbackSend : ::testing::Test {
  Density density;
  ScriptedModal modal;
  std::unique_ptr<frmSuggest> window;

  FeedbackSend() { window = std::make_unique<frmSuggest>(); }

  void fill(const QString& name, const QString& email, const QString& comment) {
    window->txtName->setText(name);
    window->txtEMail->setText(email);
    window->txtComment->setText(comment);
  }
  void fillAll() {
    fill(QStringLiteral("Ann"), QStringLiteral("ann@mail.example"), QStringLiteral("Nice"));
  }
  QString status() const { return window->lblSending->text(); }
};

TEST_F(FeedbackSend, AnEmptyBoxIsPromptedForInOrderAndNothingIsSent) {
  struct Case {
    QString name, email, comment;
    QString prompt;
    QLineEdit* frmSuggest::*focused;
  };
  const QString x = QStringLiteral("x");
  const Case cases[] = {
      {{}, {}, {}, QStringLiteral("Your Name?"), &frmSuggest::txtName},
      {{}, x, x, QStringLiteral("Your Name?"), &frmSuggest::txtName},
      {x, {}, {}, QStringLiteral("Your Email?"), &frmSuggest::txtEMail},
      {x, {}, x, QStringLiteral("Your Email?"), &frmSuggest::txtEMail},
      {x, x, {}, QStringLiteral("Comment?"), &frmSuggest::txtComment},
  };
  window->show();
  for (const Case& c : cases) {
    // The focus starts in a box other than the one that is prompted for.
    QLineEdit* expected = (*window).*c.focused;
    (expected == window->txtComment ? window->txtName : window->txtComment)->setFocus();
    fill(c.name, c.email, c.comment);

    mouse::click(window->imgSend);

    EXPECT_EQ(status(), c.prompt);
    EXPECT_TRUE(window->lblSending->isVisible()) << c.prompt.toStdString();
    EXPECT_GE(window->lblSending->width(),
              window->lblSending->fontMetrics().horizontalAdvance(c.prompt))
        << c.prompt.toStdString();
    EXPECT_EQ(window->focusWidget(), expected) << c.prompt.toStdString();
    EXPECT_TRUE(window->imgSend->isEnabled()) << c.prompt.toStdString();
  }
  EXPECT_TRUE(modal.requestedUrls.empty());
}

TEST_F(FeedbackSend, SendsOnceThenSendStaysDisabled) {
  fill(QStringLiteral("  "), QStringLiteral("a&b"), QStringLiteral("1 + 1 = 2 #"));
  window->show();
  mouse::click(window->imgSend);

  EXPECT_EQ(status(), QStringLiteral("Sending..."));
  EXPECT_TRUE(window->lblSending->isVisible());
  EXPECT_FALSE(window->imgSend->isEnabled());
  ASSERT_EQ(modal.requestedUrls.size(), 1u);
  EXPECT_EQ(modal.requestedUrls[0].toEncoded(),
            "http://feedback.dabrelin.example/suggest/post.php?name=%20%20&age=a%26b"
            "&comment=1%20%2B%201%20%3D%202%20%23");

  // A disabled button takes no clicks; what is typed now reaches nobody.
  window->txtComment->setText(QStringLiteral("changed"));
  mouse::click(window->imgSend);
  EXPECT_EQ(modal.requestedUrls.size(), 1u);
  EXPECT_EQ(status(), QStringLiteral("Sending..."));  // until the answer arrives
}

TEST_F(FeedbackSend, TheAnswerShowsFinishedAndTheWindowStaysOpen) {
  fillAll();
  window->show();
  window->Command1_Click();
  ASSERT_EQ(modal.pendingReplies.size(), 1u);

  modal.pendingReplies[0](true);
  EXPECT_EQ(status(), QStringLiteral("Finished."));
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->imgSend->isEnabled());
  modal.pendingReplies[0](true);  // a further answer changes nothing
  EXPECT_EQ(status(), QStringLiteral("Finished."));
}

TEST_F(FeedbackSend, ClosingWhileSendingEndsTheWindowAndTheLateAnswerReachesNobody) {
  const std::pair<const char*, void (frmSuggest::*)()> closers[] = {
      {"Back", &frmSuggest::imgBack_Click},
      {"Exit", &frmSuggest::imgExit_Click},
      {"Command2", &frmSuggest::Command2_Click},
  };
  for (const auto& [what, close] : closers) {
    auto sending = std::make_unique<frmSuggest>();
    sending->txtName->setText(QStringLiteral("a"));
    sending->txtEMail->setText(QStringLiteral("b"));
    sending->txtComment->setText(QStringLiteral("c"));
    sending->show();
    sending->Command1_Click();
    ((*sending).*close)();
    EXPECT_FALSE(sending->isVisible()) << what;
    EXPECT_EQ(sending->result(), QDialog::Rejected) << what;
    sending.reset();

    ASSERT_FALSE(modal.pendingReplies.empty());
    modal.pendingReplies.back()(false);  // must not touch the destroyed window
  }
}

}  // namespace
