#pragma once
// Ticket plug-ins (*.4SP): a JSON text of this program's own that describes a numbered
// ticket (整理券): what it can print (the information record), its remarks, its company
// names and the drawing (texts, lines, boxes, barcodes over an optional background
// picture). docs/ticket-plugins.md describes every field.
//
// The reader is forgiving where it can be and strict where it must: a file that is not
// such a plug-in, is of another version or carries a damaged information record is
// refused; a single bad drawing item is left out of the drawing. Every problem is
// reported with its place, so a checker can list them all.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

// What a plug-in can print: fourteen 32-bit fields in this order.
struct PlgInfo {
    std::int32_t PlgReserved = 0;
    std::int32_t PrevWidth = 0;   // twips
    std::int32_t PrevHeight = 0;  // twips
    std::int32_t CanDate = 0;
    std::int32_t CanTime = 0;
    std::int32_t CanRouteNo = 0;
    std::int32_t CanStopName = 0;
    std::int32_t CanBarcode = 0;
    std::int32_t BarcodeCount = 0;
    std::int32_t MaxRouteNo = 0;
    std::int32_t BarcodeScheme = 0;
    std::int32_t StopRangeLow = 0;
    std::int32_t StopRangeHigh = 0;
    std::int32_t CorpCount = 0;
};
static_assert(sizeof(PlgInfo) == 56);

namespace ticket {

constexpr int kFormatVersion = 1;
constexpr const char *kFormatName = "mitra-ticket-plugin";
// Files larger than this are not plug-ins (a ticket is a few kilobytes).
constexpr qint64 kMaxFileBytes = 1 << 20;
// Ticket sizes in twips (15 twips = 1 pixel): 1 to 2000 pixels each way.
constexpr int kMinTwips = 15;
constexpr int kMaxTwips = 30000;

using Argb = std::uint32_t;

enum class Align { Left, Center, Right };
enum class Symbology { Codabar, Itf, Itf14, Qr, Code128, Code39, DataMatrix };

struct TextItem {
    QString text;  // template: fixed text and {placeholders}
    QString font = QStringLiteral("IPAGothic");
    double size = 12;  // pixels
    int weight = 400;  // 100..900
    Align align = Align::Left;
    double x = 0, y = 0;  // anchor: baseline point at the alignment side
    double rotate = 0;    // degrees, clockwise, around the anchor
    Argb color = 0xFF000000;
    int maxLength = 0;      // stop name cut to this many characters (0: no limit)
    double maxWidth = 0;    // text narrowed to fit this width (0: no limit)
};

struct LineItem {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double width = 1;
    Argb color = 0xFF000000;
    bool dashed = false;
};

struct BoxItem {
    double x = 0, y = 0, width = 0, height = 0;
    double lineWidth = 1;  // 0: no outline
    double radius = 0;
    Argb color = 0xFF000000;
    std::optional<Argb> fill;
};

struct BarcodeItem {
    Symbology symbology = Symbology::Qr;
    QString data;  // template, like a text
    double x = 0, y = 0, width = 0, height = 0;
    Argb color = 0xFF000000;
};

using Item = std::variant<TextItem, LineItem, BoxItem, BarcodeItem>;

struct Plugin {
    PlgInfo info;
    QString remarks;
    QStringList companies;
    Argb paper = 0xFFFFFFFF;
    QString background;  // absolute path of the picture, empty: none
    QString folder;      // the plug-in's folder: the only place its pictures may refer to
    QString dateFormat = QStringLiteral("yyyy.MM.dd");
    QString timeFormat = QStringLiteral("HH:mm");
    std::vector<Item> items;
    std::vector<int> itemSource;  // position in the file's "items" of each kept item

    int widthPx() const { return (info.PrevWidth + 7) / 15; }
    int heightPx() const { return (info.PrevHeight + 7) / 15; }
};

struct Problem {
    enum Severity { Error, Warning };
    Severity severity = Error;
    QString place;  // "line 3, column 7", "items[2].size", "info.CanDate", ...
    QString message;
};

struct ReadResult {
    std::optional<Plugin> plugin;  // empty: not a plug-in, or damaged
    std::vector<Problem> problems;
};

// Reads a plug-in from its bytes; relative picture paths are taken from `baseDir`.
// Never fails on any input: a refused file has no plug-in and at least one error.
ReadResult readPlugin(const QByteArray &bytes, const QString &baseDir);

// Reads the file at `path` (refused when missing, unreadable or too large).
ReadResult readPluginFile(const QString &path);

// The symbology's name in the file ("codabar", "itf", ...).
QString symbologyName(Symbology s);

}  // namespace ticket
