// Where the remote control listens, as written after --remote.
#include "remote/listen_address.h"

#include <gtest/gtest.h>

TEST(RemoteRules, ListenAddressForms) {
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
