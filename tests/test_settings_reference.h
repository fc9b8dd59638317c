#pragma once
// A settings-file encoder written field by field from the file's block tables, for
// checking the program's own encoder and the files it writes. It shares nothing
// with the code under test; non-ASCII strings use hand-made Shift-JIS bytes.
#include "settings/ini_data.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <map>

namespace settings_reference {

// Shift-JIS bytes of the non-ASCII strings used below, worked out by hand.
inline const std::map<QString, QByteArray> &knownSjis() {
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
    void w16(std::initializer_list<int> values) {
        for (int v : values) b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    }
    void w32(std::initializer_list<qint64> values) {
        for (qint64 v : values)
            for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF));
    }
    void s(std::initializer_list<QString> texts) {
        for (const QString &text : texts) {
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
            w16({int(bytes.size())});
            b.append(bytes);
        }
    }
};

// Field order, types and widths exactly as the block tables list them.
inline QByteArray referenceEncode(const IniData &d) {
    Ref r;
    r.s({d.dataDir.FareDataDir, d.dataDir.TapeDataDir});

    const PanelInfo &p = d.panel;
    r.w16({p.AutoSeiriNum});
    r.w32({p.SeiriNumColor[0], p.SeiriNumColor[1], p.SeiriNumColor[2]});
    r.w16({p.SeiriNumStyle, p.SeiriNumZero, p.PanelAuto, p.PanelEach, p.PanelOffBuiltIn, p.PanelOffUser,
           p.PanelOn1BuiltIn, p.PanelOn1User, p.PanelOn2BuiltIn, p.PanelOn2User});
    r.s({p.PanelFile[0], p.PanelFile[1], p.PanelFile[2]});

    const DegitInfo &g = d.degit;
    r.w32({g.DegitBackColor, g.DegitBaseColor, g.DegitLitColor});
    r.w16({g.ShowStopOrder, g.StopOrderCell, g.CountFromZero, g.ShowSeiriNum, g.SeiriNumCell, g.ShowRouteNo,
           g.RouteNoCell, g.ShowDataColumn, g.DataColumn, g.DataColumnCell});

    r.w32({d.chimei.ChimeiBackColor, d.chimei.ChimeiForeColor});
    r.w16({d.chimei.ChimeiFontMode, d.chimei.ChimeiBold});

    const SoundInfo &o = d.sound;
    r.s({o.RouteSetSound, o.ResetSound});
    r.w16({o.StepAlways, o.StepByColumn, o.StepSync, o.StepAsync});
    r.s({o.StepSound});
    r.w16({o.StepColumn});
    r.s({o.StepSound1, o.StepSound2, o.StepSound3});
    r.w16({o.TapeAlways, o.TapeByFlag, o.TapeSync, o.TapeAsync});
    r.s({o.TapeSound, o.TapeSound1, o.TapeSound2, o.TapeSound3});

    r.w16({d.seiriken.UseSeiriPrev});
    r.s({d.seiriken.SeiriPlgPath});
    r.w16({d.seiriken.DateNow, d.seiriken.DateRouteSet, d.seiriken.DateFixed});
    r.s({d.seiriken.FixedDate});

    r.w16({d.ctrl.BackPanel});
    r.w32({d.ctrl.ScrollSpeed, d.ctrl.ScrollWait});
    r.w16({d.ctrl.LateNight, d.ctrl.PreviewOpen});
    r.w32({d.ctrl.CtlLeft, d.ctrl.CtlTop, d.form.BoardLeft, d.form.BoardTop});

    for (int i = 0; i < 17; ++i) r.w32({d.CustColors[i]});
    r.w16({32});
    for (int i = 0; i < 32; ++i) r.w16({d.DegitSet[i].Shift, d.DegitSet[i].ZeroMode, d.DegitSet[i].FillZero});
    return r.b;
}

// Every field different from its neighbours, so a swapped or shifted field shows.
inline IniData sample() {
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

}  // namespace settings_reference
