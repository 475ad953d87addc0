#include "DatosPrueba.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

ado::Tabla tablaTickets(int filas)
{
    ado::Tabla t;
    t.columnas = {columna(QStringLiteral("IdTicket"), ado::adInteger),
                  columna(QStringLiteral("Fecha_Prestacion"), ado::adDBTimeStamp),
                  columna(QStringLiteral("Num_Afil"), ado::adChar, 15),
                  columna(QStringLiteral("Prestador_OS"), ado::adChar, 10),
                  columna(QStringLiteral("NombrePrestador"), ado::adChar, 50),
                  columna(QStringLiteral("Medico"), ado::adChar, 50),
                  columna(QStringLiteral("Cantidad"), ado::adInteger),
                  columna(QStringLiteral("Total"), ado::adCurrency),
                  columna(QStringLiteral("Desc_al_afiliado"), ado::adCurrency),
                  columna(QStringLiteral("desc_os"), ado::adCurrency)};
    for (int i = 0; i < filas; ++i)
        t.celdas << 1000 + i << QDateTime(QDate(2008, 3, 1), QTime(10, 0)).addSecs(i * 317)
                 << QStringLiteral("%1/01").arg(1234500 + i % 40) << QStringLiteral("F00042")
                 << QStringLiteral("Farmacia Central") << QStringLiteral("Dr. Pérez") << (i % 3 + 1)
                 << 100.5 + i << 30.15 << 70.35 + i;
    return t;
}

ado::Tabla tablaFormularioCierre(int filas)
{
    ado::Tabla t;
    t.columnas = {columna(QStringLiteral("Cierre"), ado::adInteger),
                  columna(QStringLiteral("FechaCierre"), ado::adDBTimeStamp),
                  columna(QStringLiteral("FechaDesde"), ado::adDBTimeStamp),
                  columna(QStringLiteral("FechaHasta"), ado::adDBTimeStamp),
                  columna(QStringLiteral("NumeroTramite"), ado::adInteger),
                  columna(QStringLiteral("Prestador"), ado::adInteger),
                  columna(QStringLiteral("Prestador_OS"), ado::adChar, 10),
                  columna(QStringLiteral("NombrePrestador"), ado::adChar, 50),
                  columna(QStringLiteral("TipoPrestador"), ado::adChar, 30),
                  columna(QStringLiteral("CantTickets"), ado::adInteger),
                  columna(QStringLiteral("TTicket"), ado::adCurrency),
                  columna(QStringLiteral("TAfilia"), ado::adCurrency),
                  columna(QStringLiteral("TDPrestador"), ado::adCurrency),
                  columna(QStringLiteral("BPRAL"), ado::adCurrency),
                  columna(QStringLiteral("IdTicket"), ado::adInteger),
                  columna(QStringLiteral("FechaTicket"), ado::adDBTimeStamp),
                  columna(QStringLiteral("Num_Afil"), ado::adChar, 15),
                  columna(QStringLiteral("Items"), ado::adInteger),
                  columna(QStringLiteral("Total"), ado::adCurrency),
                  columna(QStringLiteral("CargoAfiliado"), ado::adCurrency),
                  columna(QStringLiteral("Bonificacion"), ado::adCurrency)};
    const double total = filas * 150.0;
    for (int i = 0; i < filas; ++i)
        t.celdas << 17 << QDateTime(QDate(2008, 4, 1), QTime(18, 30)) << QDateTime(QDate(2008, 3, 1), QTime())
                 << QDateTime(QDate(2008, 3, 31), QTime()) << 70017 << 42 << QStringLiteral("F00042")
                 << QStringLiteral("Farmacia Central") << QStringLiteral("Farmacia") << filas << total
                 << total * 0.3 << total * 0.1 << total * 0.6 << 1000 + i
                 << QDateTime(QDate(2008, 3, 1 + i % 28), QTime()) << QStringLiteral("1234567/01") << 2
                 << 150.0 << 45.0 << 90.0;
    return t;
}

ado::Tabla tablaCabeceraTicket()
{
    ado::Tabla t;
    t.columnas = {columna(QStringLiteral("IdTicket"), ado::adInteger),
                  columna(QStringLiteral("Tipo"), ado::adChar, 10)};
    t.celdas << 5 << QStringLiteral("FARMACIA");
    return t;
}

ado::Tabla tablaItemsTicket(int filas)
{
    ado::Tabla t;
    t.columnas = {columna(QStringLiteral("IdTicket"), ado::adInteger),
                  columna(QStringLiteral("AuSysT"), ado::adInteger),
                  columna(QStringLiteral("Fecha_Prestacion"), ado::adDBTimeStamp),
                  columna(QStringLiteral("Num_Afil"), ado::adChar, 15),
                  columna(QStringLiteral("Num_cred"), ado::adChar, 15),
                  columna(QStringLiteral("NumeroPlan"), ado::adChar, 4),
                  columna(QStringLiteral("Cobertura"), ado::adChar, 30),
                  columna(QStringLiteral("Prestador_OS"), ado::adChar, 10),
                  columna(QStringLiteral("NombrePrestador"), ado::adChar, 50),
                  columna(QStringLiteral("Medico"), ado::adChar, 50),
                  columna(QStringLiteral("Matricula"), ado::adChar, 6),
                  columna(QStringLiteral("Fecha_Receta"), ado::adDBTimeStamp),
                  columna(QStringLiteral("Anulado"), ado::adBoolean),
                  columna(QStringLiteral("idCierre"), ado::adInteger),
                  columna(QStringLiteral("Troquel"), ado::adChar, 7),
                  columna(QStringLiteral("Medicamento"), ado::adChar, 60),
                  columna(QStringLiteral("Cantidad"), ado::adSmallInt),
                  columna(QStringLiteral("Cantidad_Dev"), ado::adSmallInt),
                  columna(QStringLiteral("Precio"), ado::adCurrency),
                  columna(QStringLiteral("Desc_Os"), ado::adNumeric),
                  columna(QStringLiteral("Importe"), ado::adCurrency),
                  columna(QStringLiteral("CargoAfiliado"), ado::adCurrency)};
    for (int i = 0; i < filas; ++i)
        t.celdas << 5 << 123456 << QDateTime(QDate(2008, 3, 3), QTime(11, 42, 7))
                 << QStringLiteral("1234567/01") << QStringLiteral("000987") << QStringLiteral("P1")
                 << QStringLiteral("Plan Básico") << QStringLiteral("F00042")
                 << QStringLiteral("Farmacia Central") << QStringLiteral("Dr. Pérez")
                 << QStringLiteral("004321") << QDateTime(QDate(2008, 3, 2), QTime()) << false << QVariant()
                 << QStringLiteral("%1").arg(12345 + i, 7, 10, QLatin1Char('0'))
                 << (i == 0 ? QStringLiteral("AMOXIDAL 500 comprimidos recubiertos por 21 unidades, "
                                             "envase hospitalario")
                            : QStringLiteral("IBUPROFENO 400 mg x %1").arg(10 * (i + 1)))
                 << (i + 1) << 0 << 85.4 << 40.0 << 85.4 * (i + 1) << 85.4 * (i + 1) * 0.6;
    return t;
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
