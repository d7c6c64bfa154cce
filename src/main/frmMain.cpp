#include "main/frmMain.h"

#include "main/CommandLines.h"
#include "main/PathBox.h"
#include "main/SetupFile.h"
#include "platform/ProgramFolder.h"
#include "skin/ImageButton.h"
#include "skin/SkinResources.h"
#include "skin/TextFit.h"
#include "support/DOSOutputs.h"

#include <QHeaderView>

namespace {
// The list, the drop-down lists and the folder box: the platform's own size
// at the density the layout is drawn for, scaled with the window like every
// other font.
constexpr double kTextFontSize = 9;

QComboBox* makeList(QWidget* parent, const QStringList& items, int defaultIndex,
                    const QString& tooltip) {
  auto* list = new QComboBox(parent);
  list->addItems(items);
  list->setCurrentIndex(defaultIndex);
  list->setToolTip(tooltip);
  return list;
}
}  // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QStringLiteral("Dabrelin"));
  skin.applyWindowGeometry();
  createControls();
  layout.applyAll();

  objDOS = new DOSOutputs(this);
  connect(objDOS, &DOSOutputs::ReceiveOutputs, this, &frmMain::objDOS_ReceiveOutputs);
  connect(objDOS, &DOSOutputs::CommandOver, this, &frmMain::objDOS_CommandOver);
}

frmMain::~frmMain() = default;

void frmMain::createControls() {
  lstFile = new QListWidget(this);
  lstFile->hide();

  LV = new QTreeWidget(this);
  LV->setColumnCount(2);
  LV->setHeaderLabels({QStringLiteral("FileName"), QStringLiteral("Format")});
  LV->setRootIsDecorated(false);
  LV->setSelectionMode(QAbstractItemView::SingleSelection);
  layout.add(LV, 255, 2400, 6825, 4110, kTextFontSize).ColumnWidths = {5411, 1410};

  createConversionSettings();
  createProgress();
  createCommandImages();
  createFrameControls();
  createQueueControls();
  giveButtonsTheirLooks();
  wireCommands();

  Timer1 = new QTimer(this);
  Timer1->setInterval(100);
  connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);

  Timer2 = new QTimer(this);
  Timer2->setInterval(50);
  connect(Timer2, &QTimer::timeout, this, &frmMain::Timer2_Timer);
}

void frmMain::Timer2_Timer() {
  Timer2->stop();
  mTransparentColor = static_cast<int32_t>(skin.ApplyColorKey());
  skin.CenterOnScreen();
}

void frmMain::createConversionSettings() {
  cmbOF = makeList(this, kOutputFormats, setup_defaults::formatIndex,
                   QStringLiteral("Output Format"));
  cmbBR = makeList(this,
                   {"32", "48", "56", "64", "80", "96", "112", "128", "192", "224", "256", "320"},
                   setup_defaults::bitrateIndex,
                   QStringLiteral("MP3 Audio Bitrate"));
  cmbR = makeList(this, {"48000", "44100", "32000", "24000", "22050", "16000", "12050", "8000"},
                  setup_defaults::rateIndex, QStringLiteral("MP3 Audio Rate"));
  cmbChannel = makeList(this, {"Mono", "Stereo"}, setup_defaults::channelIndex,
                        QStringLiteral("MP3 Audio Channel(Stereo or Mono)"));
  layout.add(cmbOF, 7320, 2370, 2835, 330, kTextFontSize);
  layout.add(cmbBR, 7320, 3000, 2835, 330, kTextFontSize);
  layout.add(cmbR, 7320, 3660, 2835, 330, kTextFontSize);
  layout.add(cmbChannel, 7320, 4290, 2835, 330, kTextFontSize);

  txtPath = new PathBox(setup_defaults::outputFolder(), this);
  txtPath->setToolTip(QStringLiteral("Select a Folder to Output"));
  layout.add(txtPath, 7320, 4950, 2145, 345, kTextFontSize);
}

void frmMain::createProgress() {
  imgPB = new QLabel(this);
  imgPB->setScaledContents(true);
  imgPB->setPixmap(artwork::picture(QStringLiteral("progress.png")));
  layout.add(imgPB, 1700, 6700, 0, 195);

  lblPB = new QLabel(QStringLiteral("0%"), this);
  lblPB->setAlignment(Qt::AlignCenter);
  QFont font = lblPB->font();
  font.setBold(true);
  lblPB->setFont(font);
  layout.add(lblPB, 3210, 6710, 2355, 195, 7.5);
}

void frmMain::createCommandImages() {
  // Toolbar elements from left to right and the place of each.
  const std::pair<int, double> toolbar[] = {{0, 240},   {6, 1540},  {1, 2845},
                                            {2, 4150},  {3, 5455},  {4, 6760}};
  for (const auto& [index, left] : toolbar) {
    auto* button = new ImageButton(this);
    imgToolbar[index] = button;
    layout.add(button, left, 825, 1290, 795);
  }
  const double menuLefts[3] = {270, 900, 1830};
  const double menuWidths[3] = {600, 885, 765};
  for (int i = 0; i < 3; ++i) {
    imgMenu[i] = new ImageButton(this);
    layout.add(imgMenu[i], menuLefts[i], 470, menuWidths[i], 225);
  }
  imgConvert = new ImageButton(this);
  layout.add(imgConvert, 7330, 5565, 2805, 1365);
  connect(imgConvert, &ImageButton::clicked, this, &frmMain::imgConvert_Click);

  lblFeed = new LinkLabel(QStringLiteral("Feedback"), this);
  lblFeed->setToolTip(QStringLiteral("Send us your suggestion or question"));
  layout.add(lblFeed, 9420, 7155, 690, 195, 8.25);
  keepTextFitting(lblFeed);

  lblWeb = new LinkLabel(QString(), this);
  QFont webFont = lblWeb->font();
  webFont.setBold(true);
  lblWeb->setFont(webFont);
  layout.add(lblWeb, 270, 7160, 3120, 195, 8.25);

  imgExit = new ImageButton(this);
  imgExit->setToolTip(QStringLiteral("Exit"));
  layout.add(imgExit, 10075, 150, 225, 225);
  connect(imgExit, &ImageButton::clicked, this, &frmMain::imgExit_Click);
}

float frmMain::progressWidth() const {
  const ControlGeometry* g = layout.find(imgPB);
  return g ? static_cast<float>(g->Width) : 0.0f;
}

void frmMain::setProgressWidth(float widthTwips) {
  ControlGeometry& g = layout[imgPB];
  g.Width = widthTwips;
  g.apply();
}
