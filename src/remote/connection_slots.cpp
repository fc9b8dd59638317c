#include "remote/connection_slots.h"

namespace remote {

bool ConnectionSlots::take(const QString &address) {
    int &mine = perAddress_[address];
    if (open_ >= kMaxOpen || mine >= kMaxPerAddress) {
        if (mine == 0) perAddress_.remove(address);
        return false;
    }
    ++mine;
    ++open_;
    return true;
}

void ConnectionSlots::give(const QString &address) {
    const auto it = perAddress_.find(address);
    if (it == perAddress_.end()) return;
    --open_;
    if (--*it == 0) perAddress_.erase(it);
}

}  // namespace remote
