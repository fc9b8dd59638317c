#include "core/byte_strings.h"

#include "core/cp932.h"

int LenB_ASCII(const QString &text) { return static_cast<int>(cp932::encode(text).size()); }

QString MidB_ASCII(const QString &text, int start, int count) {
    const QByteArray bytes = cp932::encode(text);
    if (start < 1 || count <= 0 || start > bytes.size()) return QString();
    return cp932::decode(bytes.mid(start - 1, count));
}
