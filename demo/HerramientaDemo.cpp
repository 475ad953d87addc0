// dalvohd-demo: writes a demo database file.
//   dalvohd-demo --escala pruebas|demo|banco [--hoy yyyy-mm-dd] [--semilla n] <archivo>

#include "common/Falla.h"
#include "demo/GeneradorDemo.h"
#include "demo/Sqlite.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

using namespace dalvo;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dalvohd-demo"));
    QTextStream salida(stdout);
    QTextStream errores(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Escribe una base de datos de demostración de DalvoHD."));
    parser.addHelpOption();
    const QCommandLineOption escala(QStringLiteral("escala"),
                                    QStringLiteral("Tamaño: pruebas, demo o banco."),
                                    QStringLiteral("escala"), QStringLiteral("demo"));
    const QCommandLineOption hoy(QStringLiteral("hoy"),
                                 QStringLiteral("Día \"de hoy\" de los datos (aaaa-mm-dd)."),
                                 QStringLiteral("fecha"));
    const QCommandLineOption semilla(QStringLiteral("semilla"), QStringLiteral("Semilla de los datos."),
                                     QStringLiteral("n"), QString::number(demo::kSemillaDemo));
    parser.addOptions({escala, hoy, semilla});
    parser.addPositionalArgument(QStringLiteral("archivo"), QStringLiteral("Archivo a escribir."));
    parser.process(app);

    demo::OpcionesDemo opciones;
    const auto laEscala = demo::EscalaDesdeNombre(parser.value(escala));
    bool semillaOk = false;
    opciones.semilla = parser.value(semilla).toUInt(&semillaOk);
    if (parser.isSet(hoy))
        opciones.hoy = QDate::fromString(parser.value(hoy), Qt::ISODate);
    if (!laEscala || !semillaOk || (parser.isSet(hoy) && !opciones.hoy.isValid()) ||
        parser.positionalArguments().size() != 1) {
        errores << parser.helpText();
        return 2;
    }
    opciones.escala = *laEscala;
    const QString archivo = parser.positionalArguments().constFirst();

    QElapsedTimer reloj;
    reloj.start();
    opciones.avance = [&](const QString& etapa) {
        salida << QStringLiteral("%1 s  %2").arg(reloj.elapsed() / 1000.0, 6, 'f', 1).arg(etapa) << Qt::endl;
    };
    try {
        demo::GenerarBase(archivo, opciones);
        const double segundos = reloj.elapsed() / 1000.0;
        demo::Conexion db(archivo, true);
        salida << Qt::endl;
        for (const QString& tabla : demo::TablasDemo())
            salida << QStringLiteral("%1 %2")
                          .arg(tabla, -26)
                          .arg(db.entero(QStringLiteral("SELECT COUNT(*) FROM ") + tabla), 10)
                   << Qt::endl;
        salida << Qt::endl
               << QStringLiteral("%1: escala %2, hoy %3, semilla %4; %5 MB en %6 s")
                      .arg(archivo, demo::NombreEscala(opciones.escala),
                           db.texto(QStringLiteral("SELECT valor FROM dalvo_info WHERE clave = 'hoy'")))
                      .arg(opciones.semilla)
                      .arg(QFileInfo(archivo).size() / 1048576.0, 0, 'f', 1)
                      .arg(segundos, 0, 'f', 2)
               << Qt::endl;
    } catch (const Falla& falla) {
        errores << falla.Numero << ' ' << falla.Descripcion << Qt::endl;
        return 1;
    }
    return 0;
}
