// The route editor's window as a person works it: typing and Enter, the keys that
// move through a table, the toggle of cells 33..150, 試聴, the question before
// replacing another route and "保存しますか？" when the window is closed.
#include "core/fare_data_file.h"
#include "core/route_files.h"
#include "editor/frm_route_edit.h"
#include "editor/route_grid.h"
#include "editor/route_session.h"
#include "hy3tool_run.h"
#include "test_companion_support.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

using namespace route;
using companion_test::onNextDialog;
using companion_test::press;

namespace {

Document threeStops() {
    Document doc;
    doc.stops = {{"東駅", {}, 1}, {"中町", {}, 2}, {"西町", {}, 3, 0, 0, {200}}};
    doc.tape = makeTape(doc);
    return doc;
}

void key(QWidget *to, int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, k, mods, k == Qt::Key_Return ? QStringLiteral("\r") : QString());
    QApplication::sendEvent(to, &press);
    QApplication::processEvents();
}

struct Editor {
    QTemporaryDir dir;
    QStringList spoken;
    bool canSpeak = true;
    FrmRouteEdit window{[this] { return Folders{dir.path(), dir.path()}; }, [this](const QString &text) { spoken << text; return canSpeak; }};
    Editor() {
        for (int route : {3, 4}) {
            Original none;
            EXPECT_EQ(save(threeStops(), none, {dir.path(), dir.path()}, route), QString());
        }
        window.openRoute(3);
        window.show();
    }
    template <class W>
    W *child(const char *name) {
        W *w = window.findChild<W *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QByteArray fareBytes(int route) { return readBytes(dir.filePath(QStringLiteral("%1.hy3").arg(route))); }
};

}  // namespace

TEST(RouteEditorWindow, EnterCommitsAndGoesDownArrowsMoveAndTheFurtherCellsHideBehindTheToggle) {
    Editor e;
    Grid *fares = e.child<Grid>("grdFares");
    fares->setFocus();
    fares->setCurrentIndex(fares->model()->index(1, 0));
    fares->edit(fares->currentIndex());
    QLineEdit *typing = fares->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(typing, nullptr);
    typing->selectAll();
    typing->insert(QStringLiteral("２３０"));
    key(typing, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(e.window.session()->doc().stops[1].cells[0], 230);
    EXPECT_EQ(fares->currentIndex().row(), 2) << "Enter goes on to the row below";
    key(fares, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(fares->currentIndex().row(), 1);
    key(fares, Qt::Key_Right);
    key(fares, Qt::Key_Down);
    EXPECT_EQ(fares->currentIndex(), fares->model()->index(2, 1));
    key(fares, Qt::Key_Return);
    EXPECT_EQ(fares->currentIndex().row(), 2) << "the last row stays the last";

    auto hidden = [&] { return std::tuple(fares->isColumnHidden(BoardCells - 1), fares->isColumnHidden(BoardCells), fares->isColumnHidden(CellCount - 1)); };
    EXPECT_EQ(hidden(), std::tuple(false, true, true));
    e.child<QCheckBox>("chkAllCells")->click();
    EXPECT_EQ(hidden(), std::tuple(false, false, false));
    e.child<QCheckBox>("chkAllCells")->click();
    EXPECT_EQ(hidden(), std::tuple(false, true, true));

    // 試聴 speaks the selected line; without a speech engine it says so.
    Grid *tape = e.child<Grid>("grdTape");
    tape->setCurrentIndex(tape->model()->index(1, 0));
    e.child<QPushButton>("cmdSpeak")->click();
    EXPECT_EQ(e.spoken, QStringList{QStringLiteral("次は、終点、西町です。")});
    e.canSpeak = false;
    e.child<QPushButton>("cmdSpeak")->click();
    EXPECT_EQ(e.child<QLabel>("lblMessage")->text(), QStringLiteral("音声合成が使えないため試聴できません。"));
}

TEST(RouteEditorWindow, AsksBeforeReplacingAnotherRouteAndBeforeClosingWithUnsavedChanges) {
    Editor e;
    const QByteArray route4 = e.fareBytes(4), route3 = e.fareBytes(3);
    ASSERT_TRUE(e.window.session()->setCell(Table::Fares, 2, 1, 190));
    EXPECT_TRUE(e.window.windowTitle().startsWith(QStringLiteral("系統3 *")));

    // Another route's number: "いいえ" writes nothing.
    e.child<QLineEdit>("txtRouteNo")->setText(QStringLiteral("4"));
    onNextDialog([](QWidget *box) { press(box, "No"); });
    e.child<QPushButton>("cmdSave")->click();
    EXPECT_EQ(companion_test::lastEvent().value(QStringLiteral("text")), QStringLiteral("系統4のデータはすでにあります。上書きしますか？"));
    EXPECT_EQ(e.fareBytes(4), route4);
    EXPECT_TRUE(e.window.session()->modified());

    // Closing: キャンセル stays open with the edit, 保存しない closes and writes nothing.
    e.child<QLineEdit>("txtRouteNo")->setText(QStringLiteral("3"));
    onNextDialog([](QWidget *box) { press(box, "Cancel"); });
    EXPECT_FALSE(e.window.close());
    EXPECT_EQ(companion_test::lastEvent().value(QStringLiteral("text")), QStringLiteral("保存しますか？"));
    EXPECT_TRUE(e.window.isVisible());
    EXPECT_TRUE(e.window.session()->modified());
    onNextDialog([](QWidget *box) { press(box, "Discard"); });
    EXPECT_TRUE(e.window.close());
    EXPECT_EQ(e.fareBytes(3), route3);

    // 保存する writes the route, then closes; nothing left to ask.
    e.window.openRoute(3);
    e.window.show();
    ASSERT_TRUE(e.window.session()->setCell(Table::Fares, 2, 1, 190));
    onNextDialog([](QWidget *box) { press(box, "Save"); });
    EXPECT_TRUE(e.window.close());
    EXPECT_EQ(fare_file::readFile(e.dir.filePath(QStringLiteral("3.hy3"))).rows[2].Cell(2), 190);
    e.window.openRoute(3);
    e.window.show();
    const qsizetype before = events::all().size();
    EXPECT_TRUE(e.window.close());
    EXPECT_EQ(events::all().size(), before) << "an unchanged route closes without a question";
}
