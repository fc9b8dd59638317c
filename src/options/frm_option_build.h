#pragma once
// Shorthands for building the options dialog's pages: every control gets its name
// with index as objectName, its caption and its place (pixels inside its frame).
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

namespace optbuild {

inline QString named(const char *name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

template <typename W>
W *place(W *w, const QString &objectName, int x, int y, int width, int height) {
    w->setObjectName(objectName);
    w->setGeometry(x, y, width, height);
    return w;
}

inline QLabel *label(QWidget *parent, const QString &name, const QString &text, int x, int y, int w, int h = 16,
                     bool wrap = false) {
    auto *l = place(new QLabel(text, parent), name, x, y, w, h);
    l->setWordWrap(wrap);
    if (wrap) l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

// Every text box here holds a settings string, which the file keeps up to 65535
// bytes; Qt's own limit (32767 characters) would cut it.
inline QLineEdit *text(QWidget *parent, const QString &name, int x, int y, int w) {
    auto *edit = place(new QLineEdit(parent), name, x, y, w, 22);
    edit->setMaxLength(0xFFFF);
    return edit;
}

inline QPushButton *button(QWidget *parent, const QString &name, const QString &caption, int x, int y, int w,
                           int h = 22) {
    auto *b = place(new QPushButton(caption, parent), name, x, y, w, h);
    b->setAutoDefault(false);
    return b;
}

inline QCheckBox *check(QWidget *parent, const QString &name, const QString &caption, int x, int y, int w = 0) {
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    c->move(x, y);
    if (w > 0) c->resize(w, 20);
    else c->adjustSize();
    return c;
}

inline QRadioButton *option(QWidget *parent, const QString &name, const QString &caption, int x, int y) {
    auto *o = new QRadioButton(caption, parent);
    o->setObjectName(name);
    o->move(x, y);
    o->adjustSize();
    return o;
}

inline QGroupBox *frame(QWidget *parent, const QString &name, const QString &title, int x, int y, int w, int h) {
    return place(new QGroupBox(title, parent), name, x, y, w, h);
}

inline QComboBox *list(QWidget *parent, const QString &name, int x, int y, int w) {
    return place(new QComboBox(parent), name, x, y, w, 22);
}

}  // namespace optbuild
