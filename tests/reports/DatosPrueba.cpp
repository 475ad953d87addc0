#include "DatosPrueba.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace dalvo::prueba {

ado::Columna columna(const QString& nombre, int tipo, int tamano)
{
    ado::Columna c;
    c.nombre = nombre;
    c.tipo = tipo;
    c.tamanoDefinido = tamano;
    return c;
}

ado::Tabla tablaCierres(int filas, int porPrestador)
{
    ado::Tabla t;
    const std::tuple<const char*, int, int> columnas[] = {
        {"IdCierre", ado::adInteger, 0},     {"FechaServer", ado::adDBTimeStamp, 0},
        {"IdPrestador", ado::adInteger, 0},  {"Prestador_OS", ado::adChar, 10},
        {"Nombre", ado::adChar, 50},         {"Cant_transac", ado::adSmallInt, 0},
        {"TTicket", ado::adCurrency, 0},     {"TAfilia", ado::adCurrency, 0},
        {"TDPrestador", ado::adCurrency, 0}, {"BPRAL", ado::adCurrency, 0},
        {"NumeroTramite", ado::adInteger, 0}};
    for (const auto& [nombre, tipo, tamano] : columnas)
        t.columnas.append(columna(QString::fromLatin1(nombre), tipo, tamano));
    t.celdas.reserve(filas * t.columnas.size());
    const QDateTime inicio(QDate(2008, 3, 1), QTime(8, 30));
    for (int i = 0; i < filas; ++i) {
        const int prestador = i / porPrestador + 1;
        const double total = 1000 + (i * 37 % 5000) + (i % 100) / 100.0;
        t.celdas << (i + 1) << inicio.addSecs(i * 600) << prestador
                 << QStringLiteral("%1").arg(prestador, 6, 10, QLatin1Char('0')).leftJustified(10)
                 << QStringLiteral("Farmacia %1 del Sol de Mendoza")
                        .arg(prestador, 5, 10, QLatin1Char('0'))
                        .leftJustified(50)
                 << (i % 40 + 1) << total << total * 0.3 << total * 0.1 << total * 0.6 << (70000 + i);
    }
    return t;
}

void agregarParametros(ColeccionParametros& p)
{
    const QString valores = QStringLiteral(
        "CIERREACTUAL=17|CIERREINICIAL=10|CIERREFINAL=25|PRESTADORACTUAL=42|PRESTADORACTUALNOMBRE= Farmacia "
        "O'Brien |TIPOPRESTADORACTUAL=1|MEDICAMENTOACTUAL=0012345|MEDICAMENTONOMBRE=AMOXIDAL 500|"
        "AFILIADOACTUAL= 1234567/01 |AFILIADO=D'Angelo 9|PLANAFILIADOACTUAL=P1|TICKETACTUAL=1001|"
        "TICKETINICIAL=1000|TICKETFINAL=1099|MEDICORECETA=77|MEDICOACTUAL=004321|PRACTICAACTUAL=420101|"
        "CODIGOPRESTADORACTUAL=F00042|PRESTADORESPECIALIDAD= Farmacia |ACCIONACTUAL=0007|"
        "ACCIONNOMBRE= Retiro |MEDICORECETANOMBRE=Dr. Pérez|MEDICONOMBRE=Dra. López|PRACTICANOMBRE=Consulta");
    for (const QString& par : valores.split(u'|'))
        p.Add(par.section(u'=', 0, 0), par.section(u'=', 1));
}

void filasDeTexto(std::initializer_list<const char*> columnas,
                  std::initializer_list<std::initializer_list<const char*>> filas)
{
    for (const char* c : columnas)
        QTest::addColumn<QString>(c);
    for (const auto& fila : filas) {
        auto celda = fila.begin();
        QTestData& datos = QTest::newRow(*celda);
        while (++celda != fila.end())
            datos << QString::fromUtf8(*celda);
    }
}

QString carpetaReportesFuente()
{
    return QStringLiteral(DALVOHD_CARPETA_REPORTES_FUENTE);
}

QString escribir(const QString& ruta, const QByteArray& contenido)
{
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly) || f.write(contenido) != contenido.size())
        qFatal("no se pudo escribir %s", qPrintable(ruta));
    return ruta;
}

} // namespace dalvo::prueba
