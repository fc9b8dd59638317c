#pragma once
// The texts and barcode data of a ticket are templates: fixed text with placeholders
// such as {stopName}, {ticketNo:3} or {date:yyyy/MM/dd} that take the values of the
// stop being printed. "{{" and "}}" stand for the braces themselves.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace ticket {

// A date or time format is a few letters; a longer one is refused, and the text a
// template may hold is bounded, so drawing a ticket stays within a frame.
constexpr qsizetype kMaxFormatLength = 64;
constexpr qsizetype kMaxTemplateLength = 2000;

// Why a date or time format cannot be used; empty when it can.
QString formatProblem(const QString &format);

// The values one drawing prints.
struct Values {
    QString stopName;
    QString dateText;  // as the panel passes it: "MM-dd-yyyy" or the fixed "yyyy/MM/dd"
    QString timeText;  // "hh:mm:ss"
    std::int32_t routeNo = 0;
    std::int32_t ticketNo = 0;
    std::int32_t row = 0;
    QString company;
};

// Which values the plug-in may print; a placeholder of a value it may not print
// expands to nothing.
struct Allowed {
    bool date = true, time = true, routeNo = true, stopName = true;
};

struct Formats {
    QString date = QStringLiteral("yyyy.MM.dd");
    QString time = QStringLiteral("HH:mm");
};

// The placeholder names, in the order the documentation lists them.
const QStringList &placeholderNames();

// What is wrong with a template (unknown names, unbalanced braces, bad options);
// empty when it is sound.
QStringList templateProblems(const QString &tpl);

// True when the template has a placeholder `name`.
bool mentions(const QString &tpl, const QString &name);

// The template with its placeholders filled. The first date it prints is stored in
// `printedDate` when given (left alone when it prints none).
QString expand(const QString &tpl, const Values &values, const Allowed &allowed, const Formats &formats,
               QString *printedDate = nullptr);

}  // namespace ticket
