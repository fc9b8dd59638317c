#pragma once
// The language of command-line messages (the program's and the tools'): Japanese
// when the system's locale is Japanese, English otherwise. The messages the windows
// show are not chosen here: they are the board's own, always Japanese.
//
// The libraries' texts (a fare data file's problems, a CSV's or a feed's) reach both
// the windows and the tools' output, so they are Japanese unless a command-line
// tool asks for them in the locale's language with followLocaleEverywhere().
#include <QString>

namespace message_language {

// Whether the locale for messages (LC_ALL, else LC_MESSAGES, else LANG) is Japanese.
bool japanese();

// The message in the chosen language.
inline QString pick(const char *english, const char *japanese) {
    return QString::fromUtf8(message_language::japanese() ? japanese : english);
}

// For a program whose every text is a command-line message: from now on,
// `shared` follows the locale as `pick` does.
void followLocaleEverywhere();

// A text that windows and command-line tools share: Japanese, or the locale's
// language after followLocaleEverywhere().
QString shared(const char *english, const char *japanese);

}  // namespace message_language
