#pragma once
// frmRouteEdit: the route editor. The route number, the stops (grdStops), their
// fares (grdFares) and the announcement list (grdTape), the problems the checks
// find, and the commands that fill fares, make announcements, speak a line,
// import and save. Every edit can be undone.
#include "core/route_files.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace route {

class Grid;
class Session;

class FrmRouteEdit : public QWidget {
    Q_OBJECT
public:
    // `folders` gives the options' folders at the moment they are needed; `speak`
    // says a text with the program's speech engine (false: there is none).
    FrmRouteEdit(std::function<Folders()> folders, std::function<bool(const QString &)> speak, QWidget *parent = nullptr);

    // Opens route N (an empty new route when it has no files); a route that cannot
    // be read opens with a message saying why. -1: a new route without a number.
    void openRoute(int routeNumber);
    // Asks "保存しますか？" when there are unsaved changes. False: stay open.
    bool maySetAside();
    Session *session() const { return session_; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildCommands();
    QWidget *buildTables();
    void addPane(QSplitter *splitter, QWidget *head, QWidget *body, QWidget *foot = nullptr);
    QWidget *rowButtons(Grid *grid, const QString &prefix);
    void connectSession();

    void cmdSave_Click();
    void cmdFillFares_Click();
    void cmdMakeTape_Click();
    void cmdSpeak_Click();
    void cmdNumberTickets_Click();
    void cmdImportCsv_Click();
    void cmdImportGtfs_Click();
    void cmdOpen_Click();
    void rowCommand(Grid *grid, const QString &what);
    void showProblems();
    void goToProblem(QTreeWidgetItem *item);
    void updateTitle();
    void say(const QString &text);
    // The number in txtRouteNo, or -1 (with a message) when it is not one.
    int typedRoute();
    bool save();

    std::function<Folders()> folders_;
    std::function<bool(const QString &)> speak_;
    Session *session_;
    QLineEdit *txtRouteNo_ = nullptr;
    Grid *grdStops_ = nullptr, *grdFares_ = nullptr, *grdTape_ = nullptr;
    QCheckBox *chkAllCells_ = nullptr;
    QTreeWidget *lstProblems_ = nullptr;
    QLabel *lblMessage_ = nullptr;
};

}  // namespace route
