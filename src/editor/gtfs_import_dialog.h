#pragma once
// "GTFSから読み込む": a feed (folder or zip) and the list of its routes and trip
// patterns, as `hy3tool from-gtfs --list` prints it; the chosen pattern is
// imported with its readings and fares.
#include "editor/route_import.h"

#include <QDialog>
#include <memory>

class QLineEdit;
class QListWidget;

namespace route {

class GtfsImportDialog : public QDialog {
    Q_OBJECT
public:
    explicit GtfsImportDialog(QWidget *parent = nullptr);
    ~GtfsImportDialog() override;
    // The imported route once the dialog was accepted.
    const Imported &imported() const { return imported_; }

private:
    void readFeed();
    void tryAccept();

    QLineEdit *txtFeed_;
    QListWidget *lstPatterns_;
    std::unique_ptr<gtfs::Feed> feed_;
    std::vector<GtfsChoice> choices_;
    Imported imported_;
};

}  // namespace route
