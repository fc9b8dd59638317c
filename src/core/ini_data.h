#pragma once
// IniData: the settings record, as the settings file holds it (owned by Settings,
// core/settings.h). Ten blocks, in file order. Option-button
// fields hold -1 (selected) or 0, check boxes 0 or 1, list positions 0-based or -1.
#include "core/colorref.h"

#include <QString>
#include <array>
#include <cstdint>

struct DataDirInfo {
    QString FareDataDir;
    QString TapeDataDir;

    bool operator==(const DataDirInfo &) const = default;
};

struct PanelInfo {
    std::int16_t AutoSeiriNum = 0;
    std::array<COLORREF, 3> SeiriNumColor{RGB(0, 128, 0), RGB(0, 192, 0), RGB(192, 255, 192)};
    std::int16_t SeiriNumStyle = 0;
    std::int16_t SeiriNumZero = 0;
    std::int16_t PanelAuto = -1;
    std::int16_t PanelEach = 0;
    std::int16_t PanelOffBuiltIn = -1;
    std::int16_t PanelOffUser = 0;
    std::int16_t PanelOn1BuiltIn = -1;
    std::int16_t PanelOn1User = 0;
    std::int16_t PanelOn2BuiltIn = -1;
    std::int16_t PanelOn2User = 0;
    std::array<QString, 3> PanelFile;

    bool operator==(const PanelInfo &) const = default;
};

struct DegitInfo {
    COLORREF DegitBackColor = RGB(128, 128, 128);
    COLORREF DegitBaseColor = RGB(150, 150, 150);
    COLORREF DegitLitColor = RGB(248, 210, 114);
    std::int16_t ShowStopOrder = 0;
    std::int16_t StopOrderCell = 0;
    std::int16_t CountFromZero = 0;
    std::int16_t ShowSeiriNum = 0;
    std::int16_t SeiriNumCell = 0;
    std::int16_t ShowRouteNo = 0;
    std::int16_t RouteNoCell = 0;
    std::int16_t ShowDataColumn = 0;
    std::int16_t DataColumn = 0;
    std::int16_t DataColumnCell = 0;

    bool operator==(const DegitInfo &) const = default;
};

struct ChimeiInfo {
    COLORREF ChimeiBackColor = RGB(128, 128, 128);
    COLORREF ChimeiForeColor = RGB(255, 255, 0);
    std::int16_t ChimeiFontMode = -1;
    std::int16_t ChimeiBold = 0;

    bool operator==(const ChimeiInfo &) const = default;
};

struct SoundInfo {
    QString RouteSetSound;
    QString ResetSound;
    std::int16_t StepAlways = -1;
    std::int16_t StepByColumn = 0;
    std::int16_t StepSync = 0;
    std::int16_t StepAsync = -1;
    QString StepSound;
    std::int16_t StepColumn = 0;
    QString StepSound1, StepSound2, StepSound3;
    std::int16_t TapeAlways = -1;
    std::int16_t TapeByFlag = 0;
    std::int16_t TapeSync = -1;
    std::int16_t TapeAsync = 0;
    QString TapeSound;
    QString TapeSound1, TapeSound2, TapeSound3;

    bool operator==(const SoundInfo &) const = default;
};

struct SeirikenInfo {
    std::int16_t UseSeiriPrev = 0;
    QString SeiriPlgPath;
    std::int16_t DateNow = -1;
    std::int16_t DateRouteSet = 0;
    std::int16_t DateFixed = 0;
    QString FixedDate;

    bool operator==(const SeirikenInfo &) const = default;
};

struct CtrlInfo {
    std::int16_t BackPanel = 0;
    std::int32_t ScrollSpeed = 1;
    std::int32_t ScrollWait = 0;
    std::int16_t LateNight = 0;
    std::int16_t PreviewOpen = 0;
    std::int32_t CtlLeft = 0;
    std::int32_t CtlTop = 0;

    bool operator==(const CtrlInfo &) const = default;
};

struct FormInfo {
    std::int32_t BoardLeft = 0;
    std::int32_t BoardTop = 0;

    bool operator==(const FormInfo &) const = default;
};

struct DegitSetRecord {
    std::int16_t Shift = 0;
    std::int16_t ZeroMode = 0;
    std::int16_t FillZero = 0;

    bool operator==(const DegitSetRecord &) const = default;
};

struct IniData {
    DataDirInfo dataDir;
    PanelInfo panel;
    DegitInfo degit;
    ChimeiInfo chimei;
    SoundInfo sound;
    SeirikenInfo seiriken;
    CtrlInfo ctrl;
    FormInfo form;
    std::array<COLORREF, 17> CustColors{};
    std::array<DegitSetRecord, 32> DegitSet{};

    bool operator==(const IniData &) const = default;
};
