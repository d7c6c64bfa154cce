#include "FailingWrites.h"
#include "FileBytes.h"
#include "MouseInput.h"
#include "ScriptedModal.h"
#include "TempFolder.h"
#include "main/frmMain.h"
#include "options/OptionsFile.h"
#include "options/StoredValues.h"
#include "options/frmOptions.h"
#include "skin/ImageButton.h"

#include <QAbstractItemView>
#include <gtest/gtest.h>

namespace {

// The six time boxes: From hours, minutes, seconds, then the same for
// Duration. Tests write their texts in one string, split by "|".
std::array<QLineEdit*, 6> boxes(const frmOptions& w) {
  return {w.txtFromH, w.txtFromM, w.txtFromS, w.txtToH, w.txtToM, w.txtToS};
}

std::string boxTexts(const frmOptions& w) {
  QStringList texts;
  for (QLineEdit* box : boxes(w)) texts.append(box->text());
  return texts.join(u'|').toStdString();
}

void type(frmOptions& w, const QString& texts) {
  const QStringList parts = texts.split(u'|');
  const auto all = boxes(w);
  ASSERT_EQ(parts.size(), qsizetype(all.size()));
  for (std::size_t i = 0; i < all.size(); ++i) all[i]->setText(parts[qsizetype(i)]);
}

struct OptionsWindow : ::testing::Test {
  ScriptedModal modal;
  TempProgramFolder program;
  QString iniPath = program.file("options.ini");
  OptionsWindow() { storeValues({0, 0, 0, 0}); }
  ~OptionsWindow() override { storeValues({0, 0, 0, 0}); }

  // Opens the window as the program does; `use` works with it while it is shown.
  void open(const std::function<void(frmOptions&)>& use) {
    int openings = 0;
    modal.onModal = [&](QDialog* dialog) {
      ++openings;
      auto* window = qobject_cast<frmOptions*>(dialog);
      if (!window) {
        ADD_FAILURE() << "not the options window";
        return int(QDialog::Rejected);
      }
      EXPECT_EQ(window->parentWidget(), nullptr);  // no owner window
      use(*window);
      return window->result();
    };
    ShowOptionsWindow();
    EXPECT_EQ(openings, 1);
  }
};

TEST_F(OptionsWindow, FillsItselfFromTheOptionValues) {
  const struct {
    StoredValues stored;
    int listIndex;
    bool cutterOn;
    const char* texts;
  } cases[] = {
      {{1, 1, 3725, 90}, 1, true, "1|2|5|0|1|30"},
      {{0, 1, -1, 0}, 0, true, "-1|59|59|0|0|0"},
      // The cutter off shows zeros, whatever times are stored.
      {{0, 0, 3725, 90}, 0, false, "0|0|0|0|0|0"},
      {{-1, 2, 3725, 90}, -1, false, "0|0|0|0|0|0"},
      {{2, -1, 5, 5}, -1, false, "0|0|0|0|0|0"},  // no such entry
      {{-7, 1, 0, 59}, -1, true, "0|0|0|0|0|59"},
  };
  for (const auto& c : cases) {
    storeValues(c.stored);
    frmOptions w;
    EXPECT_EQ(w.cmbSR->currentIndex(), c.listIndex);
    EXPECT_EQ(w.chkMC->isChecked(), c.cutterOn);
    EXPECT_EQ(boxTexts(w), c.texts);
    for (QLineEdit* box : boxes(w)) EXPECT_EQ(box->isEnabled(), c.cutterOn);
  }
}

TEST_F(OptionsWindow, TheCutterEnablesTheBoxesWithoutTouchingThem) {
  storeValues({0, 1, 3725, 90});
  frmOptions w;
  w.txtFromM->setText(QStringLiteral("75"));
  mouse::click(w.chkMC);
  EXPECT_FALSE(w.chkMC->isChecked());
  for (QLineEdit* box : boxes(w)) EXPECT_FALSE(box->isEnabled());
  w.chkMC->setChecked(true);
  for (QLineEdit* box : boxes(w)) EXPECT_TRUE(box->isEnabled());
  EXPECT_EQ(boxTexts(w), "1|75|5|0|1|30");
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
    StoredValues stored;
    const char* typed;  // the six boxes split by "|"; nullptr: OK on what the window shows
    std::optional<bool> tick;
    StoredValues expected;
  } cases[] = {
      {{1, 1, 3725, 90}, nullptr, {}, {1, 1, 3725, 90}},
      {{0, 0, 3725, 90}, nullptr, {}, {0, 0, 0, 0}},  // cutter off: the zeros replace the times
      {{9, 0, 0, 0}, nullptr, {}, {-1, 0, 0, 0}},     // no entry chosen
      {{0, 0, 0, 0}, "0|1|0|0|0|0", true, {0, 1, 60, 0}},
      {{0, 1, 0, 0}, "0|1|0|0|0|7", false, {0, 0, 60, 7}},  // times are stored all the same
      {{0, 1, 0, 0}, "100|0|0|0|0|1", {}, {0, 1, 360000, 1}},  // hours are unbounded
      {{0, 1, 0, 0}, "0|0|-5|0|0|0", {}, {0, 1, -5, 0}},
      {{0, 1, 0, 0}, "0|0|1.5|0|0|2.5", {}, {0, 1, 2, 2}},
      {{0, 1, 9, 9}, "0|0|0.5|0|0|0", {}, {0, 1, 0, 0}},  // not all zero: the cutter stays on
      {{0, 1, 9, 9}, "0|0|0|0|0|0", {}, {0, 0, 0, 0}},
      {{0, 1, 9, 9}, "abc||x|0|0|0", {}, {0, 0, 0, 0}},
      // A start beyond 32 bits keeps the former one; the rest is still stored.
      {{0, 1, 42, 0}, "600000|0|0|0|0|3", {}, {0, 1, 42, 3}},
      {{0, 1, 42, 0}, "1E999|0|0|0|0|3", {}, {0, 1, 42, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed ? c.typed : "nothing typed");
    storeValues(c.stored);
    QFile::remove(iniPath);
    open([&](frmOptions& w) {
      if (c.tick) w.chkMC->setChecked(*c.tick);
      if (c.typed) type(w, c.typed);
      mouse::click(w.imgOK);
      EXPECT_EQ(w.result(), QDialog::Accepted);
    });
    EXPECT_EQ(storedValues(), c.expected);
    EXPECT_TRUE(modal.messages.empty());
    storeValues({0, 0, 0, 0});
    LoadOptions();
    EXPECT_EQ(storedValues(), c.expected) << "read back from options.ini";
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
    const char* typed;
    const char* message;
    QLineEdit* frmOptions::*focus;
  } cases[] = {
      {"0|59.5|0|0|0|0", "Minutes must less than 60", &frmOptions::txtFromM},
      {"0|0|75|0|60|0", "Minutes must less than 60", &frmOptions::txtToM},
      {"0|0|60|0|0|75", "Seconds must less than 60", &frmOptions::txtFromS},
      {"0|0|0|0|0|1E999", "Seconds must less than 60", &frmOptions::txtToS},
  };
  for (const auto& c : cases) {
    storeValues({0, 1, 5, 6});
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
    EXPECT_EQ(storedValues(), (StoredValues{0, 1, 5, 6}));
    EXPECT_FALSE(QFile::exists(iniPath));
  }
}

TEST_F(OptionsWindow, AFailedCheckOnADisabledBoxKeepsTheWindowOpen) {
  storeValues({0, 1, 0, 0});
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
  EXPECT_EQ(storedValues(), (StoredValues{0, 1, 900, 0}));
}

TEST_F(OptionsWindow, BackAndExitStoreNothingAndTheNextOpeningStartsAfresh) {
  const QByteArray former = "1\r\n1\r\n3725\r\n90\r\n";
  for (auto button : {&frmOptions::imgBack, &frmOptions::imgExit}) {
    storeValues({1, 1, 3725, 90});
    writeBytes(iniPath, former);
    open([&](frmOptions& w) {
      w.cmbSR->setCurrentIndex(0);
      type(w, "9|9|9|9|9|9");
      w.chkMC->setChecked(false);
      mouse::click(w.*button);
      EXPECT_EQ(w.result(), QDialog::Rejected);
    });
    EXPECT_EQ(storedValues(), (StoredValues{1, 1, 3725, 90}));
    EXPECT_EQ(readBytes(iniPath), former);
    open([](frmOptions& w) {
      EXPECT_EQ(w.cmbSR->currentIndex(), 1);
      EXPECT_TRUE(w.chkMC->isChecked());
      EXPECT_EQ(boxTexts(w), "1|2|5|0|1|30");
    });
  }
}

TEST_F(OptionsWindow, AnUnwritableFileStillClosesWithTheValuesInEffect) {
  const QByteArray former = "0\r\n0\r\n0\r\n0\r\n";
  writeBytes(iniPath, former);
  storeValues({0, 1, 0, 0});
  open([&](frmOptions& w) {
    type(w, "0|1|0|0|0|30");
    FailingWrites noRoom;
    w.imgOK_Click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
  });
  EXPECT_TRUE(modal.messages.empty());
  EXPECT_EQ(storedValues(), (StoredValues{0, 1, 60, 30}));
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
