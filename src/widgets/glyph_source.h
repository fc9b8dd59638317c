#pragma once
// 16-dot glyphs for the stop-name strip. The two faces of the strip are the
// 16 x 16 bitmap fonts of the Shinonome family (gothic and mincho, each also bold,
// indexed by JIS X 0208 row and cell) and their 8 x 16 companion for single-byte
// characters (JIS X 0201, gothic only: mincho half-width characters come from the
// outline face), read with FreeType. A character those fonts lack, or
// every character when the font files are missing, is drawn from a system
// Japanese outline font at 16 pixels without antialiasing.
#include "widgets/chimei_layout.h"

#include <QHash>
#include <QImage>
#include <QString>

#include <array>
#include <future>
#include <cstdint>
#include <memory>

class GlyphSource {
public:
    // Where the Shinonome fonts are looked for unless told otherwise.
    static QString defaultFontDir();

    // The fonts are opened when a glyph of theirs is first wanted: a start that shows
    // no stop name, or only kana and kanji, never reads the others.
    explicit GlyphSource(const QString &fontDir = defaultFontDir());
    ~GlyphSource();
    GlyphSource(const GlyphSource &) = delete;
    GlyphSource &operator=(const GlyphSource &) = delete;

    // The one instance the controls share, so a glyph is read from its font once.
    static GlyphSource &shared();

    // Starts unpacking the fonts of the face (and weight) on another thread, so that
    // the first stop name does not wait for it on the window thread.
    void prefetch(chimei::Face face, bool bold);

    // True when the 16-dot font of the face (and weight) was found.
    bool hasBitmapFont(chimei::Face face, bool bold) const;

    // Draws the text in black into the box with its top-left at (ox, oy), clipped to
    // the box. Characters run left to right: a double-byte one 16 pixels wide, a
    // single-byte one 8. Half of a double-byte character (U+FFFD, as a byte range
    // that cuts one leaves it) keeps its 8 pixels blank.
    void draw(QImage &box, const QString &text, chimei::Face face, bool bold, int ox, int oy);

    // JIS X 0208 code (row and cell, 0x2121..0x7E7E) of a CP932 double-byte code;
    // 0 when the code has none.
    static int cp932ToJis(int code);

private:
    struct Bitmap {
        int width = 16;
        std::array<std::uint16_t, 16> rows{};  // bit 15 is the leftmost pixel
    };
    struct Font;

    QString fontPath(int index) const;  // empty when the file is missing
    const Font *font(int index) const;
    const Bitmap &glyphFor(const QString &ch, chimei::Face face, bool bold);
    bool loadBitmap(int fontIndex, int code, Bitmap &out);
    Bitmap renderFallback(const QString &ch, chimei::Face face, bool bold, int width) const;

    QString fontDir_;
    mutable void *library_ = nullptr;  // FT_Library
    mutable std::array<std::unique_ptr<Font>, 6> fonts_;
    mutable std::array<bool, 6> tried_{};
    mutable std::array<std::future<QByteArray>, 6> unpacking_;
    QHash<quint64, Bitmap> cache_;
};
