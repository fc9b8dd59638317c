#pragma once
// Script arguments turned into the values that properties and operations take. A
// quoted argument is text; an unquoted one is read as the target type asks.
#include "automation/script_parser.h"

#include <QMetaType>
#include <QVariant>
#include <optional>

namespace script {

// The value an argument stands for where the target takes any value (a QVariant
// property such as a digit display's Value): quoted text stays text, true/false are
// booleans, whole numbers are int (qint64 when larger), other numbers double, and any
// other unquoted word is text.
QVariant naturalValue(const Token &tok);

// Converts an argument to `target`. Numbers and booleans must be written unquoted;
// text targets take any argument. On failure returns nothing and sets `error`.
std::optional<QVariant> convertArgument(const Token &tok, QMetaType target, QString *error);

}  // namespace script
