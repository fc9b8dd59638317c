// The scripted operation in this process, against a window of test controls: what each
// command does to real widgets, what an operator could not reach, message boxes
// answered inside their own loop, and input held back during a pause.
#include "panel/msg_box.h"
#include "base/input_gate.h"
#include "automation/script_runner.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A surface that reports what reached it, with an optional pop-up menu.
class Probe : public QWidget {
public:
    using QWidget::QWidget;
    int rightPresses = 0, contextMenus = 0, doubleClicks = 0;
    QString menuChoice;
    bool withMenu = false;

protected:
    void mousePressEvent(QMouseEvent *e) override {
        if (e->button() == Qt::RightButton) ++rightPresses;
    }
    void mouseDoubleClickEvent(QMouseEvent *) override { ++doubleClicks; }
    void contextMenuEvent(QContextMenuEvent *) override {
        ++contextMenus;
        if (!withMenu) return;
        QMenu menu(this);
        menu.addAction(QStringLiteral("切り取り(&T)"));
        menu.addAction(QStringLiteral("コピー(&C)"));
        if (QAction *chosen = menu.exec(mapToGlobal(QPoint(2, 2)))) menuChoice = chosen->text();
    }
};

// Names and places a control.
template <typename W>
W *place(W *w, const QString &name, const QRect &geometry) {
    w->setObjectName(name);
    w->setGeometry(geometry);
    return w;
}

// The test window: named like the program's windows are, so scripts reach it the same way.
class TestWindow : public QWidget {
public:
    TestWindow() {
        setObjectName(QStringLiteral("ScriptTestWin"));
        setFixedSize(420, 360);
        for (int i = 0; i < 3; ++i) {
            buttons[i] = place(new QPushButton(QStringLiteral("B%1").arg(i), this), QStringLiteral("Btn(%1)").arg(i),
                               {10 + 60 * i, 10, 50, 24});
            connect(buttons[i], &QPushButton::clicked, this, [this, i] { ++clicks[i]; });
        }
        buttons[1]->setEnabled(false);
        buttons[2]->hide();

        auto *ask = place(new QPushButton(QStringLiteral("Ask"), this), QStringLiteral("Ask"), {200, 10, 50, 24});
        connect(ask, &QPushButton::clicked, this, [this] {
            answers.append(msgbox::show(this, QStringLiteral("続けますか？"), QMessageBox::Yes | QMessageBox::No,
                                        msgbox::Icon::Question, QStringLiteral("確認")));
        });
        // A dialog reached as a window of its own while it is open.
        auto *pick = place(new QPushButton(QStringLiteral("Pick"), this), QStringLiteral("Pick"), {260, 10, 50, 24});
        connect(pick, &QPushButton::clicked, this, [this] {
            QDialog dialog(this);
            dialog.setObjectName(QStringLiteral("PickDlg"));
            auto *name = place(new QLineEdit(&dialog), QStringLiteral("fileNameEdit"), {0, 0, 200, 24});
            auto *box = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, &dialog);
            box->setGeometry(0, 40, 200, 30);
            connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
            connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
            picked.append(dialog.exec() == QDialog::Accepted ? name->text() : QStringLiteral("(cancelled)"));
        });

        // Far wider than its text: a click must hit the box.
        check = place(new QCheckBox(QStringLiteral("深夜料金"), this), QStringLiteral("Chk"), {10, 40, 200, 20});
        for (int i = 0; i < 2; ++i)
            options[i] = place(new QRadioButton(QStringLiteral("ON%1").arg(i), this), QStringLiteral("Opt(%1)").arg(i),
                               {220 + 60 * i, 40, 55, 20});
        options[0]->setChecked(true);
        // Shows only a few of its ten items.
        list = place(new QListWidget(this), QStringLiteral("Lst"), {10, 70, 40, 60});
        for (int i = 0; i < 10; ++i) list->addItem(QString::number(i));
        connect(list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { listClicks.append(list->row(item)); });
        combo = place(new QComboBox(this), QStringLiteral("Cmb"), {60, 70, 100, 24});
        combo->addItems({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")});
        connect(combo, &QComboBox::activated, this, [this](int i) { comboChoices.append(i); });
        edit = place(new QLineEdit(this), QStringLiteral("Txt"), {60, 100, 150, 24});
        connect(edit, &QLineEdit::textEdited, this, [this](const QString &t) { edits.append(t); });
        bar = place(new QScrollBar(Qt::Horizontal, this), QStringLiteral("Scr"), {60, 130, 150, 16});
        bar->setRange(1, 2000);
        connect(bar, &QScrollBar::valueChanged, this, [this](int v) { barValues.append(v); });

        // Two panels in the same place: only the front one can be double-clicked; a
        // button covers the front one's centre.
        for (int i = 0; i < 2; ++i) panels[i] = place(new Probe(this), QStringLiteral("Frm(%1)").arg(i), {220, 70, 180, 100});
        panels[1]->raise();
        place(new QPushButton(QStringLiteral("in"), panels[1]), QStringLiteral("Inner"), {60, 30, 60, 40});

        probe = place(new Probe(this), QStringLiteral("Probe"), {10, 180, 100, 50});
        auto *holder = place(new QWidget(this), QStringLiteral("Holder"), {120, 180, 150, 60});
        holder->setEnabled(false);
        auto *held = place(new QPushButton(QStringLiteral("held"), holder), QStringLiteral("Held"), {5, 7, 60, 24});
        connect(held, &QPushButton::clicked, this, [this] { ++heldClicks; });
    }

    QPushButton *buttons[3]{};
    QCheckBox *check{};
    QRadioButton *options[2]{};
    QListWidget *list{};
    QComboBox *combo{};
    QLineEdit *edit{};
    QScrollBar *bar{};
    Probe *panels[2]{}, *probe{};
    int clicks[3]{}, heldClicks = 0;
    QList<int> listClicks, comboChoices, barValues;
    QStringList edits, picked;
    QList<QMessageBox::StandardButton> answers;
};

struct Outcome {
    int status = -1;
    QString message;
    bool heldAtEnd = false;
};

// Runs a script in this process and waits for its end. Whatever modal dialog is still
// open at the end is rejected, so that the test's own event loop can return.
Outcome runScript(const QString &text, int answerTimeoutMs = 5000) {
    ScriptRunner runner;
    Outcome out;
    if (!runner.loadText(text)) {
        out.status = 2;
        out.message = runner.errorMessage();
        return out;
    }
    QEventLoop loop;
    runner.setAnswerTimeout(answerTimeoutMs);
    runner.setEndHandler([&](int status, const QString &message) {
        out.status = status;
        out.message = message;
        out.heldAtEnd = inputHeld();
        QTimer::singleShot(0, &loop, [&loop] {
            while (QWidget *modal = QApplication::activeModalWidget()) {
                auto *dialog = qobject_cast<QDialog *>(modal);
                if (!dialog) break;
                dialog->reject();
                QCoreApplication::processEvents();
            }
            loop.quit();
        });
    });
    QTimer::singleShot(30000, &loop, [&] {  // a broken runner must not hang the suite
        ADD_FAILURE() << "script did not end";
        loop.quit();
    });
    runner.start();
    loop.exec();
    return out;
}

class ScriptRunnerTest : public ::testing::Test {
protected:
    void SetUp() override { win->show(); }
    std::unique_ptr<TestWindow> win = std::make_unique<TestWindow>();
};

}  // namespace

TEST_F(ScriptRunnerTest, ClicksReachOnlyWhatAPersonCouldReach) {
    const Outcome out = runScript(QStringLiteral(
        "click ScriptTestWin.Btn(0)\n"
        "click ScriptTestWin.Btn(0)\n"
        "click ScriptTestWin.Btn(1)   # disabled\n"
        "click ScriptTestWin.Btn(2)   # hidden\n"
        "click ScriptTestWin.Held     # in a disabled container\n"
        "click ScriptTestWin.Chk\n"
        "click ScriptTestWin.Opt(1)\n"
        "dblclick ScriptTestWin.Frm(1)\n"
        "dblclick ScriptTestWin.Frm(0)  # behind Frm(1)\n"
        "rclick ScriptTestWin.Probe\n"
        "dblclick ScriptTestWin.Probe\n"));
    EXPECT_EQ(out.status, 0) << qPrintable(out.message);
    EXPECT_EQ(std::vector<int>({win->clicks[0], win->clicks[1], win->clicks[2], win->heldClicks}), std::vector<int>({2, 0, 0, 0}));
    EXPECT_TRUE(win->check->isChecked());  // hit on its box, not in the empty width beside the text
    EXPECT_TRUE(win->options[1]->isChecked() && !win->options[0]->isChecked());
    // The front panel is hit beside the button that covers its centre; the one behind not at all.
    EXPECT_EQ(std::vector<int>({win->panels[1]->doubleClicks, win->panels[0]->doubleClicks, win->probe->rightPresses,
                                win->probe->contextMenus, win->probe->doubleClicks}),
              std::vector<int>({1, 0, 1, 1, 1}));
}

TEST_F(ScriptRunnerTest, SelectAndSetWorkLikeTheMouseAndKeyboard) {
    Outcome out = runScript(QStringLiteral(
        "select ScriptTestWin.Lst 7\n"
        "select ScriptTestWin.Cmb 2\n"
        "set ScriptTestWin.Txt \"abc def\"\n"
        "set ScriptTestWin.Scr 150\n"
        "set ScriptTestWin.Scr 5000\n"
        "set ScriptTestWin.Chk 1\n"
        "set ScriptTestWin.Chk 1\n"
        "set ScriptTestWin.Opt(1) 1\n"));
    ASSERT_EQ(out.status, 0) << qPrintable(out.message);
    EXPECT_EQ(runScript(QStringLiteral("# nothing to do\n")).status, 0);
    // The item was scrolled into sight and clicked: the list's click reaction ran.
    EXPECT_EQ(win->listClicks, QList<int>{7});
    EXPECT_EQ(win->comboChoices, QList<int>{2});
    EXPECT_EQ(win->edits, QStringList{QStringLiteral("abc def")});
    EXPECT_EQ(win->bar->value(), 2000);  // as far as the bar goes
    EXPECT_EQ(win->barValues, (QList<int>{150, 2000}));
    EXPECT_TRUE(win->check->isChecked() && win->options[1]->isChecked());

    EXPECT_EQ(runScript(QStringLiteral("select ScriptTestWin.Lst -1\nselect ScriptTestWin.Cmb -1\nset ScriptTestWin.Chk 0\n")).status, 0);
    EXPECT_EQ(win->listClicks.size(), 1);  // clearing is no click
    EXPECT_TRUE(win->list->selectedItems().isEmpty() && win->combo->currentIndex() == -1 && !win->check->isChecked());

    // A disabled list takes no click, and its choice stays.
    win->list->setEnabled(false);
    EXPECT_EQ(runScript(QStringLiteral("select ScriptTestWin.Lst 3\nset ScriptTestWin.Txt \"\"\n")).status, 0);
    EXPECT_TRUE(win->list->selectedItems().isEmpty() && win->edit->text().isEmpty());

    // Faults found when the line runs stop the script with the line and change nothing.
    const std::pair<const char *, const char *> faults[] = {
        {"wait 0\nselect ScriptTestWin.Cmb 3", "script:2: list position 3 is out of range (3 items)"},
        {"select ScriptTestWin.Btn(0) 1", "script:1: ScriptTestWin.Btn(0) is a button, not a list or combo box"},
        {"set ScriptTestWin.Chk 2", "script:1: "},
        {"set ScriptTestWin.Scr \"12\"", "script:1: "},
        {"set ScriptTestWin.Opt(1) 0", "script:1: "},
        {"click ScriptTestWin.NoSuch(3)", "script:1: unknown control ScriptTestWin.NoSuch(3)"},
        {"click frmNowhere.Command1", "script:1: unknown window frmNowhere"},
        {"prop ScriptTestWin.Scr value \"2\"", "script:1: ScriptTestWin.Scr: property value"},
        {"dump /no/such/folder/x.json", "script:1: cannot write the dump"},
    };
    for (const auto &[script, message] : faults) {
        out = runScript(QString::fromUtf8(script));
        EXPECT_EQ(out.status, 2) << script;
        EXPECT_TRUE(out.message.startsWith(QString::fromUtf8(message))) << qPrintable(out.message);
    }
    EXPECT_FALSE(win->check->isChecked());
    EXPECT_TRUE(win->options[1]->isChecked());
}

TEST_F(ScriptRunnerTest, AnswersMessageBoxesAndMenusInsideTheirOwnLoop) {
    QTemporaryDir dir;
    const QString dumpPath = dir.filePath(QStringLiteral("open.json"));
    Outcome out = runScript(QStringLiteral(
        "click ScriptTestWin.Ask\n"
        "click ScriptTestWin.Btn(0)   # behind the open message box\n"
        "dump \"%1\"\n"
        "answer No\n"
        "click ScriptTestWin.Ask\n"
        "answer \"Yes\"\n").arg(dumpPath));
    ASSERT_EQ(out.status, 0) << qPrintable(out.message);
    EXPECT_EQ(win->answers, (QList<QMessageBox::StandardButton>{QMessageBox::No, QMessageBox::Yes}));
    EXPECT_EQ(win->clicks[0], 0);
    // The dump was taken while the box was open: the window behind it is still there.
    QFile f(dumpPath);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly) && f.readAll().contains("\"ScriptTestWin\""));

    // A dialog's own controls are reached by the dialog's name; "OK" and "Cancel" reach
    // its confirming and dismissing buttons whatever they read.
    out = runScript(QStringLiteral(
        "click ScriptTestWin.Pick\n"
        "set PickDlg.fileNameEdit \"/tmp/a b.wav\"\n"
        "answer OK\n"
        "click ScriptTestWin.Pick\n"
        "answer Cancel\n"
        "click ScriptTestWin.Pick\n"
        "answer Open\n"));
    ASSERT_EQ(out.status, 0) << qPrintable(out.message);
    EXPECT_EQ(win->picked, (QStringList{QStringLiteral("/tmp/a b.wav"), QStringLiteral("(cancelled)"), QString()}));

    // A pop-up menu is answered with its item's caption, with or without its accelerator.
    win->probe->withMenu = true;
    EXPECT_EQ(runScript(QStringLiteral("rclick ScriptTestWin.Probe\nanswer コピー\n")).status, 0);
    EXPECT_EQ(win->probe->menuChoice, QStringLiteral("コピー(&C)"));

    // Nothing open, or no such button: a script fault after the wait.
    for (const auto &[script, message] : {std::pair{"wait 0\nanswer OK\n", "script:2: no dialog or message box is open to answer \"OK\""},
                                          std::pair{"click ScriptTestWin.Ask\nanswer Maybe\n", "script:2: no button \"Maybe\" on the open dialog \"確認\""}}) {
        out = runScript(QString::fromUtf8(script), 50);
        EXPECT_EQ(std::pair(out.status, out.message), std::pair(2, QString::fromUtf8(message)));
    }
}

TEST_F(ScriptRunnerTest, OperatorCommandsWaitWhileInputIsHeld) {
    QTemporaryDir dir;
    // The dump (an observer) runs during the hold; the click after it, and the end of a
    // script, wait for the end of the hold.
    for (const QString &tail : {QStringLiteral("click ScriptTestWin.Btn(0)\n"), QString()}) {
        const QString observed = dir.filePath(QStringLiteral("held%1.json").arg(tail.size()));
        auto hold = std::make_unique<InputHold>();
        const int clicksBefore = win->clicks[0];
        QTimer probeTimer;
        int checksWhileHeld = 0;
        QObject::connect(&probeTimer, &QTimer::timeout, [&] {
            if (!QFile::exists(observed) || !hold) return;
            EXPECT_EQ(win->clicks[0], clicksBefore);
            if (++checksWhileHeld == 5) hold.reset();
        });
        probeTimer.start(5);
        const Outcome out = runScript(QStringLiteral("dump \"%1\"\n").arg(observed) + tail);
        EXPECT_EQ(out.status, 0) << qPrintable(out.message);
        EXPECT_EQ(checksWhileHeld, 5);
        EXPECT_FALSE(out.heldAtEnd);
        EXPECT_FALSE(inputHeld());
    }
    EXPECT_EQ(win->clicks[0], 1);
}
