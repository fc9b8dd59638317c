#include "core/int16_text.h"

#include <limits>

Int16Text parseInt16(const QString &text, qint16 &out) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return Int16Text::Empty;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok, 10);
    if (!ok) return Int16Text::NotANumber;
    if (v < std::numeric_limits<qint16>::min() || v > std::numeric_limits<qint16>::max()) return Int16Text::OutOfRange;
    out = static_cast<qint16>(v);
    return Int16Text::Ok;
}
