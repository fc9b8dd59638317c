// The remote control through real HTTP and WebSocket requests against the running
// program: each action goes through the panel's own buttons.
#include "remote_client.h"

#include <QFileInfo>
#include <QThread>
#include <QRandomGenerator>
#include <atomic>
#include <thread>

TEST(RemoteProgram, ApiAccessActionsClientsAndMalformedRequests) {
    // The panel's menu opens the dialog, which shows the running server's address.
    RemoteProgram prog(QStringLiteral("rclick frmCtl.Label5\nanswer リモート操作...\nwait 200\ngrab dlgRemote @/dialog.png\n"));
    ASSERT_NE(prog.port, 0) << "the program did not start its remote control";
    const quint16 port = prog.port;

    struct Case {
        const char *what;
        QByteArray bytes;
        int status;
    };
    // The rules themselves are the units' and the attacks'; here, that requests meet them.
    const Case access[] = {
        {"no token", request("GET", "/api/state", {}), 401},
        {"foreign origin", request("GET", "/api/state", kToken, {}, "Origin: http://evil.example\r\n"), 403},
        {"own origin", request("GET", "/api/state", kToken, {}, "Origin: http://127.0.0.1\r\n"), 200},
        {"control page", request("GET", "/", kToken), 200},
        {"board page", request("GET", "/board", kToken), 200},
        {"no file system", request("GET", "/../../etc/passwd", kToken), 404},
        {"wrong method", request("DELETE", "/api/state", kToken), 405},
        {"unknown action", request("POST", "/api/action", kToken, R"({"action":"fly"})"), 400},
        {"socket without token", wsHandshake("/ws"), 401},
        {"socket of a foreign page", wsHandshake("/ws?token=" + kToken, "http://evil.example"), 403},
    };
    for (const Case &c : access) EXPECT_EQ(sendRaw(port, c.bytes).status, c.status) << c.what;
    EXPECT_TRUE(prog.get("/").body.contains("データ送り"));

    // A step asked for during the route-selecting pause waits for it, like the panel's input.
    Client routeClient(port);
    routeClient.send(request("POST", "/api/action", kToken, R"({"action":"route","route":"1","section":"1"})"));
    QThread::msleep(500);
    const HttpAnswer heldStep = prog.act(R"({"action":"forward"})");
    const HttpAnswer routeSet = routeClient.next();
    ASSERT_EQ(routeSet.status, 200);
    EXPECT_EQ(routeSet.json().value(QStringLiteral("routeNo")).toString(), QStringLiteral("1"));
    EXPECT_EQ(routeSet.json().value(QStringLiteral("rowCount")).toInt(), 33);
    ASSERT_EQ(heldStep.status, 200) << heldStep.body.constData();
    EXPECT_EQ(heldStep.json().value(QStringLiteral("curIndex")).toInt(), 1);

    // Each action, and the state it leaves (or 409 while it is disabled).
    struct Step {
        const char *body;
        int status;
        const char *key;
        QJsonValue expected;
    };
    const Step steps[] = {
        {R"({"action":"back"})", 200, "curIndex", 0},
        {R"({"action":"forward"})", 200, "curIndex", 1},
        {R"({"action":"lateNight"})", 200, "lateNight", true},
        {R"({"action":"backlight","level":2})", 200, "backlight", 2},
        {R"({"action":"blank"})", 200, "blank", true},
        {R"({"action":"forward"})", 409, "curIndex", 1},
        {R"({"action":"blank","on":false})", 200, "blank", false},
        {R"({"action":"lateNight","on":false})", 200, "lateNight", false},
        {R"({"action":"forward"})", 200, "curIndex", 2},
    };
    for (const Step &s : steps) {
        const HttpAnswer a = prog.act(s.body);
        EXPECT_EQ(a.status, s.status) << s.body;
        const QJsonObject state = s.status == 200 ? a.json() : a.json().value(QStringLiteral("state")).toObject();
        EXPECT_EQ(state.value(QLatin1String(s.key)), s.expected) << s.body;
    }
    // The announcement buttons answer as the panel has them now.
    const QJsonObject enabled = prog.get("/api/state").json().value(QStringLiteral("enabled")).toObject();
    for (const char *name : {"announceNext", "announceBack", "announceStop"})
        EXPECT_EQ(prog.act(QByteArray(R"({"action":")") + name + "\"}").status, enabled.value(QLatin1String(name)).toBool() ? 200 : 409)
            << name;

    // The control page's WebSocket: the state at once, then an action and its result.
    Client ws(port);
    ws.send(wsHandshake("/ws?token=" + kToken, "http://127.0.0.1"));
    ws.waitFor("\"state\"");
    ASSERT_TRUE(ws.in.startsWith("HTTP/1.1 101")) << ws.in.left(40).constData();
    ws.s.write(wsFrame(R"({"action":"forward"})"));
    ws.waitFor("\"type\":\"result\"");
    EXPECT_TRUE(ws.in.contains("\"status\":200")) << ws.in.constData();
    EXPECT_EQ(prog.get("/api/state").json().value(QStringLiteral("curIndex")).toInt(), 3) << ws.in.constData();

    // Several clients at once: readers and one stepping client, every request answered.
    std::atomic<int> answered{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < 6; ++c)
        clients.emplace_back([&] {
            for (int i = 0; i < 10; ++i) answered += sendRaw(port, request("GET", "/api/state", kToken)).status == 200;
        });
    clients.emplace_back([&] {
        for (int i = 0; i < 4; ++i) answered += prog.act(i % 2 ? R"({"action":"back"})" : R"({"action":"forward"})").status == 200;
    });
    for (std::thread &t : clients) t.join();
    EXPECT_EQ(answered.load(), 64);

    // Actions are rate-limited per client.
    QThread::msleep(2500);  // the bucket fills again
    int limited = 0;
    for (int i = 0; i < 40; ++i) limited += prog.act(R"({"action":"backlight","level":1})").status == 429;
    EXPECT_GE(limited, 10);

    // Malformed requests of every kind, bounded in number and time; the server still answers.
    QRandomGenerator rng(13);
    const QByteArray methods[] = {"GET", "POST", "PUT", "BREW", "", "G\x01T", "POST /api/action"};
    const QByteArray targets[] = {"/", "/api/action", "/ws", "/ws/board", "%", "*", "/" + QByteArray(300, '/')};
    QElapsedTimer fuzzClock;
    fuzzClock.start();
    for (int i = 0; i < 250 && fuzzClock.elapsed() < 20000; ++i) {
        QByteArray junk(static_cast<int>(rng.bounded(600)), '\0');
        for (char &ch : junk) ch = static_cast<char>(rng.bounded(256));
        QByteArray bytes;
        switch (i % 4) {
        case 0: bytes = methods[rng.bounded(7)] + ' ' + targets[rng.bounded(7)] + " HTTP/1.1\r\n" + junk; break;
        case 1: bytes = request("POST", "/api/action", kToken, junk); break;
        case 2: bytes = request("GET", "/api/state", kToken, {}, "Content-Length: " + QByteArray::number(rng.bounded(99999)) + "\r\n") + junk; break;
        default: bytes = wsHandshake("/ws?token=" + kToken) + wsFrame(junk, static_cast<int>(rng.bounded(16) | rng.bounded(2) << 7)) + junk; break;
        }
        Client c(port);
        c.send(bytes);
        c.s.waitForReadyRead(30);
    }
    const HttpAnswer after = prog.get("/api/state");
    ASSERT_EQ(after.status, 200);

    EXPECT_GT(QFileInfo(prog.dir.filePath(QStringLiteral("dialog.png"))).size(), 0) << "the menu did not open the dialog";

    // The board shows what the last answer says.
    const QJsonObject last = after.json();
    const QJsonObject dump = prog.finish();
    EXPECT_EQ(dump.value(QStringLiteral("trip")).toObject().value(QStringLiteral("CurIndex")), last.value(QStringLiteral("curIndex")));
    for (int i = 1; i <= 32; ++i)
        EXPECT_EQ(dump.value(QStringLiteral("degits")).toObject().value(QStringLiteral("Form1.Degit(%1)").arg(i)).toObject().value(QStringLiteral("lit")).toString().trimmed(),
                  last.value(QStringLiteral("fares")).toArray().at(i - 1).toString())
            << i;
}
