#pragma once
// Settings: the program's settings, one record in the ten blocks of the settings file.
// The options dialog edits it as each of its controls changes, the windows read it
// at the moment of use, and the settings file is read into it and written from it.
// Each block has its own changed signal, sent only when a value of that block
// changed, in file order when several change at once.
#include "core/info_cells.h"
#include "core/ini_data.h"

#include <QObject>

class Settings : public QObject {
    Q_OBJECT
public:
    explicit Settings(QObject *parent = nullptr);

    const IniData &record() const { return record_; }
    // Every block at once; the changed ones are signalled.
    void setRecord(const IniData &record);

    // --- the blocks -------------------------------------------------------------
    const DataDirInfo &dataDir() const { return record_.dataDir; }
    const PanelInfo &panel() const { return record_.panel; }
    const DegitInfo &degit() const { return record_.degit; }
    const ChimeiInfo &chimei() const { return record_.chimei; }
    const SoundInfo &sound() const { return record_.sound; }
    const SeirikenInfo &seiriken() const { return record_.seiriken; }
    const CtrlInfo &ctrl() const { return record_.ctrl; }
    const FormInfo &form() const { return record_.form; }
    const std::array<COLORREF, 17> &custColors() const { return record_.CustColors; }
    const std::array<DegitSetRecord, 32> &degitSet() const { return record_.DegitSet; }

    void setDataDir(const DataDirInfo &v);
    void setPanel(const PanelInfo &v);
    void setDegit(const DegitInfo &v);
    void setChimei(const ChimeiInfo &v);
    void setSound(const SoundInfo &v);
    void setSeiriken(const SeirikenInfo &v);
    void setCtrl(const CtrlInfo &v);
    void setForm(const FormInfo &v);
    void setCustColors(const std::array<COLORREF, 17> &v);
    void setDegitSet(const std::array<DegitSetRecord, 32> &v);

    // --- the settings file ----------------------------------------------------------
    // The file's bytes for the record.
    QByteArray fileBytes() const;
    // Takes a whole record read from the settings file (or the first start's demo's):
    // setRecord, then `loaded`.
    void adopt(const IniData &record);

    // --- typed values, as the windows use them ------------------------------------
    QString fareDataDir() const { return record_.dataDir.FareDataDir; }
    QString tapeDataDir() const { return record_.dataDir.TapeDataDir; }
    // The sound slots: 0 route set, 1 keys and list, 3 announcement, 4..6 announcement
    // by flag 1..3, 7 step, 8..10 step by column value 1..3 (2 is no slot).
    QString soundFile(int slot) const;
    bool stepSoundAlways() const { return record_.sound.StepAlways != 0; }
    int stepSoundColumnIndex() const { return record_.sound.StepColumn; }  // -1: none
    bool stepSoundSync() const { return record_.sound.StepSync != 0; }
    bool tapeSoundAlways() const { return record_.sound.TapeAlways != 0; }
    bool tapeSoundSync() const { return record_.sound.TapeSync != 0; }
    int ticketDateMode() const;  // 0 today, 1 the route set's day, 2 the fixed date
    QString fixedDate() const { return record_.seiriken.FixedDate; }
    bool usePreview() const { return record_.seiriken.UseSeiriPrev == 1; }
    QString pluginPath() const { return record_.seiriken.SeiriPlgPath; }
    InfoCellOptions infoCells() const;
    COLORREF labelColor(int state) const;  // 0 OFF, 1 ON1, 2 ON2
    bool panelEach() const { return record_.panel.PanelEach != 0; }
    bool panelUser(int state) const;
    QString panelFile(int state) const;
    bool autoSeiriNum() const { return record_.panel.AutoSeiriNum == 1; }
    int seiriNumStyle() const { return record_.panel.SeiriNumStyle; }
    bool seiriNumZero() const { return record_.panel.SeiriNumZero == 1; }
    COLORREF degitColor(int which) const;   // 0 back, 1 unlit, 2 lit
    COLORREF chimeiColor(int which) const;  // 0 back, 1 fore
    int chimeiFontMode() const { return record_.chimei.ChimeiFontMode; }
    bool chimeiBold() const { return record_.chimei.ChimeiBold == 1; }

signals:
    void dataDirChanged();
    void panelChanged();
    void degitChanged();
    void chimeiChanged();
    void soundChanged();
    void seirikenChanged();
    void ctrlChanged();
    void formChanged();
    void custColorsChanged();
    void degitSetChanged();
    // A whole record was taken from the settings file (or the first start's demo):
    // the windows are to take it now.
    void loaded();

private:
    template <class Block> void setBlock(Block &block, const Block &value, void (Settings::*changed)());

    IniData record_;
};
