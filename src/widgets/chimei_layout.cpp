#include "widgets/chimei_layout.h"

#include "core/cp932.h"

#include <QStringList>

#include <algorithm>

namespace chimei {

namespace {

// A name longer than this is cut: the canvas of a scrolling name is 32 pixels per
// cell, and an absurdly long text must not ask for a canvas of gigabytes.
constexpr int kMaxCells = 1000;

struct Spacing {
    int y0;
    int pitch;
};

Spacing spacingFor(int cells, int mode) {
    switch (cells) {
    case 0: return {0, 0};
    case 1: return {80, 0};
    case 2: return mode == 2 ? Spacing{48, 64} : Spacing{32, 96};
    case 3: return {16, 64};
    case 4: return {8, 48};
    case 5: return {4, 38};
    default: return {0, kCellPixels};
    }
}

// Brackets, arrows and the like whose shape must turn for vertical writing.
const QStringList &turnedCharacters() {
    static const QStringList list = QString::fromUtf8("（ ） 『 』 〔 〕 「 」 ［ ］ ＜ ＞ ｛ ｝ 〈 〉 《 》 【 】 ～ ＝ → ← ⇒ ⇔")
                                        .split(QLatin1Char(' '));
    return list;
}

}  // namespace

Layout layoutText(const QString &text, int mode) {
    Layout out;
    // One encoding of the whole name; each cell is the same two-byte range that
    // MidB_ASCII(text, 2k - 1, 2) gives, decoded back.
    const QByteArray bytes = cp932::encode(text);
    out.bytes = static_cast<int>(bytes.size());
    out.cellCount = out.bytes / 2;
    const Spacing s = spacingFor(out.cellCount, mode);
    out.y0 = s.y0;
    out.pitch = s.pitch;
    out.scrolls = out.cellCount > kMaxStillCells;
    const int cells = std::min((out.bytes + 1) / 2, kMaxCells);
    if (out.scrolls) out.canvasHeight = kCellPixels * std::min(out.cellCount, kMaxCells);
    for (int k = 0; k < cells; ++k) {
        const QString cell = cp932::decode(bytes.mid(2 * k, 2));
        if (cell.isEmpty()) continue;
        out.cells.push_back({cell, kCellX, out.y0 + k * out.pitch});
    }
    return out;
}

CellRule cellRule(const QString &cellText, int fontMode) {
    static const QString longVowel = QString::fromUtf8("ー");
    static const QString stroke = QString::fromUtf8("丨");
    static const QString shin = QString::fromUtf8("申");
    static const QString yama = QString::fromUtf8("山");
    static const QString maru = QString::fromUtf8("。");
    static const QString ten = QString::fromUtf8("、");

    if (cellText == longVowel) return {stroke, 0, 0, false};
    if (cellText == shin || cellText == yama) {
        // These two sit one dot left of centre in the gothic face of the faces the
        // board was designed with; the shift is made only where gothic is chosen
        // for kanji.
        const bool shift = fontMode == 0 || fontMode == 2;
        return {cellText, shift ? 1 : 0, 0, false};
    }
    if (turnedCharacters().contains(cellText)) return {cellText, 0, 0, true};
    // The small marks sit in the bottom left of a horizontal cell; vertical
    // writing puts them in the top right.
    if (cellText == maru || cellText == ten) return {cellText, 10, -10, false};
    return {cellText, 0, 0, false};
}

QString faceName(Face face) {
    return face == Face::Gothic ? QString::fromUtf8("ＭＳ ゴシック") : QString::fromUtf8("ＭＳ 明朝");
}

int firstCharCode(const QString &text) {
    if (text.isEmpty()) return 0;
    const int len = text.at(0).isHighSurrogate() && text.size() > 1 ? 2 : 1;
    const QByteArray b = cp932::encode(text.left(len));
    if (b.isEmpty()) return 0;
    const int first = static_cast<unsigned char>(b.at(0));
    if (b.size() >= 2 && cp932::isLeadByte(static_cast<unsigned char>(first)))
        return first * 256 + static_cast<unsigned char>(b.at(1));
    return first;
}

Face faceFor(const QString &cellText, int fontMode) {
    const int c = firstCharCode(cellText);
    const bool doubleByte = c >= 0x8140;
    const bool kanji = c >= 0x889F;
    switch (fontMode) {
    case 1: return Face::Mincho;
    case 2: return (doubleByte && !kanji) ? Face::Mincho : Face::Gothic;
    case 3: return (doubleByte && !kanji) ? Face::Gothic : Face::Mincho;
    case 4: return (c >= 0x824F && c <= 0x829A) ? Face::Gothic : Face::Mincho;
    default: return Face::Gothic;
    }
}

}  // namespace chimei
