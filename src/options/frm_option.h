#pragma once
// frmOption: the options dialog. Its controls show and edit the program's Settings:
// each edit goes into Settings at once (the other windows read Settings at the moment
// of use, so an edit counts before "OK"), and a block of Settings changed elsewhere
// (the settings file, the board's defaults) shows in the controls at once. The board
// takes the looks only through applyToWindows ("OK"). It is created once, hidden, and never
// destroyed while the program runs.
#include "core/colorref.h"

#include <QDialog>
#include <QJsonObject>
#include <QString>
#include <array>

struct IniData;
class Settings;
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
    explicit FrmOption(Settings &settings, QWidget *parent = nullptr);

    Settings &settings() const { return settings_; }

    // --- operations -------------------------------------------------------------
    // The controls' values in the record's six option blocks (the others untouched).
    void readOptionBlocks(IniData &ini) const;
    // The record's six option blocks into Settings (and so into the controls), then
    // what a load does after: takeLoadedSettings.
    void takeOptionBlocks(const IniData &ini);
    // The rest of taking a loaded record, once the controls show it: the panel
    // re-applies its backlight, the sample digit takes its colours, and the stored
    // ticket plug-in is listed.
    void takeLoadedSettings();
    // What the controls hold, into Settings. Every edit does this by itself; only the
    // fixed date's label tells no one when a script writes its text, so the save
    // gathers it here.
    void storeControls();
    // Puts the settings on the board and the panel: emits applyRequested, which the
    // program's top answers at once (board_layout::applyOptions).
    void applyToWindows();
    // Lets the user change a colour button's colour with the colour chooser.
    void chooseButtonColor(ColorButton *button);
    // Takes a ticket plug-in: lists what it prints, shows its remarks, sizes the
    // panel's preview and fills its company list. 2 when accepted, 0 when the path is
    // empty or not a plug-in (then nothing changes).
    int takePlugin(const QString &path);
    // The panel whose preview and company list the plug-in box sets.
    void setTicketPanel(TicketPanel *panel);

    // Every named control's state, for the scripted operation's dump.
    QJsonObject dumpState() const;

    // Closing by the frame (or Escape) keeps every value and applies it like "OK".
    void reject() override;

signals:
    // An error box with this text and title is to be shown over the dialog.
    void errorBoxRequested(const QString &text, const QString &title);
    // applyToWindows was called: the windows are to take the dialog's settings now.
    void applyRequested();
    // A loaded record is in the controls: the panel re-applies its backlight with it.
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
    void load();

    QString chooseFolder(const QString &defaultFolder);
    void showPage(int index);
    void showSoundFrame(int index);
    void updateFrame3();
    void updateInfoCells(int index);
    void updatePanelFrames();
    void updatePreviewFrames();
    void updateSampleDegit();
    // The holders of blocks 1-6, one exchange per block in either direction
    // (controls to record, record to controls).
    template <class Visit, class Block> void exchangeDataDir(Visit &v, Block &b) const;
    template <class Visit, class Block> void exchangePanel(Visit &v, Block &b) const;
    template <class Visit, class Block> void exchangeDegit(Visit &v, Block &b) const;
    template <class Visit, class Block> void exchangeChimei(Visit &v, Block &b) const;
    template <class Visit, class Block> void exchangeSound(Visit &v, Block &b) const;
    template <class Visit, class Block> void exchangeSeiriken(Visit &v, Block &b) const;
    // Settings and the controls kept alike: an edit is stored, a block changed
    // elsewhere is shown (and stored back as the controls hold it).
    void bindSettings();
    template <class Block, class Exchange>
    void bindBlock(void (Settings::*changed)(), const Block &(Settings::*get)() const,
                   void (Settings::*set)(const Block &), Exchange exchange);
    void acceptOptions();
    void chooseFixedDate();
    void clearPlugin();
    void choosePlugin();
    void chooseSound(int index);
    void choosePanelPicture(int index);

    Settings &settings_;
    bool showing_ = true;   // the controls are being set from Settings (or built)
    bool storing_ = false;  // the controls' values are going into Settings

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
