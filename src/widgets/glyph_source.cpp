#include "widgets/glyph_source.h"

#include "core/cp932.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QPainter>

#include <zlib.h>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

// Font files by index: kanji faces first, then the single-byte pair.
constexpr int kGothic = 0, kGothicBold = 1, kMincho = 2, kMinchoBold = 3, kHalf = 4, kHalfBold = 5;
const char *const kFontFiles[6] = {"shnmk16", "shnmk16b", "shnmk16min", "shnmk16minb", "shnm8x16r", "shnm8x16rb"};

// The baseline of a 16-dot cell: 14 rows above it, 2 below.
constexpr int kAscent = 14;

int kanjiFontIndex(chimei::Face face, bool bold) {
    if (face == chimei::Face::Gothic) return bold ? kGothicBold : kGothic;
    return bold ? kMinchoBold : kMincho;
}

// Characters the JIS X 0208 fonts lack but have a twin of the same shape for:
// the replacement stroke of the long-vowel mark is drawn as the full-width bar.
int lookAlike(int cp932Code) {
    switch (cp932Code) {
    case 0xFA68: return 0x8162;  // 丨 -> ｜
    default: return 0;
    }
}

}  // namespace

struct GlyphSource::Font {
    // The whole file, unpacked: FreeType reads a compressed font through a stream
    // that starts inflating again from the top on every backward seek, which made
    // each new glyph cost as much as reading the font.
    QByteArray bytes;
    FT_Face face = nullptr;
    ~Font() {
        if (face) FT_Done_Face(face);
    }
};

namespace {

// The file's bytes, unpacked when it is gzip-compressed (gzread passes other files
// through unchanged); empty when it cannot be read.
QByteArray readUnpacked(const QString &path) {
    QByteArray out;
    gzFile in = gzopen(QFile::encodeName(path).constData(), "rb");
    if (!in) return out;
    char chunk[1 << 16];
    int n = 0;
    while ((n = gzread(in, chunk, sizeof chunk)) > 0) out.append(chunk, n);
    const bool failed = n < 0;
    gzclose(in);
    return failed ? QByteArray() : out;
}

}  // namespace

QString GlyphSource::defaultFontDir() { return QStringLiteral("/usr/share/fonts/X11/misc"); }

GlyphSource::GlyphSource(const QString &fontDir) : fontDir_(fontDir) {}

GlyphSource::~GlyphSource() {
    for (auto &f : fonts_) f.reset();
    if (library_) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

QString GlyphSource::fontPath(int index) const {
    const QDir dir(fontDir_);
    for (const char *ext : {".pcf.gz", ".pcf"}) {
        const QString candidate = dir.filePath(QString::fromLatin1(kFontFiles[index]) + QLatin1String(ext));
        if (QFile::exists(candidate)) return candidate;
    }
    return QString();
}

void GlyphSource::prefetch(chimei::Face face, bool bold) {
    const int kanji = kanjiFontIndex(face, bold);
    for (int index : {kanji, face == chimei::Face::Gothic ? (bold ? kHalfBold : kHalf) : -1}) {
        if (index < 0 || tried_[index] || unpacking_[index].valid()) continue;
        const QString path = fontPath(index);
        // Either policy: where no thread can be started, the unpacking waits for the
        // first glyph instead of failing.
        if (!path.isEmpty())
            unpacking_[index] = std::async(std::launch::async | std::launch::deferred, readUnpacked, path);
    }
}

const GlyphSource::Font *GlyphSource::font(int index) const {
    if (tried_[index]) return fonts_[index].get();
    tried_[index] = true;
    if (!library_) {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) return nullptr;
        library_ = lib;
    }
    auto font = std::make_unique<Font>();
    font->bytes = unpacking_[index].valid() ? unpacking_[index].get() : readUnpacked(fontPath(index));
    if (font->bytes.isEmpty()) return nullptr;
    FT_Face face = nullptr;
    const auto *bytes = reinterpret_cast<const FT_Byte *>(font->bytes.constData());
    if (FT_New_Memory_Face(static_cast<FT_Library>(library_), bytes, FT_Long(font->bytes.size()), 0, &face) != 0)
        return nullptr;
    font->face = face;
    // The fonts carry one charmap, indexed by the raw JIS code; FreeType does not
    // select such a charmap by itself.
    if (face->num_charmaps < 1 || FT_Set_Charmap(face, face->charmaps[0]) != 0 || face->num_fixed_sizes < 1 ||
        FT_Select_Size(face, 0) != 0)
        return nullptr;
    fonts_[index] = std::move(font);
    return fonts_[index].get();
}

GlyphSource &GlyphSource::shared() {
    static GlyphSource instance;
    return instance;
}

bool GlyphSource::hasBitmapFont(chimei::Face face, bool bold) const {
    return font(kanjiFontIndex(face, bold)) != nullptr;
}

int GlyphSource::cp932ToJis(int code) {
    int lead = (code >> 8) & 0xFF;
    const int trail = code & 0xFF;
    if (!cp932::isLeadByte(static_cast<unsigned char>(lead)) || trail < 0x40 || trail > 0xFC || trail == 0x7F)
        return 0;
    if (lead >= 0xE0) lead -= 0x40;
    int row = (lead - 0x81) * 2 + 0x21;
    int cell;
    if (trail >= 0x9F) {
        ++row;
        cell = trail - 0x7E;
    } else {
        cell = trail - 0x1F - (trail >= 0x80 ? 1 : 0);
    }
    if (row > 0x7E) return 0;
    return (row << 8) | cell;
}

bool GlyphSource::loadBitmap(int fontIndex, int code, Bitmap &out) {
    if (code == 0) return false;
    const Font *loaded = font(fontIndex);
    if (!loaded) return false;
    FT_Face face = loaded->face;
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
    if (index == 0) return false;
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return false;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap &bm = slot->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_MONO) return false;
    out = Bitmap{};
    out.width = fontIndex >= kHalf ? 8 : 16;
    for (unsigned int y = 0; y < bm.rows; ++y) {
        const int ty = kAscent - slot->bitmap_top + static_cast<int>(y);
        if (ty < 0 || ty >= 16) continue;
        const unsigned char *row = bm.buffer + static_cast<long>(y) * bm.pitch;
        for (unsigned int x = 0; x < bm.width; ++x) {
            const int tx = slot->bitmap_left + static_cast<int>(x);
            if (tx < 0 || tx >= out.width) continue;
            if (row[x / 8] & (0x80 >> (x % 8))) out.rows[ty] |= static_cast<std::uint16_t>(0x8000 >> tx);
        }
    }
    return true;
}

GlyphSource::Bitmap GlyphSource::renderFallback(const QString &ch, chimei::Face face, bool bold, int width) const {
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::white);
    QFont font(face == chimei::Face::Gothic ? QStringLiteral("IPAGothic") : QStringLiteral("IPAMincho"));
    font.setPixelSize(16);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    {
        QPainter p(&img);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(0, kAscent, ch);
    }
    Bitmap out;
    out.width = width;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < width; ++x)
            if (qGray(img.pixel(x, y)) < 128) out.rows[y] |= static_cast<std::uint16_t>(0x8000 >> x);
    return out;
}

const GlyphSource::Bitmap &GlyphSource::glyphFor(const QString &ch, chimei::Face face, bool bold) {
    const QByteArray bytes = cp932::encode(ch);
    const bool doubleByte = bytes.size() >= 2;
    const int code = doubleByte ? (static_cast<unsigned char>(bytes[0]) << 8) | static_cast<unsigned char>(bytes[1])
                                : (bytes.isEmpty() ? 0 : static_cast<unsigned char>(bytes[0]));
    const quint64 key = (quint64(face == chimei::Face::Mincho) << 40) | (quint64(bold) << 32) | quint64(code);
    auto it = cache_.constFind(key);
    if (it != cache_.constEnd()) return *it;

    Bitmap bm;
    bool found = false;
    if (doubleByte) {
        const int fontIndex = kanjiFontIndex(face, bold);
        found = loadBitmap(fontIndex, cp932ToJis(code), bm);
        if (!found && lookAlike(code)) found = loadBitmap(fontIndex, cp932ToJis(lookAlike(code)), bm);
    } else if (face == chimei::Face::Gothic) {
        found = loadBitmap(bold ? kHalfBold : kHalf, code, bm) || (bold && loadBitmap(kHalf, code, bm));
    }
    // The 8 x 16 companion is gothic only: a mincho half-width character is rasterised
    // from the outline face at 16 dots onto its 8-dot cell.
    if (!found) bm = renderFallback(ch, face, bold, doubleByte ? 16 : 8);
    return *cache_.insert(key, bm);
}

void GlyphSource::draw(QImage &box, const QString &text, chimei::Face face, bool bold, int ox, int oy) {
    if (box.format() != QImage::Format_RGB32 && box.format() != QImage::Format_ARGB32)
        box = box.convertToFormat(QImage::Format_RGB32);
    int penX = ox;
    for (int i = 0; i < text.size() && penX < box.width(); ++i) {
        const int len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, len);
        i += len - 1;
        if (ch == QChar(QChar::ReplacementCharacter)) {
            penX += 8;
            continue;
        }
        const Bitmap &bm = glyphFor(ch, face, bold);
        for (int y = 0; y < 16; ++y) {
            const int by = oy + y;
            if (by < 0 || by >= box.height() || bm.rows[y] == 0) continue;
            auto *line = reinterpret_cast<QRgb *>(box.scanLine(by));
            for (int x = 0; x < bm.width; ++x) {
                const int bx = penX + x;
                if (bx >= 0 && bx < box.width() && (bm.rows[y] & (0x8000 >> x))) line[bx] = qRgb(0, 0, 0);
            }
        }
        penX += bm.width;
    }
}
