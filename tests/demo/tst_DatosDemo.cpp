// What the demo data must hold for every search kind, icon, closing and report to mean something, and the
// generator's determinism.

#include "BasePruebas.h"
#include "demo/FilasEspeciales.h"
#include "demo/Sqlite.h"

#include <QCryptographicHash>
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
    void mismasOpcionesMismoContenido();
    void otraSemillaOtroContenido();
};

namespace {

// {hoy} and {pico} stand for the data's today and the peak day, as stored ('yyyy-mm-dd').
qint64 contar(Conexion& db, QString sql, QDate hoy)
{
    sql.replace(QStringLiteral("{hoy}"), hoy.toString(Qt::ISODate));
    sql.replace(QStringLiteral("{pico}"),
                hoy.addDays(-especiales::kDiasAntesDelDiaPico).toString(Qt::ISODate));
    return db.entero(sql);
}

// The content of every table, row by row, as a hash per table.
QMap<QString, QByteArray> contenido(const QString& ruta)
{
    Conexion db(ruta, true);
    QMap<QString, QByteArray> hashes;
    for (const QString& tabla : TablasDemo()) {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        Sentencia filas(db,
                        QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(tabla).toUtf8().constData());
        while (filas.siguiente())
            for (int i = 0; i < filas.columnas(); ++i)
                hash.addData(filas.columnaNula(i) ? QByteArray("\x01NULL") : filas.columnaTexto(i) + '\x1f');
        hashes.insert(tabla, hash.result());
    }
    return hashes;
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
        {"Parametros: una fila completa",
         "SELECT COUNT(*) FROM Parametros WHERE NombreEmpresa LIKE 'Obra Social%Mendoza'", 1, 1},
        {"un prestador sin tipo",
         "SELECT COUNT(*) FROM Prestadores WHERE IdTipoPrestador IS NULL AND IdPrestador = 6", 1, 1},
        {"solo uno sin tipo", "SELECT COUNT(*) FROM Prestadores WHERE IdTipoPrestador IS NULL", 1, 1},
        {"un prestador sin departamento",
         "SELECT COUNT(*) FROM Prestadores WHERE IdDepartamento IS NULL AND IdPrestador = 7", 1, 1},
        {"solo uno sin departamento", "SELECT COUNT(*) FROM Prestadores WHERE IdDepartamento IS NULL", 1, 1},
        {"farmacia con comilla",
         "SELECT COUNT(*) FROM Prestadores WHERE Nombre = 'FARMACIA O''BRIEN' AND IdPrestador = 2", 1, 1},
        {"médico con comilla", "SELECT COUNT(*) FROM Medicos WHERE Nombre LIKE 'O''Brien%' AND IdMedico = 1",
         1, 1},
        {"prestadores con ñ y acentos",
         "SELECT COUNT(*) FROM Prestadores WHERE Nombre GLOB '*ñ*' OR Nombre GLOB '*í*'", 2, -1},
        {"médicos con ñ", "SELECT COUNT(*) FROM Medicos WHERE Nombre GLOB '*ñ*'", 1, -1},
        {"prestadores con SAN", "SELECT COUNT(*) FROM Prestadores WHERE Nombre LIKE '%san%'", 1, -1},
        {"farmacias de tipo 1 y 14 con tickets",
         "SELECT COUNT(DISTINCT P.IdTipoPrestador) FROM Tickets T JOIN Prestadores P ON P.IdPrestador = "
         "T.IdPrestador",
         2, 2},
        {"tickets de farmacia solo de farmacias",
         "SELECT COUNT(*) FROM Tickets T JOIN Prestadores P ON P.IdPrestador = T.IdPrestador WHERE "
         "P.IdTipoPrestador NOT IN (1, 14)",
         0, 0},
        {"tipos de prácticas con tickets",
         "SELECT COUNT(DISTINCT P.IdTipoPrestador) FROM TicketPrestador T JOIN Prestadores P ON "
         "P.IdPrestador = T.IdPrestador WHERE P.IdTipoPrestador NOT IN (1, 14)",
         3, -1},
        {"tickets de prestador solo de prácticas",
         "SELECT COUNT(*) FROM TicketPrestador T JOIN Prestadores P ON P.IdPrestador = T.IdPrestador WHERE "
         "P.IdTipoPrestador IN (1, 14)",
         0, 0},
        {"prestadores de baja", "SELECT COUNT(*) FROM Prestadores WHERE Baja = 1 AND IdPrestador = 8", 1, 1},
        {"médicos de baja", "SELECT COUNT(*) FROM Medicos WHERE Baja = 1", 1, -1},
        {"medicamentos de baja", "SELECT COUNT(*) FROM Medicamentos WHERE Baja = 1", 1, -1},
        {"tickets de farmacia anulados", "SELECT COUNT(*) FROM Tickets WHERE Anulado = 1", 1, -1},
        {"tickets de prestador anulados", "SELECT COUNT(*) FROM TicketPrestador WHERE Anulado = 1", 1, -1},
        {"devoluciones", "SELECT COUNT(*) FROM Item_Tickets WHERE Precio < 0", 1, -1},
        {"ítems descontados", "SELECT COUNT(*) FROM Item_Tickets WHERE Cantidad <= Cantidad_Dev", 1, -1},
        {"ticket de farmacia sin ítems",
         "SELECT COUNT(*) FROM Tickets T WHERE NOT EXISTS (SELECT 1 FROM Item_Tickets I WHERE I.IdTicket = "
         "T.IdTicket)",
         1, -1},
        {"ticket de prestador sin ítems",
         "SELECT COUNT(*) FROM TicketPrestador T WHERE NOT EXISTS (SELECT 1 FROM ItemTicketPrestador I WHERE "
         "I.IdTicket = T.IdTicket)",
         1, -1},
        {"tickets de farmacia de hoy sin cerrar",
         "SELECT COUNT(*) FROM Tickets WHERE Fecha_Prestacion LIKE '{hoy}%' AND idCierre IS NULL AND "
         "IdPrestador = 1",
         3, -1},
        {"transacciones de hoy de la clínica",
         "SELECT COUNT(*) FROM TicketPrestador WHERE FechaDePractica LIKE '{hoy}%' AND Operacion IN ('11', "
         "'31') AND IdPrestador = 4",
         2, -1},
        {"tickets cerrados de ambos lados",
         "SELECT (SELECT COUNT(*) FROM Tickets WHERE idCierre IS NOT NULL) > 0 AND (SELECT COUNT(*) FROM "
         "TicketPrestador WHERE IdCierre IS NOT NULL) > 0",
         1, 1},
        {"cierres de farmacias",
         "SELECT COUNT(*) FROM Cierres C JOIN Prestadores P ON P.IdPrestador = C.IdPrestador WHERE "
         "P.IdTipoPrestador IN (1, 14)",
         1, -1},
        {"cierres de prácticas",
         "SELECT COUNT(*) FROM Cierres C JOIN Prestadores P ON P.IdPrestador = C.IdPrestador WHERE "
         "P.IdTipoPrestador NOT IN (1, 14)",
         1, -1},
        {"cierres de los últimos tres meses",
         "SELECT COUNT(*) FROM Cierres WHERE FechaServer >= date('{hoy}', '-3 months')", 1, -1},
        {"cierres posteriores a hoy",
         "SELECT COUNT(*) FROM Cierres WHERE FechaServer >= date('{hoy}', '+1 day')", 0, 0},
        {"cierre pendiente de un mes vencido",
         "SELECT COUNT(*) FROM Tickets WHERE idCierre IS NULL AND Fecha_Prestacion < date('{hoy}', 'start of "
         "month') AND IdPrestador = 2",
         1, -1},
        {"ítems con valor del prestador",
         "SELECT COUNT(*) FROM ItemTicketPrestador WHERE idPrestadorPractica IS NOT NULL", 1, -1},
        {"ítems sin valor del prestador",
         "SELECT COUNT(*) FROM ItemTicketPrestador WHERE idPrestadorPractica IS NULL", 1, -1},
        {"valores vigentes a la fecha de la práctica",
         "SELECT COUNT(*) FROM ItemTicketPrestador I JOIN TicketPrestador T ON T.IdTicket = I.IdTicket JOIN "
         "PrestadorPracticas V ON V.IdPrestadorPractica = I.idPrestadorPractica WHERE V.IdPrestador <> "
         "T.IdPrestador OR V.PracticaOS <> I.Practica OR T.FechaDePractica < V.FechaDesde OR "
         "T.FechaDePractica > IFNULL(V.FechaHasta, '9999-12-31 23:59:59') OR I.ValorNomenclador <> V.Valor",
         0, 0},
        {"prácticas con dos valores en el año",
         "SELECT COUNT(*) FROM PrestadorPracticas WHERE FechaHasta IS NOT NULL", 1, -1},
        {"autorizaciones del mismo afiliado",
         "SELECT COUNT(*) FROM Tickets T JOIN Autorizaciones A ON A.IdAutorizacion = T.idAutorizacion AND "
         "A.Num_Afil = T.Num_Afil",
         1, -1},
        {"autorizaciones de otro afiliado",
         "SELECT COUNT(*) FROM Tickets T WHERE T.idAutorizacion IS NOT NULL AND NOT EXISTS (SELECT 1 FROM "
         "Autorizaciones A WHERE A.IdAutorizacion = T.idAutorizacion AND A.Num_Afil = T.Num_Afil)",
         0, 0},
        {"tratamientos prolongados",
         "SELECT COUNT(*) FROM TrPrAfiliado A JOIN TrPrMedicamento M ON M.IdTratamiento = A.IdTratamiento", 1,
         -1},
        {"medicamentos de la acción 0007",
         "SELECT COUNT(*) FROM Accion A JOIN AccionMedicamento AM ON AM.CodigoAccion = 0007 WHERE "
         "A.CodigoAccion = '0007'",
         1, -1},
        {"códigos de acción de cuatro dígitos",
         "SELECT COUNT(*) FROM Accion WHERE CodigoAccion NOT GLOB '[0-9][0-9][0-9][0-9]'", 0, 0},
        {"errores del sistema", "SELECT COUNT(*) FROM ErrorSys", 10, -1},
        {"dispensas del programa materno infantil",
         "SELECT COUNT(*) FROM Item_Tickets WHERE OrigenDescuento = 10", 1, -1},
        {"dispensas bajo Res. 310/04", "SELECT COUNT(*) FROM Item_Tickets WHERE OrigenDescuento IN (6, 7)", 1,
         -1},
        {"un día con más de 1500 tickets",
         "SELECT COUNT(*) FROM (SELECT 1 FROM Tickets GROUP BY substr(Fecha_Prestacion, 1, 10) HAVING "
         "COUNT(*) > 1500)",
         1, 1},
        {"el día pico",
         "SELECT COUNT(*) FROM Tickets WHERE Fecha_Prestacion BETWEEN '{pico} 00:00:00' AND '{pico} "
         "23:59:59'",
         1501, -1},
        {"un mes de un prestador lejos de 1500",
         "SELECT COUNT(*) FROM (SELECT 1 FROM Tickets GROUP BY IdPrestador, substr(Fecha_Prestacion, 1, 7) "
         "HAVING COUNT(*) > 750)",
         0, 0},
        {"tickets sin médico", "SELECT COUNT(*) FROM Tickets WHERE medico_receta IS NULL", 1, -1},
        {"médicos que existen",
         "SELECT COUNT(*) FROM Tickets T WHERE medico_receta IS NOT NULL AND NOT EXISTS (SELECT 1 FROM "
         "Medicos M WHERE M.IdMedico = T.medico_receta)",
         0, 0},
        {"ningún médico 0", "SELECT COUNT(*) FROM Medicos WHERE IdMedico = 0", 0, 0},
        {"matrícula compartida",
         "SELECT COUNT(*) FROM (SELECT 1 FROM Medicos GROUP BY Matricula HAVING COUNT(*) > 1)", 1, -1},
        {"matrícula de seis dígitos",
         "SELECT COUNT(*) FROM Medicos WHERE Matricula NOT GLOB '[0-9][0-9][0-9][0-9][0-9][0-9]'", 0, 0},
        {"MatriculaPP de un médico",
         "SELECT COUNT(*) FROM TicketPrestador T WHERE EXISTS (SELECT 1 FROM Medicos M WHERE M.Matricula = "
         "substr('000000' || T.MatriculaPP, -6))",
         1, -1},
        {"MatriculaPP de nadie",
         "SELECT COUNT(*) FROM TicketPrestador T WHERE T.MatriculaPP IS NOT NULL AND NOT EXISTS (SELECT 1 "
         "FROM Medicos M WHERE M.Matricula = substr('000000' || T.MatriculaPP, -6))",
         1, -1},
        {"troqueles de siete dígitos",
         "SELECT COUNT(*) FROM Medicamentos WHERE Troquel NOT GLOB '[0-9][0-9][0-9][0-9][0-9][0-9][0-9]'", 0,
         0},
        {"troquel con cero inicial", "SELECT COUNT(*) FROM Medicamentos WHERE Troquel GLOB '0*'", 1, -1},
        {"códigos de práctica de seis dígitos",
         "SELECT COUNT(*) FROM Practicas WHERE PracticaOS NOT GLOB '[0-9][0-9][0-9][0-9][0-9][0-9]'", 0, 0},
        {"medicamentos sin clasificar", "SELECT COUNT(*) FROM Medicamentos WHERE IdTipoMedicamento = 7", 1,
         -1},
        {"afiliados en ambas tablas de tickets",
         "SELECT COUNT(*) FROM (SELECT DISTINCT Num_Afil FROM Tickets) T WHERE EXISTS (SELECT 1 FROM "
         "TicketPrestador P WHERE P.Asociado = T.Num_Afil)",
         1, -1},
        {"una credencial y un plan por afiliado",
         "SELECT COUNT(*) FROM (SELECT 1 FROM Tickets GROUP BY Num_Afil HAVING COUNT(DISTINCT Num_cred) > 1 "
         "OR COUNT(DISTINCT NumeroPlan) > 1)",
         0, 0},
        {"el mismo plan en ambas tablas",
         "SELECT COUNT(*) FROM TicketPrestador P JOIN Tickets T ON T.Num_Afil = P.Asociado WHERE "
         "P.PlanAsociado <> T.NumeroPlan",
         0, 0},
        {"prestadores en 16 bits",
         "SELECT COUNT(*) FROM Prestadores WHERE IdPrestador NOT BETWEEN 1 AND 32767", 0, 0},
        {"códigos de prestador únicos", "SELECT COUNT(*) - COUNT(DISTINCT Prestador_OS) FROM Prestadores", 0,
         0},
        {"coberturas de los tickets",
         "SELECT COUNT(*) FROM Tickets T WHERE NOT EXISTS (SELECT 1 FROM Cobertura C WHERE C.IdCobertura = "
         "T.IdCobertura)",
         0, 0},
        {"tipos de los medicamentos",
         "SELECT COUNT(*) FROM Medicamentos M WHERE NOT EXISTS (SELECT 1 FROM TipoMedicamento T WHERE "
         "T.IdTipoMedicamento = M.IdTipoMedicamento)",
         0, 0},
        {"medicamentos de los ítems",
         "SELECT COUNT(*) FROM Item_Tickets I WHERE NOT EXISTS (SELECT 1 FROM Medicamentos M WHERE M.Troquel "
         "= I.Troquel)",
         0, 0},
        {"prácticas de los ítems",
         "SELECT COUNT(*) FROM ItemTicketPrestador I WHERE NOT EXISTS (SELECT 1 FROM Practicas P WHERE "
         "P.PracticaOS = I.Practica)",
         0, 0},
        {"fechas del último año",
         "SELECT COUNT(*) FROM Tickets WHERE Fecha_Prestacion NOT BETWEEN date('{hoy}', 'start of month', "
         "'-13 months') AND '{hoy} 23:59:59'",
         0, 0},
        {"una actualización por prestador como mucho",
         "SELECT COUNT(*) - COUNT(DISTINCT IdPrestador) FROM PrestadorActualizaciones", 0, 0},
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
    QTest::newRow("cierres sin tickets")
        << QStringLiteral("SELECT COUNT(*) FROM Cierres C WHERE NOT EXISTS (SELECT 1 FROM Tickets T WHERE "
                          "T.idCierre = C.IdCierre)"
                          " AND NOT EXISTS (SELECT 1 FROM TicketPrestador T WHERE T.IdCierre = C.IdCierre)");
    QTest::newRow("bonificación del ticket según sus ítems")
        << QStringLiteral("SELECT COUNT(*) FROM Tickets T WHERE abs(T.Desc_al_afiliado - (SELECT "
                          "TOTAL((I.Cantidad - I.Cantidad_Dev) * I.Precio * I.Desc_Os / 100.0)"
                          " FROM Item_Tickets I WHERE I.IdTicket = T.IdTicket)) > 0.005 * (SELECT COUNT(*) + "
                          "1 FROM Item_Tickets I WHERE I.IdTicket = T.IdTicket)");
    QTest::newRow("descuento del ticket según el prestador") << QStringLiteral(
        "SELECT COUNT(*) FROM Tickets T JOIN Prestadores P ON P.IdPrestador = T.IdPrestador WHERE "
        "abs(T.desc_os - T.Desc_al_afiliado * P.Desc_a_OS / 100.0) > 0.006");
    QTest::newRow("tickets de un solo mes y anteriores al cierre") << QStringLiteral(
        "SELECT COUNT(*) FROM Cierres C WHERE (SELECT COUNT(DISTINCT substr(Fecha_Prestacion, 1, 7)) FROM "
        "Tickets WHERE idCierre = C.IdCierre)"
        " + (SELECT COUNT(DISTINCT substr(FechaDePractica, 1, 7)) FROM TicketPrestador WHERE IdCierre = "
        "C.IdCierre) <> 1"
        " OR EXISTS (SELECT 1 FROM Tickets WHERE idCierre = C.IdCierre AND Fecha_Prestacion > C.FechaServer)"
        " OR EXISTS (SELECT 1 FROM TicketPrestador WHERE IdCierre = C.IdCierre AND FechaDePractica > "
        "C.FechaServer)");
    QTest::newRow("todo el mes del prestador en su cierre")
        << QStringLiteral("SELECT COUNT(*) FROM Tickets T JOIN Tickets U ON U.IdPrestador = T.IdPrestador "
                          "AND substr(U.Fecha_Prestacion, 1, 7) = substr(T.Fecha_Prestacion, 1, 7)"
                          " WHERE T.idCierre IS NOT NULL AND U.idCierre IS NOT T.idCierre");
    QTest::newRow("número de trámite en el registro")
        << QStringLiteral("SELECT COUNT(*) FROM Cierres C WHERE NOT EXISTS (SELECT 1 FROM tteLog L WHERE "
                          "L.NumeroTramite = C.NumeroTramite)");
    QTest::newRow("registros del trámite")
        << QStringLiteral("SELECT COUNT(*) FROM tteLog L WHERE L.NumeroTramite IS NULL OR "
                          "L.CantidadRegistros <> (SELECT COUNT(*) FROM Tickets T JOIN Cierres C ON "
                          "C.IdCierre = T.idCierre WHERE C.NumeroTramite = L.NumeroTramite)"
                          " + (SELECT COUNT(*) FROM TicketPrestador T JOIN Cierres C ON C.IdCierre = "
                          "T.IdCierre WHERE C.NumeroTramite = L.NumeroTramite)");
    QTest::newRow("números de cierre en orden de fecha")
        << QStringLiteral("SELECT COUNT(*) FROM Cierres A JOIN Cierres B ON B.IdCierre = A.IdCierre + 1 "
                          "WHERE B.FechaServer < A.FechaServer");
}

void tst_DatosDemo::cierresCoincidenConSusTickets()
{
    QFETCH(QString, sql);
    Conexion db(pruebas::basePruebas(), true);
    QVERIFY(db.entero(QStringLiteral("SELECT COUNT(*) FROM Cierres")) > 0);
    QCOMPARE(db.entero(sql), 0);
}

void tst_DatosDemo::mismasOpcionesMismoContenido()
{
    QTemporaryDir carpeta;
    const QString otra = carpeta.filePath(QStringLiteral("otra.sqlite"));
    GenerarBase(otra, {Escala::Pruebas, pruebas::kHoy, kSemillaDemo, {}});
    const auto esperado = contenido(pruebas::basePruebas());
    const auto obtenido = contenido(otra);
    QCOMPARE(esperado.size(), TablasDemo().size());
    QCOMPARE(obtenido.keys(), esperado.keys());
    for (const QString& tabla : esperado.keys())
        QVERIFY2(obtenido.value(tabla) == esperado.value(tabla), qPrintable(tabla));
}

void tst_DatosDemo::otraSemillaOtroContenido()
{
    QTemporaryDir carpeta;
    const QString otra = carpeta.filePath(QStringLiteral("otra.sqlite"));
    GenerarBase(otra, {Escala::Pruebas, pruebas::kHoy, kSemillaDemo + 1, {}});
    const auto uno = contenido(pruebas::basePruebas());
    const auto otro = contenido(otra);
    QVERIFY(uno.value(QStringLiteral("Tickets")) != otro.value(QStringLiteral("Tickets")));
    QCOMPARE(otro.value(QStringLiteral("Departamentos")), uno.value(QStringLiteral("Departamentos")));
}

QTEST_GUILESS_MAIN(tst_DatosDemo)
#include "tst_DatosDemo.moc"
