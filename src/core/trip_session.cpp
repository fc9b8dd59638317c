#include "core/trip_session.h"

#include "core/stepping.h"

TripSession::TripSession(QObject *parent) : QObject(parent) {
    connect(this, &TripSession::tripChanged, this, &TripSession::changed);
    connect(this, &TripSession::keypadChanged, this, &TripSession::changed);
    connect(this, &TripSession::blankedChanged, this, &TripSession::changed);
    connect(this, &TripSession::lateNightChanged, this, &TripSession::changed);
    connect(this, &TripSession::backlightChanged, this, &TripSession::changed);
    connect(this, &TripSession::boardChanged, this, &TripSession::changed);
}

void TripSession::pressKey(int index) {
    ::pressKey(keypad_, index);
    emit keypadChanged();
}

void TripSession::showRunningRouteOnKeypad() {
    if (!trip_.loaded()) return;
    keypad_.route = trip_.RouteNo;
    keypad_.section = QString::number(trip_.StartSection);
    emit keypadChanged();
}

route_set::Result TripSession::setRoute(const route_set::Request &request, const QString &fareFolder) {
    route_set::Result result = route_set::load(request, fareFolder, table_, trip_);
    if (result.loaded()) emit tripChanged();
    return result;
}

void TripSession::setTicketDate(const QString &date) {
    if (trip_.TicketDate == date) return;
    trip_.TicketDate = date;
    emit tripChanged();
}

bool TripSession::step(int direction) {
    if (!stepping::step(trip_, direction)) return false;
    emit tripChanged();
    return true;
}

void TripSession::renameStop(int row, const QString &name) { table_.SetFareData(row, FareTable::NameColumn, name); }

void TripSession::setBlanked(bool on) {
    if (blanked_ == on) return;
    blanked_ = on;
    // The board goes dark before anything else reacts; lit again, it shows the stop
    // once the panel has taken its controls back (showCurrentStop).
    if (on) emit boardChanged({BoardContent::Kind::Blank, trip_.currentRow(), {}, {}});
    emit blankedChanged(on);
}

void TripSession::setLateNight(bool on) {
    if (lateNight_ == on) return;
    lateNight_ = on;
    emit lateNightChanged(on);
}

void TripSession::setBacklight(int level) {
    if (level < 0 || level > 2 || backlight_ == level) return;
    backlight_ = level;
    emit backlightChanged(level);
}

BoardContent TripSession::currentStop(const InfoCellOptions &info) const {
    const int row = trip_.currentRow();
    BoardContent content{BoardContent::Kind::Stop, row, {}, table_.Row(row).StopName};
    content.writes = boardWrites(table_.Row(row), row, trip_, BoardOptions{lateNight_, info}).writes;
    return content;
}

void TripSession::showCurrentStop(const InfoCellOptions &info) { emit boardChanged(currentStop(info)); }

void TripSession::showRouteSelecting() {
    emit boardChanged({BoardContent::Kind::RouteSelecting, trip_.currentRow(), {}, QStringLiteral("系統選別中")});
}

void TripSession::showFaresZero() { emit boardChanged({BoardContent::Kind::FaresZero, trip_.currentRow(), {}, {}}); }
