#include "feedback/FeedbackRequest.h"
#include "feedback/frmSuggest.h"
#include "skin/ImageButton.h"
#include "common/MouseInput.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

// A web server on the loopback that records the last request line and
// answers with a short page and the status `status` once the request's
// header has arrived.
class LoopbackServer {
 public:
  QByteArray status = "200 OK";

  LoopbackServer() {
    server_.listen(QHostAddress::LocalHost);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      QTcpSocket* socket = server_.nextPendingConnection();
      received_.clear();
      QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
        received_ += socket->readAll();
        if (!received_.contains("\r\n\r\n")) return;
        socket->write("HTTP/1.1 " + status +
                      "\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
        socket->disconnectFromHost();
      });
    });
  }
  QString address() const {
    return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort());
  }
  QByteArray requestLine() const { return received_.left(received_.indexOf("\r\n")); }

 private:
  QTcpServer server_;
  QByteArray received_;
};

// A loopback address where nothing listens, so a connection is refused.
QString refusingAddress() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost);
  const quint16 port = probe.serverPort();
  probe.close();
  return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

// The real network road, without the scripted stand-in.
TEST(FeedbackServer, ReceivesTheValuesAsTextAndItsAnswerShowsFinished) {
  LoopbackServer server;
  feedback::setServerAddress(server.address());
  {
    frmSuggest window;
    window.txtName->setText(QStringLiteral("Ann Lee"));
    window.txtEMail->setText(QStringLiteral("ann+x@mail.example"));
    window.txtComment->setText(QStringLiteral("a&b=c #1"));
    window.Command1_Click();

    EXPECT_TRUE(processEventsUntil(
        [&] { return window.lblSending->text() == QStringLiteral("Finished."); }, 5000));
    EXPECT_EQ(server.requestLine(),
              "GET /suggest/post.php?name=Ann%20Lee&age=ann%2Bx%40mail.example"
              "&comment=a%26b%3Dc%20%231 HTTP/1.1");
  }
  feedback::setServerAddress(QString());
}

TEST(FeedbackServer, AFailedRequestShowsNotSentAndTheUserCanSendAgain) {
  LoopbackServer server;
  frmSuggest window;
  window.txtName->setText(QStringLiteral("Ann"));
  window.txtEMail->setText(QStringLiteral("ann@mail.example"));
  window.txtComment->setText(QStringLiteral("Nice"));
  window.show();
  const auto sendAndWait = [&](const QString& address) {
    feedback::setServerAddress(address);
    mouse::click(window.imgSend);
    processEventsUntil([&] { return window.lblSending->text() != QStringLiteral("Sending..."); },
                       5000);
    return window.lblSending->text().toStdString();
  };

  EXPECT_EQ(sendAndWait(refusingAddress()), "Not sent.");
  EXPECT_TRUE(window.imgSend->isEnabled());
  server.status = "503 Service Unavailable";
  EXPECT_EQ(sendAndWait(server.address()), "Not sent.");
  EXPECT_TRUE(window.imgSend->isEnabled());
  EXPECT_TRUE(server.requestLine().startsWith("GET /suggest/post.php?name=Ann&"));

  server.status = "200 OK";
  EXPECT_EQ(sendAndWait(server.address()), "Finished.");
  EXPECT_FALSE(window.imgSend->isEnabled());
  feedback::setServerAddress(QString());
}

}  // namespace
