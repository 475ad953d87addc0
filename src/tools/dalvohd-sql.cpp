// dalvohd-sql: runs SQL statements over the program's connection, for support staff and scripts.

#include "tools/HerramientaSql.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream entrada(stdin);
    QTextStream salida(stdout);
    QTextStream errores(stderr);
    return dalvo::herramientas::ejecutarHerramienta(app.arguments().mid(1), entrada, salida, errores);
}
