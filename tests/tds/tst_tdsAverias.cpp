// Faults through the real FreeTDS ODBC driver: time-outs, cancels, links dropped while idle, before a
// reply and in the middle of rows. What the driver reports here is what the program's engine must read.

#include "tds/Entorno.h"
#include "tds/MotorFalso.h"
#include "tds/Odbc.h"
#include "tds/ServidorTds.h"
#include "tds/Vigia.h"

#include <QTest>
#include <thread>

using namespace dalvo;
using namespace dalvo::tds;
using namespace dalvo::tds::prueba;

class tst_tdsAverias : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { limpiarEntornoFreeTds(); }
    void init();
    void cleanup();

    void tiempoAgotado();
    void cancelarMientrasEspera();
    void cortes_data();
    void cortes();

private:
    void conectar(Odbc& odbc);

    Vigia mVigia{20};
    std::unique_ptr<Guion> mGuion;
    std::unique_ptr<ServidorTds> mServidor;
    quint16 mPuerto = 0;
};

namespace {

// Every statement gets `filas` rows: n, and a text that names the statement.
ado::Lote filasDe(const QString& sql, int filas)
{
    ado::Lote l;
    ado::Tabla t = tabla({columna("n", ado::adInteger), columna("sentencia", ado::adVarChar, 60)}, {});
    for (int i = 1; i <= filas; ++i)
        t.celdas << i << sql;
    l.tablas.push_back(t);
    return l;
}

} // namespace

void tst_tdsAverias::init()
{
    mVigia.armar(QTest::currentTestFunction());
    mGuion = std::make_unique<Guion>();
    mGuion->alEjecutar = [](const QString& sql) { return filasDe(sql, 5); };
    mServidor = std::make_unique<ServidorTds>(mGuion->fabrica(), QStringLiteral("sqlite:demo"));
    mPuerto = mServidor->iniciar();
}

void tst_tdsAverias::cleanup()
{
    QVERIFY2(mServidor->incidentes().isEmpty(), qPrintable(mServidor->incidentes().join('\n')));
    mServidor.reset();
    mGuion.reset();
    mVigia.desarmar();
}

void tst_tdsAverias::conectar(Odbc& odbc)
{
    const SQLRETURN r =
        odbc.conectar(Odbc::cadena(mPuerto, QStringLiteral("operador"), QStringLiteral("secreta")));
    QVERIFY2(SQL_SUCCEEDED(r), qPrintable(describir(odbc.registrosConexion())));
}

void tst_tdsAverias::tiempoAgotado()
{
    Odbc odbc;
    conectar(odbc);
    SQLSetStmtAttr(odbc.sentencia(), SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(1), 0);
    mServidor->armarAveria({Averia::Tipo::Demorar, 0, 15000, QStringLiteral("lenta")});

    QCOMPARE(odbc.ejecutar(QStringLiteral("SELECT lenta")), SQLRETURN(SQL_ERROR));
    const auto registros = odbc.registrosSentencia();
    QVERIFY2(contiene(registros, "HYT00"), qPrintable(describir(registros)));
    // The driver cancelled with an ATTENTION; the statement never reached the engine.
    QCOMPARE(mServidor->atenciones(), 1);
    QVERIFY(!mGuion->sentencias().contains(QStringLiteral("SELECT lenta")));

    QVERIFY(!odbc.conexionMuerta());
    QCOMPARE(odbc.ejecutar(QStringLiteral("SELECT despues")), SQLRETURN(SQL_SUCCESS));
    QCOMPARE(odbc.filas().first(), (QStringList{"1", "SELECT despues"}));
}

void tst_tdsAverias::cancelarMientrasEspera()
{
    Odbc lenta;
    Odbc rapida;
    conectar(lenta);
    conectar(rapida);
    mServidor->armarAveria({Averia::Tipo::Demorar, 0, 15000, {}}, 1);

    SQLRETURN r = SQL_SUCCESS;
    QVector<Registro> registros;
    std::thread hilo([&] {
        r = lenta.ejecutar(QStringLiteral("SELECT lenta"));
        registros = lenta.registrosSentencia();
    });
    QTRY_COMPARE(mServidor->averiasArmadas(), 0); // the slow request is being held

    // Each connection has its own thread: the other one is served meanwhile.
    QCOMPARE(rapida.ejecutar(QStringLiteral("SELECT rapida")), SQLRETURN(SQL_SUCCESS));
    QCOMPARE(rapida.filas().size(), 5);

    SQLCancel(lenta.sentencia());
    hilo.join();
    QCOMPARE(r, SQLRETURN(SQL_ERROR));
    QVERIFY2(contiene(registros, "HY008"), qPrintable(describir(registros)));
    QCOMPARE(mServidor->atenciones(), 1);
    QCOMPARE(lenta.ejecutar(QStringLiteral("SELECT otra")), SQLRETURN(SQL_SUCCESS));
    QCOMPARE(lenta.filas().first(), (QStringList{"1", "SELECT otra"}));
}

void tst_tdsAverias::cortes_data()
{
    QTest::addColumn<int>("corte");
    QTest::addColumn<bool>("llegaAlMotor");

    QTest::newRow("en reposo") << -1 << false;
    QTest::newRow("antes de responder") << int(Averia::Tipo::CortarAntesDeResponder) << false;
    QTest::newRow("entre filas") << int(Averia::Tipo::CortarEntreFilas) << true;
}

void tst_tdsAverias::cortes()
{
    QFETCH(int, corte);
    QFETCH(bool, llegaAlMotor);

    Odbc odbc;
    conectar(odbc);
    QCOMPARE(odbc.ejecutar(QStringLiteral("SELECT antes")), SQLRETURN(SQL_SUCCESS));
    QCOMPARE(odbc.filas().size(), 5);
    const int conexion = mServidor->conexionesAceptadas();

    SQLRETURN r = SQL_SUCCESS;
    if (corte < 0) {
        mServidor->cortarEnReposo(conexion);
        QTRY_COMPARE(mServidor->conexionesAbiertas(), 0);
        r = odbc.ejecutar(QStringLiteral("SELECT cortada"));
    } else {
        mServidor->armarAveria({Averia::Tipo(corte), 2, 0, {}}, conexion);
        r = odbc.ejecutar(QStringLiteral("SELECT cortada"));
        if (llegaAlMotor) {
            // The rows sent before the cut are read; the next one meets the end of the link.
            QCOMPARE(r, SQLRETURN(SQL_SUCCESS));
            QCOMPARE(odbc.leerFila(), SQLRETURN(SQL_SUCCESS));
            QCOMPARE(odbc.leerFila(), SQLRETURN(SQL_SUCCESS));
            r = odbc.leerFila();
        }
    }
    QCOMPARE(r, SQLRETURN(SQL_ERROR));
    QVERIFY(!odbc.registrosSentencia().isEmpty());
    QCOMPARE(mGuion->sentencias().contains(QStringLiteral("SELECT cortada")), llegaAlMotor);

    // Whatever the first records said, the driver knows the link is gone.
    QVERIFY(odbc.conexionMuerta());
    QCOMPARE(odbc.ejecutar(QStringLiteral("SELECT despues")), SQLRETURN(SQL_ERROR));
    // The driver's own record says 08S01 (native 0): the program numbers it above 9999 (tests/e2e).
    const auto siguientes = odbc.registrosSentencia();
    QVERIFY2(contiene(siguientes, "08S01", 0), qPrintable(describir(siguientes)));

    // A new link is served as usual.
    Odbc otra;
    conectar(otra);
    QCOMPARE(otra.ejecutar(QStringLiteral("SELECT 1")), SQLRETURN(SQL_SUCCESS));
    QCOMPARE(otra.filas().size(), 5);
}

QTEST_GUILESS_MAIN(tst_tdsAverias)
#include "tst_tdsAverias.moc"
