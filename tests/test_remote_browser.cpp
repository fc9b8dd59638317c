// The remote pages in a real browser: headless Chromium, driven through chromedriver
// on loopback, presses データ送り on the control page and the board steps; the
// mirror page shows the board (its screenshot is kept in the build folder).
#include "remote_client.h"

#include <QImage>
#include <QJsonArray>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>

namespace {

const QString kChromium = QStringLiteral("/usr/bin/chromium");

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// A WebDriver session of chromedriver.
struct Browser {
    quint16 port = 0;
    QByteArray session;

    QJsonObject call(const QByteArray &method, const QByteArray &path, const QJsonObject &body = {}) const {
        const QByteArray json = method == "GET" || method == "DELETE" ? QByteArray() : QJsonDocument(body).toJson(QJsonDocument::Compact);
        QByteArray r = method + ' ' + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/json\r\nContent-Length: " +
                       QByteArray::number(json.size()) + "\r\n\r\n" + json;
        return sendRaw(port, r, 30000).json();
    }
    QJsonValue value(const QByteArray &method, const QByteArray &path, const QJsonObject &body = {}) const {
        return call(method, "/session/" + session + path, body).value(QStringLiteral("value"));
    }
    QJsonValue run(const QString &script) const {
        return value("POST", "/execute/sync", {{QStringLiteral("script"), script}, {QStringLiteral("args"), QJsonArray()}});
    }
    void open(const QString &url) const { value("POST", "/url", {{QStringLiteral("url"), url}}); }
    // Polls a script until it returns true, at most ten seconds.
    bool until(const QString &script) const {
        for (int i = 0; i < 100; ++i) {
            if (run(script).toBool()) return true;
            QThread::msleep(100);
        }
        return false;
    }
};

}  // namespace

TEST(RemoteBrowser, ControlPageStepsTheBoardAndMirrorShowsIt) {
    const QString driver = QStandardPaths::findExecutable(QStringLiteral("chromedriver"));
    if (!QFileInfo::exists(kChromium) || driver.isEmpty()) GTEST_SKIP() << "chromium or chromedriver is not installed";

    RemoteProgram prog;
    ASSERT_NE(prog.port, 0);
    ASSERT_EQ(prog.act(R"({"action":"route","route":"1","section":"1"})").status, 200);

    QTemporaryDir profile;
    QProcess chromedriver;
    Browser b;
    b.port = freePort();
    chromedriver.start(driver, {QStringLiteral("--port=%1").arg(b.port)});
    ASSERT_TRUE(chromedriver.waitForStarted(5000));
    for (int i = 0; i < 50 && sendRaw(b.port, "GET /status HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", 1000).status != 200; ++i)
        QThread::msleep(100);
    const QJsonArray args{QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                          QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
                          QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
                          QStringLiteral("--disable-sync"), QStringLiteral("--window-size=1280,900"),
                          QStringLiteral("--user-data-dir=") + profile.path()};
    const QJsonObject options{{QStringLiteral("binary"), kChromium}, {QStringLiteral("args"), args}};
    const QJsonObject caps{{QStringLiteral("alwaysMatch"), QJsonObject{{QStringLiteral("goog:chromeOptions"), options}}}};
    b.session = b.call("POST", "/session", {{QStringLiteral("capabilities"), caps}})
                    .value(QStringLiteral("value")).toObject().value(QStringLiteral("sessionId")).toString().toLatin1();
    ASSERT_FALSE(b.session.isEmpty()) << "chromedriver gave no session";

    const QString base = QStringLiteral("http://127.0.0.1:%1").arg(prog.port);
    b.open(base + QStringLiteral("/?token=") + QString::fromLatin1(kToken));
    ASSERT_TRUE(b.until(QStringLiteral("return !document.getElementById('forward').disabled")));
    EXPECT_EQ(b.run(QStringLiteral("return document.getElementById('routeNo').textContent")).toString(), QStringLiteral("1"));
    const QString id = b.value("POST", "/element", {{QStringLiteral("using"), QStringLiteral("css selector")},
                                                     {QStringLiteral("value"), QStringLiteral("#forward")}})
                           .toObject().begin().value().toString();
    b.value("POST", "/element/" + id.toLatin1() + "/click");
    EXPECT_TRUE(b.until(QStringLiteral("return document.getElementById('pos').textContent.startsWith('2 /')")));
    QImage::fromData(QByteArray::fromBase64(b.value("GET", "/screenshot").toString().toLatin1()), "PNG")
        .save(QStringLiteral(MITRA_BINARY_DIR "/remote_control_page.png"));
    // Connected, in the words both pages use; the fare cells as the board shows them,
    // dark where the board is dark.
    EXPECT_EQ(b.run(QStringLiteral("return document.getElementById('conn').textContent")).toString(), QStringLiteral("接続済み"));
    b.run(QStringLiteral("document.querySelector('details').open = true; window.scrollTo(0, document.body.scrollHeight)"));
    const QJsonArray fares = prog.get("/api/state").json().value(QStringLiteral("fares")).toArray();
    const QJsonArray cells = b.run(QStringLiteral("return [...document.querySelectorAll('#fares div')].map(d => d.textContent.trim())")).toArray();
    ASSERT_EQ(fares.size(), 32);
    EXPECT_EQ(cells, fares);
    EXPECT_TRUE(fares.contains(QString())) << "the demo route leaves some cells dark";
    QImage::fromData(QByteArray::fromBase64(b.value("GET", "/screenshot").toString().toLatin1()), "PNG")
        .save(QStringLiteral(MITRA_BINARY_DIR "/remote_control_fares.png"));

    b.open(base + QStringLiteral("/board?token=") + QString::fromLatin1(kToken));
    EXPECT_TRUE(b.until(QStringLiteral("return Number(document.body.dataset.frames || 0) > 0")));
    const QImage shot = QImage::fromData(QByteArray::fromBase64(b.value("GET", "/screenshot").toString().toLatin1()), "PNG");
    shot.save(QStringLiteral(MITRA_BINARY_DIR "/remote_board_mirror.png"));
    ASSERT_FALSE(shot.isNull());
    // The board fills the window's width (its shape kept), not a blank page.
    const QRect board = QRect(0, 0, shot.width(), shot.height());
    int colours = 0;
    QRgb seen[8] = {};
    for (int y = board.height() / 4; y < board.height() * 3 / 4 && colours < 8; y += 7)
        for (int x = 0; x < board.width() && colours < 8; x += 13)
            if (std::find(seen, seen + colours, shot.pixel(x, y)) == seen + colours) seen[colours++] = shot.pixel(x, y);
    EXPECT_GE(colours, 4);
    b.call("DELETE", "/session/" + b.session);
    chromedriver.kill();
    chromedriver.waitForFinished(5000);

    const QJsonObject dump = prog.finish();
    EXPECT_EQ(dump.value(QStringLiteral("trip")).toObject().value(QStringLiteral("CurIndex")).toInt(), 1);
}
