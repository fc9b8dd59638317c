#include "panel/about_text.h"

QString aboutText(const QString &exeName, const QString &version, int year) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("型番：") + exeName + crlf + QStringLiteral("バージョン：") + version + crlf + crlf +
           QStringLiteral("配布：ミトラ プロジェクト") + crlf +
           QStringLiteral("開発：ミトラ開発チーム 2026-%1").arg(year) + crlf;
}
