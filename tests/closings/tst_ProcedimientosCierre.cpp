// The demo's closing procedures, called through clsCierres on a copy of the Pruebas database: the five
// result sets of spDatosCierre, generation and its refusals, cancellation of a closing and of a ticket, the
// re-valuation's refusals.

#include "BaseCierres.h"
#include "closings/clsCierres.h"
#include "common/Falla.h"
#include "data/Recordset.h"
#include "support/EntornoPrueba.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;

namespace {

// Each set's columns as "name:ADO type".
const QStringList kCabecera =
    QStringLiteral(
        "Error:3 Comentario:200 TipoPrestador:2 Prestador:3 NombreFarmacia:129 FechaCierre:129 "
        "FechaDesde:129 "
        "HoraDesde:129 FechaHasta:129 HoraHasta:129 CantTickets:3 CantDevueltos:3 CantAnulados:3 "
        "TotalTicket:6 "
        "TBonificacion:6 PorcBonificacion:131 TDctoPRAL:6 PorcDescuento:131 APagarPorPRAL:6 NumeroTramite:3 "
        "Cierre:3")
        .split(u' ');
const QStringList kTickets =
    QStringLiteral("IdTicket:3 Num_Afil:129 CantidadMedicamentos:3 Total:6 Tipo:129").split(u' ');
const QStringList kDescuentos =
    QStringLiteral("Desc_OS:131 TotalDescuento:6 CargoAfiliado:6 BonifAPRAL:6 BonifFarmacia:6").split(u' ');

// One result set: its columns as above and its rows.
struct Conjunto
{
    QStringList columnas;
    QVector<QVector<QVariant>> filas;
    QVariant valor(int fila, const char* columna) const
    {
        for (int i = 0; i < columnas.size(); ++i)
            if (columnas[i].section(u':', 0, 0) == QLatin1String(columna))
                return filas[fila][i];
        return {};
    }
};

QVector<Conjunto> leerConjuntos(std::unique_ptr<Recordset> rs)
{
    QVector<Conjunto> conjuntos;
    for (; rs; rs = rs->NextRecordset()) {
        Conjunto c;
        for (int i = 0; i < rs->Fields().Count(); ++i)
            c.columnas << rs->Fields(i).Name() + u':' + QString::number(rs->Fields(i).Type());
        for (; !rs->Eof(); rs->MoveNext()) {
            c.filas.append(QVector<QVariant>());
            for (int i = 0; i < c.columnas.size(); ++i)
                c.filas.last() << rs->Fields(i).Value();
        }
        conjuntos << c;
    }
    return conjuntos;
}

int centavos(const QVariant& v)
{
    return qRound(v.toDouble() * 100);
}

} // namespace

class tst_ProcedimientosCierre : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::BaseCierres> mBase;

    clsCierres servicio() const
    {
        clsCierres c;
        c.LaConexion = gConexion->Connection;
        c.CrearSpQuery();
        return c;
    }
    QVariant valor(const QString& sql) { return mBase->valor(sql); }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mBase = std::make_unique<prueba::BaseCierres>();
    }
    void cleanup()
    {
        mBase.reset();
        mEntorno.reset();
    }

    // Always the five sets with their columns, even for an error.
    void datosCierreDevuelveCincoConjuntosConSusColumnas_data()
    {
        QTest::addColumn<int>("prestador");
        QTest::addColumn<int>("cierre"); // -1: the latest closing of provider 1
        QTest::addColumn<QString>("comentario");
        QTest::newRow("cierre") << 0 << -1 << "";
        QTest::newRow("pendiente de un prestador") << 4 << 0 << "";
        QTest::newRow("cierre inexistente") << 0 << 999999 << "No existe el cierre 999999";
        QTest::newRow("cierre de otro prestador") << 4 << -1 << "El cierre %1 no es del prestador 4";
        QTest::newRow("prestador inexistente") << 9999 << 0 << "No existe el prestador 9999";
    }
    void datosCierreDevuelveCincoConjuntosConSusColumnas()
    {
        QFETCH(int, prestador);
        QFETCH(int, cierre);
        QFETCH(QString, comentario);
        if (cierre < 0)
            cierre = valor("SELECT MAX(IdCierre) FROM Cierres WHERE IdPrestador = 1").toInt();
        const QVector<Conjunto> c = leerConjuntos(servicio().BuscarDatosCierre(qint16(prestador), cierre));
        QCOMPARE(c.size(), 5);
        const QList<QStringList> columnas{kCabecera, kTickets, kDescuentos, kTickets, kDescuentos};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(c[i].columnas, columnas[i]);
        QCOMPARE(c[0].filas.size(), 1);
        QCOMPARE(c[0].valor(0, "Error").toInt(), comentario.isEmpty() ? 0 : 1);
        QCOMPARE(c[0].valor(0, "Comentario").toString(),
                 comentario.isEmpty() ? comentario : comentario.arg(cierre));
        QCOMPARE(c[1].filas.isEmpty(), !comentario.isEmpty());
    }

    // A closing generated then cancelled leaves every table as it was.
    void generarYAnularDejaLosDatosComoEstaban_data()
    {
        QTest::addColumn<int>("prestador");
        QTest::addColumn<bool>("farmacia");
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::newRow("farmacia") << 3 << true << QStringLiteral("01/06/2024")
                                  << QStringLiteral("11/06/2024");
        QTest::newRow("clínica") << 4 << false << QStringLiteral("01/06/2024")
                                 << QStringLiteral("30/06/2024");
    }
    void generarYAnularDejaLosDatosComoEstaban()
    {
        QFETCH(int, prestador);
        QFETCH(bool, farmacia);
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        const auto antes = mBase->contenido();
        const int ultimo = valor("SELECT MAX(IdCierre) FROM Cierres").toInt();
        clsCierres c = servicio();
        const qint32 nuevo = c.GenerarCierre(qint16(prestador), desde, hasta, farmacia);
        QCOMPARE(c.Error, qint16(0));
        QCOMPARE(nuevo, ultimo + 1);

        const QString n = QString::number(nuevo);
        const QString tabla = farmacia ? "Tickets" : "TicketPrestador";
        const QString cuenta = farmacia ? "T.Anulado = 0" : "T.Anulado = 0 AND T.Operacion IN ('11', '31')";
        QVERIFY(valor("SELECT Cant_transac FROM Cierres WHERE IdCierre = " + n).toInt() > 0);
        QCOMPARE(
            valor("SELECT Cant_transac FROM Cierres WHERE IdCierre = " + n).toInt(),
            valor("SELECT COUNT(*) FROM " + tabla + " T WHERE T.IdCierre = " + n + " AND " + cuenta).toInt());
        QCOMPARE(valor("SELECT FechaServer FROM Cierres WHERE IdCierre = " + n).toDateTime(),
                 prueba::ahoraPruebas());
        QCOMPARE(
            valor("SELECT COUNT(*) FROM tteLog L JOIN Cierres C ON C.NumeroTramite = L.NumeroTramite WHERE "
                  "C.IdCierre = " +
                  n + " AND L.Archivo LIKE 'TRAM20240611[_]%'")
                .toInt(),
            1);

        QVERIFY(c.AnularCierre(nuevo, prestador));
        QCOMPARE(mBase->cambiadas(antes), QStringList());
    }

    // Refusals change nothing.
    void generarRechazaYNoCambiaNada_data()
    {
        QTest::addColumn<int>("prestador");
        QTest::addColumn<bool>("farmacia");
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("comentario");
        const auto fila = [](const char* nombre, int prestador, bool farmacia, const char* desde,
                             const char* hasta, int error, const char* comentario) {
            QTest::newRow(nombre) << prestador << farmacia << QString::fromLatin1(desde)
                                  << QString::fromLatin1(hasta) << error << QString::fromUtf8(comentario);
        };
        fila("prestador inexistente", 9999, true, "01/05/2024", "31/05/2024", 4, "Prestador inexistente");
        fila("farmacia como prestador", 1, false, "01/06/2024", "11/06/2024", 39,
             "El prestador es una farmacia");
        fila("clínica como farmacia", 4, true, "01/06/2024", "11/06/2024", 39, "El prestador no es farmacia");
        fila("fechas invertidas", 1, true, "11/06/2024", "01/06/2024", 28, "Período de cierre inválido");
        fila("sin tickets", 6, false, "01/01/2024", "11/06/2024", 41, "No hay tickets en el período");
        fila("período ya cerrado", 1, true, "01/03/2024", "31/03/2024", 27, "Período ya cerrado");
    }
    void generarRechazaYNoCambiaNada()
    {
        QFETCH(int, prestador);
        QFETCH(bool, farmacia);
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        const auto antes = mBase->contenido();
        clsCierres c = servicio();
        QCOMPARE(c.GenerarCierre(qint16(prestador), desde, hasta, farmacia), 0);
        QTEST(int(c.Error), "error");
        QTEST(c.Comentrario, "comentario");
        QCOMPARE(mBase->cambiadas(antes), QStringList());
    }

    // Each ticket out figures the closing again; the last one takes the closing with it. A closing or ticket
    // that is not the provider's is refused.
    void anularTicketsUnoAUnoDejaLosDatosComoEstaban()
    {
        const auto antes = mBase->contenido();
        clsCierres c = servicio();
        QVERIFY(!c.AnularCierre(valor("SELECT MAX(IdCierre) FROM Cierres WHERE IdPrestador = 1").toInt(), 4));
        QVERIFY(!c.AnularTicket(1, 999999));
        const qint32 cierre = c.GenerarCierre(1, "01/06/2024", "11/06/2024", true);
        const QString n = QString::number(cierre);
        const int tickets = valor("SELECT COUNT(*) FROM Tickets WHERE idCierre = " + n).toInt();
        QVERIFY(tickets > 2);
        const double total = valor("SELECT TTicket FROM Cierres WHERE IdCierre = " + n).toDouble();
        const QString primero =
            valor("SELECT MIN(IdTicket) FROM Tickets WHERE Anulado = 0 AND idCierre = " + n).toString();
        const double importe =
            valor("SELECT SUM((Cantidad - Cantidad_Dev) * Precio) FROM Item_Tickets WHERE IdTicket = " +
                  primero)
                .toDouble();
        QVERIFY(c.AnularTicket(primero.toInt(), cierre));
        QCOMPARE(centavos(valor("SELECT TTicket FROM Cierres WHERE IdCierre = " + n)),
                 qRound((total - importe) * 100));
        for (int i = 1; i < tickets; ++i)
            QVERIFY(c.AnularTicket(valor("SELECT MIN(IdTicket) FROM Tickets WHERE idCierre = " + n).toInt(),
                                   cierre));
        QCOMPARE(valor("SELECT COUNT(*) FROM Cierres WHERE IdCierre = " + n).toInt(), 0);
        QCOMPARE(mBase->cambiadas(antes), QStringList());
    }

    // The refusal codes: a closed ticket, a ticket of another provider, no such provider.
    void actualizarConRechazoFallaConSuNumero()
    {
        const int ticket =
            valor("SELECT MIN(IdTicket) FROM Tickets WHERE IdPrestador = 2 AND idCierre IS NOT NULL").toInt();
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
};

QTEST_MAIN(tst_ProcedimientosCierre)
#include "tst_ProcedimientosCierre.moc"
