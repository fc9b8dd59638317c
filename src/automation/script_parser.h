#pragma once
// The script language of the scripted operation, as plain data: lines split into
// arguments, the table of commands with their argument counts, and the syntax of
// control names. Everything a script can get wrong before it runs is found here.
#include <QKeyCombination>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

namespace script {

// One argument as written: `quoted` tells "12" (text) from 12 (a number).
struct Token {
    QString text;
    bool quoted = false;
    bool operator==(const Token &) const = default;
};

// Splits one line into arguments. Blanks separate arguments; "#" outside double
// quotes starts a comment; inside double quotes blanks and "#" are kept and a
// doubled quote ("") stands for one quote. On a malformed line returns nothing
// and sets `error`.
std::optional<QList<Token>> tokenize(const QString &line, QString *error);

// A control as a script names it: `window`, `window.control` or
// `window.control(index)`. `control` is the control's object name including the
// index in parentheses; empty when the window itself is meant.
struct ControlRef {
    QString window;
    QString control;
    QString fullName() const { return control.isEmpty() ? window : window + QLatin1Char('.') + control; }
    bool operator==(const ControlRef &) const = default;
};

std::optional<ControlRef> parseControlRef(const QString &text, QString *error);

// A whole number as a script writes it: decimal with an optional sign, or
// hexadecimal as 0x1F or &H1F.
std::optional<qint64> parseInteger(const QString &text);

enum class Op { Click, DblClick, RClick, Select, Set, Prop, Call, Wait, Answer, Dump, Grab, Close, Quit, Move, Drag, Idle, Await, Key, Zoom, FullScreen, Cell, Record };

// One checked command line. `target` is filled for the commands that act on a
// control; `number` holds the list position of select and the milliseconds of wait.
struct Command {
    int line = 0;  // 1-based line in the script
    Op op = Op::Quit;
    QString name;  // the command word as written
    QList<Token> args;
    ControlRef target;
    qint64 number = 0;
    QList<QKeyCombination> keys;  // key: the keys in order
};

// A key as Qt names it ("Right", "PageDown", "Shift+A", "Ctrl++"), one key with
// its modifiers; nothing for anything else.
std::optional<QKeyCombination> parseKey(const QString &text);

// A fault found while reading a script; line 0 means the script file itself.
struct Error {
    int line = 0;
    QString reason;
    QString message() const { return QStringLiteral("script:%1: %2").arg(line).arg(reason); }
};

// Checks every line: command names, argument counts, control-name syntax and
// numbers. Returns the commands in order, or the first fault.
struct Parsed {
    std::vector<Command> commands;
    std::optional<Error> error;
};
Parsed parse(const QString &text);

// Operator commands are held back while the program holds the operator's input
// (its blocking pauses); observer commands (dump, grab, wait, quit) are not.
bool isOperatorCommand(Op op);

}  // namespace script
