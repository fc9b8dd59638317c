// The script language without a running program: arguments, comments, quotes,
// control names, numbers and the command table.
#include "automation/script_parser.h"
#include "automation/value_convert.h"

#include <gtest/gtest.h>

using script::Token;

namespace {

QList<Token> tokens(const QString &line) {
    QString why;
    const auto t = script::tokenize(line, &why);
    EXPECT_TRUE(t.has_value()) << qPrintable(line) << ": " << qPrintable(why);
    return t.value_or(QList<Token>{});
}

QString tokenizeError(const QString &line) {
    QString why;
    EXPECT_FALSE(script::tokenize(line, &why).has_value()) << qPrintable(line);
    return why;
}

}  // namespace

TEST(ScriptParser, SplitsArgumentsWithQuotesAndCommentsAndRejectsBadQuoting) {
    EXPECT_EQ(tokens(QStringLiteral("  click\tfrmCtl.Command2(1)  ")),
              (QList<Token>{{QStringLiteral("click"), false}, {QStringLiteral("frmCtl.Command2(1)"), false}}));
    // Quotes keep blanks and "#"; a doubled quote is one quote; an empty pair is an empty
    // text. A comment may follow arguments, directly or after blanks; a whole-line comment
    // is nothing; a carriage return of a CR LF file is a blank.
    const std::tuple<const char *, qsizetype, const char *> lines[] = {
        {"call Form1.ChimeiCtl SetChimei \"市役所 前 #1\"", 4, "市役所 前 #1"}, {"set a.b \"say \"\"hi\"\"\"", 3, "say \"hi\""},
        {"set a.b \"\"", 3, ""}, {"wait 10# later", 2, nullptr}, {"wait 10 \"x\"# later", 3, "x"},
        {"   # only a comment", 0, nullptr}, {"", 0, nullptr}, {"quit\r", 1, nullptr}};
    for (const auto &[line, count, lastQuoted] : lines) {
        const QList<Token> t = tokens(QString::fromUtf8(line));
        ASSERT_EQ(t.size(), count) << line;
        if (lastQuoted) EXPECT_EQ(t.last(), (Token{QString::fromUtf8(lastQuoted), true})) << line;
    }

    EXPECT_EQ(tokenizeError(QStringLiteral("set a.b \"a\"\"")), QStringLiteral("unterminated quoted argument"));
    EXPECT_FALSE(tokenizeError(QStringLiteral("set a.b ab\"c\"")).isEmpty());
    EXPECT_FALSE(tokenizeError(QStringLiteral("set a.b \"ab\"c")).isEmpty());
}

TEST(ScriptParser, ReadsControlNames) {
    QString why;
    // The same control however its index is written; a window alone; a control name
    // holding the rest after the first dot.
    const std::pair<const char *, const char *> good[] = {{"frmOption.txtSelectSound(10)", "frmOption.txtSelectSound(10)"},
        {"Form1.Degit(07)", "Form1.Degit(7)"}, {"Form1", "Form1"}, {"Qv3FileDlg.fileNameEdit", "Qv3FileDlg.fileNameEdit"}};
    for (const auto &[text, full] : good) {
        const auto ref = script::parseControlRef(QString::fromLatin1(text), &why);
        ASSERT_TRUE(ref) << text;
        EXPECT_EQ(ref->fullName(), QString::fromLatin1(full));
    }
    for (const char *bad : {"", ".Degit(1)", "Form1.", "Form1.(3)", "Form1.Degit(", "Form1.Degit()", "Form1.Degit(x)",
                            "Form1.Degit(-1)", "Form1.Degit(1)x", "Form1.a.b", "Form1.Degit(1234567)"}) {
        why.clear();
        EXPECT_FALSE(script::parseControlRef(QString::fromLatin1(bad), &why)) << bad;
        EXPECT_FALSE(why.isEmpty()) << bad;
    }
}

TEST(ScriptParser, ReadsWholeNumbers) {
    const std::pair<const char *, qint64> good[] = {{"12", 12}, {"-1", -1}, {"+7", 7}, {"0x80C0FF", 0x80C0FF}, {"&HFF", 255},
                                                    {"-9223372036854775808", std::numeric_limits<qint64>::min()}};
    for (const auto &[text, value] : good) EXPECT_EQ(script::parseInteger(QString::fromLatin1(text)), value) << text;
    for (const char *bad : {"", "-", "0x", "12ab", "1.5", "1e3", "9223372036854775808", "０", " 1 2"})
        EXPECT_FALSE(script::parseInteger(QString::fromUtf8(bad))) << bad;
}

TEST(ScriptParser, ChecksEveryLineBeforeAnythingRuns) {
    const script::Parsed ok = script::parse(QChar(0xFEFF) + QStringLiteral(
        "# a script\r\nclick frmCtl.Command2(1)\r\n\r\n"
        "select frmCtl.List2(0) -1   # none\n"
        "call Form1.Degit(3) ResetDegit true\ncall Form1.ChimeiCtl Refresh\n"
        "wait 0\nanswer \"Yes\"\nclose\nquit"));
    ASSERT_FALSE(ok.error) << qPrintable(ok.error->message());
    ASSERT_EQ(ok.commands.size(), 8u);
    EXPECT_EQ(std::tuple(ok.commands[0].line, ok.commands[0].op, ok.commands[0].target.fullName()),
              std::tuple(2, script::Op::Click, QStringLiteral("frmCtl.Command2(1)")));
    EXPECT_EQ(std::tuple(ok.commands[1].line, ok.commands[1].number, ok.commands[2].args.size(), ok.commands[7].line),
              std::tuple(4, qint64(-1), qsizetype(3), 10));

    // A fault anywhere stops the whole script, with its line: commands, argument
    // counts, and argument shapes that can be checked without the program.
    const std::pair<const char *, const char *> faults[] = {
        {"Click Form1.Degit(1)", "script:1: "},  // command words are lower case
        {"\n\nselect frmCtl.List2(0)", "script:3: select takes 2 arguments, got 1"},
        {"click", "script:1: click takes 1 argument, got 0"},
        {"wait 0\nset frmCtl.Text1 \"open", "script:2: unterminated quoted argument"},
        {"call a.b f 1 2 3 4 5 6 7 8 9 10 11", "script:1: call takes 2 to 12 arguments, got 13"},
        {"prop Form1.Degit(1) ZeroMode", "script:1: "}, {"click Form1.Degit(", "script:1: "},
        {"select a.b -2", "script:1: "}, {"select a.b \"3\"", "script:1: "}, {"wait -5", "script:1: "},
        {"dump \"\"", "script:1: "}, {"prop a.b \"\" 1", "script:1: "}};
    for (const auto &[text, message] : faults) {
        const script::Parsed p = script::parse(QString::fromUtf8(text));
        ASSERT_TRUE(p.error.has_value()) << text;
        EXPECT_TRUE(p.commands.empty()) << text;
        EXPECT_TRUE(p.error->message().startsWith(QString::fromUtf8(message))) << text << ": " << qPrintable(p.error->message());
    }
    EXPECT_FALSE(script::parse(QStringLiteral("call a.b f 1 2 3 4 5 6 7 8 9 10")).error);
}

TEST(ScriptValues, ConvertToWhatTheTargetTakes) {
    const QMetaType any = QMetaType::fromType<QVariant>(), uint_ = QMetaType::fromType<uint>(),
                    short_ = QMetaType::fromType<short>(), bool_ = QMetaType::fromType<bool>();
    struct Case {
        const char *text;
        bool quoted;
        QMetaType target;
        QVariant expected;  // invalid: refused
    };
    const Case cases[] = {
        // Where any value is taken, quotes decide text or number: 12 and "00012" stay apart.
        {"00012", true, any, QStringLiteral("00012")}, {"12", false, any, 12}, {"true", false, any, true},
        {"2.5", false, any, 2.5}, {"4294967296", false, any, qlonglong(4294967296)}, {"abc", false, any, QStringLiteral("abc")},
        // Typed targets.
        {"0x80C0FF", false, uint_, uint(0x80C0FF)}, {"-1", false, uint_, {}},
        {"-32768", false, short_, QVariant::fromValue(short(-32768))}, {"32768", false, short_, {}},
        {"-1", false, bool_, true}, {"FALSE", false, bool_, false}, {"maybe", false, bool_, {}},
        {"11.25", false, QMetaType::fromType<double>(), 11.25},
        // Quoted text is not a number; a text target takes anything as written.
        {"2", true, QMetaType::fromType<int>(), {}}, {"123", false, QMetaType::fromType<QString>(), QStringLiteral("123")}};
    for (const Case &c : cases) {
        QString why;
        const auto v = script::convertArgument({QString::fromLatin1(c.text), c.quoted}, c.target, &why);
        ASSERT_EQ(v.has_value(), c.expected.isValid()) << c.text << " as " << c.target.name();
        if (!v) {
            EXPECT_FALSE(why.isEmpty()) << c.text;
            continue;
        }
        EXPECT_EQ(v->typeId(), c.expected.typeId()) << c.text << " as " << c.target.name();
        EXPECT_EQ(*v, c.expected) << c.text << " as " << c.target.name();
    }
}
