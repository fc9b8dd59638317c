#include "ticket/ticket_plugin_api.h"

#include "ticket/ticket_draw.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QPlainTextEdit>
#include <memory>

namespace {

// One plug-in as read, with its background picture already rendered.
struct Loaded {
    QDateTime modified;
    qint64 size = -1;
    ticket::Plugin plugin;
    QImage background;
    QString backgroundProblem;
};

QHash<QString, std::shared_ptr<const Loaded>> &cache() {
    static QHash<QString, std::shared_ptr<const Loaded>> plugins;
    return plugins;
}

QStringList &drawProblems() {
    static QStringList problems;
    return problems;
}

// The plug-in at `path`: the kept copy when the file is unchanged (and `reread` is
// false), else read afresh. Null when it is not a valid plug-in.
std::shared_ptr<const Loaded> plugin(const QString &path, bool reread) {
    if (path.isEmpty()) return nullptr;
    const QFileInfo fi(path);
    auto it = cache().find(path);
    if (!reread && it != cache().end() && (*it)->modified == fi.lastModified() && (*it)->size == fi.size()) return *it;
    cache().remove(path);
    ticket::ReadResult read = ticket::readPluginFile(path);
    if (!read.plugin) return nullptr;
    auto loaded = std::make_shared<Loaded>();
    loaded->modified = fi.lastModified();
    loaded->size = fi.size();
    loaded->plugin = std::move(*read.plugin);
    loaded->background = ticket::renderBackground(loaded->plugin, &loaded->backgroundProblem);
    cache().insert(path, loaded);
    return loaded;
}

}  // namespace

int Qv4_GetPlgInfo(const QString &path, PlgInfo &info) {
    const auto p = plugin(path, true);
    if (!p) return 0;
    info = p->plugin.info;
    return 1;
}

int Qv4_SetPlgComment(const QString &path, QPlainTextEdit *box) {
    const auto p = plugin(path, false);
    if (!p || !box) return 0;
    box->setPlainText(p->plugin.remarks);
    return 1;
}

int Qv4_SetCorpAddList(const QString &path, QComboBox *list) {
    const auto p = plugin(path, false);
    if (!p || !list) return 0;
    list->addItems(p->plugin.companies);
    return 1;
}

int Qv4_DrawSeiriken(const QString &path, QPaintDevice *dc, QString &stopName, QString &date, const QString &time,
                     std::int32_t routeNo, std::int32_t ticketNo, std::int32_t row, std::int32_t corpIndex) {
    drawProblems().clear();
    const auto p = plugin(path, false);
    if (!p || !dc) return 0;
    if (ticketNo == 0) return 1;  // nobody boards here: a ticket machine issues nothing, the preview stays blank
    if (!p->backgroundProblem.isEmpty()) drawProblems() << p->backgroundProblem;
    QPainter painter(dc);
    const ticket::Values values{stopName, date, time, routeNo, ticketNo, row, QString()};
    const ticket::DrawResult r = ticket::drawTicket(painter, p->plugin, p->background, values, corpIndex);
    drawProblems() << r.problems;
    if (r.stopNamePrinted) stopName = r.stopName;
    if (r.datePrinted) date = r.date;
    return 1;
}

namespace ticket {
QStringList lastDrawProblems() { return drawProblems(); }
}  // namespace ticket
