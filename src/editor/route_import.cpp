#include "editor/route_import.h"

#include "core/route_files.h"
#include "fare_csv.h"
#include "gtfs_convert.h"
#include "gtfs_patterns.h"
#include "core/tape_list.h"

namespace route {

Imported fromCsv(const QByteArray &bytes, const std::vector<Announcement> &keepTape) {
    Imported out;
    const fare_csv::ReadResult csv = fare_csv::read(bytes);
    out.errors = csv.errors;
    if (!csv.ok()) return out;
    out.doc = fromFiles(csv.rows, keepTape);
    return out;
}

std::vector<GtfsChoice> gtfsChoices(const gtfs::Feed &feed) {
    // The listing's own lines, in its order: a route's line, then its patterns.
    const QStringList lines = gtfs::listing(feed);
    std::vector<GtfsChoice> out;
    qsizetype line = 0;
    for (size_t r = 0; r < feed.routes.size() && line < lines.size(); ++r) {
        const QString id = QString::fromStdString(feed.routes[r].id);
        out.push_back({lines[line++], id, 0});
        const std::vector<gtfs::Pattern> ps = gtfs::patterns(feed, int(r));
        if (ps.empty() && line < lines.size()) out.push_back({lines[line++], id, 0});
        for (const gtfs::Pattern &p : ps)
            if (line < lines.size()) out.push_back({lines[line++], id, p.number});
    }
    return out;
}

Imported fromGtfs(const gtfs::Feed &feed, const gtfs::ConvertOptions &options) {
    Imported out;
    const gtfs::Conversion c = gtfs::convert(feed, options);
    for (const gtfs::Problem &p : c.problems) (p.isError() ? out.errors : out.warnings) << p.located();
    if (!c.ok()) return out;
    // Read back as the board will read the list file, so the editor holds what is written.
    const auto entries = tape_list::parse(c.announcementFile());
    out.doc = fromFiles(c.rows, entries ? fromTapeEntries(*entries) : std::vector<Announcement>{});
    return out;
}

}  // namespace route
