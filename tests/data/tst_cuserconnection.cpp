// cUserConnection: the steps of Connect and the contract of Query, over a scripted engine.

#include "common/Falla.h"
#include "data/MotorFalso.h"
#include "data/cUserConnection.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;
using pruebas::columna;
using pruebas::registro;
using pruebas::tabla;

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
            return pruebas::lote({tabla({columna("Cuenta", adInteger)}, {{42}})});
        },
        siempreMaster);
}

} // namespace

class TestCUserConnection : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void armaElTextoDeConexionComoSeCita();
    void conLosCuatroValoresLosUsaYGuardaLaVersion();
    void sinServidorVaAlHostPredeterminado();
    void sinBaseCaeEnMasterYVuelveAConectarALaBaseDelSistema();
    void unServidorQueSiempreDaMasterNoLoHaceDarVueltas();
    void soloUsuarioYClaveConservanLaBaseAnterior();
    void unConnectFallidoDescribeLoQueSeIntento();
    void unFalloDespuesDeAbrirDejaLosValoresGuardados();
    void queryAntesDeConnectFallaSiempre_data();
    void queryAntesDeConnectFallaSiempre();
    void queryConLaConexionCerrada_data();
    void queryConLaConexionCerrada();
    void queryFallidaDaElPrimerErrorDeLaLista_data();
    void queryFallidaDaElPrimerErrorDeLaLista();
    void queryExitosa();
    void alDestruirseCierraLaConexion();

private:
    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
};

void TestCUserConnection::init()
{
    qputenv("DALVOHD_SERVER", kHostPredeterminado.toUtf8());
    mFalso = std::make_unique<pruebas::ConMotorFalso>();
    simularServidor(*mFalso->guion);
}

void TestCUserConnection::cleanup()
{
    mFalso.reset();
    qunsetenv("DALVOHD_SERVER");
}

void TestCUserConnection::armaElTextoDeConexionComoSeCita()
{
    QCOMPARE(cUserConnection::TextoConexion("srv01", "dalvoPralMendoza", "operador", "secreto"),
             QStringLiteral(
                 "Provider=SQLOLEDB;Data Source=srv01;Initial Catalog=dalvoPralMendoza;User Id=operador;"
                 "Password=secreto ; "));
    QCOMPARE(
        cUserConnection::TextoConexion("srv01", "", "operador", ""),
        QStringLiteral("Provider=SQLOLEDB;Data Source=srv01;Initial Catalog=;User Id=operador;Password= ; "));
}

void TestCUserConnection::conLosCuatroValoresLosUsaYGuardaLaVersion()
{
    cUserConnection c;
    c.Connect("srv01", "operador", "secreto", "Pruebas");
    const auto& a = mFalso->guion->aperturas;
    QCOMPARE(a.size(), 1);
    QCOMPARE(a[0].servidor, QStringLiteral("srv01"));
    QCOMPARE(a[0].baseDatos, QStringLiteral("Pruebas"));
    QCOMPARE(a[0].usuario, QStringLiteral("operador"));
    QCOMPARE(a[0].clave, QStringLiteral("secreto"));
    QCOMPARE(c.Server, QStringLiteral("srv01"));
    QCOMPARE(c.DataBase, QStringLiteral("Pruebas"));
    QCOMPARE(c.UserName, QStringLiteral("operador"));
    QCOMPARE(c.Password, QStringLiteral("secreto"));
    QCOMPARE(c.Version, QStringLiteral("Microsoft SQL Server 2019"));
    QCOMPARE(c.Connection->CommandTimeout, 180);
    QCOMPARE(mFalso->guion->esperas.first(), 180); // already for the version query
}

void TestCUserConnection::sinServidorVaAlHostPredeterminado()
{
    cUserConnection c;
    c.Connect("", "operador", "secreto", "Pruebas");
    QCOMPARE(mFalso->guion->aperturas[0].servidor, kHostPredeterminado);
    QCOMPARE(c.Server, kHostPredeterminado);
}

void TestCUserConnection::sinBaseCaeEnMasterYVuelveAConectarALaBaseDelSistema()
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
    QCOMPARE(c.Connection->State(), int(adStateOpen));
}

void TestCUserConnection::unServidorQueSiempreDaMasterNoLoHaceDarVueltas()
{
    simularServidor(*mFalso->guion, true);
    cUserConnection c;
    c.Connect("srv01", "operador", "secreto", "");
    QCOMPARE(mFalso->guion->aperturas.size(), 2);
    c.Connect();
    QCOMPARE(mFalso->guion->aperturas.size(), 4); // and the guard is ready for the next Connect
}

void TestCUserConnection::soloUsuarioYClaveConservanLaBaseAnterior()
{
    cUserConnection c;
    c.Connect("srv01", "operador", "secreto", "Pruebas");
    c.Connect("", "otro", "clave2");
    const DatosConexion& segunda = mFalso->guion->aperturas.last();
    QCOMPARE(segunda.baseDatos, QStringLiteral("Pruebas"));
    QCOMPARE(segunda.usuario, QStringLiteral("otro"));
    QCOMPARE(c.DataBase, QStringLiteral("Pruebas"));
    QCOMPARE(c.UserName, QStringLiteral("otro"));
    QCOMPARE(mFalso->guion->cierres, 1); // the open connection was closed first

    c.Connect();
    QCOMPARE(mFalso->guion->aperturas.last().usuario, QStringLiteral("otro"));
    QCOMPARE(mFalso->guion->aperturas.last().clave, QStringLiteral("clave2"));
}

void TestCUserConnection::unConnectFallidoDescribeLoQueSeIntento()
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
        QCOMPARE(f.Descripcion.split(QStringLiteral("\r\n")),
                 (QStringList{"No se puede establecer la conexión: ", "Servidor: srvX", "Data Base: ",
                              "Usuario: usr", "", "08S01 Unable to connect: Adaptive Server is unavailable",
                              "08001 Unable to connect to data source"}));
    }
    QCOMPARE(c.Server, kHostPredeterminado);
    QCOMPARE(c.UserName, QStringLiteral("operador"));
    QCOMPARE(c.Password, QStringLiteral("secreto"));
    QCOMPARE(c.DataBase, QStringLiteral("Pruebas"));
    QCOMPARE(c.Connection->Errors().size(), 2);
}

void TestCUserConnection::unFalloDespuesDeAbrirDejaLosValoresGuardados()
{
    mFalso->guion->responder = [](const QString&, const DatosConexion&) -> Lote {
        pruebas::fallar({registro(229, "42000", "The SELECT permission was denied.")});
    };
    cUserConnection c;
    try {
        c.Connect("srv01", "operador", "secreto", "Pruebas");
        QFAIL("debía fallar");
    } catch (const Falla& f) {
        QCOMPARE(f.Numero, 229);
        QVERIFY(f.Descripcion.endsWith(QStringLiteral("\r\n\r\n42000 The SELECT permission was denied.")));
    }
    QCOMPARE(c.Server, QStringLiteral("srv01"));
    QCOMPARE(c.UserName, QStringLiteral("operador"));
    QCOMPARE(c.DataBase, QStringLiteral("Pruebas"));
}

void TestCUserConnection::queryAntesDeConnectFallaSiempre_data()
{
    QTest::addColumn<bool>("bRaise");
    QTest::newRow("sin bRaise") << false;
    QTest::newRow("con bRaise") << true;
}

void TestCUserConnection::queryAntesDeConnectFallaSiempre()
{
    QFETCH(bool, bRaise);
    cUserConnection c;
    qint32 numero = -5;
    QString descripcion;
    QVERIFY_THROWS_EXCEPTION(Falla, c.Query(QStringLiteral("SELECT 1"), numero, descripcion, true, bRaise));
}

void TestCUserConnection::queryConLaConexionCerrada_data()
{
    QTest::addColumn<bool>("bRaise");
    QTest::newRow("sin bRaise") << false;
    QTest::newRow("con bRaise") << true;
}

void TestCUserConnection::queryConLaConexionCerrada()
{
    QFETCH(bool, bRaise);
    cUserConnection c;
    c.Connect("srv01", "operador", "secreto", "Pruebas");
    c.Connection->Close();
    qint32 numero = 0;
    QString descripcion;
    try {
        QVERIFY(!c.Query(QStringLiteral("SELECT 1"), numero, descripcion, true, bRaise));
        QVERIFY(!bRaise);
    } catch (const Falla& f) {
        QVERIFY(bRaise);
        QCOMPARE(f.Numero, 1);
        QCOMPARE(f.Origen, QStringLiteral("Usuario.Query"));
        QCOMPARE(f.Descripcion, QStringLiteral("Conexión al SQL no establecida"));
    }
    QCOMPARE(numero, 1);
    QCOMPARE(descripcion, QStringLiteral("Conexión al SQL no establecida"));
    QCOMPARE(c.State, 0);
}

void TestCUserConnection::queryFallidaDaElPrimerErrorDeLaLista_data()
{
    QTest::addColumn<bool>("bRaise");
    QTest::newRow("sin bRaise") << false;
    QTest::newRow("con bRaise") << true;
}

void TestCUserConnection::queryFallidaDaElPrimerErrorDeLaLista()
{
    QFETCH(bool, bRaise);
    cUserConnection c;
    c.Connect("srv01", "operador", "secreto", "Pruebas");
    qint32 numero = 0;
    QString descripcion;
    try {
        QVERIFY(!c.Query(QStringLiteral("SELECT * FROM Nada"), numero, descripcion, true, bRaise));
        QVERIFY(!bRaise);
    } catch (const Falla& f) {
        QVERIFY(bRaise);
        QCOMPARE(f.Numero, 208);
        QCOMPARE(f.Origen, QStringLiteral("Usuario.Query"));
        QCOMPARE(f.Descripcion, QStringLiteral("42S02 Invalid object name 'Nada'."));
    }
    QCOMPARE(numero, 208);
    QCOMPARE(descripcion, QStringLiteral("42S02 Invalid object name 'Nada'."));
    QCOMPARE(c.Connection->Errors().size(), 2);
}

void TestCUserConnection::queryExitosa()
{
    cUserConnection c;
    c.Connect("srv01", "operador", "secreto", "Pruebas");
    qint32 numero = -1;
    QString descripcion;
    auto rs =
        c.Query(QStringLiteral("SELECT COUNT(*) AS Cuenta FROM Tickets (NOLOCK)"), numero, descripcion, true);
    QVERIFY(rs);
    QCOMPARE(numero, 0);
    QCOMPARE(descripcion, QStringLiteral("Ejecucion Ok"));
    QCOMPARE(rs->Fields("Cuenta").Value(), QVariant(42));
    QCOMPARE(c.State, 1);
    QCOMPARE(mFalso->guion->sentencias.last(),
             QStringLiteral("SELECT COUNT(*) AS Cuenta FROM Tickets (NOLOCK)"));
}

void TestCUserConnection::alDestruirseCierraLaConexion()
{
    {
        cUserConnection c;
        c.Connect("srv01", "operador", "secreto", "Pruebas");
    }
    QCOMPARE(mFalso->guion->cierres, 1);
    QVERIFY(!gConexion);
}

QTEST_GUILESS_MAIN(TestCUserConnection)
#include "tst_cuserconnection.moc"
