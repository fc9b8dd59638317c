// The remote server's rules without sockets.
#include "remote/access.h"
#include "remote/connection_slots.h"
#include "remote/http_request.h"
#include "remote/websocket_frames.h"

#include "remote/qr_code.h"
#include "remote_client.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace remote;

TEST(RemoteProtocol, RequestFramingAndLimits) {
    const QByteArray get = "GET /api/state HTTP/1.1\r\nHost: h\r\n\r\n";
    struct Case {
        const char *what;
        QByteArray bytes;
        HttpParse::Outcome outcome;
        int status;  // when refused
        qsizetype consumed;  // when complete
    };
    const Case cases[] = {
        {"whole GET", get, HttpParse::Complete, 0, get.size()},
        {"GET with another behind it", get + "POST", HttpParse::Complete, 0, get.size()},
        {"half a header", get.left(20), HttpParse::NeedMore, 0, 0},
        {"body not all there", "POST /a HTTP/1.1\r\nHost: h\r\nContent-Length: 5\r\n\r\nab", HttpParse::NeedMore, 0, 0},
        {"body there", "POST /a HTTP/1.1\r\nHost: h\r\nContent-Length: 2\r\n\r\nab", HttpParse::Complete, 0, 50},
        {"chunked", "POST /a HTTP/1.1\r\nHost: h\r\nTransfer-Encoding: chunked\r\n\r\n", HttpParse::Refused, 411, 0},
        {"chunked, empty value", "POST /a HTTP/1.1\r\nHost: h\r\nTransfer-Encoding:\r\n\r\n", HttpParse::Refused, 411, 0},
        {"body over 16 KiB", "POST /a HTTP/1.1\r\nHost: h\r\nContent-Length: 16385\r\n\r\n", HttpParse::Refused, 413, 0},
        {"two lengths", "POST /a HTTP/1.1\r\nHost: h\r\nContent-Length: 1\r\nContent-Length: 1\r\n\r\nx", HttpParse::Refused, 400, 0},
        {"length not digits", "POST /a HTTP/1.1\r\nHost: h\r\nContent-Length: -1\r\n\r\n", HttpParse::Refused, 400, 0},
        {"header over 8 KiB, unended", "GET / HTTP/1.1\r\nX: " + QByteArray(9000, 'a'), HttpParse::Refused, 431, 0},
        {"header over 8 KiB, ended", "GET / HTTP/1.1\r\nHost: h\r\nX: " + QByteArray(9000, 'a') + "\r\n\r\n", HttpParse::Refused, 431, 0},
        {"no Host", "GET / HTTP/1.1\r\n\r\n", HttpParse::Refused, 400, 0},
        {"folded line", "GET / HTTP/1.1\r\nHost: h\r\n x\r\n\r\n", HttpParse::Refused, 400, 0},
        {"not HTTP", "GET / FTP/1.0\r\nHost: h\r\n\r\n", HttpParse::Refused, 400, 0},
        {"space in a name", "GET / HTTP/1.1\r\nHo st: h\r\n\r\n", HttpParse::Refused, 400, 0},
    };
    for (const Case &c : cases) {
        HttpRequest r;
        const HttpParse p = parseRequest(c.bytes, &r);
        EXPECT_EQ(p.outcome, c.outcome) << c.what;
        if (c.outcome == HttpParse::Refused) EXPECT_EQ(p.status, c.status) << c.what;
        if (c.outcome == HttpParse::Complete) EXPECT_EQ(p.consumed, c.consumed) << c.what;
    }
    HttpRequest r;
    ASSERT_EQ(parseRequest("POST /a?b HTTP/1.1\r\nHOST: h\r\nContent-Length: 2\r\nConnection: close\r\n\r\nab", &r).outcome,
              HttpParse::Complete);
    EXPECT_EQ(r.method, "POST");
    EXPECT_EQ(r.target, "/a?b");
    EXPECT_EQ(r.value("host"), "h");
    EXPECT_EQ(r.body, "ab");
    EXPECT_FALSE(r.keepAlive());
}

TEST(RemoteProtocol, OnlyARealHandshakeIsAnUpgrade) {
    struct Case {
        const char *headers;
        bool upgrade;
    };
    const Case cases[] = {
        {"Upgrade: websocket\r\nConnection: Upgrade\r\n", true},
        {"Upgrade: WebSocket\r\nConnection: keep-alive, Upgrade\r\n", true},
        {"Upgrade: websocket\r\n", false},  // no Connection: Upgrade
        {"Upgrade: websocket\r\nConnection: keep-alive\r\n", false},
        {"Connection: Upgrade\r\n", false},
        {"Upgrade: h2c\r\nConnection: Upgrade\r\n", false},
    };
    for (const Case &c : cases) {
        HttpRequest r;
        ASSERT_EQ(parseRequest(QByteArray("GET /ws HTTP/1.1\r\nHost: h\r\n") + c.headers + "\r\n", &r).outcome,
                  HttpParse::Complete);
        EXPECT_EQ(r.isWebSocketUpgrade(), c.upgrade) << c.headers;
    }
    // RFC 6455's own example key and answer.
    EXPECT_EQ(ws::acceptKey("dGhlIHNhbXBsZSBub25jZQ=="), "s3pPLMBiTxaQ9kYGzzhZRbK+xOo=");
    EXPECT_TRUE(ws::validKey("dGhlIHNhbXBsZSBub25jZQ=="));
    EXPECT_FALSE(ws::validKey("c2hvcnQ="));
}

TEST(RemoteProtocol, ClientFramesFollowTheRules) {
    struct Case {
        const char *what;
        QByteArray bytes;
        ws::Event::Kind last;
        int code;  // Fail's close code or Close's code
    };
    const Case cases[] = {
        {"text", wsFrame("hi", 0x81), ws::Event::Message, 0},
        {"unmasked text", wsFrame("hi", 0x81, false), ws::Event::Fail, 1002},
        {"unmasked close", wsFrame("", 0x88, false), ws::Event::Fail, 1002},
        {"reserved bit", wsFrame("hi", 0xC1), ws::Event::Fail, 1002},
        {"reserved opcode", wsFrame("hi", 0x83), ws::Event::Fail, 1002},
        {"fragmented ping", wsFrame("x", 0x09), ws::Event::Fail, 1002},
        {"long ping", wsFrame(QByteArray(126, 'x'), 0x89), ws::Event::Fail, 1002},
        {"continuation first", wsFrame("x", 0x80), ws::Event::Fail, 1002},
        {"new message inside one", wsFrame("a", 0x01) + wsFrame("b", 0x81), ws::Event::Fail, 1002},
        {"fragments", wsFrame("a", 0x01) + wsFrame("p", 0x89) + wsFrame("b", 0x80), ws::Event::Message, 0},
        {"bad UTF-8", wsFrame("\xff\xfe", 0x81), ws::Event::Fail, 1007},
        {"too big", wsFrame(QByteArray(201, 'x'), 0x81), ws::Event::Fail, 1009},
        {"too big in pieces", wsFrame(QByteArray(100, 'x'), 0x01) + wsFrame(QByteArray(101, 'x'), 0x80), ws::Event::Fail, 1009},
        {"close", wsFrame(QByteArray("\x03\xe8", 2), 0x88), ws::Event::Close, 1000},
        {"close without code", wsFrame("", 0x88), ws::Event::Close, 1005},
        {"close of one byte", wsFrame("x", 0x88), ws::Event::Fail, 1002},
    };
    for (const Case &c : cases) {
        ws::FrameReader reader(200);
        QByteArray buffer = c.bytes;
        const QList<ws::Event> events = reader.read(buffer);
        ASSERT_FALSE(events.isEmpty()) << c.what;
        EXPECT_EQ(events.last().kind, c.last) << c.what;
        if (c.code) EXPECT_EQ(events.last().code, c.code) << c.what;
    }
    // Frames split anywhere read the same; a partial frame stays in the buffer.
    ws::FrameReader reader(200);
    const QByteArray whole = wsFrame("ab", 0x01) + wsFrame("c", 0x80) + wsFrame("p", 0x89);
    QByteArray buffer;
    QList<ws::Event> events;
    for (const char ch : whole) {
        buffer.append(ch);
        events += reader.read(buffer);
    }
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0].payload, "abc");
    EXPECT_EQ(events[1].kind, ws::Event::Ping);
    EXPECT_TRUE(buffer.isEmpty());
    // What the server sends: unmasked, with the length in the form its size needs.
    EXPECT_EQ(ws::frame(ws::Text, "hi"), QByteArray("\x81\x02hi"));
    EXPECT_EQ(ws::frame(ws::Binary, QByteArray(300, 'x')).left(4), QByteArray("\x82\x7e\x01\x2c"));
    EXPECT_EQ(ws::closeFrame(1002), QByteArray("\x88\x02\x03\xea"));
}

TEST(RemoteProtocol, AnyTokenReadsBackFromThePageAddress) {
    const QString tokens[] = {QStringLiteral("a&b#c+d%e f=g?h/i"), QStringLiteral("plain-token_0123456789"),
                              QStringLiteral("%41%42+++&&&token=x####"), QStringLiteral("駅前バス停のトークンです12345")};
    for (const QString &token : tokens) {
        const QString url = pageAddress(QStringLiteral("127.0.0.1"), 8207, token);
        // A browser opening the address (or a phone reading it from the QR code)
        // sends the path and query as they are.
        const QUrl parsed(url, QUrl::StrictMode);
        ASSERT_TRUE(parsed.isValid()) << qPrintable(url);
        EXPECT_EQ(parsed.host(), QStringLiteral("127.0.0.1"));
        EXPECT_FALSE(parsed.hasFragment()) << qPrintable(url);
        const QByteArray target = "/?" + parsed.query(QUrl::FullyEncoded).toUtf8();
        const QList<QByteArray> hosts{"127.0.0.1:8207"};
        EXPECT_EQ(decide({target, {}, {}, "127.0.0.1:8207"}, token.toUtf8(), hosts), 0) << qPrintable(url);
        EXPECT_EQ(decide({"/?token=" + QUrl::toPercentEncoding(token + 'x'), {}, {}, "127.0.0.1:8207"}, token.toUtf8(), hosts), 401);
        // The Authorization header carries it as it is.
        EXPECT_EQ(decide({"/", "Bearer " + token.toUtf8(), {}, "127.0.0.1:8207"}, token.toUtf8(), hosts), 0);
    }
    // The QR code holds the same address, read back by a scanner.
    const QString zbar = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
    if (zbar.isEmpty()) GTEST_SKIP() << "zbarimg is not installed";
    QTemporaryDir dir;
    const QString url = pageAddress(QStringLiteral("192.168.1.5"), 8207, tokens[0]);
    ASSERT_TRUE(qrCode(url, 4).save(dir.filePath(QStringLiteral("qr.png"))));
    QProcess read;
    read.start(zbar, {QStringLiteral("-q"), QStringLiteral("--raw"), dir.filePath(QStringLiteral("qr.png"))});
    ASSERT_TRUE(read.waitForFinished(10000));
    EXPECT_EQ(QString::fromUtf8(read.readAllStandardOutput()).trimmed(), url);
}

TEST(RemoteProtocol, ConnectionSlotsPerAddressAndInAll) {
    ConnectionSlots pool;
    int taken = 0;
    while (pool.take(QStringLiteral("10.0.0.1"))) ++taken;
    EXPECT_EQ(taken, ConnectionSlots::kMaxPerAddress);
    // Another address still gets in; then every slot in all.
    for (int i = 0; pool.take(QStringLiteral("10.0.1.%1").arg(i / ConnectionSlots::kMaxPerAddress)); ++i) ++taken;
    EXPECT_EQ(taken, ConnectionSlots::kMaxOpen);
    EXPECT_FALSE(pool.take(QStringLiteral("10.9.9.9")));
    pool.give(QStringLiteral("10.0.0.1"));
    EXPECT_TRUE(pool.take(QStringLiteral("10.9.9.9")));
    pool.give(QStringLiteral("10.7.7.7"));  // never taken: changes nothing
    EXPECT_EQ(pool.open(), ConnectionSlots::kMaxOpen);
}
