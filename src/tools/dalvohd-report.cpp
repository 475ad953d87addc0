// dalvohd-report: a report of the catalogue into a PDF file, for scheduled reports.

#include "tools/HerramientaReporte.h"

#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[])
{
    // Pages are drawn with the program's fonts, but no window ever opens: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream salida(stdout);
    QTextStream errores(stderr);
    return dalvo::herramientas::ejecutarReporte(app.arguments().mid(1), salida, errores);
}
