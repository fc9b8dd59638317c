#pragma once
// frmCtl: the driver's control panel ("集中操作盤"). It owns the trip state, the two
// ways of entering a route and section (digit lists and keypad), stepping, blanking,
// late-night fares, scroll speed, backlight, announcements and the ticket preview.
#include <QWidget>
#include <array>
#include <cstdint>

struct CtrlInfo;

class FrmCtl : public QWidget {
    Q_OBJECT
public:
    explicit FrmCtl(QWidget *parent = nullptr);

    // The load action: board caption, keypad regions, announcement engine.
    void Form_Load();

    void DispData(int row);
    void GetCtrlDataInfo(CtrlInfo &info) const;
    void SetCtrlDataInfo(const CtrlInfo &info);
    void Option4_Click(int index);
    // The selected backlight button: 0 OFF, 1 ON1, 2 ON2.
    int backlightIndex() const;

protected:
    void closeEvent(QCloseEvent *event) override;
};
