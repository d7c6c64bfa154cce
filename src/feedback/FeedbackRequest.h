#pragma once
#include <QString>
#include <QUrl>

// The one web request of the feedback window: the sender's name, e-mail
// address and comment as the query of a GET on the feedback server.
namespace feedback {

// The server's base address, without a trailing "/"; the reserved .example
// domain stands in for it.
QString serverAddress();
// Points the request at another server (tests only); an empty address
// restores the built-in one.
void setServerAddress(const QString& base);

// The server's address, then "/suggest/post.php?name=", the name, "&age=",
// the e-mail address, "&comment=" and the comment. Each value is
// percent-encoded as UTF-8, so "&", "=", "#", "+" and blanks in it reach the
// server as text instead of splitting the query.
QUrl requestUrl(const QString& name, const QString& email, const QString& comment);

}  // namespace feedback
