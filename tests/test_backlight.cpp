// The backlight: built-in and user panel pictures, label colours, a missing user
// file kept silently, and the error message for files that are not pictures.
#include "panel/backlight.h"
#include "panel/backlight_error.h"
#include "test_windows.h"
#include "board/form1.h"
#include "options/frm_option.h"
#include "core/ini_data.h"
#include "file_bytes.h"
#include "test_settings_support.h"

#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using settings_test::eventCount;
using settings_test::eventsSince;
using settings_test::ModalAnswerer;

namespace {

QImage solid(int w, int h, QColor c) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// The classic 1 x 1 pixel GIF (Qt reads GIF but cannot write it).
const QByteArray kTinyGif = QByteArray::fromHex(
    "47494638396101000100800000000000ffffff21f90401000000002c00000000010001000002024401003b");

class Backlight : public testing::Test {
protected:
    void SetUp() override {
        board_ = testBoard();
        saved_ = board_->builtInPicture(0);
        for (int i = 0; i < 3; ++i) board_->setBuiltInPicture(i, solid(564, 234, builtIn_[i]));
        board_->setPicture(QImage());
        useUserFile(-1, QString());  // automatic mode
    }
    void TearDown() override {
        testOptions()->takeOptionBlocks(IniData());
        for (int i = 0; i < 3; ++i) board_->setBuiltInPicture(i, saved_);
        board_->setPicture(saved_);
    }
    // Individual mode; `state` uses the user file `file`, the others their built-in
    // picture. State -1: automatic mode.
    void useUserFile(int state, const QString &file) {
        IniData ini;
        ini.panel.SeiriNumColor = {colours_[0], colours_[1], colours_[2]};
        if (state >= 0) {
            ini.panel.PanelAuto = 0;
            ini.panel.PanelEach = -1;
            std::int16_t *builtIn[3] = {&ini.panel.PanelOffBuiltIn, &ini.panel.PanelOn1BuiltIn, &ini.panel.PanelOn2BuiltIn};
            std::int16_t *user[3] = {&ini.panel.PanelOffUser, &ini.panel.PanelOn1User, &ini.panel.PanelOn2User};
            *builtIn[state] = 0;
            *user[state] = -1;
            ini.panel.PanelFile[state] = file;
        }
        testOptions()->takeOptionBlocks(ini);
    }
    QString file(const QString &name, const QByteArray &bytes) {
        const QString path = dir_.filePath(name);
        writeBytes(path, bytes);
        return path;
    }
    QString picture(const char *name, int w, int h, QColor c, const char *format) {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(solid(w, h, c).save(path, format));
        return path;
    }
    void expectLabels(COLORREF c) {
        for (int i : {1, 16, 32}) EXPECT_EQ(board_->ticketLabel(i)->property("ForeColor").toUInt(), c) << i;
    }

    QTemporaryDir dir_;
    Form1 *board_ = nullptr;
    QImage saved_;
    const QColor builtIn_[3] = {Qt::darkGray, Qt::darkGreen, Qt::darkBlue};
    const COLORREF colours_[3] = {RGB(10, 0, 0), RGB(0, 20, 0), RGB(0, 0, 30)};
};

}  // namespace

TEST_F(Backlight, BuiltInPicturesAndLabelColours) {
    for (int k : {1, 2, 0}) {
        applyBacklight(*testBoard(), testSettings(), k);
        EXPECT_EQ(board_->picture(), board_->builtInPicture(k)) << k;
        expectLabels(colours_[k]);
    }
    auto showsBuiltIn1 = [&](int state) {
        applyBacklight(*testBoard(), testSettings(), state);
        return board_->picture() == board_->builtInPicture(1);
    };
    // Automatic mode ignores the user file names entirely.
    const QString bmp = picture("user.bmp", 10, 10, Qt::red, "BMP");
    useUserFile(1, bmp);
    testOptions()->findChild<QRadioButton *>(QStringLiteral("Option3(0)"))->setChecked(true);
    EXPECT_TRUE(showsBuiltIn1(1));
    // Individual mode with the state's built-in choice; values outside 0..2 do nothing.
    useUserFile(2, bmp);
    EXPECT_TRUE(showsBuiltIn1(1));
    EXPECT_TRUE(showsBuiltIn1(3));
}

TEST_F(Backlight, UserPicturesLoadedMissingOnesSilentAndOthersRefusedWith481) {
    const QString kRefused = QStringLiteral("エラーです。\r\n\r\nエラーコード：481　指定した画像の内容が不正です。この部分では扱えません。");
    struct Case {
        int state;
        QString path;
        QSize shown;  // empty: the picture before stays
        bool refused;
    };
    const Case cases[] = {
        {0, picture("off.bmp", 600, 250, Qt::red, "BMP"), {600, 250}, false},
        {1, picture("on1.jpg", 300, 100, Qt::yellow, "JPEG"), {300, 100}, false},
        {2, file(QStringLiteral("on2.dat"), kTinyGif), {1, 1}, false},  // judged by content, not name
        {1, dir_.filePath(QStringLiteral("deleted.bmp")), {}, false},
        {1, QString(), {}, false},
        {1, dir_.path(), {}, false},
        {2, file(QStringLiteral("text.bmp"), "this is not a picture"), {}, true},
        {2, file(QStringLiteral("broken.jpg"), QByteArray::fromHex("ffd8ffe000104a464946") + QByteArray(20, 'x')), {}, true},
        {2, picture("panel.png", 8, 8, Qt::green, "PNG"), {}, true},  // a real picture, but not a kind the options offer
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        applyBacklight(*testBoard(), testSettings(), 0);
        const QImage before = board_->picture();
        useUserFile(c.state, c.path);
        const auto from = eventCount();
        {
            ModalAnswerer answer;
            applyBacklight(*testBoard(), testSettings(), c.state);
        }
        if (c.shown.isEmpty()) EXPECT_EQ(board_->picture(), before);
        else EXPECT_EQ(board_->picture().size(), c.shown);
        expectLabels(colours_[c.state]);
        const auto messages = eventsSince(from, QStringLiteral("message"));
        ASSERT_EQ(messages.size(), c.refused ? 1 : 0);
        if (!c.refused) continue;
        EXPECT_EQ(messages[0].value(QStringLiteral("title")).toString(), QStringLiteral("エラー"));
        EXPECT_EQ(messages[0].value(QStringLiteral("icon")).toString(), QStringLiteral("critical"));
        EXPECT_EQ(messages[0].value(QStringLiteral("text")).toString(), kRefused);
    }
}

TEST(BacklightErrors, MissingFilesAndFoldersHaveTheirNumbers) {
    QImage img;
    QTemporaryDir dir;
    EXPECT_EQ(backlight::loadPanelPicture(dir.filePath(QStringLiteral("none.bmp")), img), 53);
    EXPECT_EQ(backlight::loadPanelPicture(dir.filePath(QStringLiteral("no/such/dir.bmp")), img), 76);
    EXPECT_EQ(backlight::loadPanelPicture(dir.path(), img), 75);
    EXPECT_TRUE(img.isNull());
    EXPECT_NE(backlight::errorText(53), backlight::errorText(7));
}
