// The settings file's byte layout, checked against an encoder written here field by
// field from the file's block tables (it shares nothing with the code under test).
#include "settings/ini_codec.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Shift-JIS bytes of the non-ASCII strings used below, worked out by hand.
const std::map<QString, QByteArray> &knownSjis() {
    static const std::map<QString, QByteArray> m = {
        {QStringLiteral("運賃データ"), QByteArray::fromHex("895e92c08366815b835e")},
        {QStringLiteral("放送"), QByteArray::fromHex("95fa9197")},
        {QStringLiteral("市役所前"), QByteArray::fromHex("8e7396f08f8a914f")},
        {QStringLiteral("～"), QByteArray::fromHex("8160")},
        {QStringLiteral("ｽｸﾛｰﾙ"), QByteArray::fromHex("bdb8dbb0d9")},
        {QStringLiteral("/home/バス/chime.wav"), QByteArray::fromHex("2f686f6d652f836f83582f6368696d652e776176")},
    };
    return m;
}

struct Ref {
    QByteArray b;
    void w16(int v) {
        b.append(char(v & 0xFF));
        b.append(char((v >> 8) & 0xFF));
    }
    void w32(qint64 v) {
        for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF));
    }
    void s(const QString &text) {
        QByteArray bytes;
        bool ascii = true;
        for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
        if (ascii) {
            bytes = text.toLatin1();
        } else {
            auto it = knownSjis().find(text);
            if (it == knownSjis().end()) {
                ADD_FAILURE() << "no hand-made bytes for " << text.toStdString();
                return;
            }
            bytes = it->second;
        }
        w16(int(bytes.size()));
        b.append(bytes);
    }
};

// Field order, types and widths exactly as the block tables list them.
QByteArray referenceEncode(const IniData &d) {
    Ref r;
    r.s(d.dataDir.FareDataDir);
    r.s(d.dataDir.TapeDataDir);

    r.w16(d.panel.AutoSeiriNum);
    r.w32(d.panel.SeiriNumColor[0]);
    r.w32(d.panel.SeiriNumColor[1]);
    r.w32(d.panel.SeiriNumColor[2]);
    r.w16(d.panel.SeiriNumStyle);
    r.w16(d.panel.SeiriNumZero);
    r.w16(d.panel.PanelAuto);
    r.w16(d.panel.PanelEach);
    r.w16(d.panel.PanelOffBuiltIn);
    r.w16(d.panel.PanelOffUser);
    r.w16(d.panel.PanelOn1BuiltIn);
    r.w16(d.panel.PanelOn1User);
    r.w16(d.panel.PanelOn2BuiltIn);
    r.w16(d.panel.PanelOn2User);
    r.s(d.panel.PanelFile[0]);
    r.s(d.panel.PanelFile[1]);
    r.s(d.panel.PanelFile[2]);

    r.w32(d.degit.DegitBackColor);
    r.w32(d.degit.DegitBaseColor);
    r.w32(d.degit.DegitLitColor);
    r.w16(d.degit.ShowStopOrder);
    r.w16(d.degit.StopOrderCell);
    r.w16(d.degit.CountFromZero);
    r.w16(d.degit.ShowSeiriNum);
    r.w16(d.degit.SeiriNumCell);
    r.w16(d.degit.ShowRouteNo);
    r.w16(d.degit.RouteNoCell);
    r.w16(d.degit.ShowDataColumn);
    r.w16(d.degit.DataColumn);
    r.w16(d.degit.DataColumnCell);

    r.w32(d.chimei.ChimeiBackColor);
    r.w32(d.chimei.ChimeiForeColor);
    r.w16(d.chimei.ChimeiFontMode);
    r.w16(d.chimei.ChimeiBold);

    r.s(d.sound.RouteSetSound);
    r.s(d.sound.ResetSound);
    r.w16(d.sound.StepAlways);
    r.w16(d.sound.StepByColumn);
    r.w16(d.sound.StepSync);
    r.w16(d.sound.StepAsync);
    r.s(d.sound.StepSound);
    r.w16(d.sound.StepColumn);
    r.s(d.sound.StepSound1);
    r.s(d.sound.StepSound2);
    r.s(d.sound.StepSound3);
    r.w16(d.sound.TapeAlways);
    r.w16(d.sound.TapeByFlag);
    r.w16(d.sound.TapeSync);
    r.w16(d.sound.TapeAsync);
    r.s(d.sound.TapeSound);
    r.s(d.sound.TapeSound1);
    r.s(d.sound.TapeSound2);
    r.s(d.sound.TapeSound3);

    r.w16(d.seiriken.UseSeiriPrev);
    r.s(d.seiriken.SeiriPlgPath);
    r.w16(d.seiriken.DateNow);
    r.w16(d.seiriken.DateRouteSet);
    r.w16(d.seiriken.DateFixed);
    r.s(d.seiriken.FixedDate);

    r.w16(d.ctrl.BackPanel);
    r.w32(d.ctrl.ScrollSpeed);
    r.w32(d.ctrl.ScrollWait);
    r.w16(d.ctrl.LateNight);
    r.w16(d.ctrl.PreviewOpen);
    r.w32(d.ctrl.CtlLeft);
    r.w32(d.ctrl.CtlTop);

    r.w32(d.form.BoardLeft);
    r.w32(d.form.BoardTop);

    for (int i = 0; i < 17; ++i) r.w32(d.CustColors[i]);

    r.w16(32);
    for (int i = 0; i < 32; ++i) {
        r.w16(d.DegitSet[i].Shift);
        r.w16(d.DegitSet[i].ZeroMode);
        r.w16(d.DegitSet[i].FillZero);
    }
    return r.b;
}

// Every field different from its neighbours, so a swapped or shifted field shows.
IniData sample() {
    IniData d;
    d.dataDir = {QStringLiteral("運賃データ"), QStringLiteral("/data/tape")};
    d.panel.AutoSeiriNum = 1;
    d.panel.SeiriNumColor = {0x00112233u, 0x00445566u, 0x00778899u};
    d.panel.SeiriNumStyle = 11;
    d.panel.SeiriNumZero = 1;
    d.panel.PanelAuto = 0;
    d.panel.PanelEach = -1;
    d.panel.PanelOffBuiltIn = 0;
    d.panel.PanelOffUser = -1;
    d.panel.PanelOn1BuiltIn = -1;
    d.panel.PanelOn1User = 0;
    d.panel.PanelOn2BuiltIn = 0;
    d.panel.PanelOn2User = -1;
    d.panel.PanelFile = {QStringLiteral("off.bmp"), QString(), QStringLiteral("市役所前")};
    d.degit = {0x00010203u, 0x00040506u, 0x00070809u, 1, 31, 1, 1, 7, 1, 9, 1, 149, 12};
    d.chimei = {0x00A0B0C0u, 0x00D0E0F0u, 4, 1};
    d.sound.RouteSetSound = QStringLiteral("/home/バス/chime.wav");
    d.sound.ResetSound = QStringLiteral("reset.wav");
    d.sound.StepAlways = 0;
    d.sound.StepByColumn = -1;
    d.sound.StepSync = -1;
    d.sound.StepAsync = 0;
    d.sound.StepSound = QStringLiteral("step.mp3");
    d.sound.StepColumn = 42;
    d.sound.StepSound1 = QStringLiteral("～");
    d.sound.StepSound2 = QStringLiteral("ｽｸﾛｰﾙ");
    d.sound.StepSound3 = QStringLiteral("s3.mid");
    d.sound.TapeAlways = 0;
    d.sound.TapeByFlag = -1;
    d.sound.TapeSync = 0;
    d.sound.TapeAsync = -1;
    d.sound.TapeSound = QStringLiteral("放送");
    d.sound.TapeSound1 = QStringLiteral("t1.wav");
    d.sound.TapeSound2 = QString();
    d.sound.TapeSound3 = QStringLiteral("t3.wav");
    d.seiriken = {1, QStringLiteral("/plg/a.4SP"), 0, 0, -1, QStringLiteral("2024/05/06")};
    d.ctrl = {1, 1234, 2999, 1, 1, -70000, 123456};
    d.form = {-15, 98765};
    for (int i = 0; i < 17; ++i) d.CustColors[i] = 0x00F00000u + COLORREF(i);
    for (int i = 0; i < 32; ++i) d.DegitSet[i] = {std::int16_t(i), std::int16_t(i % 4), std::int16_t(-i)};
    return d;
}

}  // namespace

TEST(SettingsCodec, BytesMatchTheBlockTablesAndReadBack) {
    const IniData d = sample();
    const QByteArray expected = referenceEncode(d);
    EXPECT_EQ(inicodec::encode(d).toHex(' '), expected.toHex(' '));

    IniData back;
    const auto r = inicodec::decode(expected, back);
    ASSERT_TRUE(r.ok) << r.description.toStdString();
    EXPECT_EQ(back, d);
    EXPECT_EQ(back.sound.RouteSetSound, QStringLiteral("/home/バス/chime.wav"));
    EXPECT_EQ(back.sound.StepSound1, QStringLiteral("～"));
}

TEST(SettingsCodec, AllEmptyStringsGive430BytesAndTheDefaultsReadBack) {
    const IniData defaults;
    const QByteArray bytes = inicodec::encode(defaults);
    ASSERT_EQ(bytes.size(), 430);
    EXPECT_EQ(bytes, referenceEncode(defaults));
    // The file opens with the two empty folder strings and ends with the 32 records.
    EXPECT_EQ(bytes.left(4), QByteArray(4, '\0'));
    EXPECT_EQ(bytes.mid(430 - 194, 2), QByteArray("\x20\x00", 2));
    IniData back = sample();
    ASSERT_TRUE(inicodec::decode(bytes, back).ok);
    EXPECT_EQ(back, defaults);
}

TEST(SettingsCodec, CountBeforeTheDigitRecordsIsIgnored) {
    const IniData d = sample();
    for (int count : {0, 5, 33, -1}) {
        QByteArray bytes = referenceEncode(d);
        const int at = int(bytes.size()) - 194;
        bytes[at] = char(count & 0xFF);
        bytes[at + 1] = char((count >> 8) & 0xFF);
        IniData back;
        ASSERT_TRUE(inicodec::decode(bytes, back).ok) << count;
        EXPECT_EQ(back.DegitSet, d.DegitSet) << count;
    }
    // Bytes after the last record are not read either.
    IniData back;
    ASSERT_TRUE(inicodec::decode(referenceEncode(d) + "junk", back).ok);
    EXPECT_EQ(back, d);
}

TEST(SettingsCodec, ShortOrDamagedFilesChangeNothing) {
    const IniData d = sample();
    const QByteArray good = referenceEncode(d);
    const IniData untouched = IniData();

    // Every truncation, including the empty file.
    for (int len = 0; len < good.size(); ++len) {
        IniData out = untouched;
        const auto r = inicodec::decode(good.left(len), out);
        ASSERT_FALSE(r.ok) << len;
        EXPECT_EQ(r.errorCode, 62) << len;
        EXPECT_FALSE(r.description.isEmpty());
        ASSERT_EQ(out, untouched) << len;
    }

    // A string length that runs past the end of the file.
    QByteArray longString = good;
    longString[0] = char(0xFF);
    longString[1] = char(0xFF);
    IniData out;
    auto r = inicodec::decode(longString, out);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errorCode, 62);
    EXPECT_TRUE(r.description.contains(QStringLiteral("65535"))) << r.description.toStdString();
    EXPECT_EQ(out, untouched);

    // A list position that selects nothing the list holds (numbering style 57).
    IniData badStyle = d;
    badStyle.panel.SeiriNumStyle = 57;
    r = inicodec::decode(referenceEncode(badStyle), out);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errorCode, 380);
    EXPECT_TRUE(r.description.contains(QStringLiteral("SeiriNumStyle")));
    EXPECT_EQ(out, untouched);
    // The edges of the lists are fine: none selected, and the last entry.
    IniData edges = d;
    edges.degit.DataColumn = 149;
    edges.sound.StepColumn = -1;
    edges.chimei.ChimeiFontMode = -1;
    ASSERT_TRUE(inicodec::decode(referenceEncode(edges), out).ok);
    EXPECT_EQ(out, edges);
    edges.degit.DataColumnCell = 32;
    EXPECT_FALSE(inicodec::decode(referenceEncode(edges), out).ok);
}

TEST(SettingsCodec, OverlongStringIsCutOnACharacterBoundary) {
    IniData d;
    d.dataDir.FareDataDir = QString(40000, QChar(0x3042));  // "あ", two bytes each
    const QByteArray bytes = inicodec::encode(d);
    EXPECT_EQ(quint8(bytes[0]) | (quint8(bytes[1]) << 8), 65534);
    IniData back;
    ASSERT_TRUE(inicodec::decode(bytes, back).ok);
    EXPECT_EQ(back.dataDir.FareDataDir, QString(32767, QChar(0x3042)));
}
