// The remote's rules as units, without the program: who may ask (token, origin), how
// often (the rate limiter), and how an action's body is read.
#include "remote/access.h"
#include "remote/remote_action.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace remote;

TEST(RemoteUnits, AccessRules) {
    const QByteArray token = "secret-token-0123456789";
    struct Case {
        const char *what;
        RequestFacts facts;
        int status;
    };
    const Case cases[] = {
        {"no token", {"/api/state", {}, {}, "127.0.0.1:8207"}, 401},
        {"token in the URL", {"/api/state?token=" + token, {}, {}, "h"}, 0},
        {"percent-encoded token", {"/?token=secret%2Dtoken-0123456789", {}, {}, "h"}, 0},
        {"bearer header", {"/api/state", "Bearer " + token, {}, "h"}, 0},
        {"bearer in any case", {"/api/state", "bEaReR " + token, {}, "h"}, 0},
        {"another token", {"/api/state?token=secret-token-0123456780", {}, {}, "h"}, 401},
        {"a prefix of it", {"/api/state", "Bearer secret-token", {}, "h"}, 401},
        {"empty bearer", {"/api/state", "Bearer ", {}, "h"}, 401},
        {"own origin", {"/ws?token=" + token, {}, "http://127.0.0.1:8207", "127.0.0.1:8207"}, 0},
        {"foreign origin", {"/ws?token=" + token, {}, "http://evil.example", "127.0.0.1:8207"}, 403},
        {"origin of another port", {"/ws?token=" + token, {}, "http://127.0.0.1:9", "127.0.0.1:8207"}, 403},
        {"a bad token beats the origin", {"/ws", {}, "http://evil.example", "h"}, 401},
    };
    const QList<QByteArray> hosts{"h", "127.0.0.1:8207"};
    for (const Case &c : cases) EXPECT_EQ(decide(c.facts, token, hosts), c.status) << c.what;
    EXPECT_EQ(decide({"/?token=", {}, {}, "h"}, QByteArray(), hosts), 401) << "an empty token never matches";
    EXPECT_EQ(targetPath("/api/state?token=x"), QByteArray("/api/state"));
    EXPECT_EQ(targetPath("/board"), QByteArray("/board"));
    const QString a = makeToken(), b = makeToken();
    EXPECT_NE(a, b);
    EXPECT_GE(a.size(), 22);
    EXPECT_FALSE(a.contains(QLatin1Char('+')) || a.contains(QLatin1Char('/')) || a.contains(QLatin1Char('=')));
}

TEST(RemoteUnits, RateLimiterBurstRefillAndClientsApart) {
    RateLimiter limiter(10, 20);
    int allowed = 0;
    for (int i = 0; i < 30; ++i) allowed += limiter.allow(QStringLiteral("a"), 1000);
    EXPECT_EQ(allowed, 20) << "a burst of 20 at once";
    EXPECT_TRUE(limiter.allow(QStringLiteral("b"), 1000)) << "another client has a bucket of its own";
    EXPECT_FALSE(limiter.allow(QStringLiteral("a"), 1050)) << "half an action refilled is not one";
    EXPECT_TRUE(limiter.allow(QStringLiteral("a"), 1150));
    allowed = 0;
    for (int i = 0; i < 30; ++i) allowed += limiter.allow(QStringLiteral("a"), 100000);
    EXPECT_EQ(allowed, 20) << "a long pause refills to the burst, not beyond";
}

TEST(RemoteUnits, ActionBodies) {
    struct Case {
        const char *body;
        bool ok;
    };
    const Case cases[] = {
        {R"({"action":"forward"})", true},
        {R"({"action":"route","route":"00001","section":"001"})", true},
        {R"({"action":"route","route":"123456","section":"1"})", false},
        {R"({"action":"route","route":"1","section":"１"})", false},
        {R"({"action":"route","route":"1a","section":"1"})", false},
        {R"({"action":"backlight","level":1.5})", false},
        {R"({"action":"backlight","level":3})", false},
        {R"({"action":"blank","on":true})", true},
        {R"({"action":"forward","on":true})", false},
        {R"({"action":"answer","button":"OK"})", true},
        {R"({"action":"answer","button":"OK","pending":3})", true},
        {R"({"action":"answer","button":"OK","pending":0})", false},
        {R"({"action":"answer"})", false},
        {R"([1,2])", false},
        {"", false},
    };
    for (const Case &c : cases) {
        QString why;
        const auto a = parseAction(c.body, &why);
        EXPECT_EQ(a.has_value(), c.ok) << c.body;
        EXPECT_EQ(why.isEmpty(), c.ok) << c.body;
    }
    QString why;
    const auto answer = parseAction(R"({"action":"answer","button":"Yes","pending":7})", &why);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->button, QStringLiteral("Yes"));
    EXPECT_EQ(answer->pending, 7);
}
