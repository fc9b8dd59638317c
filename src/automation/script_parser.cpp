#include "automation/script_parser.h"

#include "view/zoom.h"

#include <QKeySequence>
#include <QStringList>
#include <array>
#include <cctype>
#include <limits>

namespace script {

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r'); }

enum class Arg { Control, Text, ListPosition, Millis, Integer };

struct CommandShape {
    const char *name;
    Op op;
    int minArgs;
    int maxArgs;
    std::array<Arg, 3> kinds;  // kinds of the first arguments; the rest are text
};

// Up to ten arguments of a called operation follow its control and name.
constexpr int kMaxCallArgs = 10;

// A key command presses up to this many keys.
constexpr int kMaxKeys = 32;

constexpr std::array<CommandShape, 22> kCommands{{
    {"click", Op::Click, 1, 1, {Arg::Control, Arg::Text, Arg::Text}},
    {"dblclick", Op::DblClick, 1, 1, {Arg::Control, Arg::Text, Arg::Text}},
    {"rclick", Op::RClick, 1, 1, {Arg::Control, Arg::Text, Arg::Text}},
    {"select", Op::Select, 2, 2, {Arg::Control, Arg::ListPosition, Arg::Text}},
    {"set", Op::Set, 2, 2, {Arg::Control, Arg::Text, Arg::Text}},
    {"prop", Op::Prop, 3, 3, {Arg::Control, Arg::Text, Arg::Text}},
    {"call", Op::Call, 2, 2 + kMaxCallArgs, {Arg::Control, Arg::Text, Arg::Text}},
    {"wait", Op::Wait, 1, 1, {Arg::Millis, Arg::Text, Arg::Text}},
    {"answer", Op::Answer, 1, 1, {Arg::Text, Arg::Text, Arg::Text}},
    {"dump", Op::Dump, 1, 1, {Arg::Text, Arg::Text, Arg::Text}},
    {"grab", Op::Grab, 2, 2, {Arg::Control, Arg::Text, Arg::Text}},
    {"close", Op::Close, 0, 0, {Arg::Text, Arg::Text, Arg::Text}},
    {"quit", Op::Quit, 0, 0, {Arg::Text, Arg::Text, Arg::Text}},
    {"move", Op::Move, 3, 3, {Arg::Control, Arg::Integer, Arg::Integer}},
    {"drag", Op::Drag, 3, 3, {Arg::Control, Arg::Integer, Arg::Integer}},
    {"idle", Op::Idle, 0, 0, {Arg::Text, Arg::Text, Arg::Text}},
    {"await", Op::Await, 2, 2, {Arg::Text, Arg::Millis, Arg::Text}},
    {"key", Op::Key, 2, 1 + kMaxKeys, {Arg::Control, Arg::Text, Arg::Text}},
    {"zoom", Op::Zoom, 1, 1, {Arg::Text, Arg::Text, Arg::Text}},
    {"fullscreen", Op::FullScreen, 1, 1, {Arg::Text, Arg::Text, Arg::Text}},
    {"record", Op::Record, 1, 1, {Arg::Text, Arg::Text, Arg::Text}},
    {"cell", Op::Cell, 4, 4, {Arg::Control, Arg::Integer, Arg::Integer}},
}};

QString countText(const CommandShape &s) {
    auto plural = [](int n) { return n == 1 ? QStringLiteral("argument") : QStringLiteral("arguments"); };
    if (s.minArgs == s.maxArgs) return QStringLiteral("%1 %2").arg(s.minArgs).arg(plural(s.minArgs));
    return QStringLiteral("%1 to %2 arguments").arg(s.minArgs).arg(s.maxArgs);
}

bool isNameChar(QChar c) { return c != QLatin1Char('.') && c != QLatin1Char('(') && c != QLatin1Char(')') && !isBlank(c); }

}  // namespace

std::optional<QList<Token>> tokenize(const QString &line, QString *error) {
    QList<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        const QChar c = line.at(i);
        if (isBlank(c)) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('#')) break;
        Token tok;
        if (c == QLatin1Char('"')) {
            tok.quoted = true;
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar q = line.at(i);
                if (q == QLatin1Char('"')) {
                    if (i + 1 < n && line.at(i + 1) == QLatin1Char('"')) {
                        tok.text += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                tok.text += q;
                ++i;
            }
            if (!closed) {
                if (error) *error = QStringLiteral("unterminated quoted argument");
                return std::nullopt;
            }
            if (i < n && !isBlank(line.at(i)) && line.at(i) != QLatin1Char('#')) {
                if (error) *error = QStringLiteral("text directly after a closing quote");
                return std::nullopt;
            }
        } else {
            while (i < n && !isBlank(line.at(i)) && line.at(i) != QLatin1Char('#')) {
                if (line.at(i) == QLatin1Char('"')) {
                    if (error) *error = QStringLiteral("a quote inside an unquoted argument");
                    return std::nullopt;
                }
                tok.text += line.at(i);
                ++i;
            }
        }
        tokens.append(tok);
    }
    return tokens;
}

std::optional<ControlRef> parseControlRef(const QString &text, QString *error) {
    auto fail = [&](const QString &why) -> std::optional<ControlRef> {
        if (error) *error = QStringLiteral("bad control name \"%1\": %2").arg(text, why);
        return std::nullopt;
    };
    ControlRef ref;
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    ref.window = dot < 0 ? text : text.left(dot);
    if (ref.window.isEmpty()) return fail(QStringLiteral("no window name"));
    for (QChar c : ref.window)
        if (!isNameChar(c)) return fail(QStringLiteral("the window name may not hold \"%1\"").arg(c));
    if (dot < 0) return ref;

    const QString rest = text.mid(dot + 1);
    const qsizetype open = rest.indexOf(QLatin1Char('('));
    const QString base = open < 0 ? rest : rest.left(open);
    if (base.isEmpty()) return fail(QStringLiteral("no control name after the window"));
    for (QChar c : base)
        if (!isNameChar(c)) return fail(QStringLiteral("the control name may not hold \"%1\"").arg(c));
    if (open >= 0) {
        if (!rest.endsWith(QLatin1Char(')'))) return fail(QStringLiteral("the index must end with \")\""));
        const QString index = rest.mid(open + 1, rest.size() - open - 2);
        if (index.isEmpty()) return fail(QStringLiteral("empty index"));
        for (QChar c : index)
            if (!c.isDigit() || c.unicode() > 0x7F) return fail(QStringLiteral("the index must be a whole number"));
        if (index.size() > 6) return fail(QStringLiteral("index too large"));
        // "Degit(07)" names the same control as "Degit(7)".
        ref.control = QStringLiteral("%1(%2)").arg(base).arg(index.toInt());
    } else {
        ref.control = base;
    }
    return ref;
}

std::optional<qint64> parseInteger(const QString &text) {
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negative = t.startsWith(QLatin1Char('-'));
        t = t.mid(1);
    }
    int base = 10;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) || t.startsWith(QLatin1String("&h"), Qt::CaseInsensitive)) {
        base = 16;
        t = t.mid(2);
    }
    if (t.isEmpty()) return std::nullopt;
    for (QChar c : t) {
        const bool ok = base == 10 ? (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                                   : (c.unicode() < 0x80 && std::isxdigit(static_cast<unsigned char>(c.toLatin1())));
        if (!ok) return std::nullopt;
    }
    bool ok = false;
    const qulonglong magnitude = t.toULongLong(&ok, base);
    if (!ok) return std::nullopt;
    if (!negative && magnitude > static_cast<qulonglong>(std::numeric_limits<qint64>::max())) return std::nullopt;
    if (negative && magnitude > static_cast<qulonglong>(std::numeric_limits<qint64>::max()) + 1) return std::nullopt;
    return negative ? static_cast<qint64>(0 - magnitude) : static_cast<qint64>(magnitude);
}

Parsed parse(const QString &text) {
    Parsed result;
    QString body = text;
    if (body.startsWith(QChar(0xFEFF))) body.remove(0, 1);
    const QStringList lines = body.split(QLatin1Char('\n'));
    for (int index = 0; index < lines.size(); ++index) {
        const int lineNo = index + 1;
        auto fail = [&](const QString &reason) {
            result.commands.clear();
            result.error = Error{lineNo, reason};
            return result;
        };
        QString why;
        const auto tokens = tokenize(lines.at(index), &why);
        if (!tokens) return fail(why);
        if (tokens->isEmpty()) continue;

        const Token &word = tokens->first();
        const CommandShape *shape = nullptr;
        if (!word.quoted)
            for (const CommandShape &s : kCommands)
                if (word.text == QLatin1String(s.name)) shape = &s;
        if (!shape) return fail(QStringLiteral("unknown command \"%1\"").arg(word.text));

        Command cmd;
        cmd.line = lineNo;
        cmd.op = shape->op;
        cmd.name = word.text;
        cmd.args = tokens->mid(1);
        const int count = static_cast<int>(cmd.args.size());
        if (count < shape->minArgs || count > shape->maxArgs)
            return fail(QStringLiteral("%1 takes %2, got %3").arg(cmd.name, countText(*shape)).arg(count));

        for (int a = 0; a < count && a < static_cast<int>(shape->kinds.size()); ++a) {
            const Token &arg = cmd.args.at(a);
            switch (shape->kinds[static_cast<size_t>(a)]) {
            case Arg::Control: {
                const auto ref = parseControlRef(arg.text, &why);
                if (!ref) return fail(why);
                cmd.target = *ref;
                break;
            }
            case Arg::ListPosition: {
                const auto n = parseInteger(arg.text);
                if (arg.quoted || !n || *n < -1 || *n > std::numeric_limits<int>::max())
                    return fail(QStringLiteral("list position must be a whole number from -1, got \"%1\"").arg(arg.text));
                cmd.number = *n;
                break;
            }
            case Arg::Millis: {
                const auto n = parseInteger(arg.text);
                if (arg.quoted || !n || *n < 0 || *n > std::numeric_limits<int>::max())
                    return fail(QStringLiteral("wait needs milliseconds as a whole number from 0, got \"%1\"").arg(arg.text));
                cmd.number = *n;
                break;
            }
            case Arg::Integer: {
                const auto n = parseInteger(arg.text);
                if (arg.quoted || !n || *n < -100000 || *n > 100000)
                    return fail(QStringLiteral("%1 needs whole numbers of pixels, got \"%2\"").arg(cmd.name, arg.text));
                break;
            }
            case Arg::Text:
                break;
            }
        }
        if (cmd.op == Op::Key) {
            if (!cmd.target.control.isEmpty()) return fail(QStringLiteral("key takes a window, got \"%1\"").arg(cmd.target.fullName()));
            for (const Token &k : cmd.args.mid(1)) {
                const auto key = parseKey(k.text);
                if (!key) return fail(QStringLiteral("unknown key \"%1\"").arg(k.text));
                cmd.keys.append(*key);
            }
        }
        if (cmd.op == Op::Zoom && !view::parseZoom(cmd.args.first().text))
            return fail(QStringLiteral("zoom takes a whole number from 1 to 8 or fit, got \"%1\"").arg(cmd.args.first().text));
        if ((cmd.op == Op::Dump || cmd.op == Op::Grab) && cmd.args.last().text.isEmpty())
            return fail(QStringLiteral("%1 needs a file name").arg(cmd.name));
        if ((cmd.op == Op::Prop || cmd.op == Op::Call) && cmd.args.at(1).text.isEmpty())
            return fail(QStringLiteral("%1 needs a name").arg(cmd.name));
        result.commands.push_back(cmd);
    }
    return result;
}

std::optional<QKeyCombination> parseKey(const QString &text) {
    if (text.isEmpty()) return std::nullopt;
    // Qt's key enum names where its key sequences use short ones.
    static const std::pair<const char *, const char *> kAliases[] = {
        {"PageDown", "PgDown"}, {"PageUp", "PgUp"}, {"Escape", "Esc"}, {"Delete", "Del"}, {"Insert", "Ins"}};
    QString name = text;
    for (const auto &[longName, shortName] : kAliases)
        if (name.endsWith(QLatin1String(longName), Qt::CaseInsensitive))
            name = name.left(name.size() - qsizetype(qstrlen(longName))) + QLatin1String(shortName);
    const QKeySequence seq = QKeySequence::fromString(name, QKeySequence::PortableText);
    if (seq.count() != 1) return std::nullopt;
    const QKeyCombination key = seq[0];
    if (key.key() == Qt::Key_unknown || key.key() == 0) return std::nullopt;
    return key;
}

bool isOperatorCommand(Op op) {
    switch (op) {
    case Op::Dump:
    case Op::Grab:
    case Op::Wait:
    case Op::Await:
    case Op::Record:
    case Op::Quit:
        return false;
    default:
        return true;
    }
}

}  // namespace script
