// cUserConnection: the steps of Connect and the contract of Query, over a scripted engine.

#include "common/Falla.h"
#include "data/MotorFalso.h"
#include "data/cUserConnection.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;
using pruebas::registro;

namespace {

const QString kHostPredeterminado = QStringLiteral("sqlcentral");

// A server whose tables hold one count, and one table that is not there.
void simularServidor(pruebas::Guion& g, bool siempreMaster = false)
{
    g.responder = pruebas::servidorSimulado(
        [](const QString& sql) -> Lote {
            if (sql.contains(u"Nada"))
                pruebas::fallar(
                    {registro(208, "42S02", "Invalid object name 'Nada'."), registro(0, "01000", "Otro.")});
            return pruebas::lote({pruebas::tabla({pruebas::columna("Cuenta", adInteger)}, {{42}})});
        },
        siempreMaster);
}

} // namespace

class TestCUserConnection : public QObject
{
    Q_OBJECT

    std::unique_ptr<pruebas::ConMotorFalso> mFalso;

private slots:
    void init()
    {
        qputenv("DALVOHD_SERVER", kHostPredeterminado.toUtf8());
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        simularServidor(*mFalso->guion);
    }

    void cleanup()
    {
        mFalso.reset();
        qunsetenv("DALVOHD_SERVER");
    }

    void armaElTextoDeConexionComoSeCita()
    {
        QCOMPARE(cUserConnection::TextoConexion("srv01", "dalvoPralMendoza", "operador", "secreto"),
                 QStringLiteral("Provider=SQLOLEDB;Data Source=srv01;Initial Catalog=dalvoPralMendoza;User "
                                "Id=operador;Password=secreto ; "));
    }

    void sinBaseCaeEnMasterYVuelveAConectarALaBaseDelSistema()
    {
        {
            cUserConnection c;
            c.Connect("srv01", "operador", "secreto", "");
            const auto& a = mFalso->guion->aperturas;
            QCOMPARE(a.size(), 2);
            QCOMPARE(a[0].baseDatos, QString());
            QCOMPARE(a[1].baseDatos, QStringLiteral("dalvoPralMendoza"));
            QCOMPARE(a[1].servidor, kHostPredeterminado); // the second connection goes to the default host
            QCOMPARE(a[1].usuario, QStringLiteral("operador"));
            QCOMPARE(a[1].clave, QStringLiteral("secreto"));
            QCOMPARE(c.DataBase, QStringLiteral("dalvoPralMendoza"));
            QCOMPARE(c.Version, QStringLiteral("Microsoft SQL Server 2019"));
            QCOMPARE(mFalso->guion->esperas.first(), 180); // already for the version query
        }
        QCOMPARE(mFalso->guion->cierres, 2); // the first connection, then the last on destruction
    }

    void unServidorQueSiempreDaMasterNoLoHaceDarVueltas()
    {
        simularServidor(*mFalso->guion, true);
        cUserConnection c;
        c.Connect("srv01", "operador", "secreto", "");
        QCOMPARE(mFalso->guion->aperturas.size(), 2);
        c.Connect();
        QCOMPARE(mFalso->guion->aperturas.size(), 4); // and the guard is ready for the next Connect
    }

    void soloUsuarioYClaveConservanLaBaseAnterior()
    {
        cUserConnection c;
        c.Connect("", "operador", "secreto", "Pruebas");
        QCOMPARE(c.Server, kHostPredeterminado);
        c.Connect("", "otro", "clave2");
        const DatosConexion& segunda = mFalso->guion->aperturas.last();
        QCOMPARE(segunda.baseDatos, QStringLiteral("Pruebas"));
        QCOMPARE(segunda.usuario, QStringLiteral("otro"));
        QCOMPARE(mFalso->guion->cierres, 1); // the open connection was closed first
        c.Connect();
        QCOMPARE(mFalso->guion->aperturas.last().clave, QStringLiteral("clave2"));
    }

    void unConnectFallidoDescribeLoQueSeIntentoYConservaLoAnterior()
    {
        cUserConnection c;
        c.Connect("srv01", "operador", "secreto", "Pruebas");
        mFalso->guion->falloApertura = {
            registro(20009, "08S01", "Unable to connect: Adaptive Server is unavailable"),
            registro(0, "08001", "Unable to connect to data source")};
        try {
            c.Connect("srvX", "usr", "pw", "");
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Origen, QStringLiteral("clsUserConnection"));
            QCOMPARE(f.Numero, 20009);
            QCOMPARE(f.Descripcion,
                     QStringLiteral("No se puede establecer la conexión: \r\nServidor: srvX\r\nData "
                                    "Base: \r\nUsuario: usr\r\n\r\n08S01 Unable to connect: Adaptive "
                                    "Server is unavailable\r\n08001 Unable to connect to data source"));
        }
        QCOMPARE(c.Server, kHostPredeterminado); // reset on every Connect, as it always was
        QCOMPARE(c.UserName, QStringLiteral("operador"));
        QCOMPARE(c.Password, QStringLiteral("secreto"));
        QCOMPARE(c.DataBase, QStringLiteral("Pruebas"));
    }

    void query_data()
    {
        QTest::addColumn<QString>("estado"); // "sin conectar", "cerrada" or "abierta"
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("bRaise");
        QTest::addColumn<qint32>("numero");
        QTest::addColumn<QString>("descripcion");
        const QString cerrada = QStringLiteral("Conexión al SQL no establecida");
        const QString nada = QStringLiteral("42S02 Invalid object name 'Nada'.");
        const QString sinObjeto = QStringLiteral("Variable de objeto o bloque With no establecida");
        for (const bool bRaise : {false, true}) {
            const QByteArray sufijo = bRaise ? " con bRaise" : "";
            QTest::newRow("sin conectar" + sufijo) << "sin conectar"
                                                   << "SELECT 1" << bRaise << 91 << sinObjeto;
            QTest::newRow("cerrada" + sufijo) << "cerrada"
                                              << "SELECT 1" << bRaise << 1 << cerrada;
            QTest::newRow("fallida" + sufijo) << "abierta"
                                              << "SELECT * FROM Nada" << bRaise << 208 << nada;
        }
        QTest::newRow("exitosa") << "abierta"
                                 << "SELECT COUNT(*) AS Cuenta FROM Tickets (NOLOCK)" << false << 0
                                 << "Ejecucion Ok";
    }

    void query()
    {
        QFETCH(QString, estado);
        QFETCH(QString, sql);
        QFETCH(bool, bRaise);
        QFETCH(qint32, numero);
        QFETCH(QString, descripcion);
        cUserConnection c;
        if (estado != u"sin conectar")
            c.Connect("srv01", "operador", "secreto", "Pruebas");
        if (estado == u"cerrada")
            c.Connection->Close();
        qint32 visto = -5;
        QString texto;
        try {
            auto rs = c.Query(sql, visto, texto, true, bRaise);
            QVERIFY(estado != u"sin conectar"); // before Connect there is nothing to report through
            QVERIFY(!bRaise || numero == 0);
            QCOMPARE(bool(rs), numero == 0);
            if (rs)
                QCOMPARE(rs->Fields("Cuenta").Value(), QVariant(42));
        } catch (const Falla& f) {
            QVERIFY(bRaise || estado == u"sin conectar");
            QCOMPARE(f.Origen, QStringLiteral("Usuario.Query"));
            QCOMPARE(f.Numero, numero);
            QCOMPARE(f.Descripcion, descripcion);
        }
        if (estado != u"sin conectar") {
            QCOMPARE(visto, numero);
            QCOMPARE(texto, descripcion);
            QCOMPARE(c.State, estado == u"cerrada" ? 0 : 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestCUserConnection)
#include "tst_cuserconnection.moc"
