#include "core/route_set.h"

#include "core/fare_data_file.h"

#include <QFileInfo>
#include <limits>

namespace route_set {

int leadingNumber(const QString &text) {
    qint64 v = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
        v = v * 10 + (c.unicode() - '0');
        if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    }
    return static_cast<int>(v);
}

qint16 clampSection(int section) {
    if (section < 1) return 1;
    if (section > MaxSection) return MaxSection;
    return static_cast<qint16>(section);
}

QString fileRouteNumber(const QString &routeNo) { return QString::number(leadingNumber(routeNo)); }

QString folderPrefix(const QString &folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/'))) return folder;
    return folder + QLatin1Char('/');
}

QString fareDataPath(const QString &fareFolder, const QString &routeNo) {
    return folderPrefix(fareFolder) + fileRouteNumber(routeNo) + QStringLiteral(".hy3");
}

Request makeRequest(const QString &routeText, const QString &sectionText) {
    return {routeText, clampSection(leadingNumber(sectionText)), fileRouteNumber(routeText)};
}

QString messageFileMissing() { return QStringLiteral("指定した系統のデータがありません..."); }

QString messageNoRows() {
    return QStringLiteral("指定した系統はデータの数が0(未登録)の可能性があります...");
}

QString messageSectionTooLarge() {
    return QStringLiteral("指定した区間はデータの数よりも多いです...") + QStringLiteral("\r\n") +
           QStringLiteral("  解決法：正しい区間を入力して下さい.");
}

Result load(const Request &request, const QString &fareFolder, FareTable &table, Trip &trip) {
    Result result;
    result.path = fareDataPath(fareFolder, request.routeNo);
    auto refuse = [&result](Outcome outcome, const QString &message) {
        result.outcome = outcome;
        result.message = message;
        return result;
    };

    // A folder that is not there is a settings problem, not a missing route.
    if (!fareFolder.isEmpty() && !QFileInfo(fareFolder).isDir())
        return refuse(Outcome::ReadFailed,
                      QStringLiteral("運賃データのフォルダー「%1」が見つかりません。").arg(fareFolder));
    const QFileInfo info(result.path);
    if (!info.exists()) return refuse(Outcome::FileMissing, messageFileMissing());
    if (!info.isFile())
        return refuse(Outcome::ReadFailed,
                      QStringLiteral("運賃データ「%1」はファイルではありません。").arg(result.path));

    const FareFileContents file = fare_file::readFile(result.path);
    if (!file.countRead) return refuse(Outcome::ReadFailed, file.errorMessage());

    const int n = file.declaredCount;
    if (n == 0) return refuse(Outcome::NoRows, messageNoRows());
    // A negative count or one beyond the table is a broken file, whatever the section.
    if (n < 0 || n > fare_file::MaxRows) return refuse(Outcome::ReadFailed, file.errorMessage());
    // At least one row must follow the start section.
    if (n - 1 < request.startSection) return refuse(Outcome::SectionTooLarge, messageSectionTooLarge());
    if (!file.ok()) return refuse(Outcome::ReadFailed, file.errorMessage());

    table.ClearFareData();
    for (int r = 1; r <= n; ++r) table.setRow(r, file.rows[static_cast<size_t>(r - 1)]);

    trip.RouteNo = request.routeNo;
    trip.StartSection = request.startSection;
    trip.RowCount = static_cast<qint16>(n);
    trip.CurIndex = static_cast<qint16>(request.startSection - 1);
    result.outcome = Outcome::Loaded;
    return result;
}

}  // namespace route_set
