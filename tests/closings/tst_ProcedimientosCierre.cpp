// The demo's closing procedures, called through clsCierres on a copy of the Pruebas database: the five
// result sets of spDatosCierre, generation and its refusals, cancellation of a closing and of a ticket,
// re-valuation, and the look-ups of the service against real data.

#include "BaseCierres.h"
#include "closings/clsCierres.h"
#include "common/Falla.h"
#include "data/Recordset.h"
#include "support/EntornoPrueba.h"

#include <QComboBox>
#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;

namespace {

struct ColumnaEsperada
{
    const char* nombre;
    int tipo;
};

const QVector<ColumnaEsperada> kCabecera = {{"Error", adInteger},          {"Comentario", adVarChar},
                                            {"TipoPrestador", adSmallInt}, {"Prestador", adInteger},
                                            {"NombreFarmacia", adChar},    {"FechaCierre", adChar},
                                            {"FechaDesde", adChar},        {"HoraDesde", adChar},
                                            {"FechaHasta", adChar},        {"HoraHasta", adChar},
                                            {"CantTickets", adInteger},    {"CantDevueltos", adInteger},
                                            {"CantAnulados", adInteger},   {"TotalTicket", adCurrency},
                                            {"TBonificacion", adCurrency}, {"PorcBonificacion", adNumeric},
                                            {"TDctoPRAL", adCurrency},     {"PorcDescuento", adNumeric},
                                            {"APagarPorPRAL", adCurrency}, {"NumeroTramite", adInteger},
                                            {"Cierre", adInteger}};
const QVector<ColumnaEsperada> kTickets = {{"IdTicket", adInteger},
                                           {"Num_Afil", adChar},
                                           {"CantidadMedicamentos", adInteger},
                                           {"Total", adCurrency},
                                           {"Tipo", adChar}};
const QVector<ColumnaEsperada> kDescuentos = {{"Desc_OS", adNumeric},
                                              {"TotalDescuento", adCurrency},
                                              {"CargoAfiliado", adCurrency},
                                              {"BonifAPRAL", adCurrency},
                                              {"BonifFarmacia", adCurrency}};

// The five sets of one call, each as its rows of values by column name.
struct Conjunto
{
    QStringList nombres;
    QVector<int> tipos;
    QVector<QVector<QVariant>> filas;
    QVariant valor(int fila, const char* columna) const
    {
        return filas[fila][nombres.indexOf(QLatin1String(columna))];
    }
    double suma(const char* columna) const
    {
        double s = 0;
        for (int i = 0; i < filas.size(); ++i)
            s += valor(i, columna).toDouble();
        return s;
    }
};

QVector<Conjunto> leerConjuntos(std::unique_ptr<Recordset> rs)
{
    QVector<Conjunto> conjuntos;
    while (rs) {
        Conjunto c;
        for (int i = 0; i < rs->Fields().Count(); ++i) {
            c.nombres << rs->Fields(i).Name();
            c.tipos << rs->Fields(i).Type();
        }
        for (; !rs->Eof(); rs->MoveNext()) {
            QVector<QVariant> fila;
            for (int i = 0; i < c.nombres.size(); ++i)
                fila << rs->Fields(i).Value();
            c.filas << fila;
        }
        conjuntos << c;
        rs = rs->NextRecordset();
    }
    return conjuntos;
}

void compararColumnas(const Conjunto& c, const QVector<ColumnaEsperada>& esperadas)
{
    QCOMPARE(c.nombres.size(), esperadas.size());
    for (int i = 0; i < esperadas.size(); ++i) {
        QCOMPARE(c.nombres[i], QLatin1String(esperadas[i].nombre));
        QVERIFY2(c.tipos[i] == esperadas[i].tipo, esperadas[i].nombre);
    }
}

} // namespace

class tst_ProcedimientosCierre : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void datosCierreDevuelveCincoConjuntosConSusColumnas_data();
    void datosCierreDevuelveCincoConjuntosConSusColumnas();
    void datosCierreCoincideConElCierreYSusTickets_data();
    void datosCierreCoincideConElCierreYSusTickets();
    void datosCierreSinCierreMuestraLoPendiente();
    void generarYAnularDejaLosDatosComoEstaban_data();
    void generarYAnularDejaLosDatosComoEstaban();
    void generarRechazaYNoCambiaNada_data();
    void generarRechazaYNoCambiaNada();
    void anularTicketsUnoAUnoDejaLosDatosComoEstaban();
    void anularUnCierreAjenoNoHaceNada();
    void actualizarValorTicketsRevaluaSoloLoPendiente_data();
    void actualizarValorTicketsRevaluaSoloLoPendiente();
    void actualizarUnTicketCerradoFalla();
    void buscarVentanaDeTresMeses_data();
    void buscarVentanaDeTresMeses();
    void buscarLogYComboSobreDatosReales();

private:
    clsCierres servicio() const;
    QVector<Conjunto> datosCierre(int prestador, int cierre);
    int cierreDe(const QString& tipos); // the latest closing of a provider of those types

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::BaseCierres> mBase;
};

void tst_ProcedimientosCierre::init()
{
    mEntorno = std::make_unique<prueba::EntornoPrueba>();
    mBase = std::make_unique<prueba::BaseCierres>();
}

void tst_ProcedimientosCierre::cleanup()
{
    mBase.reset();
    mEntorno.reset();
}

clsCierres tst_ProcedimientosCierre::servicio() const
{
    clsCierres c;
    c.LaConexion = gConexion->Connection;
    return c;
}

QVector<Conjunto> tst_ProcedimientosCierre::datosCierre(int prestador, int cierre)
{
    clsCierres c = servicio();
    return leerConjuntos(c.BuscarDatosCierre(qint16(prestador), cierre));
}

int tst_ProcedimientosCierre::cierreDe(const QString& tipos)
{
    return mBase
        ->valor("SELECT MAX(C.IdCierre) FROM Cierres C JOIN Prestadores P ON P.IdPrestador = C.IdPrestador "
                "WHERE P.IdTipoPrestador " +
                tipos)
        .toInt();
}

void tst_ProcedimientosCierre::datosCierreDevuelveCincoConjuntosConSusColumnas_data()
{
    QTest::addColumn<int>("prestador");
    QTest::addColumn<int>("cierre"); // -1: the latest closing of provider 1
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("comentario");
    QTest::newRow("cierre") << 0 << -1 << 0 << "";
    QTest::newRow("cierre y su prestador") << 1 << -1 << 0 << "";
    QTest::newRow("pendiente de un prestador") << 4 << 0 << 0 << "";
    QTest::newRow("cierre inexistente") << 0 << 999999 << 1 << "No existe el cierre 999999";
    QTest::newRow("cierre de otro prestador") << 4 << -1 << 1 << "El cierre %1 no es del prestador 4";
    QTest::newRow("prestador inexistente") << 9999 << 0 << 1 << "No existe el prestador 9999";
}

void tst_ProcedimientosCierre::datosCierreDevuelveCincoConjuntosConSusColumnas()
{
    QFETCH(int, prestador);
    QFETCH(int, cierre);
    QFETCH(int, error);
    QFETCH(QString, comentario);
    if (cierre < 0)
        cierre = mBase->valor("SELECT MAX(IdCierre) FROM Cierres WHERE IdPrestador = 1").toInt();
    const QVector<Conjunto> c = datosCierre(prestador, cierre);
    QCOMPARE(c.size(), 5);
    compararColumnas(c[0], kCabecera);
    compararColumnas(c[1], kTickets);
    compararColumnas(c[2], kDescuentos);
    compararColumnas(c[3], kTickets);
    compararColumnas(c[4], kDescuentos);
    QCOMPARE(c[0].filas.size(), 1);
    QCOMPARE(c[0].valor(0, "Error").toInt(), error);
    QCOMPARE(c[0].valor(0, "Comentario").toString(),
             comentario.contains("%1") ? comentario.arg(cierre) : comentario);
    if (error != 0) {
        for (int i = 1; i < 5; ++i)
            QVERIFY(c[i].filas.isEmpty());
        return;
    }
    QVERIFY(!c[1].filas.isEmpty());
    QCOMPARE(c[0].valor(0, "Cierre").toInt(), cierre);
}

void tst_ProcedimientosCierre::datosCierreCoincideConElCierreYSusTickets_data()
{
    QTest::addColumn<QString>("tipos");
    QTest::addColumn<bool>("farmacia");
    QTest::newRow("farmacia") << "IN (1, 14)" << true;
    QTest::newRow("prácticas") << "NOT IN (1, 14)" << false;
}

void tst_ProcedimientosCierre::datosCierreCoincideConElCierreYSusTickets()
{
    QFETCH(QString, tipos);
    QFETCH(bool, farmacia);
    const int cierre = cierreDe(tipos);
    const QString where = " FROM Cierres WHERE IdCierre = " + QString::number(cierre);
    const int prestador = mBase->valor("SELECT IdPrestador" + where).toInt();
    const QVector<Conjunto> c = datosCierre(prestador, cierre);
    const Conjunto& cab = c[0];
    QCOMPARE(cab.valor(0, "Prestador").toInt(), prestador);
    QCOMPARE(cab.valor(0, "TipoPrestador").toInt() == 1 || cab.valor(0, "TipoPrestador").toInt() == 14,
             farmacia);
    QCOMPARE(cab.valor(0, "CantTickets").toInt(), mBase->valor("SELECT Cant_transac" + where).toInt());
    QCOMPARE(cab.valor(0, "TotalTicket").toDouble(), mBase->valor("SELECT TTicket" + where).toDouble());
    QCOMPARE(cab.valor(0, "TBonificacion").toDouble(), mBase->valor("SELECT BPRAL" + where).toDouble());
    QCOMPARE(cab.valor(0, "TDctoPRAL").toDouble(), mBase->valor("SELECT TDPrestador" + where).toDouble());
    QCOMPARE(cab.valor(0, "NumeroTramite").toInt(), mBase->valor("SELECT NumeroTramite" + where).toInt());
    QCOMPARE(cab.valor(0, "FechaCierre").toString(),
             mBase->valor("SELECT CONVERT(char(8), FechaServer, 112)" + where).toString());
    QCOMPARE(cab.valor(0, "HoraDesde").toString().size(), 5);
    QCOMPARE(cab.valor(0, "APagarPorPRAL").toDouble(),
             cab.valor(0, "TBonificacion").toDouble() - cab.valor(0, "TDctoPRAL").toDouble());

    // Set 2 holds the settled tickets, set 4 the others; together every ticket of the closing.
    const QString tabla = farmacia ? "Tickets" : "TicketPrestador";
    QCOMPARE(c[1].filas.size(), cab.valor(0, "CantTickets").toInt());
    QCOMPARE(c[1].filas.size() + c[3].filas.size(),
             mBase->valor("SELECT COUNT(*) FROM " + tabla + " WHERE IdCierre = " + QString::number(cierre))
                 .toInt());
    QCOMPARE(qRound(c[1].suma("Total") * 100), qRound(cab.valor(0, "TotalTicket").toDouble() * 100));
    for (int i = 0; i < c[3].filas.size(); ++i)
        QVERIFY(c[3].valor(i, "Tipo").toString() != "Normal    ");

    // The discount lines add up to the insurer's share; each line splits it between the insurer and the
    // pharmacy.
    const double bonificacion = c[2].suma("TotalDescuento") + c[4].suma("TotalDescuento");
    QCOMPARE(qRound(bonificacion * 100), qRound(cab.valor(0, "TBonificacion").toDouble() * 100));
    for (const Conjunto* lineas : {&c[2], &c[4]})
        for (int i = 0; i < lineas->filas.size(); ++i)
            QCOMPARE(qRound((lineas->valor(i, "BonifAPRAL").toDouble() +
                             lineas->valor(i, "BonifFarmacia").toDouble()) *
                            100),
                     qRound(lineas->valor(i, "TotalDescuento").toDouble() * 100));
    if (!farmacia)
        QVERIFY(c[4].filas.isEmpty());
}

void tst_ProcedimientosCierre::datosCierreSinCierreMuestraLoPendiente()
{
    const QVector<Conjunto> c = datosCierre(2, 0);
    const Conjunto& cab = c[0];
    QCOMPARE(cab.valor(0, "Error").toInt(), 0);
    QCOMPARE(cab.valor(0, "Cierre").toInt(), 0);
    QCOMPARE(cab.valor(0, "NumeroTramite").toInt(), 0);
    QCOMPARE(cab.valor(0, "FechaCierre").toString().trimmed(), QString());
    const int pendientes =
        mBase
            ->valor("SELECT COUNT(*) FROM Tickets WHERE IdPrestador = 2 AND idCierre IS NULL AND Anulado = 0")
            .toInt();
    QVERIFY(pendientes > 0);
    QCOMPARE(c[1].filas.size(), pendientes);
    QCOMPARE(cab.valor(0, "CantTickets").toInt(), pendientes);
}

void tst_ProcedimientosCierre::generarYAnularDejaLosDatosComoEstaban_data()
{
    QTest::addColumn<int>("prestador");
    QTest::addColumn<bool>("farmacia");
    QTest::addColumn<QString>("desde"); // empty: the provider's pending due month
    QTest::addColumn<QString>("hasta");
    QTest::newRow("farmacia con su mes pendiente") << 2 << true << ""
                                                   << "";
    QTest::newRow("farmacia de internación, mes en curso") << 3 << true << "01/06/2024"
                                                           << "11/06/2024";
    QTest::newRow("clínica, mes en curso") << 4 << false << "01/06/2024"
                                           << "30/06/2024";
}

void tst_ProcedimientosCierre::generarYAnularDejaLosDatosComoEstaban()
{
    QFETCH(int, prestador);
    QFETCH(bool, farmacia);
    QFETCH(QString, desde);
    QFETCH(QString, hasta);
    if (desde.isEmpty()) {
        const QDate primero =
            mBase
                ->valor("SELECT MIN(Fecha_Prestacion) FROM Tickets WHERE idCierre IS NULL AND "
                        "IdPrestador = " +
                        QString::number(prestador))
                .toDateTime()
                .date();
        desde = QDate(primero.year(), primero.month(), 1).toString("dd/MM/yyyy");
        hasta = QDate(primero.year(), primero.month(), 1).addMonths(1).addDays(-1).toString("dd/MM/yyyy");
    }
    const auto antes = mBase->contenido();
    const int ultimo = mBase->valor("SELECT MAX(IdCierre) FROM Cierres").toInt();

    clsCierres c = servicio();
    c.CrearSpQuery();
    const qint32 nuevo = c.GenerarCierre(qint16(prestador), desde, hasta, farmacia);
    QCOMPARE(c.Error, qint16(0));
    QCOMPARE(nuevo, ultimo + 1);

    // The new closing is figured as the generated ones are.
    const QString n = QString::number(nuevo);
    const QString tabla = farmacia ? "Tickets" : "TicketPrestador";
    const QString items =
        farmacia ? "(SELECT ISNULL(SUM((I.Cantidad - I.Cantidad_Dev) * I.Precio), 0) FROM Item_Tickets I "
                   "WHERE I.IdTicket = T.IdTicket)"
                 : "(SELECT ISNULL(SUM(I.Cantidad * ISNULL(I.ValorNomenclador, 0)), 0) FROM "
                   "ItemTicketPrestador I WHERE I.IdTicket = T.IdTicket)";
    const QString cuenta = farmacia ? "T.Anulado = 0" : "T.Anulado = 0 AND T.Operacion IN ('11', '31')";
    const double total = mBase
                             ->valor("SELECT ISNULL(SUM(" + items + "), 0) FROM " + tabla +
                                     " T WHERE T.IdCierre = " + n + " AND " + cuenta)
                             .toDouble();
    const int tickets = mBase->valor("SELECT COUNT(*) FROM " + tabla + " WHERE IdCierre = " + n).toInt();
    QVERIFY(tickets > 0);
    QCOMPARE(mBase->valor("SELECT Cant_transac FROM Cierres WHERE IdCierre = " + n).toInt(),
             mBase->valor("SELECT COUNT(*) FROM " + tabla + " T WHERE T.IdCierre = " + n + " AND " + cuenta)
                 .toInt());
    QCOMPARE(qRound(mBase->valor("SELECT TTicket FROM Cierres WHERE IdCierre = " + n).toDouble() * 100),
             qRound(total * 100));
    const double bonificacion =
        farmacia
            ? mBase->valor("SELECT SUM(Desc_al_afiliado) FROM Tickets WHERE Anulado = 0 AND idCierre = " + n)
                  .toDouble()
            : total;
    QCOMPARE(qRound(mBase->valor("SELECT BPRAL FROM Cierres WHERE IdCierre = " + n).toDouble() * 100),
             qRound(bonificacion * 100));
    QCOMPARE(qRound(mBase->valor("SELECT TAfilia FROM Cierres WHERE IdCierre = " + n).toDouble() * 100),
             qRound((total - bonificacion) * 100));
    QCOMPARE(mBase->valor("SELECT FechaServer FROM Cierres WHERE IdCierre = " + n).toDateTime(),
             prueba::ahoraPruebas());
    QCOMPARE(
        mBase
            ->valor("SELECT COUNT(*) FROM tteLog L JOIN Cierres C ON C.NumeroTramite = L.NumeroTramite WHERE "
                    "C.IdCierre = " +
                    n + " AND L.Archivo LIKE 'TRAM20240611[_]%' AND L.CantidadRegistros >= " +
                    QString::number(tickets))
            .toInt(),
        1);

    QVERIFY(c.AnularCierre(nuevo, prestador));
    QCOMPARE(mBase->cambiadas(antes), QStringList());
}

void tst_ProcedimientosCierre::generarRechazaYNoCambiaNada_data()
{
    QTest::addColumn<int>("prestador");
    QTest::addColumn<bool>("farmacia");
    QTest::addColumn<QString>("desde");
    QTest::addColumn<QString>("hasta");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("comentario");
    QTest::newRow("prestador inexistente") << 9999 << true << "01/05/2024"
                                           << "31/05/2024" << 4 << "Prestador inexistente";
    QTest::newRow("farmacia por el procedimiento de prestadores")
        << 1 << false << "01/06/2024"
        << "11/06/2024" << 39 << "El prestador es una farmacia";
    QTest::newRow("clínica por el procedimiento de farmacias")
        << 4 << true << "01/06/2024"
        << "11/06/2024" << 39 << "El prestador no es farmacia";
    QTest::newRow("fechas invertidas") << 1 << true << "11/06/2024"
                                       << "01/06/2024" << 28 << "Período de cierre inválido";
    QTest::newRow("sin tickets") << 6 << false << "01/01/2024"
                                 << "11/06/2024" << 41 << "No hay tickets en el período";
    QTest::newRow("período ya cerrado") << 1 << true << "01/03/2024"
                                        << "31/03/2024" << 27 << "Período ya cerrado";
}

void tst_ProcedimientosCierre::generarRechazaYNoCambiaNada()
{
    QFETCH(int, prestador);
    QFETCH(bool, farmacia);
    QFETCH(QString, desde);
    QFETCH(QString, hasta);
    const auto antes = mBase->contenido();
    clsCierres c = servicio();
    c.CrearSpQuery();
    QCOMPARE(c.GenerarCierre(qint16(prestador), desde, hasta, farmacia), 0);
    QTEST(int(c.Error), "error");
    QTEST(c.Comentrario, "comentario");
    QCOMPARE(mBase->cambiadas(antes), QStringList());
}

void tst_ProcedimientosCierre::anularTicketsUnoAUnoDejaLosDatosComoEstaban()
{
    const auto antes = mBase->contenido();
    clsCierres c = servicio();
    c.CrearSpQuery();
    const qint32 cierre = c.GenerarCierre(1, "01/06/2024", "11/06/2024", true);
    QVERIFY(cierre > 0);
    const QString n = QString::number(cierre);
    const int tickets = mBase->valor("SELECT COUNT(*) FROM Tickets WHERE idCierre = " + n).toInt();
    QVERIFY(tickets > 2);

    QVERIFY(!c.AnularTicket(2000001, cierre)); // a provider ticket is no ticket of a pharmacy's closing
    const double total = mBase->valor("SELECT TTicket FROM Cierres WHERE IdCierre = " + n).toDouble();
    const QVariant primero =
        mBase->valor("SELECT MIN(IdTicket) FROM Tickets WHERE Anulado = 0 AND idCierre = " + n);
    const double importe =
        mBase
            ->valor("SELECT SUM((Cantidad - Cantidad_Dev) * Precio) FROM Item_Tickets WHERE IdTicket = " +
                    primero.toString())
            .toDouble();
    QVERIFY(c.AnularTicket(primero.toInt(), cierre));
    QCOMPARE(qRound(mBase->valor("SELECT TTicket FROM Cierres WHERE IdCierre = " + n).toDouble() * 100),
             qRound((total - importe) * 100));
    QVERIFY(mBase->valor("SELECT idCierre FROM Tickets WHERE IdTicket = " + primero.toString()).isNull());

    // The last ticket out takes the closing and its share of the processing log with it.
    for (int i = 1; i < tickets; ++i)
        QVERIFY(c.AnularTicket(
            mBase->valor("SELECT MIN(IdTicket) FROM Tickets WHERE idCierre = " + n).toInt(), cierre));
    QCOMPARE(mBase->valor("SELECT COUNT(*) FROM Cierres WHERE IdCierre = " + n).toInt(), 0);
    QCOMPARE(mBase->cambiadas(antes), QStringList());
}

void tst_ProcedimientosCierre::anularUnCierreAjenoNoHaceNada()
{
    const auto antes = mBase->contenido();
    const int cierre = mBase->valor("SELECT MAX(IdCierre) FROM Cierres WHERE IdPrestador = 1").toInt();
    clsCierres c = servicio();
    QVERIFY(!c.AnularCierre(cierre, 4));
    QVERIFY(!c.AnularCierre(999999, 1));
    QVERIFY(!c.AnularTicket(1, 999999));
    QCOMPARE(mBase->cambiadas(antes), QStringList());
}

void tst_ProcedimientosCierre::actualizarValorTicketsRevaluaSoloLoPendiente_data()
{
    QTest::addColumn<int>("prestador");
    QTest::addColumn<bool>("farmacia");
    QTest::newRow("farmacia") << 2 << true;
    QTest::newRow("clínica") << 4 << false;
}

void tst_ProcedimientosCierre::actualizarValorTicketsRevaluaSoloLoPendiente()
{
    QFETCH(int, prestador);
    QFETCH(bool, farmacia);
    const QString p = QString::number(prestador);
    const QString cerrados =
        farmacia
            ? "SELECT COUNT(*), SUM(I.Precio), SUM(T.Desc_al_afiliado), SUM(T.desc_os) FROM Tickets T JOIN "
              "Item_Tickets I ON I.IdTicket = T.IdTicket WHERE T.idCierre IS NOT NULL"
            : "SELECT COUNT(*), SUM(I.ValorNomenclador), SUM(I.idPrestadorPractica) FROM TicketPrestador T "
              "JOIN "
              "ItemTicketPrestador I ON I.IdTicket = T.IdTicket WHERE T.IdCierre IS NOT NULL";
    const auto resumen = [&] {
        auto rs = gConexion->Query(cerrados, false, true);
        QStringList valores;
        for (int i = 0; i < rs->Fields().Count(); ++i)
            valores << rs->Fields(i).Value().toString();
        return valores;
    };
    const QStringList antes = resumen();

    clsCierres c = servicio();
    QVERIFY(c.ActualizarValorTickets(prestador));
    QCOMPARE(resumen(), antes);
    if (farmacia) {
        QCOMPARE(
            mBase
                ->valor(
                    "SELECT COUNT(*) FROM Tickets T JOIN Item_Tickets I ON I.IdTicket = T.IdTicket JOIN "
                    "Medicamentos M ON M.Troquel = I.Troquel WHERE T.idCierre IS NULL AND T.IdPrestador = " +
                    p + " AND ABS(I.Precio) <> M.Precio")
                .toInt(),
            0);
        QCOMPARE(
            mBase
                ->valor("SELECT COUNT(*) FROM Tickets T WHERE T.idCierre IS NULL AND T.IdPrestador = " + p +
                        " AND ABS(T.Desc_al_afiliado - (SELECT ISNULL(SUM((I.Cantidad - I.Cantidad_Dev) * "
                        "I.Precio "
                        "* I.Desc_Os / 100.0), 0) FROM Item_Tickets I WHERE I.IdTicket = T.IdTicket)) > 0.05")
                .toInt(),
            0);
        QCOMPARE(
            mBase
                ->valor("SELECT COUNT(*) FROM Tickets T JOIN Prestadores P ON P.IdPrestador = T.IdPrestador "
                        "WHERE T.idCierre IS NULL AND T.IdPrestador = " +
                        p + " AND ABS(T.desc_os - T.Desc_al_afiliado * P.Desc_a_OS / 100.0) > 0.006")
                .toInt(),
            0);
    } else {
        QCOMPARE(
            mBase
                ->valor(
                    "SELECT COUNT(*) FROM TicketPrestador T JOIN ItemTicketPrestador I ON I.IdTicket = "
                    "T.IdTicket JOIN PrestadorPracticas V ON V.IdPrestadorPractica = I.idPrestadorPractica "
                    "WHERE T.IdCierre IS NULL AND T.IdPrestador = " +
                    p + " AND (V.FechaHasta IS NOT NULL OR I.ValorNomenclador <> V.Valor)")
                .toInt(),
            0);
        QVERIFY(
            mBase
                ->valor("SELECT COUNT(*) FROM TicketPrestador T JOIN ItemTicketPrestador I ON I.IdTicket = "
                        "T.IdTicket WHERE T.IdCierre IS NULL AND T.IdPrestador = " +
                        p + " AND I.idPrestadorPractica IS NOT NULL")
                .toInt() > 0);
    }
}

void tst_ProcedimientosCierre::actualizarUnTicketCerradoFalla()
{
    const int ticket =
        mBase->valor("SELECT MIN(IdTicket) FROM Tickets WHERE IdPrestador = 2 AND idCierre IS NOT NULL")
            .toInt();
    const auto antes = mBase->contenido();
    clsCierres c = servicio();
    for (auto [prestador, t, numero] : {std::tuple{2, ticket, 17}, {2, 99999999, 15}, {9999, 0, 4}}) {
        try {
            c.ActualizarValorTickets(prestador, t);
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, numero);
        }
    }
    QCOMPARE(mBase->cambiadas(antes), QStringList());
}

void tst_ProcedimientosCierre::buscarVentanaDeTresMeses_data()
{
    QTest::addColumn<int>("opcion");
    QTest::addColumn<bool>("todos");
    QTest::addColumn<QString>("esperado"); // the closing expected, as SQL; empty: none
    QTest::newRow("primero de todos") << 2 << true << "SELECT MIN(IdCierre) FROM Cierres";
    QTest::newRow("primero fuera de los tres meses") << 2 << false << "";
    QTest::newRow("último") << 5 << false << "SELECT MAX(IdCierre) FROM Cierres";
}

void tst_ProcedimientosCierre::buscarVentanaDeTresMeses()
{
    QFETCH(int, opcion);
    QFETCH(bool, todos);
    QFETCH(QString, esperado);
    clsCierres c = servicio();
    auto rs = c.Buscar({}, 0, 0, opcion, todos);
    QVERIFY(rs);
    QCOMPARE(c.CantidadItems, esperado.isEmpty() ? 0 : 1);
    if (!esperado.isEmpty()) {
        QCOMPARE(c.idCierre, mBase->valor(esperado).toInt());
        QCOMPARE(c.Nombre, mBase
                               ->valor("SELECT RTRIM(Nombre) FROM Prestadores WHERE IdPrestador = " +
                                       QString::number(c.IdPrestador))
                               .toString());
    }
}

void tst_ProcedimientosCierre::buscarLogYComboSobreDatosReales()
{
    clsCierres c = servicio();
    c.BuscarLogTramites();
    QCOMPARE(c.CantidadItems, mBase->valor("SELECT COUNT(*) FROM tteLog").toInt());
    QVERIFY(c.Buscar(QStringLiteral("P.Nombre LIKE '%O''Brien%'"), 0, 0, 0, true));
    QCOMPARE(c.CantidadItems, mBase->valor("SELECT COUNT(*) FROM Cierres WHERE IdPrestador = 2").toInt());

    QComboBox combo;
    c.CargarCombo(combo, 1);
    const int recientes =
        mBase
            ->valor("SELECT COUNT(*) FROM Cierres C WHERE C.IdPrestador = 1 AND C.FechaServer "
                    "BETWEEN DATEADD(M,-3,GETDATE()) AND GETDATE()")
            .toInt();
    QVERIFY(recientes > 0);
    QCOMPARE(combo.count(), recientes);
    const QString ultimo =
        QString::number(mBase->valor("SELECT MAX(IdCierre) FROM Cierres WHERE IdPrestador = 1").toInt());
    QVERIFY2(combo.currentText().startsWith(ultimo + " . "), qPrintable(combo.currentText()));
}

QTEST_MAIN(tst_ProcedimientosCierre)
#include "tst_ProcedimientosCierre.moc"
