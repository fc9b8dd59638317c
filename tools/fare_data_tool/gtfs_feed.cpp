#include "gtfs_feed.h"

#include "base/message_language.h"
#include "core/csv_reader.h"

#include <QStringList>

#include <algorithm>
#include <charconv>
#include <cmath>

using message_language::shared;

namespace gtfs {

namespace {

const QString Stops = QStringLiteral("stops.txt");
const QString Routes = QStringLiteral("routes.txt");
const QString Trips = QStringLiteral("trips.txt");
const QString StopTimes = QStringLiteral("stop_times.txt");
const QString FareAttributes = QStringLiteral("fare_attributes.txt");
const QString FareRules = QStringLiteral("fare_rules.txt");
const QString Translations = QStringLiteral("translations.txt");

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())).trimmed(); }
std::string id(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}

// The line of the first byte that is not UTF-8, or 0 when all of it is.
int firstBadUtf8Line(const QByteArray &bytes) {
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    int line = 1;
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            if (c == '\n') ++line;
            ++i;
            continue;
        }
        int more = 0;
        char32_t cp = 0, min = 0;
        if ((c & 0xE0) == 0xC0) { more = 1; cp = c & 0x1F; min = 0x80; }
        else if ((c & 0xF0) == 0xE0) { more = 2; cp = c & 0x0F; min = 0x800; }
        else if ((c & 0xF8) == 0xF0) { more = 3; cp = c & 0x07; min = 0x10000; }
        else return line;
        if (i + more >= n) return line;
        for (int k = 1; k <= more; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) return line;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return line;
        i += more + 1;
    }
    return 0;
}

// One file of the feed, record by record, its columns by name.
class Table {
public:
    Table(Feed &feed, const QString &file, const QByteArray &bytes)
        : feed_(feed), file_(file), reader_(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))),
          header_({}) {
        if (const int bad = firstBadUtf8Line(bytes)) {
            error(bad, shared("bytes that are not valid UTF-8 (GTFS files are UTF-8).", "UTF-8 として読めないバイトがあります（GTFSのファイルは UTF-8 です）。"));
            return;
        }
        if (!reader_.next(fields_)) {
            error(0, shared("an empty file (row 1 must name the columns).", "空のファイルです（1行目に列名が必要です）。"));
            return;
        }
        header_ = csv::Header(fields_);
        usable_ = true;
    }
    ~Table() {
        if (usable_ && reader_.unclosedQuoteLine())
            error(reader_.unclosedQuoteLine(), shared("a quote \" is still open at the end of the file.", "引用符 \" が閉じられないままファイルが終わっています。"));
    }

    // The column of a name; a missing required column is an error.
    int column(const char *name, bool required = false) {
        const int c = header_.column(name);
        if (c < 0 && required && usable_) {
            error(1, shared("the required column %1 is missing.", "必須の列 %1 がありません。").arg(QLatin1String(name)));
            usable_ = false;
        }
        return c;
    }
    bool next() {
        if (!usable_) return false;
        while (reader_.next(fields_)) {
            if (fields_.size() == 1 && fields_[0].empty()) continue;  // blank line
            if (++rows_ > feed_.limits.maxRows) {
                error(line(), shared("too many rows (at most %1); the rest is not read.", "行が多すぎます（%1行まで）。ここから先は読みません。").arg(feed_.limits.maxRows));
                usable_ = false;
                return false;
            }
            return true;
        }
        return false;
    }
    std::string_view operator[](int column) const { return csv::Header::field(fields_, column); }
    int line() const { return reader_.line(); }
    void error(int line, const QString &why) { report(Problem::Severity::Error, line, why); }
    void warn(int line, const QString &why) { report(Problem::Severity::Warning, line, why); }

private:
    void report(Problem::Severity s, int line, const QString &why) {
        feed_.add({s, file_, line, why});
    }
    Feed &feed_;
    QString file_;
    csv::Reader reader_;
    csv::Header header_;
    std::vector<std::string_view> fields_;
    qsizetype rows_ = 0;
    bool usable_ = false;
};

int find(const IndexOf &index, std::string_view key) {
    const auto it = index.find(key);
    return it == index.end() ? -1 : it->second;
}

void readStops(Feed &feed, const QByteArray &bytes) {
    Table t(feed, Stops, bytes);
    const int cId = t.column("stop_id", true), cName = t.column("stop_name"), cZone = t.column("zone_id"),
              cParent = t.column("parent_station");
    std::vector<std::string> parents;
    while (t.next()) {
        Stop s{id(t[cId]), text(t[cName]), id(t[cZone]), -1, t.line()};
        if (s.id.empty()) continue;
        if (!feed.stopIndex.emplace(s.id, static_cast<int>(feed.stops.size())).second) {
            t.warn(t.line(), shared("stop_id \"%1\" appears twice (the first row is used).", "stop_id「%1」が重複しています（最初の行を使います）。").arg(QString::fromStdString(s.id)));
            continue;
        }
        parents.push_back(id(t[cParent]));
        feed.stops.push_back(std::move(s));
    }
    for (size_t i = 0; i < feed.stops.size(); ++i) {
        Stop &s = feed.stops[i];
        s.parent = parents[i].empty() ? -1 : find(feed.stopIndex, parents[i]);
        if (s.parent >= 0) {
            const Stop &p = feed.stops[static_cast<size_t>(s.parent)];
            if (s.zone.empty()) s.zone = p.zone;
            if (s.name.isEmpty()) s.name = p.name;
        }
    }
}

void readRoutes(Feed &feed, const QByteArray &bytes) {
    Table t(feed, Routes, bytes);
    const int cId = t.column("route_id", true), cShort = t.column("route_short_name"),
              cLong = t.column("route_long_name");
    while (t.next()) {
        Route r{id(t[cId]), text(t[cShort]), text(t[cLong]), t.line()};
        if (!feed.routeIndex.emplace(r.id, static_cast<int>(feed.routes.size())).second) {
            t.warn(t.line(), shared("route_id \"%1\" appears twice (the first row is used).", "route_id「%1」が重複しています（最初の行を使います）。").arg(QString::fromStdString(r.id)));
            continue;
        }
        feed.routes.push_back(std::move(r));
    }
}

void readTrips(Feed &feed, const QByteArray &bytes, IndexOf &tripIndex) {
    Table t(feed, Trips, bytes);
    const int cRoute = t.column("route_id", true), cId = t.column("trip_id", true),
              cHeadsign = t.column("trip_headsign"), cDirection = t.column("direction_id");
    while (t.next()) {
        Trip trip;
        trip.id = id(t[cId]);
        trip.route = find(feed.routeIndex, id(t[cRoute]));
        trip.headsign = text(t[cHeadsign]);
        const std::string_view d = t[cDirection];
        trip.direction = d == "0" ? 0 : d == "1" ? 1 : -1;
        trip.line = t.line();
        if (trip.route < 0) {
            t.warn(t.line(), shared("route_id \"%1\" is not in routes.txt (this trip is not used).", "route_id「%1」は routes.txt にありません（この便は使いません）。")
                                 .arg(text(t[cRoute])));
            continue;
        }
        if (!tripIndex.emplace(trip.id, static_cast<int>(feed.trips.size())).second) {
            t.warn(t.line(), shared("trip_id \"%1\" appears twice (the first row is used).", "trip_id「%1」が重複しています（最初の行を使います）。").arg(QString::fromStdString(trip.id)));
            continue;
        }
        feed.trips.push_back(std::move(trip));
    }
}

void readStopTimes(Feed &feed, const QByteArray &bytes, const IndexOf &tripIndex) {
    Table t(feed, StopTimes, bytes);
    const int cTrip = t.column("trip_id", true), cSeq = t.column("stop_sequence", true),
              cStop = t.column("stop_id", true), cPickup = t.column("pickup_type"),
              cDrop = t.column("drop_off_type"), cHeadsign = t.column("stop_headsign");
    while (t.next()) {
        const int trip = find(tripIndex, id(t[cTrip]));
        if (trip < 0) continue;  // a trip of a route the feed does not list; reported with trips.txt
        StopTime st;
        st.line = t.line();
        st.stop = find(feed.stopIndex, id(t[cStop]));
        if (st.stop < 0) {
            t.error(st.line, shared("stop_id \"%1\" is not in stops.txt.", "stop_id「%1」は stops.txt にありません。").arg(text(t[cStop])));
            continue;
        }
        const std::string seq = id(t[cSeq]);
        const auto [end, ec] = std::from_chars(seq.data(), seq.data() + seq.size(), st.sequence);
        if (ec != std::errc() || end != seq.data() + seq.size() || seq.empty() || st.sequence < 0) {
            t.error(st.line, shared("stop_sequence \"%1\" is not a whole number from 0.", "stop_sequence「%1」は0以上の整数ではありません。").arg(QString::fromStdString(seq)));
            continue;
        }
        st.pickup = id(t[cPickup]) != "1";
        st.dropOff = id(t[cDrop]) != "1";
        if (cHeadsign >= 0) st.headsign = text(t[cHeadsign]);
        feed.trips[static_cast<size_t>(trip)].times.push_back(std::move(st));
    }
    for (Trip &trip : feed.trips) {
        std::stable_sort(trip.times.begin(), trip.times.end(),
                         [](const StopTime &a, const StopTime &b) { return a.sequence < b.sequence; });
        for (size_t i = 1; i < trip.times.size(); ++i)
            if (trip.times[i].sequence == trip.times[i - 1].sequence)
                feed.add({Problem::Severity::Error, StopTimes, trip.times[i].line,
                                         shared("trip \"%1\": stop_sequence %2 repeats that of row %3.", "便「%1」の stop_sequence %2 が %3行目と重複しています。")
                                             .arg(QString::fromStdString(trip.id)).arg(trip.times[i].sequence)
                                             .arg(trip.times[i - 1].line)});
    }
}

void readFares(Feed &feed, const QByteArray &attributes, const QByteArray *rules) {
    IndexOf fareIndex;
    {
        Table t(feed, FareAttributes, attributes);
        const int cId = t.column("fare_id", true), cPrice = t.column("price", true);
        while (t.next()) {
            Fare f{id(t[cId]), 0, false, t.line()};
            bool ok = false;
            const double price = text(t[cPrice]).toDouble(&ok);
            if (ok && std::isfinite(price) && price >= 0 && price <= 32767 && price == std::floor(price)) {
                f.price = static_cast<int>(price);
                f.usable = true;
            } else {
                t.warn(t.line(), shared("fare \"%1\": price \"%2\" is not a whole number of yen 0..32767, so it is not used.", "運賃「%1」の price「%2」は 0～32767 の整数（円）ではないため使えません。")
                                     .arg(QString::fromStdString(f.id), text(t[cPrice])));
            }
            if (fareIndex.emplace(f.id, static_cast<int>(feed.fares.size())).second) feed.fares.push_back(std::move(f));
        }
    }
    if (!rules) return;
    feed.hasFareRules = true;
    Table t(feed, FareRules, *rules);
    const int cFare = t.column("fare_id", true), cRoute = t.column("route_id"), cOrigin = t.column("origin_id"),
              cDest = t.column("destination_id"), cContains = t.column("contains_id");
    while (t.next()) {
        FareRule r{find(fareIndex, id(t[cFare])), id(t[cRoute]), id(t[cOrigin]), id(t[cDest]), id(t[cContains]), t.line()};
        if (r.fare < 0) {
            t.warn(t.line(), shared("fare_id \"%1\" is not in fare_attributes.txt (this rule is not used).", "fare_id「%1」は fare_attributes.txt にありません（この規則は使いません）。")
                                 .arg(text(t[cFare])));
            continue;
        }
        if (!r.contains.empty()) {
            t.warn(t.line(), shared("rules by contains_id (zones passed through) are not supported, so this one is not used.", "contains_id（通過ゾーン）による規則には対応していないため、使いません。"));
            continue;
        }
        feed.fareRules.push_back(std::move(r));
    }
}

// Both forms of translations.txt: GTFS (table_name, field_name, language,
// translation, record_id, field_value) and the older GTFS-JP one (trans_id,
// lang, translation), whose trans_id is the text itself.
void readTranslations(Feed &feed, const QByteArray &bytes) {
    Table t(feed, Translations, bytes);
    const bool old = t.column("trans_id") >= 0;
    const int cTable = t.column("table_name"), cField = t.column("field_name"),
              cLanguage = t.column(old ? "lang" : "language", true), cText = t.column("translation", true),
              cRecord = t.column("record_id"), cValue = t.column(old ? "trans_id" : "field_value");
    while (t.next()) {
        if (text(t[cLanguage]).compare(QLatin1String("ja-Hrkt"), Qt::CaseInsensitive) != 0) continue;
        if (!old && (t[cTable] != "stops" || t[cField] != "stop_name")) continue;
        const Reading reading{text(t[cText]), t.line()};
        if (reading.text.isEmpty()) continue;
        if (!old && !t[cRecord].empty())
            feed.readingById.insert(text(t[cRecord]), reading);
        else if (!t[cValue].empty())
            feed.readingByName.insert(text(t[cValue]), reading);
    }
}

}  // namespace

QString Problem::located() const {
    if (file.isEmpty()) return text;
    if (line <= 0) return QStringLiteral("%1: %2").arg(file, text);
    return shared("%1 row %2: %3", "%1 %2行目: %3").arg(file).arg(line).arg(text);
}

namespace {
QString kindOf(const Problem &p) { return (p.isError() ? QLatin1Char('E') : QLatin1Char('W')) + p.file; }
}  // namespace

void Feed::add(Problem problem) {
    if (++problemsOfKind[kindOf(problem)] <= limits.maxProblemsPerKind) problems.push_back(std::move(problem));
}

void Feed::countLeftOut() {
    // In the order the kinds first appeared, so the count follows the problems it belongs to.
    QStringList kinds;
    for (const Problem &p : problems)
        if (!kinds.contains(kindOf(p))) kinds << kindOf(p);
    for (const QString &kind : kinds) {
        const qsizetype left = problemsOfKind.value(kind) - limits.maxProblemsPerKind;
        if (left <= 0) continue;
        const bool error = kind.startsWith(QLatin1Char('E'));
        problems.push_back({error ? Problem::Severity::Error : Problem::Severity::Warning, kind.mid(1), 0,
                            (error ? shared("%1 more errors (at most %2 are shown).", "ほかにもエラーが%1件あります（表示は%2件まで）。")
                                   : shared("%1 more warnings (at most %2 are shown).", "ほかにも警告が%1件あります（表示は%2件まで）。"))
                                .arg(left).arg(limits.maxProblemsPerKind)});
    }
}

bool Feed::ok() const {
    return std::none_of(problems.begin(), problems.end(), [](const Problem &p) { return p.isError(); });
}

const Reading *Feed::reading(int stop) const {
    for (int s = stop, hops = 0; s >= 0 && hops < 2; s = stops[static_cast<size_t>(s)].parent, ++hops) {
        const Stop &st = stops[static_cast<size_t>(s)];
        auto byId = readingById.constFind(QString::fromStdString(st.id));
        if (byId != readingById.constEnd()) return &byId.value();
        auto byName = readingByName.constFind(st.name);
        if (byName != readingByName.constEnd()) return &byName.value();
    }
    return nullptr;
}

const std::vector<QString> &fileNames() {
    static const std::vector<QString> names{Stops, Routes, Trips, StopTimes, FareAttributes, FareRules, Translations};
    return names;
}

Feed parse(const QHash<QString, QByteArray> &files, const Limits &limits) {
    Feed feed;
    feed.limits = limits;
    for (const QString &required : {Stops, Routes, Trips, StopTimes})
        if (!files.contains(required))
            feed.problems.push_back({Problem::Severity::Error, required, 0, shared("the file is missing.", "ファイルがありません。")});
    if (!feed.ok()) return feed;
    readStops(feed, files.value(Stops));
    readRoutes(feed, files.value(Routes));
    IndexOf tripIndex;
    readTrips(feed, files.value(Trips), tripIndex);
    readStopTimes(feed, files.value(StopTimes), tripIndex);
    if (files.contains(FareAttributes))
        readFares(feed, files.value(FareAttributes),
                  files.contains(FareRules) ? &*files.constFind(FareRules) : nullptr);
    if (files.contains(Translations)) readTranslations(feed, files.value(Translations));
    feed.countLeftOut();
    return feed;
}

}  // namespace gtfs
