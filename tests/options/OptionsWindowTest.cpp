#include "FailingWrites.h"
#include "FileBytes.h"
#include "MouseInput.h"
#include "ScriptedModal.h"
#include "TempFolder.h"
#include "main/ImageButton.h"
#include "main/frmMain.h"
#include "options/OptionValues.h"
#include "options/OptionsFile.h"
#include "options/frmOptions.h"

#include <QAbstractItemView>
#include <gtest/gtest.h>

namespace {

struct Values {
  int16_t noSound, cutEnabled;
  int32_t cutStart, cutLength;
  bool operator==(const Values&) const = default;
};

void PrintTo(const Values& v, std::ostream* os) {
  *os << v.noSound << ", " << v.cutEnabled << ", " << v.cutStart << ", " << v.cutLength;
}

Values current() { return {gNoSound, gCutEnabled, gCutStart, gCutLength}; }
void set(const Values& v) {
  gNoSound = v.noSound;
  gCutEnabled = v.cutEnabled;
  gCutStart = v.cutStart;
  gCutLength = v.cutLength;
}

using Texts = std::array<QString, 6>;

Texts boxTexts(const frmOptions& w) {
  return {w.txtFromH->text(), w.txtFromM->text(), w.txtFromS->text(),
          w.txtToH->text(),   w.txtToM->text(),   w.txtToS->text()};
}

std::array<QLineEdit*, 6> boxes(const frmOptions& w) {
  return {w.txtFromH, w.txtFromM, w.txtFromS, w.txtToH, w.txtToM, w.txtToS};
}

void type(frmOptions& w, const Texts& texts) {
  const auto all = boxes(w);
  for (std::size_t i = 0; i < all.size(); ++i) all[i]->setText(texts[i]);
}

struct OptionsWindow : ::testing::Test {
  ScriptedModal modal;
  TempProgramFolder program;
  QString iniPath = program.file("options.ini");
  OptionsWindow() { set({0, 0, 0, 0}); }
  ~OptionsWindow() override { set({0, 0, 0, 0}); }

  // Opens the window as the program does; `use` works with it while it is shown.
  void open(const std::function<void(frmOptions&)>& use) {
    int openings = 0;
    modal.onModal = [&](QDialog* dialog) {
      ++openings;
      auto* window = qobject_cast<frmOptions*>(dialog);
      EXPECT_NE(window, nullptr);
      EXPECT_EQ(window->parentWidget(), nullptr);  // no owner window
      if (window) use(*window);
      return dialog->result();
    };
    ShowOptionsWindow();
    EXPECT_EQ(openings, 1);
  }
};

TEST_F(OptionsWindow, FillsItselfFromTheOptionValues) {
  const struct {
    Values stored;
    int listIndex;
    bool cutterOn;
    Texts texts;
  } cases[] = {
      {{1, 1, 3725, 90}, 1, true, {"1", "2", "5", "0", "1", "30"}},
      {{0, 1, -1, 0}, 0, true, {"-1", "59", "59", "0", "0", "0"}},
      // The cutter off shows zeros, whatever times are stored.
      {{0, 0, 3725, 90}, 0, false, {"0", "0", "0", "0", "0", "0"}},
      {{-1, 2, 3725, 90}, -1, false, {"0", "0", "0", "0", "0", "0"}},
      {{2, -1, 5, 5}, -1, false, {"0", "0", "0", "0", "0", "0"}},  // no such entry
      {{-7, 1, 0, 59}, -1, true, {"0", "0", "0", "0", "0", "59"}},
  };
  for (const auto& c : cases) {
    set(c.stored);
    frmOptions w;
    EXPECT_EQ(w.cmbSR->currentIndex(), c.listIndex);
    EXPECT_EQ(w.chkMC->isChecked(), c.cutterOn);
    EXPECT_EQ(boxTexts(w), c.texts);
    for (QLineEdit* box : boxes(w)) EXPECT_EQ(box->isEnabled(), c.cutterOn);
  }
}

TEST_F(OptionsWindow, TheCutterEnablesTheBoxesWithoutTouchingThem) {
  set({0, 1, 3725, 90});
  frmOptions w;
  w.txtFromM->setText(QStringLiteral("75"));
  mouse::click(w.chkMC);
  EXPECT_FALSE(w.chkMC->isChecked());
  for (QLineEdit* box : boxes(w)) EXPECT_FALSE(box->isEnabled());
  w.chkMC->setChecked(true);
  for (QLineEdit* box : boxes(w)) EXPECT_TRUE(box->isEnabled());
  EXPECT_EQ(boxTexts(w), (Texts{"1", "75", "5", "0", "1", "30"}));
}

TEST_F(OptionsWindow, TheArrowDropsTheListDown) {
  frmOptions w;
  w.show();
  mouse::click(w.picButtonBR);
  EXPECT_TRUE(w.cmbSR->view()->isVisible());
  w.cmbSR->hidePopup();
}

TEST_F(OptionsWindow, OkStoresWhatTheWindowShowsAndSavesIt) {
  const struct {
    const char* what;
    Values stored;
    std::optional<Texts> typed;  // nothing typed: OK on what the window shows
    std::optional<bool> tick;
    Values expected;
  } cases[] = {
      {"unchanged, cutter on", {1, 1, 3725, 90}, {}, {}, {1, 1, 3725, 90}},
      {"unchanged, cutter off replaces the times", {0, 0, 3725, 90}, {}, {}, {0, 0, 0, 0}},
      {"ticked with a start", {0, 0, 0, 0}, Texts{"0", "1", "0", "0", "0", "0"}, true, {0, 1, 60, 0}},
      {"hours are unbounded", {0, 1, 0, 0}, Texts{"100", "0", "0", "0", "0", "1"}, {}, {0, 1, 360000, 1}},
      {"negative", {0, 1, 0, 0}, Texts{"0", "0", "-5", "0", "0", "0"}, {}, {0, 1, -5, 0}},
      {"fractions round half to even", {0, 1, 0, 0}, Texts{"0", "0", "1.5", "0", "0", "2.5"}, {}, {0, 1, 2, 2}},
      {"half a second is not zero", {0, 1, 9, 9}, Texts{"0", "0", "0.5", "0", "0", "0"}, {}, {0, 1, 0, 0}},
      {"all zero switches the cutter off", {0, 1, 9, 9}, Texts{"0", "0", "0", "0", "0", "0"}, {}, {0, 0, 0, 0}},
      {"text counts as zero", {0, 1, 9, 9}, Texts{"abc", "", "x", "0", "0", "0"}, {}, {0, 0, 0, 0}},
      {"times stored with the cutter unticked", {0, 1, 0, 0}, Texts{"0", "1", "0", "0", "0", "7"}, false, {0, 0, 60, 7}},
      // A start beyond 32 bits keeps the former one; the rest is still stored.
      {"huge hours", {0, 1, 42, 0}, Texts{"600000", "0", "0", "0", "0", "3"}, {}, {0, 1, 42, 3}},
      {"beyond a double", {0, 1, 42, 0}, Texts{"1E999", "0", "0", "0", "0", "3"}, {}, {0, 1, 42, 3}},
      {"a list index that names no entry", {9, 0, 0, 0}, {}, {}, {-1, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    set(c.stored);
    QFile::remove(iniPath);
    open([&](frmOptions& w) {
      if (c.tick) w.chkMC->setChecked(*c.tick);
      if (c.typed) type(w, *c.typed);
      mouse::click(w.imgOK);
      EXPECT_EQ(w.result(), QDialog::Accepted) << c.what;
    });
    EXPECT_EQ(current(), c.expected) << c.what;
    EXPECT_TRUE(modal.messages.empty()) << c.what;
    set({0, 0, 0, 0});
    LoadOptions();
    EXPECT_EQ(current(), c.expected) << c.what << ": options.ini";
  }
}

TEST_F(OptionsWindow, OffChosenIsWrittenAsTheFirstLine) {
  open([](frmOptions& w) {
    w.cmbSR->setCurrentIndex(1);
    w.imgOK_Click();
  });
  EXPECT_EQ(gNoSound, 1);
  EXPECT_EQ(readBytes(iniPath), QByteArray("1\r\n0\r\n0\r\n0\r\n"));
}

TEST_F(OptionsWindow, AFailedCheckNamesTheBoxAndStoresNothing) {
  const struct {
    Texts typed;
    const char* message;
    QLineEdit* frmOptions::*focus;
  } cases[] = {
      {{"0", "60", "0", "0", "0", "0"}, "Minutes must less than 60", &frmOptions::txtFromM},
      {{"0", "59.5", "0", "0", "0", "0"}, "Minutes must less than 60", &frmOptions::txtFromM},
      {{"0", "70", "0", "0", "0", "75"}, "Minutes must less than 60", &frmOptions::txtFromM},
      {{"0", "0", "75", "0", "60", "0"}, "Minutes must less than 60", &frmOptions::txtToM},
      {{"0", "0", "60", "0", "0", "75"}, "Seconds must less than 60", &frmOptions::txtFromS},
      {{"0", "0", "0", "0", "0", "1E999"}, "Seconds must less than 60", &frmOptions::txtToS},
  };
  for (const auto& c : cases) {
    set({0, 1, 5, 6});
    modal.messages.clear();
    open([&](frmOptions& w) {
      w.show();
      type(w, c.typed);
      w.txtFromH->setFocus();
      QWidget* focusAtMessage = nullptr;
      modal.onMessage = [&](const ScriptedModal::Message&) { focusAtMessage = w.focusWidget(); };
      mouse::click(w.imgOK);
      modal.onMessage = nullptr;
      EXPECT_EQ(focusAtMessage, w.txtFromH);  // the focus moves once the message is closed
      EXPECT_EQ(w.focusWidget(), w.*c.focus) << c.message;
      EXPECT_TRUE(w.isVisible());
      EXPECT_EQ(boxTexts(w), c.typed);
    });
    ASSERT_EQ(modal.messages.size(), 1u);
    EXPECT_EQ(modal.messages[0].text, c.message);
    EXPECT_EQ(modal.messages[0].title, "Min");
    EXPECT_EQ(modal.messages[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(current(), (Values{0, 1, 5, 6}));
    EXPECT_FALSE(QFile::exists(iniPath));
  }
}

TEST_F(OptionsWindow, AFailedCheckOnADisabledBoxKeepsTheWindowOpen) {
  set({0, 1, 0, 0});
  open([&](frmOptions& w) {
    w.show();
    w.txtFromM->setText(QStringLiteral("75"));
    w.txtFromH->setFocus();
    w.chkMC->setChecked(false);
    w.imgOK_Click();
    EXPECT_EQ(modal.messages.size(), 1u);
    EXPECT_NE(w.focusWidget(), w.txtFromM);
    EXPECT_TRUE(w.isVisible());

    w.chkMC->setChecked(true);
    w.txtFromM->setText(QStringLiteral("15"));
    w.imgOK_Click();
  });
  EXPECT_EQ(modal.messages.size(), 1u);
  EXPECT_EQ(current(), (Values{0, 1, 900, 0}));
}

TEST_F(OptionsWindow, BackAndExitStoreNothingAndTheNextOpeningStartsAfresh) {
  const QByteArray former = "1\r\n1\r\n3725\r\n90\r\n";
  for (auto button : {&frmOptions::imgBack, &frmOptions::imgExit}) {
    set({1, 1, 3725, 90});
    writeBytes(iniPath, former);
    open([&](frmOptions& w) {
      w.cmbSR->setCurrentIndex(0);
      type(w, {"9", "9", "9", "9", "9", "9"});
      w.chkMC->setChecked(false);
      mouse::click(w.*button);
      EXPECT_EQ(w.result(), QDialog::Rejected);
    });
    EXPECT_EQ(current(), (Values{1, 1, 3725, 90}));
    EXPECT_EQ(readBytes(iniPath), former);
    open([](frmOptions& w) {
      EXPECT_EQ(w.cmbSR->currentIndex(), 1);
      EXPECT_TRUE(w.chkMC->isChecked());
      EXPECT_EQ(boxTexts(w), (Texts{"1", "2", "5", "0", "1", "30"}));
    });
  }
}

TEST_F(OptionsWindow, AnUnwritableFileStillClosesWithTheValuesInEffect) {
  const QByteArray former = "0\r\n0\r\n0\r\n0\r\n";
  writeBytes(iniPath, former);
  set({0, 1, 0, 0});
  open([&](frmOptions& w) {
    type(w, {"0", "1", "0", "0", "0", "30"});
    FailingWrites noRoom;
    w.imgOK_Click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
  });
  EXPECT_TRUE(modal.messages.empty());
  EXPECT_EQ(current(), (Values{0, 1, 60, 30}));
  EXPECT_EQ(readBytes(iniPath), former);
}

TEST_F(OptionsWindow, TheToolbarAndTheCommandWordOpenIt) {
  frmMain main;
  int openings = 0;
  modal.onModal = [&](QDialog* dialog) {
    openings += qobject_cast<frmOptions*>(dialog) != nullptr;
    return int(QDialog::Rejected);
  };
  main.imgToolbar_Click(2);
  main.txtAction->setText(QStringLiteral("menuOption"));
  EXPECT_EQ(openings, 2);
  EXPECT_TRUE(main.txtAction->text().isEmpty());
}

}  // namespace
