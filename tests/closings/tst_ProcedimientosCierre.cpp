// The demo's closing procedures, called through clsCierres on a copy of the Pruebas database: generation
// and its refusals, cancellation of a closing, the re-valuation's refusals.

#include "BaseCierres.h"
#include "closings/clsCierres.h"
#include "common/Falla.h"
#include "data/Recordset.h"
#include "support/EntornoPrueba.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;

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

    // A closing generated then cancelled leaves every table as it was.
    void generarYAnularDejaLosDatosComoEstaban_data()
    {
        QTest::addColumn<int>("prestador");
        QTest::addColumn<bool>("farmacia");
        QTest::addColumn<QString>("hasta"); // from 01/06/2024
        QTest::newRow("farmacia") << 3 << true << "11/06/2024";
        QTest::newRow("clínica") << 4 << false << "30/06/2024";
    }
    void generarYAnularDejaLosDatosComoEstaban()
    {
        QFETCH(int, prestador);
        QFETCH(bool, farmacia);
        QFETCH(QString, hasta);
        const auto antes = mBase->contenido();
        const int ultimo = valor("SELECT MAX(IdCierre) FROM Cierres").toInt();
        clsCierres c = servicio();
        const qint32 nuevo = c.GenerarCierre(qint16(prestador), "01/06/2024", hasta, farmacia);
        QCOMPARE(c.Error, qint16(0));
        QCOMPARE(nuevo, ultimo + 1);

        const QString n = QString::number(nuevo);
        const QString tabla = farmacia ? "Tickets" : "TicketPrestador";
        const QString cuenta = farmacia ? "T.Anulado = 0" : "T.Anulado = 0 AND T.Operacion IN ('11', '31')";
        QCOMPARE(
            valor("SELECT Cant_transac FROM Cierres WHERE IdCierre = " + n).toInt(),
            valor("SELECT COUNT(*) FROM " + tabla + " T WHERE T.IdCierre = " + n + " AND " + cuenta).toInt());
        QCOMPARE(valor("SELECT FechaServer FROM Cierres WHERE IdCierre = " + n).toDateTime(),
                 prueba::ahoraPruebas());

        // A closing or ticket that is not the provider's is refused.
        QVERIFY(!c.AnularCierre(nuevo, prestador + 1));
        QVERIFY(!c.AnularTicket(1, nuevo));
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
