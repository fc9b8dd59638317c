#include "companion/file_filter.h"

namespace {

// Parentheses and control characters would confuse the dialog's "(...)" parsing.
QString cleanPattern(QString p) {
    p.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    p = p.trimmed();
    if (p == QLatin1String("*.*")) p = QStringLiteral("*");  // every file, dotted or not
    return p;
}

}  // namespace

QList<FileFilter> parseFileFilter(const QString &filter) {
    const QStringList parts = filter.split(QChar(u'\0'));
    QList<FileFilter> result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString patternText = parts.at(i + 1);
        if (description.isEmpty() || patternText.trimmed().isEmpty()) break;  // the list's end
        FileFilter f;
        f.description = description;
        const QStringList pieces = QString(patternText).replace(QLatin1Char(';'), QLatin1Char(' '))
                                       .split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString &piece : pieces) {
            const QString p = cleanPattern(piece);
            if (!p.isEmpty() && !f.patterns.contains(p)) f.patterns.append(p);
        }
        if (f.patterns.isEmpty()) break;
        result.append(f);
    }
    return result;
}

QStringList qtNameFilters(const QList<FileFilter> &filters) {
    QStringList result;
    for (const FileFilter &f : filters) {
        // The description's own parentheses stay; the dialog reads only the last pair.
        QString description = f.description;
        description.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        result.append(QStringLiteral("%1 (%2)").arg(description, f.patterns.join(QLatin1Char(' '))));
    }
    if (result.isEmpty()) result.append(QStringLiteral("すべてのファイル (*)"));
    return result;
}
