#include "settings/ini_codec.h"

#include "companion/cp932.h"

#include <optional>

namespace inicodec {

namespace {

class Writer {
public:
    void i16(std::int16_t v) { u16(static_cast<std::uint16_t>(v)); }
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

}  // namespace

QByteArray encode(const IniData &ini) {
    Writer w;
    // 1 DataDirInfo
    w.str(ini.dataDir.FareDataDir);
    w.str(ini.dataDir.TapeDataDir);
    // 2 PanelInfo
    const PanelInfo &p = ini.panel;
    w.i16(p.AutoSeiriNum);
    for (COLORREF c : p.SeiriNumColor) w.u32(c);
    w.i16(p.SeiriNumStyle);
    w.i16(p.SeiriNumZero);
    w.i16(p.PanelAuto);
    w.i16(p.PanelEach);
    w.i16(p.PanelOffBuiltIn);
    w.i16(p.PanelOffUser);
    w.i16(p.PanelOn1BuiltIn);
    w.i16(p.PanelOn1User);
    w.i16(p.PanelOn2BuiltIn);
    w.i16(p.PanelOn2User);
    for (const QString &f : p.PanelFile) w.str(f);
    // 3 DegitInfo
    const DegitInfo &d = ini.degit;
    w.u32(d.DegitBackColor);
    w.u32(d.DegitBaseColor);
    w.u32(d.DegitLitColor);
    w.i16(d.ShowStopOrder);
    w.i16(d.StopOrderCell);
    w.i16(d.CountFromZero);
    w.i16(d.ShowSeiriNum);
    w.i16(d.SeiriNumCell);
    w.i16(d.ShowRouteNo);
    w.i16(d.RouteNoCell);
    w.i16(d.ShowDataColumn);
    w.i16(d.DataColumn);
    w.i16(d.DataColumnCell);
    // 4 ChimeiInfo
    w.u32(ini.chimei.ChimeiBackColor);
    w.u32(ini.chimei.ChimeiForeColor);
    w.i16(ini.chimei.ChimeiFontMode);
    w.i16(ini.chimei.ChimeiBold);
    // 5 SoundInfo
    const SoundInfo &s = ini.sound;
    w.str(s.RouteSetSound);
    w.str(s.ResetSound);
    w.i16(s.StepAlways);
    w.i16(s.StepByColumn);
    w.i16(s.StepSync);
    w.i16(s.StepAsync);
    w.str(s.StepSound);
    w.i16(s.StepColumn);
    w.str(s.StepSound1);
    w.str(s.StepSound2);
    w.str(s.StepSound3);
    w.i16(s.TapeAlways);
    w.i16(s.TapeByFlag);
    w.i16(s.TapeSync);
    w.i16(s.TapeAsync);
    w.str(s.TapeSound);
    w.str(s.TapeSound1);
    w.str(s.TapeSound2);
    w.str(s.TapeSound3);
    // 6 SeirikenInfo
    const SeirikenInfo &k = ini.seiriken;
    w.i16(k.UseSeiriPrev);
    w.str(k.SeiriPlgPath);
    w.i16(k.DateNow);
    w.i16(k.DateRouteSet);
    w.i16(k.DateFixed);
    w.str(k.FixedDate);
    // 7 CtrlInfo
    const CtrlInfo &c = ini.ctrl;
    w.i16(c.BackPanel);
    w.i32(c.ScrollSpeed);
    w.i32(c.ScrollWait);
    w.i16(c.LateNight);
    w.i16(c.PreviewOpen);
    w.i32(c.CtlLeft);
    w.i32(c.CtlTop);
    // 8 FormInfo
    w.i32(ini.form.BoardLeft);
    w.i32(ini.form.BoardTop);
    // 9 CustColors
    for (COLORREF col : ini.CustColors) w.u32(col);
    // 10 DegitSet: the count, then the records
    w.i16(static_cast<std::int16_t>(ini.DegitSet.size()));
    for (const DegitSetRecord &r : ini.DegitSet) {
        w.i16(r.Shift);
        w.i16(r.ZeroMode);
        w.i16(r.FillZero);
    }
    return w.take();
}

DecodeResult decode(const QByteArray &bytes, IniData &out) {
    IniData ini;
    Reader r(bytes);

    r.block("DataDirInfo", 1);
    r.str(ini.dataDir.FareDataDir);
    r.str(ini.dataDir.TapeDataDir);

    r.block("PanelInfo", 2);
    PanelInfo &p = ini.panel;
    r.i16(p.AutoSeiriNum);
    for (COLORREF &c : p.SeiriNumColor) r.u32(c);
    r.listPos(p.SeiriNumStyle, "SeiriNumStyle", kStyles);
    r.i16(p.SeiriNumZero);
    r.i16(p.PanelAuto);
    r.i16(p.PanelEach);
    r.i16(p.PanelOffBuiltIn);
    r.i16(p.PanelOffUser);
    r.i16(p.PanelOn1BuiltIn);
    r.i16(p.PanelOn1User);
    r.i16(p.PanelOn2BuiltIn);
    r.i16(p.PanelOn2User);
    for (QString &f : p.PanelFile) r.str(f);

    r.block("DegitInfo", 3);
    DegitInfo &d = ini.degit;
    r.u32(d.DegitBackColor);
    r.u32(d.DegitBaseColor);
    r.u32(d.DegitLitColor);
    r.i16(d.ShowStopOrder);
    r.listPos(d.StopOrderCell, "StopOrderCell", kCells);
    r.i16(d.CountFromZero);
    r.i16(d.ShowSeiriNum);
    r.listPos(d.SeiriNumCell, "SeiriNumCell", kCells);
    r.i16(d.ShowRouteNo);
    r.listPos(d.RouteNoCell, "RouteNoCell", kCells);
    r.i16(d.ShowDataColumn);
    r.listPos(d.DataColumn, "DataColumn", kColumns);
    r.listPos(d.DataColumnCell, "DataColumnCell", kCells);

    r.block("ChimeiInfo", 4);
    r.u32(ini.chimei.ChimeiBackColor);
    r.u32(ini.chimei.ChimeiForeColor);
    r.listPos(ini.chimei.ChimeiFontMode, "ChimeiFontMode", kFontModes);
    r.i16(ini.chimei.ChimeiBold);

    r.block("SoundInfo", 5);
    SoundInfo &s = ini.sound;
    r.str(s.RouteSetSound);
    r.str(s.ResetSound);
    r.i16(s.StepAlways);
    r.i16(s.StepByColumn);
    r.i16(s.StepSync);
    r.i16(s.StepAsync);
    r.str(s.StepSound);
    r.listPos(s.StepColumn, "StepColumn", kColumns);
    r.str(s.StepSound1);
    r.str(s.StepSound2);
    r.str(s.StepSound3);
    r.i16(s.TapeAlways);
    r.i16(s.TapeByFlag);
    r.i16(s.TapeSync);
    r.i16(s.TapeAsync);
    r.str(s.TapeSound);
    r.str(s.TapeSound1);
    r.str(s.TapeSound2);
    r.str(s.TapeSound3);

    r.block("SeirikenInfo", 6);
    SeirikenInfo &k = ini.seiriken;
    r.i16(k.UseSeiriPrev);
    r.str(k.SeiriPlgPath);
    r.i16(k.DateNow);
    r.i16(k.DateRouteSet);
    r.i16(k.DateFixed);
    r.str(k.FixedDate);

    r.block("CtrlInfo", 7);
    CtrlInfo &c = ini.ctrl;
    r.i16(c.BackPanel);
    r.i32(c.ScrollSpeed);
    r.i32(c.ScrollWait);
    r.i16(c.LateNight);
    r.i16(c.PreviewOpen);
    r.i32(c.CtlLeft);
    r.i32(c.CtlTop);

    r.block("FormInfo", 8);
    r.i32(ini.form.BoardLeft);
    r.i32(ini.form.BoardTop);

    r.block("CustColors", 9);
    for (COLORREF &col : ini.CustColors) r.u32(col);

    r.block("DegitSet", 10);
    std::int16_t ignoredCount = 0;
    r.i16(ignoredCount);
    for (DegitSetRecord &rec : ini.DegitSet) {
        r.i16(rec.Shift);
        r.i16(rec.ZeroMode);
        r.i16(rec.FillZero);
    }

    const DecodeResult result = r.result();
    if (result.ok) out = ini;
    return result;
}

}  // namespace inicodec
