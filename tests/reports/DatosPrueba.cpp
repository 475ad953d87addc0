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
    t.columnas = {columna(QStringLiteral("IdCierre"), ado::adInteger),
                  columna(QStringLiteral("FechaServer"), ado::adDBTimeStamp),
                  columna(QStringLiteral("IdPrestador"), ado::adInteger),
                  columna(QStringLiteral("Prestador_OS"), ado::adChar, 10),
                  columna(QStringLiteral("Nombre"), ado::adChar, 50),
                  columna(QStringLiteral("Cant_transac"), ado::adSmallInt),
                  columna(QStringLiteral("TTicket"), ado::adCurrency),
                  columna(QStringLiteral("TAfilia"), ado::adCurrency),
                  columna(QStringLiteral("TDPrestador"), ado::adCurrency),
                  columna(QStringLiteral("BPRAL"), ado::adCurrency),
                  columna(QStringLiteral("NumeroTramite"), ado::adInteger)};
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
    const std::pair<const char*, const char*> valores[] = {
        {"CIERREACTUAL", "17"},
        {"CIERREINICIAL", "10"},
        {"CIERREFINAL", "25"},
        {"PRESTADORACTUAL", "42"},
        {"PRESTADORACTUALNOMBRE", " Farmacia O'Brien "},
        {"TIPOPRESTADORACTUAL", "1"},
        {"MEDICAMENTOACTUAL", "0012345"},
        {"MEDICAMENTONOMBRE", "AMOXIDAL 500"},
        {"AFILIADOACTUAL", " 1234567/01 "},
        {"AFILIADO", "D'Angelo 9"},
        {"PLANAFILIADOACTUAL", "P1"},
        {"TICKETACTUAL", "1001"},
        {"TICKETINICIAL", "1000"},
        {"TICKETFINAL", "1099"},
        {"MEDICORECETA", "77"},
        {"MEDICOACTUAL", "004321"},
        {"PRACTICAACTUAL", "420101"},
        {"CODIGOPRESTADORACTUAL", "F00042"},
        {"PRESTADORESPECIALIDAD", " Farmacia "},
        {"ACCIONACTUAL", "0007"},
        {"ACCIONNOMBRE", " Retiro "},
        {"MEDICORECETANOMBRE", "Dr. Pérez"},
        {"MEDICONOMBRE", "Dra. López"},
        {"PRACTICANOMBRE", "Consulta"},
    };
    for (const auto& [clave, valor] : valores)
        p.Add(QString::fromLatin1(clave), QString::fromUtf8(valor));
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
