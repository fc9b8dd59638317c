#include "editor/frm_route_edit.h"

#include "editor/fill_fares_dialog.h"
#include "editor/route_grid.h"
#include "editor/route_session.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace route {

namespace {

QPushButton *button(QWidget *parent, const QString &name, const QString &caption) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

FrmRouteEdit::FrmRouteEdit(std::function<Folders()> folders, std::function<bool(const QString &)> speak, QWidget *parent)
    : QWidget(parent, Qt::Window), folders_(std::move(folders)), speak_(std::move(speak)), session_(new Session(this)) {
    setObjectName(QStringLiteral("frmRouteEdit"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildCommands());
    layout->addWidget(buildTables(), 1);
    lblMessage_ = new QLabel(this);
    lblMessage_->setObjectName(QStringLiteral("lblMessage"));
    layout->addWidget(lblMessage_);

    QAction *undo = session_->undoStack()->createUndoAction(this, QStringLiteral("元に戻す"));
    QAction *redo = session_->undoStack()->createRedoAction(this, QStringLiteral("やり直し"));
    undo->setShortcut(QKeySequence::Undo);
    // Ctrl+Y beside the desktop's own redo keys, once: a key given twice is ambiguous and does nothing.
    QList<QKeySequence> redoKeys{QKeySequence(Qt::CTRL | Qt::Key_Y)};
    for (const QKeySequence &k : QKeySequence::keyBindings(QKeySequence::Redo))
        if (!redoKeys.contains(k)) redoKeys << k;
    redo->setShortcuts(redoKeys);
    for (QAction *a : {undo, redo}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
    auto *save = new QAction(this);
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &FrmRouteEdit::cmdSave_Click);
    addAction(save);
    connectSession();
    resize(1100, 720);
}

QWidget *FrmRouteEdit::buildCommands() {
    auto *bar = new QWidget(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("系統番号："), bar));
    txtRouteNo_ = new QLineEdit(bar);
    txtRouteNo_->setObjectName(QStringLiteral("txtRouteNo"));
    txtRouteNo_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), txtRouteNo_));
    txtRouteNo_->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    row->addWidget(txtRouteNo_);
    const std::pair<const char *, const char *> commands[] = {
        {"cmdOpen", "読み込み"},         {"cmdImportCsv", "CSVから..."},   {"cmdImportGtfs", "GTFSから..."},
        {"cmdNumberTickets", "整理券番号を振る"}, {"cmdFillFares", "運賃の一括入力..."}, {"cmdMakeTape", "放送文を作る"},
        {"cmdSpeak", "試聴"},           {"cmdSave", "保存"}};
    const std::function<void()> actions[] = {
        [this] { cmdOpen_Click(); },          [this] { cmdImportCsv_Click(); }, [this] { cmdImportGtfs_Click(); },
        [this] { cmdNumberTickets_Click(); }, [this] { cmdFillFares_Click(); }, [this] { cmdMakeTape_Click(); },
        [this] { cmdSpeak_Click(); },         [this] { cmdSave_Click(); }};
    for (size_t i = 0; i < std::size(commands); ++i) {
        if (i == 3 || i == 7) row->addSpacing(12);
        QPushButton *b = button(bar, QString::fromLatin1(commands[i].first), QString::fromUtf8(commands[i].second));
        connect(b, &QPushButton::clicked, this, actions[i]);
        row->addWidget(b);
    }
    row->addStretch();
    return bar;
}

QWidget *FrmRouteEdit::rowButtons(Grid *grid, const QString &prefix) {
    auto *bar = new QWidget(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char *, const char *> buttons[] = {
        {"Add", "追加"}, {"Insert", "挿入"}, {"Delete", "削除"}, {"Up", "上へ"}, {"Down", "下へ"}};
    for (const auto &[name, caption] : buttons) {
        const QString what = QString::fromLatin1(name);
        QPushButton *b = button(bar, prefix + what, QString::fromUtf8(caption));
        connect(b, &QPushButton::clicked, this, [this, grid, what] { rowCommand(grid, what); });
        row->addWidget(b);
    }
    row->addStretch();
    return bar;
}

// A column in a splitter: its head, the table that takes the spare height, and a bar.
void FrmRouteEdit::addPane(QSplitter *splitter, QWidget *head, QWidget *body, QWidget *foot) {
    auto *pane = new QWidget(splitter);
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(head);
    layout->addWidget(body, 1);
    if (foot) layout->addWidget(foot);
}

QWidget *FrmRouteEdit::buildTables() {
    auto *split = new QSplitter(Qt::Vertical, this);
    auto *top = new QSplitter(Qt::Horizontal, split);

    auto *stopsHead = new QLabel(QStringLiteral("停留所（運行順）"));
    grdStops_ = new Grid(session_, Table::Stops, QStringLiteral("grdStops"));
    addPane(top, stopsHead, grdStops_, rowButtons(grdStops_, QStringLiteral("cmdStop")));

    auto *fares = new QWidget(top);
    auto *faresLayout = new QVBoxLayout(fares);
    faresLayout->setContentsMargins(0, 0, 0, 0);
    auto *faresHead = new QHBoxLayout;
    faresHead->addWidget(new QLabel(QStringLiteral("運賃（列は整理券番号、行は停留所）"), fares));
    faresHead->addStretch();
    chkAllCells_ = new QCheckBox(QStringLiteral("33～150も表示"), fares);
    chkAllCells_->setObjectName(QStringLiteral("chkAllCells"));
    faresHead->addWidget(chkAllCells_);
    faresLayout->addLayout(faresHead);
    // Both heads as tall as the check box: the stops' rows and their fare rows stay level.
    // So does a scroll bar under the stops as under the fares, which are wider than their view.
    stopsHead->setMinimumHeight(chkAllCells_->sizeHint().height());
    grdStops_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grdFares_ = new Grid(session_, Table::Fares, QStringLiteral("grdFares"), fares);
    faresLayout->addWidget(grdFares_, 1);

    auto *bottom = new QSplitter(Qt::Horizontal, split);
    grdTape_ = new Grid(session_, Table::Tape, QStringLiteral("grdTape"));
    addPane(bottom, new QLabel(QStringLiteral("放送（1行が「送り」1回）")), grdTape_,
            rowButtons(grdTape_, QStringLiteral("cmdTape")));

    lstProblems_ = new QTreeWidget;
    lstProblems_->setObjectName(QStringLiteral("lstProblems"));
    lstProblems_->setHeaderLabels({QStringLiteral("種類"), QStringLiteral("表"), QStringLiteral("行"), QStringLiteral("列"), QStringLiteral("内容")});
    lstProblems_->setRootIsDecorated(false);
    lstProblems_->setUniformRowHeights(true);
    addPane(bottom, new QLabel(QStringLiteral("問題（ダブルクリックでその欄へ）")), lstProblems_);

    // Widths for the texts they hold: names of about ten characters, three-digit fares.
    const int em = fontMetrics().horizontalAdvance(QChar(0x5E02));
    grdStops_->setColumnWidth(stop_column::Name, em * 9);
    grdStops_->setColumnWidth(stop_column::Reading, em * 8);
    grdStops_->setColumnWidth(stop_column::Ticket, em * 5 + 12);
    grdStops_->setColumnWidth(stop_column::Zone, em * 3 + 8);
    grdStops_->setColumnWidth(stop_column::Km, em * 3 + 8);
    grdFares_->horizontalHeader()->setDefaultSectionSize(fontMetrics().horizontalAdvance(QStringLiteral("-0000")) + 10);
    grdTape_->horizontalHeader()->setStretchLastSection(false);
    grdTape_->horizontalHeader()->setSectionResizeMode(tape_column::Text, QHeaderView::Stretch);
    grdStops_->horizontalHeader()->setStretchLastSection(false);
    // Names and readings share the spare width: a reading is often longer than its name.
    grdStops_->horizontalHeader()->setSectionResizeMode(stop_column::Name, QHeaderView::Stretch);
    grdStops_->horizontalHeader()->setSectionResizeMode(stop_column::Reading, QHeaderView::Stretch);
    grdTape_->setColumnWidth(tape_column::Text, em * 18);
    grdTape_->setColumnWidth(tape_column::Step, em * 4 + 8);
    grdTape_->setColumnWidth(tape_column::Sound, em * 4 + 8);
    lstProblems_->setColumnWidth(0, em * 3 + 8);
    lstProblems_->setColumnWidth(1, em * 3 + 8);
    lstProblems_->setColumnWidth(2, em * 2 + 8);
    lstProblems_->setColumnWidth(3, em * 5);
    top->setSizes({em * 30, em * 40});
    bottom->setStretchFactor(0, 1);
    bottom->setStretchFactor(1, 1);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto showAll = [this](bool all) {
        for (int c = BoardCells; c < CellCount; ++c) grdFares_->setColumnHidden(c, !all);
    };
    connect(chkAllCells_, &QCheckBox::toggled, this, showAll);
    showAll(false);
    connect(lstProblems_, &QTreeWidget::itemDoubleClicked, this, &FrmRouteEdit::goToProblem);
    return split;
}

void FrmRouteEdit::connectSession() {
    connect(session_, &Session::problemsChanged, this, &FrmRouteEdit::showProblems);
    connect(session_->undoStack(), &QUndoStack::cleanChanged, this, &FrmRouteEdit::updateTitle);
    for (Grid *g : {grdStops_, grdFares_, grdTape_}) connect(g, &Grid::message, this, &FrmRouteEdit::say);
    // Stops and fares are the same rows: scrolling one scrolls the other.
    connect(grdStops_->verticalScrollBar(), &QScrollBar::valueChanged, grdFares_->verticalScrollBar(), &QScrollBar::setValue);
    connect(grdFares_->verticalScrollBar(), &QScrollBar::valueChanged, grdStops_->verticalScrollBar(), &QScrollBar::setValue);
    showProblems();
}

void FrmRouteEdit::say(const QString &text) { lblMessage_->setText(text); }

void FrmRouteEdit::updateTitle() {
    const int route = session_->openedRoute();
    const QString name = route >= 0 ? QStringLiteral("系統%1").arg(route) : QStringLiteral("新しい系統");
    setWindowTitle(QStringLiteral("%1%2 - 路線データの編集").arg(name, session_->modified() ? QStringLiteral(" *") : QString()));
}

void FrmRouteEdit::showProblems() {
    lstProblems_->clear();
    QList<QTreeWidgetItem *> items;
    for (const Problem &p : session_->problems()) {
        const QString table = p.table == Table::Stops ? QStringLiteral("停留所") : p.table == Table::Fares ? QStringLiteral("運賃") : QStringLiteral("放送");
        auto *item = new QTreeWidgetItem({p.isError() ? QStringLiteral("エラー") : QStringLiteral("警告"), table,
                                          p.row >= 0 ? QString::number(p.row + 1) : QString(),
                                          p.column >= 0 ? header(p.table, p.column) : QString(), p.text});
        item->setData(0, Qt::UserRole, int(p.table));
        item->setData(1, Qt::UserRole, p.row);
        item->setData(2, Qt::UserRole, p.column);
        if (p.isError()) item->setForeground(0, QColor(200, 0, 0));
        items << item;
    }
    lstProblems_->addTopLevelItems(items);
}

void FrmRouteEdit::goToProblem(QTreeWidgetItem *item) {
    const auto table = Table(item->data(0, Qt::UserRole).toInt());
    const int row = item->data(1, Qt::UserRole).toInt(), column = item->data(2, Qt::UserRole).toInt();
    Grid *grid = table == Table::Stops ? grdStops_ : table == Table::Fares ? grdFares_ : grdTape_;
    if (row < 0 || row >= grid->model()->rowCount()) return;
    if (table == Table::Fares && column >= BoardCells) chkAllCells_->setChecked(true);
    const QModelIndex at = grid->model()->index(row, std::max(column, 0));
    grid->setCurrentIndex(at);
    grid->scrollTo(at);
    grid->setFocus();
}

void FrmRouteEdit::rowCommand(Grid *grid, const QString &what) {
    const Table table = grid->tableModel()->table();
    Document doc = session_->doc();
    const QModelIndex cur = grid->currentIndex();
    const int n = rowCount(doc, table);
    int row = cur.isValid() ? cur.row() : n;
    int target = row;
    QString text;
    if (what == QLatin1String("Add") || what == QLatin1String("Insert")) {
        if (table != Table::Tape && n >= MaxStops) return say(QStringLiteral("停留所は%1までです。").arg(MaxStops));
        if (what == QLatin1String("Add")) row = n;
        insertRows(doc, table, row, 1);
        target = row;
        text = QStringLiteral("行の追加");
    } else if (what == QLatin1String("Delete")) {
        if (!cur.isValid()) return;
        removeRows(doc, table, row, 1);
        target = std::min(row, n - 2);
        text = QStringLiteral("行の削除");
    } else {
        target = what == QLatin1String("Up") ? row - 1 : row + 1;
        if (!cur.isValid() || target < 0 || target >= n) return;
        moveRow(doc, table, row, target);
        text = QStringLiteral("行の移動");
    }
    session_->replace(doc, text);
    if (target >= 0) grid->setCurrentIndex(grid->model()->index(target, cur.isValid() ? cur.column() : 0));
    grid->setFocus();
}

void FrmRouteEdit::cmdNumberTickets_Click() {
    Document doc = session_->doc();
    numberTickets(doc);
    session_->replace(doc, QStringLiteral("整理券番号を振る"));
}

void FrmRouteEdit::cmdFillFares_Click() {
    FillFaresDialog dialog(zonesOf(session_->doc()), this);
    if (dialog.exec() != QDialog::Accepted) return;
    int rides = 0, missing = 0;
    const Document filled = applyFill(session_->doc(), dialog.fill(), &rides, &missing);
    session_->replace(filled, QStringLiteral("運賃の一括入力"));
    say(missing > 0 ? QStringLiteral("%1通りの運賃を入れました。運賃のないゾーンの組が%2通りあり、その欄は0です。").arg(rides).arg(missing)
                    : QStringLiteral("%1通りの運賃を入れました。").arg(rides));
}

void FrmRouteEdit::cmdMakeTape_Click() {
    Document doc = session_->doc();
    doc.tape = makeTape(doc);
    session_->replace(doc, QStringLiteral("放送文を作る"));
    say(QStringLiteral("放送文を%1行作りました。").arg(doc.tape.size()));
}

void FrmRouteEdit::cmdSpeak_Click() {
    const QModelIndex cur = grdTape_->currentIndex();
    const Document &doc = session_->doc();
    if (!cur.isValid() || cur.row() >= int(doc.tape.size())) return say(QStringLiteral("試聴する放送の行を選んでください。"));
    if (!speak_ || !speak_(doc.tape[size_t(cur.row())].text)) say(QStringLiteral("音声合成が使えないため試聴できません。"));
}

}  // namespace route
