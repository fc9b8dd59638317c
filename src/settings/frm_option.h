#pragma once
// frmOption: the options dialog. Its controls are the live store of nearly every
// setting: the other windows read them (through the accessors below) at the moment
// of use, so an edit counts at once, before "OK". It is created once, hidden, and
// never destroyed while the program runs.
#include "controls/colorref.h"

#include <QDialog>
#include <QString>

struct IniData;

// One information number that the board can show in a fare cell instead of a fare.
struct InfoCell {
    bool enabled = false;
    int cell = 1;  // board cell 1..32 (list position + 1)
};

struct InfoCellOptions {
    InfoCell stopOrder;       // Check3(0) + Combo4(0)
    bool countFromZero = false;  // Check3(4)
    InfoCell ticketNo;        // Check3(1) + Combo4(1)
    InfoCell routeNo;         // Check3(2) + Combo4(2)
    InfoCell dataColumn;      // Check3(3) + Combo4(3)
    int sourceColumn = 1;     // Combo4(4): data cell 1..150 (list position + 1)
};

class FrmOption : public QDialog {
    Q_OBJECT
public:
    explicit FrmOption(QWidget *parent = nullptr);

    // --- live settings, read by the other windows -----------------------------
    QString fareDataDir() const;          // Text2(0)
    QString tapeDataDir() const;          // Text2(1)
    QString soundFile(int index) const;   // txtSelectSound(0..10)
    bool stepSoundAlways() const;         // Option2(0) selected
    int stepSoundColumnIndex() const;     // Combo1 list position (-1: none)
    bool stepSoundSync() const;           // Option6(0) selected
    bool tapeSoundAlways() const;         // Option2(2) selected
    bool tapeSoundSync() const;           // Option7(0) selected
    int ticketDateMode() const;           // 0..2: the selected Option4
    QString fixedDate() const;            // Label10 caption, "yyyy/mm/dd"
    bool usePreview() const;              // chkUseSeiriPrev
    QString pluginPath() const;           // txtSeiriPlgDir
    InfoCellOptions infoCells() const;    // page 2
    COLORREF labelColor(int state) const; // Command5(0..2) back colour
    bool panelEach() const;               // Option3(1) "個別に設定する" selected
    bool panelUser(int state) const;      // Option3(6) / Option3(2) / Option3(5) selected
    QString panelFile(int state) const;   // txtSelectPanel(0..2)

    // --- operations -------------------------------------------------------------
    void GetOptionInfo(IniData &ini) const;
    void SetOptionInfo(const IniData &ini);
    void SetProp();
};
