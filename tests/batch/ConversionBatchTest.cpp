#include "ByteNames.h"
#include "FakeProgram.h"
#include "FileBytes.h"
#include "PrintQString.h"
#include "ScriptedModal.h"
#include "TempFolder.h"
#include "main/frmMain.h"
#include "options/OptionValues.h"
#include "skin/ImageButton.h"
#include "support/DOSOutputs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// A transcoder that logs its arguments, one per line and "--" after each
// run, and writes a short log of its own and "converted" at its output path.
// Like the real one it refuses to write over its input, fails on an input
// whose name says "damaged" (a blank line after its reason) and writes what
// it can of one whose name says "short", ending with status 2.
const char* kFakeTranscoder =
    "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$(dirname \"$0\")/args.log\"; done\n"
    "echo -- >> \"$(dirname \"$0\")/args.log\"\n"
    "echo '  Duration: 00:00:10.00, start: 0.000000' >&2\n"
    "for out; do :; done\n"
    "if [ \"$2\" -ef \"$out\" ]; then echo 'will not write over its own input' >&2; exit 1; fi\n"
    "case \"$2\" in *damaged*) echo \"$2: Invalid data found\" >&2; echo >&2; exit 1;; esac\n"
    "echo 'size= 1kB time=5.00 bitrate= 1kbits/s' >&2\n"
    "printf converted > \"$out\"\n"
    "case \"$2\" in *short*) echo \"'$out' is incomplete: its audio stops at 5.00 s\" >&2; exit 2;; esac\n";

bool busyControlsEnabled(const frmMain& w) {
  bool all = w.imgConvert->isEnabled() && w.lblFeed->isEnabled();
  for (const auto& [index, button] : w.imgToolbar) all = all && button->isEnabled();
  for (ImageButton* m : w.imgMenu) all = all && m->isEnabled();
  return all;
}

bool busyControlsDisabled(const frmMain& w) {
  bool none = !w.imgConvert->isEnabled() && !w.lblFeed->isEnabled();
  for (const auto& [index, button] : w.imgToolbar) none = none && !button->isEnabled();
  for (ImageButton* m : w.imgMenu) none = none && !m->isEnabled();
  return none;
}

// Queued as a drop on the list would queue it.
void queue(frmMain& w, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  Qt::DropAction effect = Qt::CopyAction;
  w.LV_OLEDragDrop(&data, effect);
}

bool waitFor(const std::function<bool()>& done, int ms = 60000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return done();
}

class ConversionBatch : public ::testing::Test {
 protected:
  void SetUp() override {
    gNoSound = 0;
    gCutEnabled = 0;
  }
  void TearDown() override { SetUp(); }
};

}  // namespace

TEST_F(ConversionBatch, ConvertsTheQueueHeadFirstAndEndsTheBatch) {
  ScriptedModal modal;
  QTemporaryDir root;
  // A program folder with a blank, beside an executable named by its first word.
  const QString programFolder = root.path() + "/my app";
  platform::setProgramFolder(programFolder);
  writeScript(programFolder + "/data/conv", kFakeTranscoder);
  writeScript(root.path() + "/my", "touch \"$0.ran\"\n");

  frmMain w;
  w.txtPath->setText(root.path() + "/out");
  w.cmbOF->setCurrentIndex(3);
  const QStringList inputs = {root.path() + "/a.mp4", root.path() + "/b b.avi",
                              root.path() + "/say \"hi\".wav"};
  for (const QString& in : inputs) queue(w, in);

  QStringList commandLines;
  QList<int> remainingAfterEachFile;
  bool busyDuringRun = true;
  QObject::connect(w.objDOS, &DOSOutputs::ReceiveOutputs, [&] {
    busyDuringRun = busyDuringRun && busyControlsDisabled(w);
  });
  QObject::connect(w.objDOS, &DOSOutputs::CommandOver, [&] {
    commandLines << w.objDOS->CommandLine();
    remainingAfterEachFile << w.lstFile->count();
  });

  w.imgConvert_Click();
  EXPECT_TRUE(busyControlsDisabled(w));
  ASSERT_TRUE(waitFor([&] { return w.lblPB->text() == "Done."; }));
  platform::setProgramFolder(QString());

  ASSERT_EQ(commandLines.size(), 3);
  EXPECT_FALSE(QFile::exists(root.path() + "/my.ran"));
  EXPECT_EQ(commandLines[0], '"' + programFolder + R"(/data/conv" -i ")" + inputs[0] +
                                 R"(" -y -vn -acodec pcm_s16le ")" + root.path() + R"(/out/a.wav")");
  EXPECT_TRUE(commandLines[1].contains(R"(-i ")" + inputs[1] + R"(")"));
  EXPECT_EQ(remainingAfterEachFile, QList<int>({2, 1, 0}));
  EXPECT_EQ(w.LV->topLevelItemCount(), 0);
  EXPECT_TRUE(busyDuringRun);
  EXPECT_TRUE(busyControlsEnabled(w));
  EXPECT_EQ(w.progressWidth(), 0.0f);
  EXPECT_EQ(w.mTotalSeconds, 0);
  EXPECT_TRUE(QDir(root.path() + "/out").exists());
  EXPECT_EQ(modal.openedUrls, std::vector<QUrl>({QUrl::fromLocalFile(root.path() + "/out")}));
  ASSERT_EQ(modal.playedSounds.size(), 1u);
  EXPECT_EQ(modal.playedSounds[0], programFolder + "/sound.wav");
  EXPECT_TRUE(modal.reports.empty());

  // The transcoder got each path exactly, the quotes in a name included.
  QFile log(programFolder + "/data/args.log");
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QStringList runs = QString::fromUtf8(log.readAll()).split("--\n", Qt::SkipEmptyParts);
  ASSERT_EQ(runs.size(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(runs[i].split('\n').value(1), inputs[i]);
}

TEST_F(ConversionBatch, FilesThatFailOrFallShortAreReportedOnceTheBatchHasEnded) {
  ScriptedModal modal;
  TempProgramFolder folder;
  writeScript(folder.file("data/conv"), kFakeTranscoder);
  frmMain w;
  w.txtPath->setText(folder.file("out"));
  w.cmbOF->setCurrentIndex(4);  // FLAC
  for (const char* name : {"a.wav", "damaged.wav", "short.wav", "b.wav"})
    queue(w, folder.file(name));
  bool endedFirst = false;
  modal.onReport = [&](const ScriptedModal::Report&) {
    endedFirst = w.lblPB->text() == "Done." && busyControlsEnabled(w) &&
                 modal.playedSounds.size() == 1 && modal.openedUrls.size() == 1;
  };
  w.imgStart_Click();
  ASSERT_TRUE(waitFor([&] { return w.lblPB->text() == "Done."; }));

  EXPECT_EQ(readBytes(folder.file("out/a.flac")), "converted");
  EXPECT_EQ(readBytes(folder.file("out/b.flac")), "converted");
  EXPECT_EQ(readBytes(folder.file("out/short.flac")), "converted");
  EXPECT_TRUE(modal.messages.empty());
  ASSERT_EQ(modal.reports.size(), 1u);
  EXPECT_EQ(modal.reports[0].summary, "2 converted, 1 incomplete, 1 not converted.");
  EXPECT_EQ(modal.reports[0].details,
            "In " + folder.path() + "/\n\nNot converted:\n  damaged.wav: Invalid data found\n\n"
            "Converted as far as the input goes, which is incomplete:\n"
            "  short.wav: its output short.flac is incomplete: its audio stops at 5.00 s");
  EXPECT_EQ(modal.reports[0].title, "Convert");
  EXPECT_EQ(modal.reports[0].icon, platform::MessageIcon::Exclamation);
  EXPECT_TRUE(endedFirst);

  // The next batch counts afresh.
  queue(w, folder.file("damaged.wav"));
  w.imgStart_Click();
  ASSERT_TRUE(waitFor([&] { return modal.reports.size() == 2; }));
  EXPECT_EQ(modal.reports[1].summary, "0 converted, 0 incomplete, 1 not converted.");
}

TEST_F(ConversionBatch, AFileTheBatchWasAskedToConvertIsNeverWrittenOver) {
  ScriptedModal modal;
  TempProgramFolder folder;
  writeScript(folder.file("data/conv"), kFakeTranscoder);
  const QString d = folder.file("d");
  QDir().mkpath(d);
  writeBytes(d + "/song.mp3", "the user's own recording");
  // The box names the folder through a link: only the file itself shows the clash.
  QFile::link(d, folder.file("link"));
  frmMain w;
  w.txtPath->setText(folder.file("link"));
  w.cmbOF->setCurrentIndex(0);  // MP3
  for (const char* name : {"song.wav", "song.live.flac", "song.mp3", "other.wav"})
    queue(w, d + '/' + name);
  w.imgStart_Click();
  ASSERT_TRUE(waitFor([&] { return w.lblPB->text() == "Done."; }));

  EXPECT_EQ(readBytes(d + "/song.mp3"), "the user's own recording");
  EXPECT_EQ(readBytes(d + "/other.mp3"), "converted");
  EXPECT_EQ(w.lstFile->count(), 0);
  const QString clash = ": its output song.mp3 is a file this batch was asked to convert";
  ASSERT_EQ(modal.reports.size(), 1u);
  EXPECT_EQ(modal.reports[0].details,
            "In " + d + "/\n\nSkipped, so that no file of this batch is written over:\n  song.wav" +
                clash + "\n  song.live.flac" + clash + "\n  song.mp3" + clash);
}

TEST_F(ConversionBatch, AFileAlreadyConvertedStaysProtectedUntilTheBatchEnds) {
  ScriptedModal modal;
  TempProgramFolder folder;
  writeScript(folder.file("data/conv"), kFakeTranscoder);
  QDir().mkpath(folder.file("ow"));
  QDir().mkpath(folder.file("src1"));
  QDir().mkpath(folder.file("src2"));
  writeBytes(folder.file("ow/a.wav"), "the user's own recording");
  QFile::link(folder.file("ow"), folder.file("owlink"));
  for (const char* name : {"src1/a.mp3", "src2/a.wav"}) writeBytes(folder.file(name), "input");
  frmMain w;
  w.txtPath->setText(folder.file("ow"));
  w.cmbOF->setCurrentIndex(3);  // WAV
  // The second names the output of all three; the last comes after it has left the list.
  for (const char* name : {"src1/a.mp3", "owlink/a.wav", "src2/a.wav"})
    queue(w, folder.file(name));
  w.imgStart_Click();
  ASSERT_TRUE(waitFor([&] { return w.lblPB->text() == "Done."; }));
  EXPECT_EQ(readBytes(folder.file("ow/a.wav")), "the user's own recording");
  ASSERT_EQ(modal.reports.size(), 1u);
  EXPECT_EQ(modal.reports[0].details.count("is a file this batch was asked to convert"), 3);

  // Once the batch has ended, the file is an output like any other.
  modal.reports.clear();
  queue(w, folder.file("src2/a.wav"));
  w.imgStart_Click();
  ASSERT_TRUE(waitFor([&] { return w.lblPB->text() == "Done." && w.lstFile->count() == 0; }));
  EXPECT_EQ(readBytes(folder.file("ow/a.wav")), "converted");
  EXPECT_TRUE(modal.reports.empty());
}

// An output keeps its name up to the input's first dot, so two inputs can
// name one output: the second is skipped and the first output stays, though
// one from before the batch is written over as ever.
TEST_F(ConversionBatch, TwoFilesOfOneBatchNeverWriteOneOutput) {
  const struct {
    const char *first, *second;
    int format;
    const char* output;
  } cases[] = {
      {"Album One/01.flac", "Album Two/01.flac", 0, "01.mp3"},
      {"song.mp3", "song.flac", 3, "song.wav"},
      {"x.ogg", "x.y.mp3", 3, "x.wav"},
      {".hidden.wav", "..wav", 3, ".wav"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.second);
    ScriptedModal modal;
    TempProgramFolder folder;
    writeScript(folder.file("data/conv"), kFakeTranscoder);
    QDir().mkpath(folder.file("out"));
    writeBytes(folder.file("out/") + c.output, "from before the batch");
    frmMain w;
    w.txtPath->setText(folder.file("out"));
    w.cmbOF->setCurrentIndex(c.format);
    for (const char* name : {c.first, c.second}) {
      QDir().mkpath(QFileInfo(folder.file(name)).path());
      writeBytes(folder.file(name), "input");
      queue(w, folder.file(name));
    }
    w.imgStart_Click();
    ASSERT_TRUE(waitFor([&] { return w.lblPB->text() == "Done."; }));

    EXPECT_EQ(readBytes(folder.file("out/") + c.output), "converted");
    const QStringList runs =
        QString::fromUtf8(readBytes(folder.file("data/args.log"))).split("--\n", Qt::SkipEmptyParts);
    ASSERT_EQ(runs.size(), 1);
    EXPECT_EQ(runs[0].split('\n').value(1), folder.file(c.first));
    ASSERT_EQ(modal.reports.size(), 1u);
    EXPECT_EQ(modal.reports[0].summary, "1 converted, 0 incomplete, 1 not converted.");
    EXPECT_TRUE(modal.reports[0].details.contains(
        "Skipped, so that no file of this batch is written over:\n"))
        << modal.reports[0].details.toStdString();
    EXPECT_TRUE(modal.reports[0].details.endsWith(
        QFileInfo(c.second).fileName() + ": its output " + c.output + " was written from " +
        folder.file(c.first) + " earlier in this batch"))
        << modal.reports[0].details.toStdString();
  }
}

TEST_F(ConversionBatch, NamesThatAreNotUtf8ConvertUnderTheirOwnBytes) {
  ScriptedModal modal;
  TempProgramFolder folder;
  writeScript(folder.file("data/conv"), kFakeTranscoder);
  ByteNamedFolder tree;
  const QByteArray src = rawPath(tree.path()) + "/src\xe9";
  for (const QByteArray& sub : {src, src + "/sub", src + "/sub/deeper"}) ::mkdir(sub, 0755);
  // The search lists a folder's own files first: the MP3, the WAV, the OGG.
  touchRaw(platform::nameFromBytes(src + "/n\xff\xfe.mp3"));
  ::symlink(src + "/sub", rawPath(tree.path() + "/out"));
  const QString userOwn = platform::nameFromBytes(src + "/sub/n\xff\xfe.wav");
  writeRaw(userOwn, "the user's own recording");
  touchRaw(platform::nameFromBytes(src + "/sub/deeper/x\xff\xfe.ogg"));

  frmMain w;
  w.txtPath->setText(tree.path() + "/out");
  w.cmbOF->setCurrentIndex(3);  // WAV
  modal.folderAnswers = {platform::nameFromBytes(src)};
  w.imgToolbar_Click(6);
  ASSERT_EQ(w.lstFile->count(), 3);
  w.imgStart_Click();
  ASSERT_TRUE(waitFor([&] { return w.lblPB->text() == "Done."; }));

  // The MP3 would have written over the WAV still waiting (the same file
  // through the link), and so would the WAV itself: neither runs. The OGG converts.
  EXPECT_EQ(readRaw(userOwn), "the user's own recording");
  EXPECT_EQ(readRaw(platform::nameFromBytes(src + "/sub/x\xff\xfe.wav")), "converted");
  ASSERT_EQ(modal.reports.size(), 1u);
  EXPECT_EQ(modal.reports[0].summary, "1 converted, 0 incomplete, 2 not converted.");
  EXPECT_TRUE(modal.reports[0].details.contains(u"  n\ufffd\ufffd.mp3: its output "));
  // Every name in it readable, the output's that the skip names included.
  EXPECT_EQ(modal.reports[0].details, platform::readableName(modal.reports[0].details));
  const QByteArray out = rawPath(tree.path()) + "/out/";
  EXPECT_EQ(readBytes(folder.file("data/args.log")),
            "-i\n" + src + "/sub/deeper/x\xff\xfe.ogg\n-y\n-vn\n-acodec\npcm_s16le\n" + out +
                "x\xff\xfe.wav\n--\n");
}

TEST_F(ConversionBatch, AnEmptyOrRelativeOutputFolderBoxStandsForAFullPath) {
  ScriptedModal modal;
  TempProgramFolder folder;
  writeScript(folder.file("data/conv"), kFakeTranscoder);
  QTemporaryDir work;
  const QString formerWorkingFolder = QDir::currentPath();
  QDir::setCurrent(work.path());
  frmMain w;
  w.cmbOF->setCurrentIndex(3);  // WAV
  for (const char* box : {"", "-rel"}) {
    w.txtPath->setText(box);
    queue(w, folder.file("x.mp4"));
    w.lblPB->clear();
    w.imgStart_Click();
    ASSERT_TRUE(waitFor([&] { return w.lblPB->text() == "Done."; }));
  }
  QDir::setCurrent(formerWorkingFolder);

  const QString defaultFolder = folder.file("output"), relative = work.path() + "/-rel";
  EXPECT_EQ(readBytes(defaultFolder + "/x.wav"), "converted");
  EXPECT_EQ(readBytes(relative + "/x.wav"), "converted");
  EXPECT_EQ(modal.openedUrls, std::vector<QUrl>({QUrl::fromLocalFile(defaultFolder),
                                                 QUrl::fromLocalFile(relative)}));
  EXPECT_TRUE(modal.reports.empty());
}

TEST_F(ConversionBatch, SilentWhenTheSoundIsOff) {
  ScriptedModal modal;
  TempProgramFolder folder;
  writeScript(folder.file("data/conv"), kFakeTranscoder);
  gNoSound = 1;
  frmMain w;
  queue(w, folder.file("x.mp3"));
  w.imgStart_Click();
  ASSERT_TRUE(waitFor([&] { return w.lblPB->text() == "Done."; }));
  EXPECT_TRUE(modal.playedSounds.empty());
  EXPECT_EQ(modal.openedUrls.size(), 1u);
}

TEST_F(ConversionBatch, AnEmptyQueueAsksForAFile) {
  ScriptedModal modal;
  frmMain w;
  w.imgStart_Click();
  ASSERT_EQ(modal.messages.size(), 1u);
  EXPECT_EQ(modal.messages[0].text, "Please add a file");
  EXPECT_EQ(modal.messages[0].title, "Add");
  EXPECT_EQ(modal.messages[0].icon, platform::MessageIcon::Exclamation);
  EXPECT_TRUE(busyControlsEnabled(w));
  EXPECT_FALSE(w.Timer1->isActive());
}

// However the transcoder fails to start, the batch stops there with the
// file at the head and the busy controls off, and tells what it did before.
TEST_F(ConversionBatch, AStoppedBatchReportsWhatItDidAndWhyItStopped) {
  const struct {
    std::function<void(frmMain&, const QString& conv)> breakIt;
    const char* message;
  } stops[] = {
      {[](frmMain&, const QString& conv) { QFile::remove(conv); }, "File or command not found"},
      {[](frmMain& w, const QString&) { w.cmbOF->setCurrentIndex(-1); }, "Command Line empty"},
  };
  for (const auto& stop : stops) {
    SCOPED_TRACE(stop.message);
    ScriptedModal modal;
    TempProgramFolder folder;
    const QString conv = folder.file("data/conv");
    writeScript(conv, kFakeTranscoder);
    frmMain w;
    w.txtPath->setText(folder.file("out"));
    w.cmbOF->setCurrentIndex(3);  // WAV
    for (const char* name : {"damaged.wav", "a.mp3", "a.wav", "b.mp4", "x.mp4", "y.mp4"})
      queue(w, folder.file(name));
    // After b.mp4's run, two files wait.
    QObject::connect(w.objDOS, &DOSOutputs::CommandOver, [&] {
      if (w.lstFile->count() == 2) stop.breakIt(w, conv);
    });
    w.imgStart_Click();
    ASSERT_TRUE(waitFor([&] { return !modal.messages.empty(); }));
    waitFor([] { return false; }, 300);  // nothing more may happen

    ASSERT_EQ(modal.messages.size(), 1u);
    EXPECT_EQ(modal.messages[0].text, stop.message);
    EXPECT_EQ(w.lstFile->count(), 2);
    EXPECT_EQ(w.LV->topLevelItemCount(), 2);
    EXPECT_TRUE(busyControlsDisabled(w));
    EXPECT_FALSE(w.Timer1->isActive());
    EXPECT_TRUE(modal.openedUrls.empty());
    ASSERT_EQ(modal.reports.size(), 1u);
    EXPECT_EQ(modal.reports[0].summary,
              "2 converted, 0 incomplete, 3 not converted; the batch stopped.");
    EXPECT_EQ(modal.reports[0].details,
              "In " + folder.path() + "/\n\n" +
                  "Stopped, as the converter could not be started:\n  x.mp4: " + stop.message +
                  "\n\nNot converted:\n  damaged.wav: Invalid data found\n\n"
                  "Skipped, so that no file of this batch is written over:\n"
                  "  a.wav: its output a.wav was written from " + folder.file("a.mp3") +
                  " earlier in this batch");
  }
}
