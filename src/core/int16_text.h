#pragma once
// The one reader of a 16-bit number written as text: an optionally signed decimal
// integer, white space around it allowed (QString::trimmed's white space).
#include <QString>
#include <QtGlobal>

enum class Int16Text { Ok, Empty, NotANumber, OutOfRange };

// `out` is set only when the answer is Ok.
Int16Text parseInt16(const QString &text, qint16 &out);
