#pragma once
// A route's files as the route editor reads and writes them: the fare data file
// (N.hy3, in the fare data folder), the announcement list (Ntp.csv, CP932 with
// CR LF, in the announcement folder) and the editor's own notes (N.route.json
// beside the fare data: readings, zones and distances, which neither file has a
// place for). A route read and written back without a change gives back the very
// bytes that were read.
#include "core/fare_table.h"
#include "core/route_document.h"
#include "core/tape_list.h"

#include <QByteArray>
#include <QStringList>

namespace route {

struct Folders {
    QString fare;  // the fare data folder, as the options hold it
    QString tape;  // the announcement folder
};

QString farePath(const Folders &f, int route);
QString tapePath(const Folders &f, int route);  // the existing file, whatever its letter case
QString notesPath(const Folders &f, int route);
// Either file of the route exists.
bool exists(const Folders &f, int route);

// What was read, so that an unchanged route is written back byte for byte.
struct Original {
    bool fareRead = false;
    QByteArray fareBytes;
    std::vector<FareRow> fareRows;
    bool tapeRead = false;
    QByteArray tapeBytes;
    std::vector<Announcement> tape;
    QByteArray notesBytes;
};

struct Opened {
    Document doc;
    Original original;
    QString error;       // why the route could not be read; empty when it was
    QStringList notes;   // what is worth knowing (no announcement list yet, ...)
    bool ok() const { return error.isEmpty(); }
};

// Reads route `route`. A route whose files are both missing opens empty and ok
// (a new route). Whatever can be read is kept when something fails.
Opened open(const Folders &f, int route);

// The document as fare rows and back (readings, zones, distances taken from the
// notes when they match the stops, else from the announcements where they say
// "次は、<reading>です。").
std::vector<FareRow> fareRows(const Document &doc);
Document fromFiles(const std::vector<FareRow> &rows, const std::vector<Announcement> &tape);
// Announcement list entries as the editor holds them.
std::vector<Announcement> fromTapeEntries(const std::vector<TapeEntry> &entries);
// The announcement list file: every line in CP932, each ending in CR LF.
QByteArray tapeFile(const std::vector<Announcement> &tape);
// The notes file for the stops (empty when every stop has no reading, zone or km).
QByteArray notesFile(const Document &doc);
// Applies the notes to the stops when they are notes of the same stops.
bool applyNotes(Document &doc, const QByteArray &notes);

struct Encoded {
    QByteArray fare, tape, notes;
    bool writeTape = true;   // false: no list was read and there is none to write
    QString error;
};
// The bytes to write: the original bytes of a file whose content did not change.
Encoded encode(const Document &doc, const Original &original);

// Writes the files, each atomically (a file is replaced only by a whole new one;
// nothing is replaced unless every file was written out first). The error names
// the file; on success `original` becomes what the files now hold.
QString save(const Document &doc, Original &original, const Folders &f, int route);

}  // namespace route
