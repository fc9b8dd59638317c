// The remote pages in headless Chromium, driven through chromedriver on loopback; the
// screenshots are kept in the build folder.
#include "remote_client.h"

#include <QImage>
#include <QJsonArray>
#include <QSet>
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
    // The window as it is now, kept in the build folder as `name`.
    QImage shot(const char *name) const {
        const QImage image = QImage::fromData(QByteArray::fromBase64(value("GET", "/screenshot").toString().toLatin1()), "PNG");
        image.save(QStringLiteral(MITRA_BINARY_DIR "/") + QLatin1String(name));
        return image;
    }
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
    const QJsonArray args = QJsonArray::fromStringList(
        QStringLiteral("--headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking "
                       "--disable-component-update --disable-sync --window-size=1280,900 --user-data-dir=%1").arg(profile.path()).split(u' '));
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
    b.shot("remote_control_page.png");
    // Connected, in the words both pages use; the fare cells as the board shows them,
    // dark where the board is dark.
    EXPECT_EQ(b.run(QStringLiteral("return document.getElementById('conn').textContent")).toString(), QStringLiteral("接続済み"));
    b.run(QStringLiteral("document.querySelector('details').open = true; window.scrollTo(0, document.body.scrollHeight)"));
    const QJsonArray fares = prog.get("/api/state").json().value(QStringLiteral("fares")).toArray();
    const QJsonArray cells = b.run(QStringLiteral("return [...document.querySelectorAll('#fares div')].map(d => d.textContent.trim())")).toArray();
    ASSERT_EQ(fares.size(), 32);
    EXPECT_EQ(cells, fares);
    EXPECT_TRUE(fares.contains(QString())) << "the demo route leaves some cells dark";
    b.shot("remote_control_fares.png");

    b.open(base + QStringLiteral("/board?token=") + QString::fromLatin1(kToken));
    EXPECT_TRUE(b.until(QStringLiteral("return Number(document.body.dataset.frames || 0) > 0")));
    const QImage shot = b.shot("remote_board_mirror.png");
    ASSERT_FALSE(shot.isNull());
    // The board fills the window's width (its shape kept), not a blank page.
    QSet<QRgb> colours;
    for (int y = shot.height() / 4; y < shot.height() * 3 / 4; y += 7)
        for (int x = 0; x < shot.width(); x += 13) colours.insert(shot.pixel(x, y));
    EXPECT_GE(colours.size(), 4);
    b.call("DELETE", "/session/" + b.session);
    chromedriver.kill();
    chromedriver.waitForFinished(5000);

    const QJsonObject dump = prog.finish();
    EXPECT_EQ(dump.value(QStringLiteral("trip")).toObject().value(QStringLiteral("CurIndex")).toInt(), 1);
}
