// The ticket preview at each stop: the panel clears the picture and, when the option
// is on, has the chosen plug-in draw the ticket of the current stop into it.
#include "core/board_update.h"
#include "panel/frm_ctl.h"
#include "panel/preview_box.h"
#include "core/route_set.h"
#include "base/event_log.h"
#include "ticket/ticket_plugin_api.h"
#include "core/settings.h"
#include "core/trip_session.h"

#include <QComboBox>
#include <QDate>
#include <QJsonArray>
#include <QTime>

void FrmCtl::setPreviewSize(int widthTwips, int heightTwips) {
    picSeirikenPrev_->resize(qRound(widthTwips / 15.0), qRound(heightTwips / 15.0));
}

void FrmCtl::drawSeirikenPreview(int row) {
    const Settings *settings = &settings_;
    QString date = ticketDateText(settings->ticketDateMode(), QDate::currentDate(), session_.trip(), settings->fixedDate());
    picSeirikenPrev_->clear();
    if (settings->usePreview()) {
        const QString path = settings->pluginPath();
        const QString stopNameIn = session_.fareTable().Row(row).StopName;
        const QString dateIn = date;
        const QString time = timeText(QTime::currentTime());
        const qint32 routeNo = route_set::leadingNumber(session_.trip().RouteNo);
        const qint32 ticketNo = session_.fareTable().Row(row).TicketNo;
        const qint32 corpIndex = combo1_->currentIndex();
        QString stopName = stopNameIn;
        const int result = Qv4_DrawSeiriken(path, &picSeirikenPrev_->surface(), stopName, date, time, routeNo, ticketNo,
                                            row, corpIndex);
        session_.renameStop(row, stopName);

        const QJsonArray problems = QJsonArray::fromStringList(ticket::lastDrawProblems());
        lastDraw_ = {{QStringLiteral("path"), path},           {QStringLiteral("stopName"), stopNameIn},
                     {QStringLiteral("date"), dateIn},         {QStringLiteral("time"), time},
                     {QStringLiteral("routeNo"), routeNo},     {QStringLiteral("ticketNo"), ticketNo},
                     {QStringLiteral("row"), row},             {QStringLiteral("corpIndex"), corpIndex},
                     {QStringLiteral("stopNameOut"), stopName}, {QStringLiteral("dateOut"), date},
                     {QStringLiteral("result"), result},       {QStringLiteral("problems"), problems}};
        events::record(QStringLiteral("ticket"), {{QStringLiteral("plugin"), path},
                                                  {QStringLiteral("stopName"), stopName},
                                                  {QStringLiteral("ticketNo"), ticketNo},
                                                  {QStringLiteral("outcome"), result == 0 ? QStringLiteral("not a plug-in")
                                                                              : problems.isEmpty() ? QStringLiteral("drawn")
                                                                                                   : QStringLiteral("drawn with problems")},
                                                  {QStringLiteral("problems"), problems}});
    }
    picSeirikenPrev_->refresh();
}
