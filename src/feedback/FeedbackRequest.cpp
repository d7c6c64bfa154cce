#include "feedback/FeedbackRequest.h"

namespace feedback {
namespace {

const QString kServer = QStringLiteral("http://feedback.dabrelin.example");

QString& overridden() {
  static QString address;
  return address;
}

}  // namespace

QString serverAddress() { return overridden().isEmpty() ? kServer : overridden(); }

void setServerAddress(const QString& base) { overridden() = base; }

QUrl requestUrl(const QString& name, const QString& email, const QString& comment) {
  // Assembled by hand: QUrlQuery would leave "+" and some delimiters alone.
  const QByteArray encoded = serverAddress().toUtf8() + "/suggest/post.php?name=" +
                             QUrl::toPercentEncoding(name) + "&age=" +
                             QUrl::toPercentEncoding(email) + "&comment=" +
                             QUrl::toPercentEncoding(comment);
  return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

}  // namespace feedback
