#include "base/dump_sections.h"

namespace dump {

namespace {
std::vector<std::pair<QString, Section>> &registry() {
    static std::vector<std::pair<QString, Section>> r;
    return r;
}
}  // namespace

void registerSection(const QString &key, Section section) {
    for (auto &entry : registry()) {
        if (entry.first == key) {
            entry.second = std::move(section);
            return;
        }
    }
    registry().emplace_back(key, std::move(section));
}

std::vector<std::pair<QString, Section>> sections() { return registry(); }

}  // namespace dump
