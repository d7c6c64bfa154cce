#include "feedback/FeedbackRequest.h"
#include "feedback/frmSuggest.h"
#include "common/MouseInput.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace {

// A one-request web server on the loopback that records the request line and
// answers with a short page once the request's header has arrived.
class LoopbackServer {
 public:
  LoopbackServer() {
    server_.listen(QHostAddress::LocalHost);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      QTcpSocket* socket = server_.nextPendingConnection();
      QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
        received_ += socket->readAll();
        if (!received_.contains("\r\n\r\n")) return;
        socket->write("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
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

}  // namespace
