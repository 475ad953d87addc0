// What the demo data must hold for every search kind, icon, closing and report to mean something, and the
// rules the generator keeps.

#include "BasePruebas.h"
#include "demo/Sqlite.h"

#include <QtTest>

using namespace dalvo::demo;

class tst_DatosDemo : public QObject
{
    Q_OBJECT

private slots:
    void casosEspeciales_data();
    void casosEspeciales();
    void cierresCoincidenConSusTickets_data();
    void cierresCoincidenConSusTickets();
};

namespace {

// {hoy} stands for the data's today, as stored ('yyyy-mm-dd').
qint64 contar(Conexion& db, QString sql, QDate hoy)
{
    sql.replace(QStringLiteral("{hoy}"), hoy.toString(Qt::ISODate));
    return db.entero(sql);
}

} // namespace

void tst_DatosDemo::casosEspeciales_data()
{
    QTest::addColumn<QDate>("hoy");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("minimo");
    QTest::addColumn<int>("maximo"); // -1: no upper bound
    struct Caso
    {
        const char* descripcion;
        const char* sql;
        int minimo;
        int maximo;
    };
    static const Caso kCasos[] = {
        {"médico con comilla", "SELECT COUNT(*) FROM Medicos WHERE Nombre LIKE 'O''Brien%' AND IdMedico = 1",
         1, 1},
        {"tickets de farmacia solo de farmacias",
         "SELECT COUNT(*) FROM Tickets T JOIN Prestadores P ON P.IdPrestador = T.IdPrestador WHERE "
         "P.IdTipoPrestador NOT IN (1, 14)",
         0, 0},
        {"tickets de prestador solo de prácticas",
         "SELECT COUNT(*) FROM TicketPrestador T JOIN Prestadores P ON P.IdPrestador = T.IdPrestador WHERE "
         "P.IdTipoPrestador IN (1, 14)",
         0, 0},
        {"tickets de farmacia de hoy sin cerrar",
         "SELECT COUNT(*) FROM Tickets WHERE Fecha_Prestacion LIKE '{hoy}%' AND idCierre IS NULL AND "
         "IdPrestador = 1",
         3, -1},
        {"cierres posteriores a hoy",
         "SELECT COUNT(*) FROM Cierres WHERE FechaServer >= date('{hoy}', '+1 day')", 0, 0},
        {"valores vigentes a la fecha de la práctica",
         "SELECT COUNT(*) FROM ItemTicketPrestador I JOIN TicketPrestador T ON T.IdTicket = I.IdTicket JOIN "
         "PrestadorPracticas V ON V.IdPrestadorPractica = I.idPrestadorPractica WHERE V.IdPrestador <> "
         "T.IdPrestador OR V.PracticaOS <> I.Practica OR T.FechaDePractica < V.FechaDesde OR "
         "T.FechaDePractica > IFNULL(V.FechaHasta, '9999-12-31 23:59:59') OR I.ValorNomenclador <> V.Valor",
         0, 0},
        {"MatriculaPP de nadie",
         "SELECT COUNT(*) FROM TicketPrestador T WHERE T.MatriculaPP IS NOT NULL AND NOT EXISTS (SELECT 1 "
         "FROM Medicos M WHERE M.Matricula = substr('000000' || T.MatriculaPP, -6))",
         1, -1},
        {"prestadores en 16 bits",
         "SELECT COUNT(*) FROM Prestadores WHERE IdPrestador NOT BETWEEN 1 AND 32767", 0, 0},
        {"fechas del último año",
         "SELECT COUNT(*) FROM Tickets WHERE Fecha_Prestacion NOT BETWEEN date('{hoy}', 'start of month', "
         "'-13 months') AND '{hoy} 23:59:59'",
         0, 0},
    };
    static const char* const kOperaciones[] = {"11", "31", "12", "22", "23", "62", "63", "21",
                                               "51", "52", "53", "71", "72", "73", "60", "61",
                                               "64", "65", "14", "24", "34", "41", "42", "43"};
    // A day in the middle of a month and the last day of a month after a leap day: month arithmetic at its
    // edges.
    for (const QDate hoy : {pruebas::kHoy, QDate(2025, 3, 31)}) {
        const QByteArray sufijo = " (" + hoy.toString(Qt::ISODate).toLatin1() + ')';
        for (const Caso& c : kCasos)
            QTest::newRow(c.descripcion + sufijo) << hoy << QString::fromUtf8(c.sql) << c.minimo << c.maximo;
        for (const char* op : kOperaciones)
            QTest::newRow("operación " + QByteArray(op) + sufijo)
                << hoy
                << QStringLiteral("SELECT COUNT(*) FROM TicketPrestador WHERE Operacion = '%1' AND "
                                  "FechaDePractica >= date('{hoy}', '-30 days')")
                       .arg(QLatin1String(op))
                << 1 << -1;
    }
}

void tst_DatosDemo::casosEspeciales()
{
    QFETCH(QDate, hoy);
    QFETCH(QString, sql);
    QFETCH(int, minimo);
    QFETCH(int, maximo);
    Conexion db(pruebas::basePruebas(hoy), true);
    const qint64 n = contar(db, sql, hoy);
    QVERIFY2(n >= minimo && (maximo < 0 || n <= maximo), qPrintable(QStringLiteral("%1 filas").arg(n)));
}

void tst_DatosDemo::cierresCoincidenConSusTickets_data()
{
    QTest::addColumn<QString>("sql"); // counts the closings (or tickets) that break the rule
    QTest::newRow("farmacias: cantidad y totales") << QStringLiteral(
        "WITH T AS (SELECT T.idCierre AS cierre, T.IdPrestador AS prestador, SUM(T.Anulado = 0) AS cantidad,"
        " SUM(CASE WHEN T.Anulado = 0 THEN (SELECT TOTAL((I.Cantidad - I.Cantidad_Dev) * I.Precio) FROM "
        "Item_Tickets I WHERE I.IdTicket = T.IdTicket) END) AS total,"
        " TOTAL(CASE WHEN T.Anulado = 0 THEN T.Desc_al_afiliado END) AS bonificacion, TOTAL(CASE WHEN "
        "T.Anulado = 0 THEN T.desc_os END) AS descuento"
        " FROM Tickets T WHERE T.idCierre IS NOT NULL GROUP BY T.idCierre, T.IdPrestador)"
        " SELECT COUNT(*) FROM Cierres C JOIN T ON T.cierre = C.IdCierre WHERE T.prestador <> C.IdPrestador "
        "OR T.cantidad <> C.Cant_transac"
        " OR abs(IFNULL(T.total, 0) - C.TTicket) > 0.005 OR abs(T.bonificacion - C.BPRAL) > 0.005 OR "
        "abs(T.descuento - C.TDPrestador) > 0.005"
        " OR abs(C.TTicket - C.BPRAL - C.TAfilia) > 0.005");
    QTest::newRow("prácticas: cantidad y totales") << QStringLiteral(
        "WITH T AS (SELECT T.IdCierre AS cierre, T.IdPrestador AS prestador, SUM(T.Anulado = 0 AND "
        "T.Operacion IN ('11', '31')) AS cantidad,"
        " TOTAL(CASE WHEN T.Anulado = 0 AND T.Operacion IN ('11', '31') THEN (SELECT TOTAL(I.Cantidad * "
        "IFNULL(I.ValorNomenclador, 0)) FROM ItemTicketPrestador I WHERE I.IdTicket = T.IdTicket) END) AS "
        "total"
        " FROM TicketPrestador T WHERE T.IdCierre IS NOT NULL GROUP BY T.IdCierre, T.IdPrestador)"
        " SELECT COUNT(*) FROM Cierres C JOIN T ON T.cierre = C.IdCierre WHERE T.prestador <> C.IdPrestador "
        "OR T.cantidad <> C.Cant_transac"
        " OR abs(T.total - C.TTicket) > 0.005 OR abs(C.BPRAL - C.TTicket) > 0.005 OR C.TAfilia <> 0 OR "
        "C.TDPrestador <> 0");
}

void tst_DatosDemo::cierresCoincidenConSusTickets()
{
    QFETCH(QString, sql);
    Conexion db(pruebas::basePruebas(), true);
    QVERIFY(db.entero(QStringLiteral("SELECT COUNT(*) FROM Cierres")) > 0);
    QCOMPARE(db.entero(sql), 0);
}

QTEST_GUILESS_MAIN(tst_DatosDemo)
#include "tst_DatosDemo.moc"
