// demo_settings OUT.in4 DEMODIR: the program's default settings with the demo of
// DEMODIR chosen (see core/demo_choices.h): its routes, its chimes, the ticket preview
// with its barcode ticket.
#include "core/demo_choices.h"
#include "core/ini_codec.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: demo_settings OUT.in4 DEMODIR\n");
        return 2;
    }
    IniData ini;
    demo_choices::apply(ini, args.at(2));
    QSaveFile out(args.at(1));
    if (!out.open(QIODevice::WriteOnly) || out.write(inicodec::encode(ini)) < 0 || !out.commit()) {
        std::fprintf(stderr, "demo_settings: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
