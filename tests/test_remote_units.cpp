// The remote's rules as units: who may ask, how often, what an action says, where it listens.
#include "remote/access.h"
#include "remote/listen_address.h"
#include "remote/remote_action.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace remote;

TEST(RemoteUnits, AccessByTokenOriginAndHost) {
    const QByteArray token = "secret-token-0123456789";
    const QList<QHostAddress> machine{QHostAddress(QStringLiteral("127.0.0.1")), QHostAddress(QStringLiteral("192.168.1.5")),
                                      QHostAddress(QStringLiteral("::1"))};
    const QList<QByteArray> any{"h", "127.0.0.1:8207"};
    const auto loopback = allowedHosts(QHostAddress(QHostAddress::LocalHost), 8207, machine);
    const auto network = allowedHosts(QHostAddress(QHostAddress::AnyIPv4), 8207, machine);
    const auto v6 = allowedHosts(QHostAddress(QStringLiteral("::1")), 80, machine);
    const QByteArray query = "/api/state?token=" + token;
    struct Case {
        const char *what;
        const QList<QByteArray> *hosts;
        RequestFacts facts;
        int status;
    };
    const Case cases[] = {
        {"no token", &any, {"/api/state", {}, {}, "127.0.0.1:8207"}, 401},
        {"token in the URL", &any, {query, {}, {}, "h"}, 0},
        {"percent-encoded token", &any, {"/?token=secret%2Dtoken-0123456789", {}, {}, "h"}, 0},
        {"bearer header", &any, {"/api/state", "Bearer " + token, {}, "h"}, 0},
        {"bearer in any case", &any, {"/api/state", "bEaReR " + token, {}, "h"}, 0},
        {"another token", &any, {"/api/state?token=secret-token-0123456780", {}, {}, "h"}, 401},
        {"a prefix of it", &any, {"/api/state", "Bearer secret-token", {}, "h"}, 401},
        {"empty bearer", &any, {"/api/state", "Bearer ", {}, "h"}, 401},
        {"own origin", &any, {"/ws?token=" + token, {}, "http://127.0.0.1:8207", "127.0.0.1:8207"}, 0},
        {"foreign origin", &any, {"/ws?token=" + token, {}, "http://evil.example", "127.0.0.1:8207"}, 403},
        {"origin of another port", &any, {"/ws?token=" + token, {}, "http://127.0.0.1:9", "127.0.0.1:8207"}, 403},
        {"a bad token beats the origin", &any, {"/ws", {}, "http://evil.example", "h"}, 401},
        // Host: only the server's own names and port.
        {"loopback", &loopback, {query, {}, {}, "127.0.0.1:8207"}, 0},
        {"localhost", &loopback, {query, {}, "http://localhost:8207", "localhost:8207"}, 0},
        {"LOCALHOST", &loopback, {query, {}, {}, "LOCALHOST:8207"}, 0},
        {"another port", &loopback, {query, {}, {}, "127.0.0.1:8208"}, 421},
        {"port 80 is not this one", &loopback, {query, {}, {}, "127.0.0.1"}, 421},
        {"the network's address on loopback", &loopback, {query, {}, {}, "192.168.1.5:8207"}, 421},
        // DNS rebinding: another name with its own page as Origin and the token.
        {"rebinding", &loopback, {query, {}, "http://evil.example:8207", "evil.example:8207"}, 421},
        {"no Host", &loopback, {query, {}, {}, ""}, 421},
        {"network", &network, {query, {}, "http://192.168.1.5:8207", "192.168.1.5:8207"}, 0},
        {"loopback on the network", &network, {query, {}, {}, "127.0.0.1:8207"}, 0},
        {"rebinding on the network", &network, {query, {}, {}, "evil.example:8207"}, 421},
        {"IPv6 on an IPv4 socket", &network, {query, {}, {}, "[::1]:8207"}, 421},
        {"IPv6", &v6, {query, {}, {}, "[::1]"}, 0},
        {"IPv6 with port", &v6, {query, {}, {}, "[::1]:80"}, 0},
        {"own host, foreign origin", &network, {query, {}, "http://evil.example", "192.168.1.5:8207"}, 403},
        {"host fine, no token", &loopback, {"/api/state", {}, {}, "127.0.0.1:8207"}, 401},
    };
    for (const Case &c : cases) EXPECT_EQ(decide(c.facts, token, *c.hosts), c.status) << c.what;
    EXPECT_EQ(decide({"/?token=", {}, {}, "h"}, QByteArray(), any), 401) << "an empty token never matches";
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

// Where the remote control listens, as written after --remote.
TEST(RemoteUnits, ListenAddressForms) {
    struct Case {
        const char *text;
        const char *address;  // nullptr: refused
        int port;
    };
    const Case cases[] = {
        {"8207", "127.0.0.1", 8207},         // a bare port stays on this computer
        {"0", "127.0.0.1", 0},               // any free port
        {"localhost:80", "127.0.0.1", 80},
        {"0.0.0.0:8207", "0.0.0.0", 8207},   // the network only when named
        {"192.168.1.5:1", "192.168.1.5", 1},
        {"[::1]:8207", "::1", 8207},
        {"65536", nullptr, 0},
        {"80a", nullptr, 0},
        {"", nullptr, 0},
        {"host.example:80", nullptr, 0},     // names are not looked up
        {"[::1:80", nullptr, 0},
        {"1.2.3.4:", nullptr, 0},
    };
    for (const Case &c : cases) {
        const remote::ListenAddress a = remote::parseListenAddress(QString::fromLatin1(c.text));
        if (!c.address) {
            EXPECT_FALSE(a.error.isEmpty()) << c.text;
            continue;
        }
        EXPECT_TRUE(a.error.isEmpty()) << c.text << ": " << qPrintable(a.error);
        EXPECT_EQ(a.address.toString(), QString::fromLatin1(c.address)) << c.text;
        EXPECT_EQ(a.port, c.port) << c.text;
    }
}
