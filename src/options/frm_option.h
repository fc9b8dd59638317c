#pragma once
// frmOption: the options dialog. Its controls are the live store of nearly every
// setting: the other windows read them (through the accessors below) at the moment
// of use, so an edit counts at once, before "OK". It is created once, hidden, and
// never destroyed while the program runs.
#include "core/colorref.h"
#include "core/info_cells.h"

#include <QDialog>
#include <QJsonObject>
#include <QString>
#include <array>

struct IniData;
class ColorButton;
class M_Degit;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TicketPanel;

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
    bool autoSeiriNum() const;            // Check1
    int seiriNumStyle() const;            // Combo2 list position
    bool seiriNumZero() const;            // Check2
    COLORREF degitColor(int which) const; // Command8(0..2): back, unlit, lit
    COLORREF chimeiColor(int which) const;// Command9(0..1): back, fore
    int chimeiFontMode() const;           // Combo3 list position
    bool chimeiBold() const;              // Check4

    // The board's built-in defaults write these two settings.
    void setAutoSeiriNum(bool on);
    void setLabelColor(int state, COLORREF color);

    // --- operations -------------------------------------------------------------
    void GetOptionInfo(IniData &ini) const;
    void SetOptionInfo(const IniData &ini);
    // Puts the settings on the board and the panel: emits applyRequested, which the
    // program's top answers at once (board_layout::ApplyOptions).
    void SetProp();
    // Lets the user change a colour button's colour with the colour chooser.
    void GetBtnColor(ColorButton *button);
    // Takes a ticket plug-in: lists what it prints, shows its remarks, sizes the
    // panel's preview and fills its company list. 2 when accepted, 0 when the path is
    // empty or not a plug-in (then nothing changes).
    int SetPlgin(const QString &path);
    // The panel whose preview and company list the plug-in box sets.
    void setTicketPanel(TicketPanel *panel);

    // Every named control's state, for the scripted operation's dump.
    QJsonObject dumpState() const;

    // Closing by the frame (or Escape) keeps every value and applies it like "OK".
    void reject() override;

signals:
    // An error box with this text and title is to be shown over the dialog.
    void errorBoxRequested(const QString &text, const QString &title);
    // SetProp was called: the windows are to take the dialog's settings now.
    void applyRequested();
    // SetOptionInfo has loaded the panel settings: the panel re-applies its backlight
    // with them before the remaining settings are loaded.
    void panelSettingsLoaded();

private:
    void buildPageButtons();
    void buildDataPage(QGroupBox *page);
    void buildPanelPage(QGroupBox *page);
    void buildDegitPage(QGroupBox *page);
    void buildChimeiPage(QGroupBox *page);
    void buildSoundPage(QGroupBox *page);
    void buildSoundSubFrames(QGroupBox *page);
    void buildPreviewPage(QGroupBox *page);
    void connectReactions();
    void groupOptionButtons();
    void Form_Load();

    QString GetPathString(const QString &defaultFolder);
    void showPage(int index);
    void showSoundFrame(int index);
    void updateFrame3();
    void updateInfoCells(int index);
    void updatePanelFrames();
    void updatePreviewFrames();
    void updateSampleDegit();
    // The holders of blocks 1-6, visited in file order by one exchange in either
    // direction (controls to record, record to controls).
    template <class Visit, class Record> void exchangeFoldersAndPanel(Visit &v, Record &ini) const;
    template <class Visit, class Record> void exchangeDigits(Visit &v, Record &ini) const;
    template <class Visit, class Record> void exchangeNameSoundsPreview(Visit &v, Record &ini) const;
    void Command4_Click();
    void Command7_Click();
    void Command11_Click();
    void Command1_Click();
    void cmdSelectSound_Click(int index);
    void Command6_Click(int index);

    // page buttons and pages
    std::array<QRadioButton *, 6> Option1_{};
    std::array<QGroupBox *, 6> Frame1_{};
    QPushButton *Command4_ = nullptr;
    // page 0
    std::array<QLineEdit *, 2> Text2_{};
    std::array<QPushButton *, 2> Command3_{}, Command10_{};
    // page 1
    QCheckBox *Check1_ = nullptr;
    QGroupBox *Frame4_ = nullptr, *Frame3_ = nullptr;
    std::array<QRadioButton *, 8> Option3_{};
    std::array<QGroupBox *, 3> Frame6_{};
    std::array<QLineEdit *, 3> txtSelectPanel_{};
    std::array<QPushButton *, 3> Command6_{};
    QComboBox *Combo2_ = nullptr;
    QCheckBox *Check2_ = nullptr;
    std::array<ColorButton *, 3> Command5_{};
    // page 2
    std::array<QCheckBox *, 5> Check3_{};
    std::array<QComboBox *, 5> Combo4_{};
    std::array<ColorButton *, 3> Command8_{};
    M_Degit *M_Degit1_ = nullptr;
    // page 3
    std::array<ColorButton *, 2> Command9_{};
    QComboBox *Combo3_ = nullptr;
    QCheckBox *Check4_ = nullptr;
    // page 4 (index 2 of the sound boxes does not exist)
    std::array<QLineEdit *, 11> txtSelectSound_{};
    std::array<QPushButton *, 11> cmdSelectSound_{};
    std::array<QRadioButton *, 2> Option5_{};
    std::array<QGroupBox *, 2> Frame2_{};
    std::array<QRadioButton *, 4> Option2_{};
    std::array<QRadioButton *, 2> Option6_{}, Option7_{};
    QComboBox *Combo1_ = nullptr;
    // page 5
    QCheckBox *chkUseSeiriPrev_ = nullptr;
    QGroupBox *Frame10_ = nullptr, *Frame7_ = nullptr;
    QLineEdit *txtSeiriPlgDir_ = nullptr;
    QPushButton *Command1_ = nullptr, *Command11_ = nullptr, *Command7_ = nullptr;
    QListWidget *List1_ = nullptr;
    QPlainTextEdit *txtPlginComment_ = nullptr;
    std::array<QRadioButton *, 3> Option4_{};
    QLabel *Label10_ = nullptr;
    TicketPanel *ticketPanel_ = nullptr;
};
