#include "feedback/frmSuggest.h"

#include "feedback/FeedbackRequest.h"
#include "platform/Modal.h"
#include "skin/ImageButton.h"

#include <QPointer>
#include <utility>

namespace {
constexpr double kFontSize = 9;
}  // namespace

frmSuggest::frmSuggest(QWidget* parent)
    : SkinnedDialog(QStringLiteral("suggest.png"), 4890, 2610, parent) {
  setWindowTitle(QStringLiteral("FeedBack"));
  createControls();
  skin.hoverList = [this] {
    imgExit->GoDark();
    imgBack->GoDark();
    imgSend->GoDark();
  };
  Form_Load();
}

void frmSuggest::createControls() {
  txtName = addTextBox(1650, 750, 2115, 50, QStringLiteral("Your Name"));
  txtEMail = addTextBox(1650, 1140, 2115, 100, QStringLiteral("Email"));
  txtComment = addTextBox(1650, 1530, 2835, 256, QString());

  lblSending = new QLabel(this);
  QFont bold = lblSending->font();
  bold.setBold(true);
  lblSending->setFont(bold);
  QPalette white = lblSending->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  lblSending->setPalette(white);
  lblSending->hide();
  layout.add(lblSending, 720, 2070, 1050, 210, kFontSize);

  imgSend = addImageButton(2490, 2040, 870, 270, QStringLiteral("send_light.png"),
                           QStringLiteral("Send your feedback now"));
  imgBack = addImageButton(3690, 2040, 870, 270, QStringLiteral("back_light.png"),
                           QStringLiteral("back to main"));
  imgExit = addImageButton(4495, 165, 225, 225, QStringLiteral("suggest_exit_light.png"),
                           QStringLiteral("Exit"));
  connect(imgSend, &ImageButton::clicked, this, &frmSuggest::imgSend_Click);
  connect(imgBack, &ImageButton::clicked, this, &frmSuggest::imgBack_Click);
  connect(imgExit, &ImageButton::clicked, this, &frmSuggest::imgExit_Click);

  setTabOrder(txtName, txtEMail);
  setTabOrder(txtEMail, txtComment);
}

QLineEdit* frmSuggest::addTextBox(double left, double top, double width, int maxLength,
                                  const QString& tooltip) {
  auto* box = new QLineEdit(this);
  box->setMaxLength(maxLength);
  box->setToolTip(tooltip);
  layout.add(box, left, top, width, 315, kFontSize);
  return box;
}

void frmSuggest::Form_Load() {
  loadFrame();
  armShowTimer();
}

void frmSuggest::showStatus(const QString& caption) {
  lblSending->setText(caption);
  // The fonts here can run wider than the ones the window was drawn for: the
  // line grows to the right over bare skin rather than cut off its text.
  lblSending->setMinimumWidth(lblSending->sizeHint().width());
  lblSending->show();
}

void frmSuggest::Command1_Click() {
  // Only an exactly empty box is refused: blanks are a value like any other.
  const std::pair<QLineEdit*, QString> required[] = {
      {txtName, QStringLiteral("Your Name?")},
      {txtEMail, QStringLiteral("Your Email?")},
      {txtComment, QStringLiteral("Comment?")},
  };
  for (const auto& [box, prompt] : required) {
    if (box->text().isEmpty()) {
      showStatus(prompt);
      box->setFocus();
      return;
    }
  }

  showStatus(QStringLiteral("Sending..."));
  imgSend->setEnabled(false);
  const QUrl url = feedback::requestUrl(txtName->text(), txtEMail->text(), txtComment->text());
  // The window may be closed before the answer arrives; the answer then reaches nobody.
  platform::modal().httpGet(url, [window = QPointer<frmSuggest>(this)](bool delivered) {
    if (window) window->wb_DocumentComplete(delivered);
  });
}

void frmSuggest::imgSend_Click() { Command1_Click(); }

void frmSuggest::wb_DocumentComplete(bool delivered) {
  // Only a request the server took is finished; after a failure the user may
  // send again.
  showStatus(delivered ? QStringLiteral("Finished.") : QStringLiteral("Not sent."));
  imgSend->setEnabled(!delivered);
}

void frmSuggest::imgBack_Click() { reject(); }

void frmSuggest::imgExit_Click() { reject(); }

void frmSuggest::Command2_Click() { reject(); }

void showFeedbackWindow() {
  frmSuggest window;
  platform::modal().showModal(&window);
}
