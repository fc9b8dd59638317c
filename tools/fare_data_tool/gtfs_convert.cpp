#include "gtfs_convert.h"

#include "base/message_language.h"
#include "core/fare_data_file.h"
#include "core/cp932.h"
#include "gtfs_fares.h"
#include "gtfs_patterns.h"

#include <QSet>
#include <algorithm>

using message_language::shared;

namespace gtfs {

namespace {

const QString StopsFile = QStringLiteral("stops.txt");
const QString StopTimesFile = QStringLiteral("stop_times.txt");

class Builder {
public:
    Builder(const Feed &feed, Conversion &out) : feed_(feed), out_(out) {}

    void error(const QString &file, int line, const QString &why) {
        out_.problems.push_back({Problem::Severity::Error, file, line, why});
    }
    void warn(const QString &file, int line, const QString &why) {
        out_.problems.push_back({Problem::Severity::Warning, file, line, why});
    }
    const Stop &stop(int i) const { return feed_.stops[static_cast<size_t>(i)]; }

    const Pattern *choose(const ConvertOptions &options, std::vector<Pattern> &found);
    void makeRows(const Trip &trip);
    void makeFares(const Trip &trip, int route);
    void makeAnnouncements(const Trip &trip);

private:
    QString nameOf(int stopIndex);

    const Feed &feed_;
    Conversion &out_;
    QHash<int, QString> names_;  // board text of each stop, made (and reported) once
};

QString quotedName(const QString &s) { return shared("\"%1\"", "「%1」").arg(s); }

const Pattern *Builder::choose(const ConvertOptions &options, std::vector<Pattern> &found) {
    const auto route = feed_.routeIndex.find(options.route.toStdString());
    if (route == feed_.routeIndex.end()) {
        QStringList ids;
        for (const Route &r : feed_.routes) ids << QString::fromStdString(r.id);
        error(QStringLiteral("routes.txt"), 0,
              shared("there is no route with route_id \"%1\". There are: %2", "route_id「%1」の系統がありません。あるのは: %2").arg(options.route, ids.join(QStringLiteral(", "))));
        return nullptr;
    }
    found = patterns(feed_, route->second);
    std::vector<const Pattern *> candidates;
    for (const Pattern &p : found)
        if (options.direction < 0 || p.direction == options.direction) candidates.push_back(&p);
    const QString where = options.direction < 0 ? QString()
                                                : shared(" in direction %1", "方向%1の").arg(options.direction);
    if (candidates.empty()) {
        error(QStringLiteral("trips.txt"), 0,
              shared("route \"%1\" has no trips%2 (--list shows them).", "系統「%1」には%2便がありません（--list で確かめてください）。")
                  .arg(options.route, where));
        return nullptr;
    }
    const Pattern *chosen = candidates.front();
    if (options.pattern > 0) {
        const auto it = std::find_if(candidates.begin(), candidates.end(),
                                     [&](const Pattern *p) { return p->number == options.pattern; });
        if (it == candidates.end()) {
            error(QStringLiteral("trips.txt"), 0,
                  shared("route \"%1\" has no pattern %3%2 (--list shows them).",
                         "系統「%1」には%2パターン%3がありません（--list で確かめてください）。")
                      .arg(options.route, where).arg(options.pattern));
            return nullptr;
        }
        chosen = *it;
    }
    const Trip &t = chosen->trip(feed_);
    out_.chosen = shared("route \"%1\" pattern %2 (direction %3 to \"%4\", the stops of trip %5, %6 patterns in all)", "系統「%1」パターン%2（方向%3 「%4」行き、便 %5 の停留所順、全%6パターン）")
                      .arg(options.route).arg(chosen->number)
                      .arg(chosen->direction < 0 ? shared("none", "なし") : QString::number(chosen->direction))
                      .arg(chosen->headsign(feed_), QString::fromStdString(t.id)).arg(found.size());
    return chosen;
}

QString Builder::nameOf(int stopIndex) {
    const auto known = names_.constFind(stopIndex);
    if (known != names_.constEnd()) return known.value();
    const Stop &s = stop(stopIndex);
    QStringList lost;
    const QString name = boardText(s.name, &lost);
    if (name.isEmpty()) warn(StopsFile, s.line, shared("stop \"%1\" (stop_id) has no name.", "停留所「%1」(stop_id) に名前がありません。").arg(QString::fromStdString(s.id)));
    if (!lost.isEmpty())
        warn(StopsFile, s.line, shared("in the stop name %1, %2 is not in CP932 (the board's characters), so it became \"〓\".", "停留所名%1の %2 はCP932（表示器の文字）にないため「〓」にしました。")
                                    .arg(quotedName(s.name), lost.join(QLatin1Char(' '))));
    if (name.size() > StillCells)
        warn(StopsFile, s.line, shared("the stop name %1 has %2 characters and the board shows %3 at a time, so it scrolls.", "停留所名%1は%2文字あり、表示器は一度に%3文字までなので流れて（スクロールして）表示されます。")
                                    .arg(quotedName(name)).arg(name.size()).arg(StillCells));
    names_.insert(stopIndex, name);
    return name;
}

void Builder::makeRows(const Trip &trip) {
    QHash<int, int> firstVisit;  // stop -> position in the trip
    for (size_t r = 0; r < trip.times.size(); ++r) {
        const StopTime &st = trip.times[r];
        FareRow row;
        row.StopName = nameOf(st.stop);
        row.TicketNo = static_cast<qint16>(r + 1);
        out_.rows.push_back(std::move(row));
        const auto seen = firstVisit.constFind(st.stop);
        if (seen != firstVisit.constEnd()) {
            const StopTime &before = trip.times[static_cast<size_t>(seen.value())];
            warn(StopTimesFile, st.line,
                 shared("this trip passes stop %1 twice (rows %2 and %3, the board's rows %4 and %5). "
                        "Both rows are made in the order passed, but with zone fares a ride between the two "
                        "is the lowest fare, so check it.",
                        "停留所%1をこの便は2回通ります（%2行目と%3行目、表示器の%4行目と%5行目）。"
                        "行は通る順に両方作りますが、ゾーン運賃では同じ停留所どうしの運賃は最低の運賃になるので、確かめてください。")
                     .arg(quotedName(stop(st.stop).name)).arg(before.line).arg(st.line).arg(seen.value() + 1).arg(r + 1));
        } else {
            firstVisit.insert(st.stop, static_cast<int>(r));
        }
    }
    const size_t n = trip.times.size();
    size_t lastBoarding = 0;  // 1-based; boarding at the terminal is no ride
    for (size_t r = 1; r < n; ++r)
        if (trip.times[r - 1].pickup) lastBoarding = r;
    if (lastBoarding > BoardCells) {
        size_t first = BoardCells;  // first boarding stop beyond the board's cells, 0-based
        while (!trip.times[first].pickup) ++first;
        int count = 0;
        for (size_t r = BoardCells; r + 1 < n; ++r) count += trip.times[r].pickup ? 1 : 0;
        warn(StopTimesFile, trip.times[first].line,
             shared("%3 stops where passengers board lie from %2 (ticket number %1) on. The board has fare "
                    "cells for tickets 1..%4 only, so the fares of those who board there are not shown (the "
                    "ticket numbers stay in the fare data, and the fares of earlier tickets show correctly).",
                    "乗車できる停留所が整理券番号%1番の%2から先に%3か所あります。表示器の運賃欄は整理券1～%4番の"
                    "%4コマだけなので、そこで乗った人の運賃は表示されません（整理券番号は運賃データに残り、"
                    "それより前の整理券の運賃は正しく表示されます）。")
                 .arg(first + 1).arg(quotedName(nameOf(trip.times[first].stop))).arg(count).arg(BoardCells));
    }
}

void Builder::makeFares(const Trip &trip, int route) {
    const FareFinder finder(feed_, route);
    const size_t n = trip.times.size();
    QSet<int> noZoneReported;
    if (finder.usesZones())
        for (const StopTime &st : trip.times)
            if (stop(st.stop).zone.empty() && !noZoneReported.contains(st.stop)) {
                noZoneReported.insert(st.stop);
                warn(StopsFile, stop(st.stop).line,
                     shared("stop %1 has no zone_id. This route's fares go by zone, so the fares of "
                            "rides from or to it cannot be found.",
                            "停留所%1に zone_id がありません。この系統の運賃はゾーンで決まるので、"
                            "ここで乗り降りする運賃は決められません。").arg(quotedName(stop(st.stop).name)));
            }
    int missingPairs = 0;
    for (size_t k = 1; k <= std::min<size_t>(n, BoardCells); ++k) {
        const StopTime &from = trip.times[k - 1];
        if (!from.pickup) continue;
        QStringList missing;
        for (size_t r = k + 1; r <= n; ++r) {
            const StopTime &to = trip.times[r - 1];
            const std::optional<int> price = finder.fare(from.stop, to.stop);
            // -1 is how the board is told to show a fare of 0 (see the README).
            if (price) out_.rows[r - 1].cells[k - 1] = *price == 0 ? -1 : static_cast<qint16>(*price);
            else if (to.dropOff) missing << shared("%1 (row %2)", "%1（%2行目）").arg(nameOf(to.stop)).arg(r);
        }
        if (missing.isEmpty()) continue;
        missingPairs += static_cast<int>(missing.size());
        if (noZoneReported.contains(from.stop)) continue;
        const Stop &s = stop(from.stop);
        warn(StopsFile, s.line,
             shared("fare_rules.txt has no fare from %1 (ticket %2, zone_id \"%3\") to %4. "
                    "Those cells stay empty (0).",
                    "%1（整理券%2番、zone_id「%3」）から %4 までの運賃が fare_rules.txt にありません。"
                    "その欄は空（0）になります。")
                 .arg(quotedName(nameOf(from.stop))).arg(k)
                 .arg(QString::fromStdString(s.zone), missing.join(shared(", ", "、"))));
    }
    if (missingPairs > 0)
        warn(QString(), 0, shared("%1 pairs of boarding and alighting stops have no known fare (their fare cells stay empty).", "運賃の分からない乗車・降車の組が%1組あります（運賃欄が空になります）。").arg(missingPairs));
}

void Builder::makeAnnouncements(const Trip &trip) {
    // The list starts where the board starts, at its first row: "送り" speaks the
    // next stop and steps the fares to it, so every announcement carries the step
    // mark and the first stop has none of its own.
    const size_t n = trip.times.size();
    for (size_t r = 2; r <= n; ++r) {
        const int s = trip.times[r - 1].stop;
        QString spoken = nameOf(s);
        if (const Reading *reading = feed_.reading(s)) {
            QStringList lost;
            const QString text = boardText(reading->text, &lost);
            if (lost.isEmpty())
                spoken = text;
            else
                warn(QStringLiteral("translations.txt"), reading->line,
                     shared("in the reading %1, %2 is not in CP932, so the announcement uses the stop name.",
                            "読み%1の %2 はCP932にないため、放送には停留所名を使います。")
                         .arg(quotedName(reading->text), lost.join(QLatin1Char(' '))));
        }
        const bool terminal = r == n;
        const QString text = terminal ? QStringLiteral("次は、終点、%1です。").arg(spoken)
                                      : QStringLiteral("次は、%1です。").arg(spoken);
        out_.announcements << QStringLiteral("%1,1,%2").arg(text).arg(terminal ? 2 : 1);
    }
}

}  // namespace

bool Conversion::ok() const {
    return std::none_of(problems.begin(), problems.end(), [](const Problem &p) { return p.isError(); });
}

QByteArray Conversion::announcementFile() const {
    QByteArray bytes;
    for (const QString &line : announcements) bytes += cp932::encode(line) + "\r\n";
    return bytes;
}

QString boardText(const QString &name, QStringList *lost) {
    QString wide;
    const QString s = name.trimmed();
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s.at(i).unicode();
        if (c == u' ') {
            wide += QChar(u'\u3000');
        } else if (c > 0x20 && c < 0x7F) {
            wide += QChar(char16_t(c + 0xFEE0));
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            // A half-width kana with its voicing mark makes one full-width kana.
            qsizetype j = i + 1;
            while (j < s.size() && s.at(j).unicode() >= 0xFF61 && s.at(j).unicode() <= 0xFF9F) ++j;
            wide += s.mid(i, j - i).normalized(QString::NormalizationForm_KC);
            i = j - 1;
        } else {
            wide += s.at(i);
        }
    }
    const QStringList bad = fare_file::unencodable(wide);
    if (lost) *lost = bad;
    for (const QString &b : bad) wide.replace(b, QStringLiteral("〓"));
    return wide;
}

Conversion convert(const Feed &feed, const ConvertOptions &options) {
    Conversion out;
    if (!feed.ok()) {
        out.problems = feed.problems;
        return out;
    }
    for (const Problem &p : feed.problems) out.problems.push_back(p);
    Builder b(feed, out);
    std::vector<Pattern> found;
    const Pattern *pattern = b.choose(options, found);
    if (!pattern) return out;
    const Trip &trip = pattern->trip(feed);
    const size_t n = trip.times.size();
    if (n > static_cast<size_t>(fare_file::MaxRows)) {
        b.error(StopTimesFile, trip.times[fare_file::MaxRows].line,
                shared("this trip passes %1 stops, but fare data holds at most %2 rows (stops); stop %3 is "
                       "on this row. No fare data was made.",
                       "この便は%1停留所を通りますが、運賃データは%2行（停留所）までです（%3停留所目がこの行）。"
                       "運賃データは作りませんでした。")
                    .arg(n).arg(fare_file::MaxRows).arg(fare_file::MaxRows + 1));
        return out;
    }
    if (n < 2) {
        b.error(StopTimesFile, trip.times.front().line,
                shared("this trip has one stop only (the board needs two or more).", "この便には停留所が1つしかありません（表示器には2つ以上必要です）。"));
        return out;
    }
    b.makeRows(trip);
    b.makeFares(trip, pattern->route);
    b.makeAnnouncements(trip);
    return out;
}

}  // namespace gtfs
