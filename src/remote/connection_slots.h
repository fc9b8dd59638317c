#pragma once
// How many connections the remote-control server holds open: at most 256 in all and
// at most 32 from one client address, so that one machine cannot take every slot
// (32 leaves room for a browser's six parallel requests and the WebSockets of a few
// tabs, and for several devices behind one router). A slot is given back the moment
// its connection is gone, however it ended.
#include <QHash>
#include <QString>

namespace remote {

class ConnectionSlots {
public:
    static constexpr int kMaxOpen = 256;
    static constexpr int kMaxPerAddress = 32;

    // True, with a slot taken, when `address` may open one more connection.
    bool take(const QString &address);
    void give(const QString &address);
    int open() const { return open_; }

private:
    QHash<QString, int> perAddress_;
    int open_ = 0;
};

}  // namespace remote
