#pragma once
// A GTFS (GTFS-JP) feed as far as the fare board needs it: stops with their
// zones and readings, routes, trips with their stop times in running order,
// fares and fare rules. Read from a folder or a zip file; every file UTF-8 with
// or without a byte-order mark. Every record keeps its line, so that any
// problem can be shown where it is in the feed.
#include <QHash>
#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace gtfs {

struct Problem {
    enum class Severity { Error, Warning };
    Severity severity = Severity::Error;
    QString file;  // "stops.txt"; empty for the feed as a whole
    int line = 0;  // 1-based; 0 for the file as a whole
    QString text;

    bool isError() const { return severity == Severity::Error; }
    // "stops.txt 12行目: ...", "stops.txt: ..." or just the text.
    QString located() const;
};

struct Stop {
    std::string id;
    QString name;
    std::string zone;    // zone_id; the parent station's when the stop has none
    int parent = -1;     // index of the parent station, or -1
    int line = 0;
};

struct Route {
    std::string id;
    QString shortName, longName;
    int line = 0;
};

struct StopTime {
    int stop = -1;        // index into Feed::stops
    long long sequence = 0;
    bool pickup = true;   // pickup_type is not 1 (passengers may board)
    bool dropOff = true;  // drop_off_type is not 1 (passengers may alight)
    QString headsign;     // stop_headsign
    int line = 0;
};

struct Trip {
    int route = -1;
    std::string id;
    QString headsign;
    int direction = -1;   // direction_id 0 or 1; -1 when not given
    int line = 0;
    std::vector<StopTime> times;  // in running order (by stop_sequence)
};

struct Fare {
    std::string id;
    int price = 0;
    bool usable = false;  // the price is a whole number of yen 0..32767
    int line = 0;
};

struct FareRule {
    int fare = -1;  // index into Feed::fares
    std::string route, origin, destination, contains;
    int line = 0;
};

struct Reading {
    QString text;
    int line = 0;  // in translations.txt
};

struct StringHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
using IndexOf = std::unordered_map<std::string, int, StringHash, std::equal_to<>>;

// What a feed may hold. No bus feed comes near these; a larger one is a broken or
// hostile archive (a zip bomb), refused before it fills the memory or the screen.
struct Limits {
    qint64 maxBytes = qint64(256) << 20;  // all the files the reader uses, uncompressed
    qsizetype maxRows = 3'000'000;        // records of one file
    int maxProblemsPerKind = 20;          // kept of one severity in one file; the rest are counted
};

struct Feed {
    std::vector<Stop> stops;
    std::vector<Route> routes;
    std::vector<Trip> trips;
    std::vector<Fare> fares;
    std::vector<FareRule> fareRules;
    bool hasFareRules = false;  // fare_rules.txt is present
    IndexOf stopIndex, routeIndex;
    QHash<QString, Reading> readingById;    // stop_id -> ja-Hrkt reading
    QHash<QString, Reading> readingByName;  // stop name -> ja-Hrkt reading
    std::vector<Problem> problems;
    Limits limits;                             // what it was read with
    QHash<QString, qsizetype> problemsOfKind;  // severity and file -> how many were found

    bool ok() const;
    // Keeps a problem, or only counts it once its kind has limits.maxProblemsPerKind.
    void add(Problem problem);
    // One problem more for each kind that had problems left out, saying how many.
    void countLeftOut();
    // The ja-Hrkt reading of a stop (its own, by its name, or its parent
    // station's), or nullptr.
    const Reading *reading(int stop) const;
};

// Reads the feed at `path` (a folder, or a zip file with the files at its top or
// in one folder). Problems that make the feed unusable are errors.
Feed read(const QString &path, const Limits &limits = {});

// Parses the files given as bytes (name -> contents); what read() does after
// taking the files out of the folder or zip. Missing required files are errors.
Feed parse(const QHash<QString, QByteArray> &files, const Limits &limits = {});

// The names of the files the reader uses.
const std::vector<QString> &fileNames();

}  // namespace gtfs
