#include "core/ini_codec.h"

#include "core/cp932.h"

#include <optional>

namespace inicodec {

namespace {

class Writer {
public:
    void block(const char *, int) {}
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
    void listPos(std::int16_t v, const char *, int) { i16(v); }
    void u16(std::uint16_t v) {
        bytes_.append(static_cast<char>(v & 0xFF));
        bytes_.append(static_cast<char>(v >> 8));
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void u32(std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) bytes_.append(static_cast<char>((v >> shift) & 0xFF));
    }
    void str(const QString &text) {
        QByteArray b = cp932::encode(text);
        if (b.size() > 0xFFFF) b = cutAtCharBoundary(b, 0xFFFF);
        u16(static_cast<std::uint16_t>(b.size()));
        bytes_.append(b);
    }
    QByteArray take() { return std::move(bytes_); }

private:
    static QByteArray cutAtCharBoundary(const QByteArray &b, int max) {
        int end = 0;
        for (int i = 0; i < b.size();) {
            const int len = cp932::isLeadByte(static_cast<unsigned char>(b[i])) ? 2 : 1;
            if (i + len > max) break;
            i += len;
            end = i;
        }
        return b.left(end);
    }
    QByteArray bytes_;
};

// Reads fields in order; the first failure sticks and every later read is a no-op,
// so a block can be read straight through and checked once at its end.
class Reader {
public:
    explicit Reader(const QByteArray &bytes) : bytes_(bytes) {}

    void block(const char *name, int number) {
        blockName_ = QString::fromLatin1(name);
        blockNumber_ = number;
    }
    void i16(std::int16_t &v) {
        if (auto raw = take(2)) v = static_cast<std::int16_t>(leU(*raw, 2));
    }
    void i32(std::int32_t &v) {
        if (auto raw = take(4)) v = static_cast<std::int32_t>(leU(*raw, 4));
    }
    void u32(std::uint32_t &v) {
        if (auto raw = take(4)) v = static_cast<std::uint32_t>(leU(*raw, 4));
    }
    void str(QString &v) {
        const auto len = take(2);
        if (!len) return;
        const int n = static_cast<int>(leU(*len, 2));
        if (pos_ + n > bytes_.size()) {
            fail(62, QStringLiteral("ブロック%1（%2）の文字列の長さ %3 バイトがファイルの終わりを越えています（位置 %4、ファイルの長さ %5 バイト）。")
                         .arg(blockNumber_)
                         .arg(blockName_)
                         .arg(n)
                         .arg(pos_ - 2)
                         .arg(bytes_.size()));
            return;
        }
        v = cp932::decode(bytes_.mid(pos_, n));
        pos_ += n;
    }
    // A list position must select an entry of its list or nothing (-1).
    void listPos(std::int16_t &v, const char *field, int count) {
        i16(v);
        if (failed() || (v >= -1 && v < count)) return;
        fail(380, QStringLiteral("ブロック%1（%2）の %3 の値 %4 はリストの範囲（-1～%5）にありません。")
                      .arg(blockNumber_)
                      .arg(blockName_)
                      .arg(QLatin1String(field))
                      .arg(v)
                      .arg(count - 1));
    }

    bool failed() const { return result_.errorCode != 0; }
    DecodeResult result() const {
        DecodeResult r = result_;
        r.ok = !failed();
        return r;
    }

private:
    std::optional<QByteArray> take(int n) {
        if (failed()) return std::nullopt;
        if (pos_ + n > bytes_.size()) {
            fail(62, QStringLiteral("ブロック%1（%2）の途中でファイルが終わっています（ファイルの長さ %3 バイト）。")
                         .arg(blockNumber_)
                         .arg(blockName_)
                         .arg(bytes_.size()));
            return std::nullopt;
        }
        QByteArray raw = bytes_.mid(pos_, n);
        pos_ += n;
        return raw;
    }
    static std::uint32_t leU(const QByteArray &raw, int n) {
        std::uint32_t v = 0;
        for (int i = n - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(raw[i]);
        return v;
    }
    void fail(int code, const QString &description) {
        result_.errorCode = code;
        result_.description = description;
    }

    const QByteArray &bytes_;
    int pos_ = 0;
    QString blockName_;
    int blockNumber_ = 0;
    DecodeResult result_;
};

constexpr int kCells = 32;     // cell lists "1".."32"
constexpr int kColumns = 150;  // column lists "1".."150"
constexpr int kStyles = 12;    // numbering styles
constexpr int kFontModes = 5;  // stop-name font choices

// Every field of the ten blocks, in file order, once: the writer copies them out, the
// reader in (checking lengths and list positions as it goes).
template <class Io, class Record>
void fields(Io &io, Record &ini) {
    io.block("DataDirInfo", 1);
    io.str(ini.dataDir.FareDataDir);
    io.str(ini.dataDir.TapeDataDir);

    io.block("PanelInfo", 2);
    auto &p = ini.panel;
    io.i16(p.AutoSeiriNum);
    for (auto &c : p.SeiriNumColor) io.u32(c);
    io.listPos(p.SeiriNumStyle, "SeiriNumStyle", kStyles);
    io.i16(p.SeiriNumZero);
    io.i16(p.PanelAuto);
    io.i16(p.PanelEach);
    io.i16(p.PanelOffBuiltIn);
    io.i16(p.PanelOffUser);
    io.i16(p.PanelOn1BuiltIn);
    io.i16(p.PanelOn1User);
    io.i16(p.PanelOn2BuiltIn);
    io.i16(p.PanelOn2User);
    for (auto &f : p.PanelFile) io.str(f);

    io.block("DegitInfo", 3);
    auto &d = ini.degit;
    io.u32(d.DegitBackColor);
    io.u32(d.DegitBaseColor);
    io.u32(d.DegitLitColor);
    io.i16(d.ShowStopOrder);
    io.listPos(d.StopOrderCell, "StopOrderCell", kCells);
    io.i16(d.CountFromZero);
    io.i16(d.ShowSeiriNum);
    io.listPos(d.SeiriNumCell, "SeiriNumCell", kCells);
    io.i16(d.ShowRouteNo);
    io.listPos(d.RouteNoCell, "RouteNoCell", kCells);
    io.i16(d.ShowDataColumn);
    io.listPos(d.DataColumn, "DataColumn", kColumns);
    io.listPos(d.DataColumnCell, "DataColumnCell", kCells);

    io.block("ChimeiInfo", 4);
    io.u32(ini.chimei.ChimeiBackColor);
    io.u32(ini.chimei.ChimeiForeColor);
    io.listPos(ini.chimei.ChimeiFontMode, "ChimeiFontMode", kFontModes);
    io.i16(ini.chimei.ChimeiBold);

    io.block("SoundInfo", 5);
    auto &s = ini.sound;
    io.str(s.RouteSetSound);
    io.str(s.ResetSound);
    io.i16(s.StepAlways);
    io.i16(s.StepByColumn);
    io.i16(s.StepSync);
    io.i16(s.StepAsync);
    io.str(s.StepSound);
    io.listPos(s.StepColumn, "StepColumn", kColumns);
    io.str(s.StepSound1);
    io.str(s.StepSound2);
    io.str(s.StepSound3);
    io.i16(s.TapeAlways);
    io.i16(s.TapeByFlag);
    io.i16(s.TapeSync);
    io.i16(s.TapeAsync);
    io.str(s.TapeSound);
    io.str(s.TapeSound1);
    io.str(s.TapeSound2);
    io.str(s.TapeSound3);

    io.block("SeirikenInfo", 6);
    auto &k = ini.seiriken;
    io.i16(k.UseSeiriPrev);
    io.str(k.SeiriPlgPath);
    io.i16(k.DateNow);
    io.i16(k.DateRouteSet);
    io.i16(k.DateFixed);
    io.str(k.FixedDate);

    io.block("CtrlInfo", 7);
    auto &c = ini.ctrl;
    io.i16(c.BackPanel);
    io.i32(c.ScrollSpeed);
    io.i32(c.ScrollWait);
    io.i16(c.LateNight);
    io.i16(c.PreviewOpen);
    io.i32(c.CtlLeft);
    io.i32(c.CtlTop);

    io.block("FormInfo", 8);
    io.i32(ini.form.BoardLeft);
    io.i32(ini.form.BoardTop);

    io.block("CustColors", 9);
    for (auto &col : ini.CustColors) io.u32(col);

    io.block("DegitSet", 10);
    // Always written as 32; read into a scratch value and not used.
    std::int16_t count = static_cast<std::int16_t>(ini.DegitSet.size());
    io.i16(count);
    for (auto &rec : ini.DegitSet) {
        io.i16(rec.Shift);
        io.i16(rec.ZeroMode);
        io.i16(rec.FillZero);
    }
}

}  // namespace

QByteArray encode(const IniData &ini) {
    Writer w;
    fields(w, ini);
    return w.take();
}

DecodeResult decode(const QByteArray &bytes, IniData &out) {
    IniData ini;
    Reader r(bytes);
    fields(r, ini);
    const DecodeResult result = r.result();
    if (result.ok) out = ini;
    return result;
}

}  // namespace inicodec
