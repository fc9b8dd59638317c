#include "panel/about_text.h"

QString developmentYears(int year) {
    constexpr int kFirstYear = 2026;
    return year > kFirstYear ? QStringLiteral("%1-%2").arg(kFirstYear).arg(year) : QString::number(kFirstYear);
}

QString aboutText(const QString &exeName, const QString &version, int year) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("型番：") + exeName + crlf + QStringLiteral("バージョン：") + version + crlf + crlf +
           QStringLiteral("配布：ミトラ プロジェクト") + crlf +
           QStringLiteral("開発：ミトラ開発チーム ") + developmentYears(year) + crlf;
}
