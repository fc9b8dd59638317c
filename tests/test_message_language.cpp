// The program's and hy3tool's command-line messages follow the locale: Japanese for
// a Japanese one, English otherwise; hy3tool's file problems too.
#include <QProcess>
#include <gtest/gtest.h>

namespace {

QString standardError(const QString &program, const QStringList &args, const QString &locale, int &status) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_MESSAGES"));
    env.insert(QStringLiteral("LANG"), locale);
    p.setProcessEnvironment(env);
    p.start(program, args);
    status = p.waitForFinished(30000) ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardError());
}

}  // namespace

TEST(MessageLanguage, ProgramAndHy3toolFollowTheLocale) {
    const struct {
        const char *program;
        QStringList args;
        int status;
        const char *english, *japanese;
    } cases[] = {
        {MITRA_EXE, {QStringLiteral("--bogus")}, 2, "unknown argument: --bogus", "不明な引数です: --bogus"},
        {MITRA_EXE, {QStringLiteral("--zoom"), QStringLiteral("9")}, 2, "usage:", "使い方:"},
        {HY3TOOL_EXE, {QStringLiteral("bogus")}, 2, "unknown command \"bogus\"", "不明なコマンド「bogus」です。"},
        // The file problems come from the library the windows share, and still follow the tool's locale.
        {HY3TOOL_EXE, {QStringLiteral("to-csv"), QStringLiteral("/nonexistent/1.hy3"), QStringLiteral("-")}, 1,
         "Cannot read the fare data \"/nonexistent/1.hy3\"", "運賃データ「/nonexistent/1.hy3」を読み込めません"},
        {HY3TOOL_EXE, {QStringLiteral("from-gtfs"), QStringLiteral("/nonexistent/feed"), QStringLiteral("--list")}, 1,
         "\"/nonexistent/feed\" does not exist", "「/nonexistent/feed」がありません"},
    };
    for (const auto &c : cases) {
        for (const char *locale : {"ja_JP.UTF-8", "en_US.UTF-8", "C"}) {
            SCOPED_TRACE(std::string(c.program) + " " + locale);
            int status = 0;
            const QString said = standardError(QString::fromUtf8(c.program), c.args, QLatin1String(locale), status);
            EXPECT_EQ(status, c.status);
            const bool japanese = QByteArray(locale).startsWith("ja");
            EXPECT_TRUE(said.contains(QString::fromUtf8(japanese ? c.japanese : c.english))) << said.toStdString();
            EXPECT_FALSE(said.contains(QString::fromUtf8(japanese ? c.english : c.japanese))) << said.toStdString();
        }
    }
}
