// Any bytes as a GTFS feed: the input split at NUL bytes into the feed's files
// (stops, routes, trips, stop_times, fare_attributes, fare_rules, translations),
// read, listed and converted for every route; problems reported, never a crash.
#include "gtfs_convert.h"
#include "gtfs_patterns.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QList<QByteArray> parts = bytes.split('\0');
    QHash<QString, QByteArray> files;
    const auto &names = gtfs::fileNames();
    for (qsizetype i = 0; i < parts.size() && i < static_cast<qsizetype>(names.size()); ++i)
        files.insert(names[static_cast<size_t>(i)], parts[i]);
    const gtfs::Feed feed = gtfs::parse(files);
    (void)gtfs::listing(feed);
    for (const gtfs::Route &r : feed.routes) {
        gtfs::ConvertOptions options;
        options.route = QString::fromStdString(r.id);
        const gtfs::Conversion c = gtfs::convert(feed, options);
        (void)c.announcementFile();
    }
    return 0;
}
