#pragma once
// The language of command-line messages (the program's and the tools'): Japanese
// when the system's locale is Japanese, English otherwise. The messages the windows
// show are not chosen here: they are the board's own, always Japanese.
#include <QString>

namespace message_language {

// Whether the locale for messages (LC_ALL, else LC_MESSAGES, else LANG) is Japanese.
bool japanese();

// The message in the chosen language.
inline QString pick(const char *english, const char *japanese) {
    return QString::fromUtf8(message_language::japanese() ? japanese : english);
}

}  // namespace message_language
