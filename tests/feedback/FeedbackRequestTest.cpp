#include "feedback/FeedbackRequest.h"

#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

struct RequestCase {
  const char* what;
  QString name, email, comment;
  const char* query;  // what follows "/suggest/post.php?"
};

TEST(FeedbackRequest, CarriesEachValueAsTextUnderItsKey) {
  const RequestCase cases[] = {
      {"plain", QStringLiteral("Ann"), QStringLiteral("ann_b-c.d~e@mail.example"),
       QStringLiteral("Nice"), "name=Ann&age=ann_b-c.d~e%40mail.example&comment=Nice"},
      {"blanks only", QStringLiteral("   "), QStringLiteral(" "), QStringLiteral("a b"),
       "name=%20%20%20&age=%20&comment=a%20b"},
      {"query delimiters", QStringLiteral("a&age=b"), QStringLiteral("x#y"),
       QStringLiteral("1+1=2 & ?/;%"),
       "name=a%26age%3Db&age=x%23y&comment=1%2B1%3D2%20%26%20%3F%2F%3B%25"},
      {"not ASCII", QStringLiteral("Zo\u00EB"), QStringLiteral("\u00FC@b.example"),
       QStringLiteral("\u65E5\u672C"), "name=Zo%C3%AB&age=%C3%BC%40b.example&comment=%E6%97%A5%E6%9C%AC"},
      {"already encoded stays text", QStringLiteral("%41"), QStringLiteral("%"),
       QStringLiteral("%2B"), "name=%2541&age=%25&comment=%252B"},
  };
  for (const RequestCase& c : cases) {
    const QUrl url = feedback::requestUrl(c.name, c.email, c.comment);
    ASSERT_TRUE(url.isValid()) << c.what;
    EXPECT_EQ(url.toEncoded(),
              "http://feedback.dabrelin.example/suggest/post.php?" + QByteArray(c.query))
        << c.what;

    // What the server reads back: three keys, each with the value as typed.
    const QUrlQuery query(url);
    const auto items = query.queryItems(QUrl::FullyDecoded);
    ASSERT_EQ(items.size(), 3) << c.what;
    EXPECT_EQ(items[0], qMakePair(QStringLiteral("name"), c.name)) << c.what;
    EXPECT_EQ(items[1], qMakePair(QStringLiteral("age"), c.email)) << c.what;
    EXPECT_EQ(items[2], qMakePair(QStringLiteral("comment"), c.comment)) << c.what;
  }
}

TEST(FeedbackRequest, GoesToTheServerThatTestsPointItAt) {
  feedback::setServerAddress(QStringLiteral("http://127.0.0.1:8080"));
  EXPECT_EQ(feedback::requestUrl(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"))
                .toEncoded(),
            "http://127.0.0.1:8080/suggest/post.php?name=a&age=b&comment=c");
  feedback::setServerAddress(QString());
  EXPECT_EQ(feedback::serverAddress(), QStringLiteral("http://feedback.dabrelin.example"));
}

}  // namespace
