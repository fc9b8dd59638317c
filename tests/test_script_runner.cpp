// The scripted operation in this process, against a window of test controls: what
// each command does to real widgets, what an operator could not reach, message boxes
// answered inside their own event loop, and the dump.
#include "app/msg_box.h"
#include "automation/dump_sections.h"
#include "automation/event_log.h"
#include "automation/control_lookup.h"
#include "automation/input_gate.h"
#include "automation/script_runner.h"
#include "automation/state_dump.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
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

// A surface that reports what reached it, with a property of any value and operations.
class Probe : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QVariant Value READ value WRITE setValue)
    Q_PROPERTY(int Count MEMBER count)
    Q_PROPERTY(uint ForeColor MEMBER foreColor)
public:
    using QWidget::QWidget;
    QVariant value() const { return value_; }
    void setValue(const QVariant &v) { value_ = v; }
    Q_INVOKABLE int Say(const QString &text, int times) {
        said = text.repeated(times);
        return times;
    }
    Q_INVOKABLE void Say(bool loud) { said = loud ? QStringLiteral("LOUD") : QStringLiteral("quiet"); }

    int count = 0;
    uint foreColor = 0x0000FF;
    QString said;
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
        menu.setObjectName(QStringLiteral("ProbeMenu"));
        menu.addAction(QStringLiteral("切り取り(&T)"));
        menu.addAction(QStringLiteral("コピー(&C)"));
        if (QAction *chosen = menu.exec(mapToGlobal(QPoint(2, 2)))) menuChoice = chosen->text();
    }

private:
    QVariant value_;
};

class Panel : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;
    int doubleClicks = 0;

protected:
    void mouseDoubleClickEvent(QMouseEvent *) override { ++doubleClicks; }
};

// The test window: named like the program's windows are, so scripts reach it the same way.
class TestWindow : public QWidget {
    Q_OBJECT
public:
    TestWindow() {
        setObjectName(QStringLiteral("ScriptTestWin"));
        setWindowTitle(QStringLiteral("試験"));
        setFixedSize(420, 360);
        for (int i = 0; i < 3; ++i) {
            buttons[i] = new QPushButton(QStringLiteral("B%1").arg(i), this);
            buttons[i]->setObjectName(QStringLiteral("Btn(%1)").arg(i));
            buttons[i]->setGeometry(10 + 60 * i, 10, 50, 24);
            connect(buttons[i], &QPushButton::clicked, this, [this, i] { ++clicks[i]; });
        }
        buttons[1]->setEnabled(false);
        buttons[2]->hide();

        ask = new QPushButton(QStringLiteral("Ask"), this);
        ask->setObjectName(QStringLiteral("Ask"));
        ask->setGeometry(200, 10, 50, 24);
        connect(ask, &QPushButton::clicked, this, [this] {
            const auto a = msgbox::show(this, QStringLiteral("続けますか？"), QMessageBox::Yes | QMessageBox::No,
                                        msgbox::Icon::Question, QStringLiteral("確認"));
            answers.append(a);
        });

        // A dialog reached as a window of its own while it is open.
        pick = new QPushButton(QStringLiteral("Pick"), this);
        pick->setObjectName(QStringLiteral("Pick"));
        pick->setGeometry(260, 10, 50, 24);
        connect(pick, &QPushButton::clicked, this, [this] {
            QDialog dialog(this);
            dialog.setObjectName(QStringLiteral("PickDlg"));
            auto *name = new QLineEdit(&dialog);
            name->setObjectName(QStringLiteral("fileNameEdit"));
            auto *buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, &dialog);
            buttons->setGeometry(0, 40, 200, 30);
            connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
            connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
            picked.append(dialog.exec() == QDialog::Accepted ? name->text() : QStringLiteral("(cancelled)"));
        });

        check = new QCheckBox(QStringLiteral("深夜料金"), this);
        check->setObjectName(QStringLiteral("Chk"));
        check->setGeometry(10, 40, 200, 20);  // far wider than its text
        for (int i = 0; i < 2; ++i) {
            options[i] = new QRadioButton(QStringLiteral("ON%1").arg(i), this);
            options[i]->setObjectName(QStringLiteral("Opt(%1)").arg(i));
            options[i]->setGeometry(220 + 60 * i, 40, 55, 20);
        }
        options[0]->setChecked(true);

        list = new QListWidget(this);
        list->setObjectName(QStringLiteral("Lst"));
        list->setGeometry(10, 70, 40, 60);  // shows only a few of its ten items
        for (int i = 0; i < 10; ++i) list->addItem(QString::number(i));
        connect(list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { listClicks.append(list->row(item)); });

        combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("Cmb"));
        combo->setGeometry(60, 70, 100, 24);
        combo->addItems({QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")});
        connect(combo, &QComboBox::activated, this, [this](int i) { comboChoices.append(i); });

        edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Txt"));
        edit->setGeometry(60, 100, 150, 24);
        connect(edit, &QLineEdit::textEdited, this, [this](const QString &t) { edits.append(t); });

        bar = new QScrollBar(Qt::Horizontal, this);
        bar->setObjectName(QStringLiteral("Scr"));
        bar->setGeometry(60, 130, 150, 16);
        bar->setRange(1, 2000);
        connect(bar, &QScrollBar::valueChanged, this, [this](int v) { barValues.append(v); });

        // Two panels in the same place: only the front one can be double-clicked.
        for (int i = 0; i < 2; ++i) {
            panels[i] = new Panel(this);
            panels[i]->setObjectName(QStringLiteral("Frm(%1)").arg(i));
            panels[i]->setGeometry(220, 70, 180, 100);
        }
        panels[1]->raise();
        inner = new QPushButton(QStringLiteral("in"), panels[1]);
        inner->setObjectName(QStringLiteral("Inner"));
        inner->setGeometry(60, 30, 60, 40);  // covers the panel's centre

        probe = new Probe(this);
        probe->setObjectName(QStringLiteral("Probe"));
        probe->setGeometry(10, 180, 100, 50);

        auto *holder = new QWidget(this);
        holder->setObjectName(QStringLiteral("Holder"));
        holder->setGeometry(120, 180, 150, 60);
        holder->setEnabled(false);
        held = new QPushButton(QStringLiteral("held"), holder);
        held->setObjectName(QStringLiteral("Held"));
        held->setGeometry(5, 7, 60, 24);
        connect(held, &QPushButton::clicked, this, [this] { ++heldClicks; });

        label = new QLabel(QStringLiteral("一行目\r\n二行目"), this);
        label->setObjectName(QStringLiteral("Lbl"));
        label->setGeometry(10, 250, 100, 40);
        label->setProperty("ForeColor", static_cast<uint>(0x00FF00));

        auto *tick = new QTimer(this);
        tick->setObjectName(QStringLiteral("Tick"));
        tick->setInterval(250);
    }

    void closeEvent(QCloseEvent *e) override {
        const auto a = msgbox::show(this, QStringLiteral("閉じますか？"), QMessageBox::Yes | QMessageBox::No,
                                    msgbox::Icon::Question, QStringLiteral("終了確認"));
        answers.append(a);
        if (a == QMessageBox::Yes) e->accept();
        else e->ignore();
    }

    QStringList picked;
    QPushButton *buttons[3]{}, *ask = nullptr, *pick = nullptr, *inner = nullptr, *held = nullptr;
    QCheckBox *check = nullptr;
    QRadioButton *options[2]{};
    QListWidget *list = nullptr;
    QComboBox *combo = nullptr;
    QLineEdit *edit = nullptr;
    QScrollBar *bar = nullptr;
    Panel *panels[2]{};
    Probe *probe = nullptr;
    QLabel *label = nullptr;
    int clicks[3]{}, heldClicks = 0;
    QList<int> listClicks, comboChoices, barValues;
    QStringList edits;
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
    QTimer guard;  // a broken runner must not hang the suite
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, [&] {
        ADD_FAILURE() << "script did not end";
        loop.quit();
    });
    guard.start(30000);
    runner.start();
    loop.exec();
    return out;
}

class ScriptRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        win = std::make_unique<TestWindow>();
        win->show();
    }
    void TearDown() override {
        win->setAttribute(Qt::WA_DeleteOnClose, false);
        win->hide();
        win.reset();
    }
    std::unique_ptr<TestWindow> win;
};

QJsonObject lastEvent() {
    const QJsonArray all = events::all();
    return all.isEmpty() ? QJsonObject() : all.last().toObject();
}

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
    EXPECT_EQ(win->clicks[0], 2);
    EXPECT_EQ(win->clicks[1], 0);
    EXPECT_EQ(win->clicks[2], 0);
    EXPECT_EQ(win->heldClicks, 0);
    EXPECT_TRUE(win->check->isChecked());  // hit on its box, not in the empty width beside the text
    EXPECT_TRUE(win->options[1]->isChecked());
    EXPECT_FALSE(win->options[0]->isChecked());
    // The front panel is hit beside the button that covers its centre; the one behind not at all.
    EXPECT_EQ(win->panels[1]->doubleClicks, 1);
    EXPECT_EQ(win->panels[0]->doubleClicks, 0);
    EXPECT_EQ(win->probe->rightPresses, 1);
    EXPECT_EQ(win->probe->contextMenus, 1);
    EXPECT_EQ(win->probe->doubleClicks, 1);
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
    // The item was scrolled into sight and clicked: the list's click reaction ran.
    EXPECT_EQ(win->listClicks, QList<int>{7});
    EXPECT_EQ(win->list->currentRow(), 7);
    EXPECT_EQ(win->comboChoices, QList<int>{2});
    EXPECT_EQ(win->combo->currentIndex(), 2);
    EXPECT_EQ(win->edit->text(), QStringLiteral("abc def"));
    EXPECT_EQ(win->edits, QStringList{QStringLiteral("abc def")});
    EXPECT_EQ(win->bar->value(), 2000);  // as far as the bar goes
    EXPECT_EQ(win->barValues, (QList<int>{150, 2000}));
    EXPECT_TRUE(win->check->isChecked());
    EXPECT_TRUE(win->options[1]->isChecked());

    out = runScript(QStringLiteral("select ScriptTestWin.Lst -1\nselect ScriptTestWin.Cmb -1\nset ScriptTestWin.Chk 0\n"));
    ASSERT_EQ(out.status, 0) << qPrintable(out.message);
    EXPECT_TRUE(win->list->selectedItems().isEmpty());
    EXPECT_EQ(win->listClicks.size(), 1);  // clearing is no click
    EXPECT_EQ(win->combo->currentIndex(), -1);
    EXPECT_FALSE(win->check->isChecked());

    // A disabled list takes no click, and its choice stays.
    win->list->setEnabled(false);
    out = runScript(QStringLiteral("select ScriptTestWin.Lst 3\nset ScriptTestWin.Txt \"\"\n"));
    EXPECT_EQ(out.status, 0);
    EXPECT_TRUE(win->list->selectedItems().isEmpty());
    EXPECT_TRUE(win->edit->text().isEmpty());

    // Faults of the script: found before anything is done, with the line.
    struct Case {
        const char *script;
        const char *message;
    };
    const Case faults[] = {
        {"wait 0\nselect ScriptTestWin.Cmb 3", "script:2: list position 3 is out of range (3 items)"},
        {"select ScriptTestWin.Btn(0) 1", "script:1: ScriptTestWin.Btn(0) is a button, not a list or combo box"},
        {"set ScriptTestWin.Chk 2", nullptr},
        {"set ScriptTestWin.Scr \"12\"", nullptr},
        {"set ScriptTestWin.Lbl \"x\"", nullptr},
        {"set ScriptTestWin.Opt(1) 0", nullptr},
        {"click ScriptTestWin.Nothing(4)", "script:1: unknown control ScriptTestWin.Nothing(4)"},
        {"click NoSuchWindow.Btn(0)", "script:1: unknown window NoSuchWindow"},
        {"click ScriptTestWin.Tick", nullptr},
    };
    for (const Case &c : faults) {
        out = runScript(QString::fromUtf8(c.script));
        EXPECT_EQ(out.status, 2) << c.script;
        if (c.message) EXPECT_EQ(out.message, QString::fromUtf8(c.message));
        else EXPECT_TRUE(out.message.startsWith(QStringLiteral("script:1: "))) << qPrintable(out.message);
    }
    EXPECT_FALSE(win->check->isChecked());
    EXPECT_TRUE(win->options[1]->isChecked());
}

TEST_F(ScriptRunnerTest, PropertiesAndOperationsTakeConvertedValues) {
    Outcome out = runScript(QStringLiteral("prop ScriptTestWin.Probe Value \"00012\""));
    ASSERT_EQ(out.status, 0) << qPrintable(out.message);
    EXPECT_EQ(win->probe->value().typeId(), QMetaType::QString);
    EXPECT_EQ(win->probe->value().toString(), QStringLiteral("00012"));

    out = runScript(QStringLiteral(
        "prop ScriptTestWin.Probe Value 12\n"
        "prop ScriptTestWin.Probe Count 0x10\n"
        "prop ScriptTestWin.Lbl ForeColor 255\n"
        "prop ScriptTestWin.Btn(0) text \"押す\"\n"
        "call ScriptTestWin.Probe Say \"ab \" 2\n"
        "call ScriptTestWin.Tick start\n"));
    ASSERT_EQ(out.status, 0) << qPrintable(out.message);
    EXPECT_EQ(win->probe->value().typeId(), QMetaType::Int);
    EXPECT_EQ(win->probe->value().toInt(), 12);
    EXPECT_EQ(win->probe->count, 16);
    EXPECT_EQ(win->label->property("ForeColor").toInt(), 255);
    EXPECT_EQ(win->buttons[0]->text(), QStringLiteral("押す"));
    EXPECT_EQ(win->probe->said, QStringLiteral("ab ab "));
    EXPECT_TRUE(win->findChild<QTimer *>(QStringLiteral("Tick"))->isActive());

    // The overload is chosen by the number of arguments.
    out = runScript(QStringLiteral("call ScriptTestWin.Probe Say true"));
    ASSERT_EQ(out.status, 0) << qPrintable(out.message);
    EXPECT_EQ(win->probe->said, QStringLiteral("LOUD"));

    for (const char *bad : {"prop ScriptTestWin.Probe Nothing 1", "prop ScriptTestWin.Probe Count \"3\"",
                            "prop ScriptTestWin.Probe Count 1.5", "call ScriptTestWin.Probe Say 1 2 3",
                            "call ScriptTestWin.Probe Nothing", "call ScriptTestWin.Probe Say \"x\" many"}) {
        out = runScript(QString::fromLatin1(bad));
        EXPECT_EQ(out.status, 2) << bad;
        EXPECT_TRUE(out.message.startsWith(QStringLiteral("script:1: ScriptTestWin.Probe: "))) << qPrintable(out.message);
    }
    EXPECT_EQ(win->probe->count, 16);
    EXPECT_EQ(win->probe->said, QStringLiteral("LOUD"));
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
    const QJsonObject event = lastEvent();
    EXPECT_EQ(event.value(QStringLiteral("kind")).toString(), QStringLiteral("message"));
    EXPECT_EQ(event.value(QStringLiteral("title")).toString(), QStringLiteral("確認"));
    EXPECT_EQ(event.value(QStringLiteral("text")).toString(), QStringLiteral("続けますか？"));
    EXPECT_EQ(event.value(QStringLiteral("answer")).toString(), QStringLiteral("Yes"));
    // The dump was taken while the box was open: the window behind it is still there.
    QFile f(dumpPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QJsonObject dumped = QJsonDocument::fromJson(f.readAll()).object();
    EXPECT_TRUE(dumped.value(QStringLiteral("windows")).toObject().contains(QStringLiteral("ScriptTestWin")));

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
    out = runScript(QStringLiteral("rclick ScriptTestWin.Probe\nanswer コピー\n"));
    ASSERT_EQ(out.status, 0) << qPrintable(out.message);
    EXPECT_EQ(win->probe->menuChoice, QStringLiteral("コピー(&C)"));

    // Nothing open, or no such button: a script fault after the wait.
    out = runScript(QStringLiteral("wait 0\nanswer OK\n"), 50);
    EXPECT_EQ(out.status, 2);
    EXPECT_EQ(out.message, QStringLiteral("script:2: no dialog or message box is open to answer \"OK\""));
    out = runScript(QStringLiteral("click ScriptTestWin.Ask\nanswer Maybe\n"), 50);
    EXPECT_EQ(out.status, 2);
    EXPECT_EQ(out.message, QStringLiteral("script:2: no button \"Maybe\" on the open dialog \"確認\""));
}

TEST_F(ScriptRunnerTest, CloseAsksLikeTheWindowsCloseButton) {
    // `close` closes the window named frmCtl: the program's own panel must not be around.
    if (automation::findWindow(QStringLiteral("frmCtl"))) GTEST_SKIP() << "the control panel exists in this process";
    win->setObjectName(QStringLiteral("frmCtl"));
    Outcome out = runScript(QStringLiteral("close\nanswer No\n"));
    ASSERT_EQ(out.status, 0) << qPrintable(out.message);
    EXPECT_TRUE(win->isVisible());
    out = runScript(QStringLiteral("close\nanswer Yes\n"));
    ASSERT_EQ(out.status, 0) << qPrintable(out.message);
    EXPECT_FALSE(win->isVisible());
    EXPECT_EQ(win->answers, (QList<QMessageBox::StandardButton>{QMessageBox::No, QMessageBox::Yes}));
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

TEST_F(ScriptRunnerTest, DumpDescribesEveryNamedControl) {
    dump::registerSection(QStringLiteral("testSection"), [] { return QJsonValue(QJsonObject{{"n", 7}}); });
    win->list->setCurrentRow(4);
    win->check->setChecked(true);
    const QJsonObject d = automation::buildDump();
    const QJsonObject controls = d.value(QStringLiteral("controls")).toObject();
    auto control = [&](const char *name) { return controls.value(QStringLiteral("ScriptTestWin.") + QLatin1String(name)).toObject(); };

    EXPECT_EQ(control("Btn(0)").value(QStringLiteral("kind")).toString(), QStringLiteral("button"));
    EXPECT_EQ(control("Btn(0)").value(QStringLiteral("caption")).toString(), QStringLiteral("B0"));
    EXPECT_FALSE(control("Btn(1)").value(QStringLiteral("enabled")).toBool());
    EXPECT_FALSE(control("Btn(2)").value(QStringLiteral("visible")).toBool());
    EXPECT_FALSE(control("Held").value(QStringLiteral("enabled")).toBool());  // its container is disabled
    EXPECT_EQ(control("Chk").value(QStringLiteral("kind")).toString(), QStringLiteral("checkbox"));
    EXPECT_EQ(control("Chk").value(QStringLiteral("value")), QJsonValue(1));
    EXPECT_EQ(control("Opt(0)").value(QStringLiteral("kind")).toString(), QStringLiteral("option"));
    EXPECT_EQ(control("Opt(0)").value(QStringLiteral("value")), QJsonValue(true));
    EXPECT_EQ(control("Lst").value(QStringLiteral("kind")).toString(), QStringLiteral("list"));
    EXPECT_EQ(control("Lst").value(QStringLiteral("items")).toArray().size(), 10);
    EXPECT_EQ(control("Lst").value(QStringLiteral("items")).toArray().at(3), QJsonValue(QStringLiteral("3")));
    EXPECT_EQ(control("Lst").value(QStringLiteral("index")), QJsonValue(4));
    EXPECT_EQ(control("Cmb").value(QStringLiteral("index")), QJsonValue(0));
    EXPECT_EQ(control("Cmb").value(QStringLiteral("items")).toArray().at(1), QJsonValue(QStringLiteral("乙")));
    EXPECT_EQ(control("Txt").value(QStringLiteral("kind")).toString(), QStringLiteral("textbox"));
    EXPECT_TRUE(control("Txt").contains(QStringLiteral("text")));
    const QJsonObject bar = control("Scr");
    EXPECT_EQ(bar.value(QStringLiteral("kind")).toString(), QStringLiteral("scrollbar"));
    EXPECT_EQ(bar.value(QStringLiteral("value")), QJsonValue(1));
    EXPECT_EQ(bar.value(QStringLiteral("min")), QJsonValue(1));
    EXPECT_EQ(bar.value(QStringLiteral("max")), QJsonValue(2000));
    EXPECT_EQ(control("Frm(0)").value(QStringLiteral("kind")).toString(), QStringLiteral("frame"));
    EXPECT_EQ(control("Probe").value(QStringLiteral("kind")).toString(), QStringLiteral("picture"));
    EXPECT_EQ(control("Probe").value(QStringLiteral("ForeColor")), QJsonValue(255));
    EXPECT_EQ(control("Tick").value(QStringLiteral("kind")).toString(), QStringLiteral("timer"));
    EXPECT_EQ(control("Tick").value(QStringLiteral("interval")), QJsonValue(250));
    // Texts keep their CR LF; colours are numbers.
    const QJsonObject label = control("Lbl");
    EXPECT_EQ(label.value(QStringLiteral("caption")).toString(), QStringLiteral("一行目\r\n二行目"));
    EXPECT_EQ(label.value(QStringLiteral("ForeColor")), QJsonValue(0x00FF00));
    // Positions are within the window's client area, also for a control inside a container.
    const QJsonObject inner = control("Inner");
    EXPECT_EQ(inner.value(QStringLiteral("left")), QJsonValue(280));
    EXPECT_EQ(inner.value(QStringLiteral("top")), QJsonValue(100));
    EXPECT_EQ(inner.value(QStringLiteral("width")), QJsonValue(60));
    EXPECT_EQ(inner.value(QStringLiteral("height")), QJsonValue(40));
    // Qt's own inner parts are not controls.
    for (auto it = controls.begin(); it != controls.end(); ++it) {
        EXPECT_FALSE(it.key().contains(QStringLiteral(".qt_"))) << qPrintable(it.key());
        EXPECT_FALSE(it.key().endsWith(QLatin1Char('.'))) << qPrintable(it.key());
    }

    const QJsonObject window = d.value(QStringLiteral("windows")).toObject().value(QStringLiteral("ScriptTestWin")).toObject();
    EXPECT_EQ(window.value(QStringLiteral("caption")).toString(), QStringLiteral("試験"));
    EXPECT_EQ(window.value(QStringLiteral("width")), QJsonValue(420));
    EXPECT_EQ(window.value(QStringLiteral("height")), QJsonValue(360));
    EXPECT_TRUE(window.value(QStringLiteral("visible")).toBool());
    EXPECT_FALSE(window.value(QStringLiteral("frameless")).toBool());

    EXPECT_EQ(d.value(QStringLiteral("testSection")).toObject().value(QStringLiteral("n")), QJsonValue(7));
    EXPECT_TRUE(d.value(QStringLiteral("events")).isArray());
    EXPECT_TRUE(d.value(QStringLiteral("process")).toObject().value(QStringLiteral("cpuMs")).isDouble());

    // A hidden window other than the program's own three is not part of the dump.
    win->hide();
    EXPECT_FALSE(automation::buildDump().value(QStringLiteral("windows")).toObject().contains(QStringLiteral("ScriptTestWin")));
}

#include "test_script_runner.moc"
