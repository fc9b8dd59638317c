#pragma once
// Parts of the program add their own sections to the scripted operation's dump
// (trip state, fare row, ...) without the dump knowing them.
#include <QJsonValue>
#include <QString>
#include <functional>
#include <vector>

namespace dump {

using Section = std::function<QJsonValue()>;

// Registers (or replaces) the section written under `key`.
void registerSection(const QString &key, Section section);

// Every registered section, in registration order.
std::vector<std::pair<QString, Section>> sections();

}  // namespace dump
