#include "automation/state_dump.h"
#include "widgets/qcolor_ref.h"

#include "automation/clipboard_state.h"
#include "automation/control_lookup.h"
#include "base/dump_sections.h"
#include "base/event_log.h"
#include "widgets/chimei_ctl.h"
#include "core/colorref.h"
#include "widgets/m_degit.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTableView>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>

#include <sys/resource.h>

namespace automation {

namespace {

const char *const kMainWindows[] = {"Form1", "frmCtl", "frmOption"};

QJsonValue colourValue(const QVariant &v) {
    bool ok = false;
    const qlonglong n = v.toLongLong(&ok);
    return ok ? QJsonValue(n) : QJsonValue(v.toString());
}

QJsonArray itemTexts(const QAbstractItemModel *model, const QModelIndex &root, int column = 0) {
    QJsonArray items;
    if (!model) return items;
    for (int r = 0; r < model->rowCount(root); ++r) items.append(model->index(r, column, root).data().toString());
    return items;
}

// The chosen list position as the list shows it: the selected row, -1 when none is.
int listIndex(const QAbstractItemView *view) {
    if (view->selectionMode() == QAbstractItemView::NoSelection) return view->currentIndex().isValid() ? view->currentIndex().row() : -1;
    const QModelIndexList selected = view->selectionModel() ? view->selectionModel()->selectedIndexes() : QModelIndexList();
    int best = -1;
    for (const QModelIndex &i : selected)
        if (best < 0 || i.row() < best) best = i.row();
    return best;
}

// A table as its reader sees it: size, header texts, every cell's text, the current cell.
void addTableFields(QJsonObject &o, const QTableView *view) {
    const QAbstractItemModel *model = view->model();
    const int rows = model ? model->rowCount(view->rootIndex()) : 0, columns = model ? model->columnCount(view->rootIndex()) : 0;
    o.insert(QStringLiteral("rows"), rows);
    o.insert(QStringLiteral("columns"), columns);
    QJsonArray headers, cells;
    for (int c = 0; c < columns; ++c) headers.append(model->headerData(c, Qt::Horizontal).toString());
    for (int r = 0; r < rows; ++r) {
        QJsonArray row;
        for (int c = 0; c < columns; ++c) row.append(model->index(r, c, view->rootIndex()).data().toString());
        cells.append(row);
    }
    o.insert(QStringLiteral("headers"), headers);
    o.insert(QStringLiteral("cells"), cells);
    const QModelIndex cur = view->currentIndex();
    o.insert(QStringLiteral("current"), QJsonArray{cur.isValid() ? cur.row() + 1 : 0, cur.isValid() ? cur.column() + 1 : 0});
}

void addRange(QJsonObject &o, int value, int min, int max) {
    o.insert(QStringLiteral("value"), value);
    o.insert(QStringLiteral("min"), min);
    o.insert(QStringLiteral("max"), max);
}

void addKindFields(QJsonObject &o, const QObject *c) {
    if (const auto *b = qobject_cast<const QAbstractButton *>(c)) {
        o.insert(QStringLiteral("caption"), b->text());
        if (qobject_cast<const QRadioButton *>(c)) o.insert(QStringLiteral("value"), b->isChecked());
        else if (const auto *box = qobject_cast<const QCheckBox *>(c))
            o.insert(QStringLiteral("value"), box->checkState() == Qt::Unchecked ? 0 : box->checkState() == Qt::Checked ? 1 : 2);
        else if (b->isCheckable()) o.insert(QStringLiteral("value"), b->isChecked() ? 1 : 0);
        return;
    }
    if (const auto *combo = qobject_cast<const QComboBox *>(c)) {
        QJsonArray items;
        for (int i = 0; i < combo->count(); ++i) items.append(combo->itemText(i));
        o.insert(QStringLiteral("items"), items);
        o.insert(QStringLiteral("index"), combo->currentIndex());
        o.insert(QStringLiteral("text"), combo->currentText());
        return;
    }
    if (const auto *table = qobject_cast<const QTableView *>(c)) return addTableFields(o, table);
    if (const auto *view = qobject_cast<const QAbstractItemView *>(c)) {
        o.insert(QStringLiteral("items"), itemTexts(view->model(), view->rootIndex()));
        o.insert(QStringLiteral("index"), listIndex(view));
        // Whether items out of sight can be reached with the mouse alone.
        o.insert(QStringLiteral("scrollBar"), view->verticalScrollBar()->isVisibleTo(view));
        return;
    }
    if (const auto *slider = qobject_cast<const QAbstractSlider *>(c)) return addRange(o, slider->value(), slider->minimum(), slider->maximum());
    if (const auto *edit = qobject_cast<const QLineEdit *>(c)) {
        o.insert(QStringLiteral("text"), edit->text());
        return;
    }
    if (const auto *edit = qobject_cast<const QPlainTextEdit *>(c)) {
        o.insert(QStringLiteral("text"), edit->toPlainText());
        return;
    }
    if (const auto *edit = qobject_cast<const QTextEdit *>(c)) {
        o.insert(QStringLiteral("text"), edit->toPlainText());
        return;
    }
    if (const auto *spin = qobject_cast<const QSpinBox *>(c)) return addRange(o, spin->value(), spin->minimum(), spin->maximum());
    if (const auto *spin = qobject_cast<const QDoubleSpinBox *>(c)) {
        o.insert(QStringLiteral("value"), spin->value());
        o.insert(QStringLiteral("min"), spin->minimum());
        o.insert(QStringLiteral("max"), spin->maximum());
        return;
    }
    if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(c)) {
        o.insert(QStringLiteral("text"), spin->text());
        return;
    }
    if (const auto *label = qobject_cast<const QLabel *>(c)) {
        o.insert(QStringLiteral("caption"), label->text());
        return;
    }
    if (const auto *group = qobject_cast<const QGroupBox *>(c)) {
        o.insert(QStringLiteral("caption"), group->title());
        return;
    }
    if (const auto *tabs = qobject_cast<const QTabWidget *>(c)) {
        QJsonArray items;
        for (int i = 0; i < tabs->count(); ++i) items.append(tabs->tabText(i));
        o.insert(QStringLiteral("items"), items);
        o.insert(QStringLiteral("index"), tabs->currentIndex());
        return;
    }
    if (const auto *tabs = qobject_cast<const QTabBar *>(c)) {
        QJsonArray items;
        for (int i = 0; i < tabs->count(); ++i) items.append(tabs->tabText(i));
        o.insert(QStringLiteral("items"), items);
        o.insert(QStringLiteral("index"), tabs->currentIndex());
        return;
    }
    if (const auto *menu = qobject_cast<const QMenu *>(c)) {
        o.insert(QStringLiteral("caption"), menu->title());
        QJsonArray items;
        for (const QAction *a : menu->actions()) items.append(a->text());
        o.insert(QStringLiteral("items"), items);
        return;
    }
    if (const auto *bar = qobject_cast<const QProgressBar *>(c)) return addRange(o, bar->value(), bar->minimum(), bar->maximum());
}

void addColours(QJsonObject &o, const QObject *c) {
    for (const char *name : {"BackColor", "ForeColor"}) {
        const QVariant v = c->property(name);
        if (v.isValid()) o.insert(QLatin1String(name), colourValue(v));
    }
}

QJsonObject labelState(const QLabel *label) {
    QJsonObject o;
    o.insert(QStringLiteral("caption"), label->text());
    o.insert(QStringLiteral("visible"), label->isVisibleTo(label->window()));
    const QVariant fore = label->property("ForeColor");
    o.insert(QStringLiteral("ForeColor"), fore.isValid() ? colourValue(fore)
                                                         : QJsonValue(qint64(fromQColor(label->palette().color(label->foregroundRole())))));
    o.insert(QStringLiteral("fontName"), label->font().family());
    o.insert(QStringLiteral("fontSize"), label->font().pointSizeF());
    o.insert(QStringLiteral("fontBold"), label->font().bold());
    return o;
}

}  // namespace

QList<QWidget *> dumpedWindows() {
    QList<QWidget *> result;
    for (const char *name : kMainWindows)
        if (QWidget *w = findWindow(QLatin1String(name))) result.append(w);
    for (QWidget *w : namedWindows()) {
        if (result.contains(w) || !w->isVisible()) continue;
        bool main = false;
        for (const char *name : kMainWindows) main = main || w->objectName() == QLatin1String(name);
        if (!main) result.append(w);
    }
    return result;
}

QJsonObject controlState(const QObject *control) {
    QJsonObject o;
    o.insert(QStringLiteral("kind"), controlKind(control));
    o.insert(QStringLiteral("class"), QLatin1String(control->metaObject()->className()));
    if (const auto *timer = qobject_cast<const QTimer *>(control)) {
        o.insert(QStringLiteral("enabled"), timer->isActive());
        o.insert(QStringLiteral("interval"), timer->interval());
        return o;
    }
    if (!control->isWidgetType()) return o;
    const auto *w = static_cast<const QWidget *>(control);
    // A pop-up menu is placed on the screen, everything else within its window.
    const QWidget *window = qobject_cast<const QMenu *>(w) ? w : w->window();
    const QPoint topLeft = w->mapTo(window, QPoint(0, 0));
    o.insert(QStringLiteral("enabled"), w->isEnabled());
    o.insert(QStringLiteral("visible"), w->isVisibleTo(window));
    o.insert(QStringLiteral("left"), topLeft.x());
    o.insert(QStringLiteral("top"), topLeft.y());
    o.insert(QStringLiteral("width"), w->width());
    o.insert(QStringLiteral("height"), w->height());
    o.insert(QStringLiteral("fontName"), w->font().family());
    o.insert(QStringLiteral("fontSize"), w->font().pointSizeF());
    o.insert(QStringLiteral("fontBold"), w->font().bold());
    if (!w->toolTip().isEmpty()) o.insert(QStringLiteral("toolTip"), w->toolTip());
    addKindFields(o, control);
    addColours(o, control);
    return o;
}

QJsonObject windowState(const QWidget *window) {
    QJsonObject o;
    o.insert(QStringLiteral("kind"), QStringLiteral("window"));
    o.insert(QStringLiteral("class"), QLatin1String(window->metaObject()->className()));
    o.insert(QStringLiteral("caption"), window->windowTitle());
    o.insert(QStringLiteral("left"), window->x());
    o.insert(QStringLiteral("top"), window->y());
    o.insert(QStringLiteral("width"), window->width());
    o.insert(QStringLiteral("height"), window->height());
    o.insert(QStringLiteral("visible"), window->isVisible());
    o.insert(QStringLiteral("enabled"), window->isEnabled());
    o.insert(QStringLiteral("frameless"), window->windowFlags().testFlag(Qt::FramelessWindowHint));
    o.insert(QStringLiteral("modal"), window->isModal());
    addColours(o, window);
    return o;
}

qint64 cpuMilliseconds() {
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
    auto ms = [](const timeval &t) { return static_cast<qint64>(t.tv_sec) * 1000 + t.tv_usec / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

QJsonObject buildDump() {
    QJsonObject controls, windows, degits, labels;
    for (QWidget *window : dumpedWindows()) {
        windows.insert(window->objectName(), windowState(window));
        for (QObject *c : namedControls(window)) {
            const QString name = fullName(c);
            controls.insert(name, controlState(c));
            if (const auto *d = qobject_cast<const M_Degit *>(c)) degits.insert(name, d->dumpState());
        }
    }
    if (findWindow(QStringLiteral("Form1"))) {
        for (int i = 0; i <= 32; ++i) {
            const QString name = QStringLiteral("lblSeiriNum(%1)").arg(i);
            if (const auto *label = qobject_cast<const QLabel *>(findControl({QStringLiteral("Form1"), name})))
                labels.insert(QStringLiteral("Form1.") + name, labelState(label));
        }
    }

    QJsonObject dump;
    dump.insert(QStringLiteral("controls"), controls);
    dump.insert(QStringLiteral("windows"), windows);
    dump.insert(QStringLiteral("degits"), degits);
    dump.insert(QStringLiteral("labels"), labels);
    if (const auto *chimei = qobject_cast<const ChimeiCtl_B *>(findControl({QStringLiteral("Form1"), QStringLiteral("ChimeiCtl")})))
        dump.insert(QStringLiteral("chimei"), chimei->dumpState());
    dump.insert(QStringLiteral("events"), events::all());
    dump.insert(QStringLiteral("clipboard"), clipboardState());
    // Sections of other parts come last, so that a part may give a richer view of its own.
    for (const auto &[key, section] : dump::sections())
        if (section) dump.insert(key, section());
    dump.insert(QStringLiteral("process"), QJsonObject{{QStringLiteral("cpuMs"), cpuMilliseconds()}});
    return dump;
}

bool writeDump(const QString &path, QString *error) {
    const QByteArray bytes = QJsonDocument(buildDump()).toJson(QJsonDocument::Indented);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error) *error = QStringLiteral("cannot write the dump to %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace automation
