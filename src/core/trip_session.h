#pragma once
// The operator's trip as one model: the route and stop, the fare table they read
// from, what the keypad holds, and the board's switches (blank, late-night fares,
// backlight). Every change goes through here and is announced, so the panel's
// buttons, the remote and the recorder follow the same state. What the board must
// show comes out as plain data (`boardChanged`); the panel draws it.
#include "core/board_update.h"
#include "core/fare_table.h"
#include "core/keypad.h"
#include "core/route_set.h"
#include "core/trip.h"

#include <QObject>
#include <QString>
#include <vector>

// One picture of the board's fare cells and stop-name line.
struct BoardContent {
    enum class Kind {
        Stop,            // the current stop: `writes` into the cells, `stopName` on the strip
        RouteSelecting,  // "系統選別中" with every segment of every cell lit
        FaresZero,       // every cell 0, the strip as it is (the end of route selecting)
        Blank,           // everything dark
    };
    Kind kind = Kind::Stop;
    int row = 1;  // the fare-table row (Stop only)
    std::vector<CellWrite> writes;
    QString stopName;
    bool operator==(const BoardContent &) const = default;
};

class TripSession : public QObject {
    Q_OBJECT
public:
    explicit TripSession(QObject *parent = nullptr);

    const Trip &trip() const { return trip_; }
    const FareTable &fareTable() const { return table_; }
    const FareRow &currentRow() const { return table_.Row(trip_.currentRow()); }
    QString stopName() const { return currentRow().StopName; }
    const KeypadState &keypad() const { return keypad_; }
    bool blanked() const { return blanked_; }
    bool lateNight() const { return lateNight_; }
    // 0 OFF, 1 ON1, 2 ON2.
    int backlight() const { return backlight_; }

    // One key of the keypad (0..9, kKeyRoute, kKeySection).
    void pressKey(int index);
    // After a refused route set the keypad shows the route that still runs.
    void showRunningRouteOnKeypad();

    // Reads and checks the route's fare data; only a route set that passes replaces
    // the table and the trip (its ticket date is set afterwards, see setTicketDate).
    route_set::Result setRoute(const route_set::Request &request, const QString &fareFolder);
    void setTicketDate(const QString &date);
    // One stop back or forward (stepping::Back / Forward); false at an end.
    bool step(int direction);
    // What a ticket plug-in made of the stop's name is kept in the table.
    void renameStop(int row, const QString &name);

    void setBlanked(bool on);
    void setLateNight(bool on);
    void setBacklight(int level);

    // The current stop under `info`, as the board must show it.
    BoardContent currentStop(const InfoCellOptions &info) const;
    // Announces what the board must show now.
    void showCurrentStop(const InfoCellOptions &info);
    void showRouteSelecting();
    void showFaresZero();

signals:
    void tripChanged();
    void keypadChanged();
    void blankedChanged(bool on);
    void lateNightChanged(bool on);
    void backlightChanged(int level);
    void boardChanged(const BoardContent &content);
    // Any of the above.
    void changed();

private:
    Trip trip_;
    FareTable table_;
    KeypadState keypad_;
    bool blanked_ = false;
    bool lateNight_ = false;
    int backlight_ = 0;
};
