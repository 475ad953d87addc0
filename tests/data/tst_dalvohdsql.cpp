// dalvohd-sql: batches, the printed tables, and a whole run over a scripted engine.

#include "data/MotorFalso.h"
#include "data/Recordset.h"
#include "data/cUserConnection.h"
#include "tools/HerramientaSql.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;
using namespace dalvo::herramientas;
using pruebas::columna;
using pruebas::registro;
using pruebas::tabla;

namespace {

struct Corrida
{
    int estado = -1;
    QString salida;
    QString errores;
};

Corrida correr(const QStringList& argumentos, QString entrada = {})
{
    Corrida c;
    QTextStream in(&entrada);
    QTextStream out(&c.salida);
    QTextStream err(&c.errores);
    c.estado = ejecutarHerramienta(argumentos, in, out, err);
    out.flush();
    err.flush();
    return c;
}

Lote respuesta(const QString& sql)
{
    if (sql.contains(u"Nada"))
        pruebas::fallar({registro(208, "42S02", "Invalid object name 'Nada'.")});
    if (sql.startsWith(u"UPDATE"))
        return Lote{};
    return pruebas::lote({tabla({columna("Código", adInteger), columna("Nombre", adVarChar, 40)},
                                {{7, "Farmacia Sur"}, {1234, QVariant()}}),
                          tabla({columna("Cuenta", adInteger)}, {{2}})});
}

// What the run sent, without the two queries of the log-in.
QStringList sentenciasDelUsuario(const pruebas::Guion& g)
{
    QStringList s = g.sentencias;
    s.removeAll(QStringLiteral("SELECT @@VERSION AS Version"));
    s.removeAll(QStringLiteral("SELECT DB_NAME() AS BaseDatos"));
    return s;
}

} // namespace

class TestDalvohdSql : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void separaLosLotesEnLasLineasGo_data();
    void separaLosLotesEnLasLineasGo();
    void escribeLosValoresSegunSuTipo_data();
    void escribeLosValoresSegunSuTipo();
    void imprimeCadaConjuntoComoTablaAlineada();
    void correLasSentenciasDeMenosQYSigueTrasUnError();
    void enElDemoEntraComoOperador();
    void terminaConEstado1_data();
    void terminaConEstado1();

private:
    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
};

void TestDalvohdSql::init()
{
    mFalso = std::make_unique<pruebas::ConMotorFalso>();
    mFalso->guion->responder = pruebas::servidorSimulado(respuesta);
    qunsetenv("DALVOHD_PASSWORD");
}

void TestDalvohdSql::cleanup()
{
    mFalso.reset();
}

void TestDalvohdSql::separaLosLotesEnLasLineasGo_data()
{
    QTest::addColumn<QString>("guion");
    QTest::addColumn<QStringList>("lotes");
    QTest::newRow("dos lotes") << "SELECT 1\nGO\nSELECT 2\n" << QStringList{"SELECT 1", "SELECT 2\n"};
    QTest::newRow("go en minúsculas y con blancos")
        << "SELECT 1\n  go  \r\nSELECT 2" << QStringList{"SELECT 1", "SELECT 2"};
    QTest::newRow("GOTO no separa") << "SELECT 1\nGOTO fin\n" << QStringList{"SELECT 1\nGOTO fin\n"};
}

void TestDalvohdSql::separaLosLotesEnLasLineasGo()
{
    QFETCH(QString, guion);
    QTEST(separarLotes(guion), "lotes");
}

void TestDalvohdSql::escribeLosValoresSegunSuTipo_data()
{
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("escala");
    QTest::addColumn<QString>("texto");
    QTest::newRow("nulo") << QVariant() << int(adVarChar) << 0 << "NULL";
    QTest::newRow("money") << QVariant(12.5) << int(adCurrency) << 4 << "12.5000";
    QTest::newRow("datetime") << QVariant(QDateTime(QDate(2024, 2, 3), QTime(14, 5, 9))) << int(adDBTimeStamp)
                              << 3 << "2024-02-03 14:05:09.000";
    QTest::newRow("binario") << QVariant(QByteArray("\x0a\xff", 2)) << int(adVarBinary) << 0 << "0x0AFF";
    QTest::newRow("texto en varias líneas") << QVariant("a\r\nb") << int(adVarChar) << 0 << "a b";
}

void TestDalvohdSql::escribeLosValoresSegunSuTipo()
{
    QFETCH(QVariant, valor);
    QFETCH(int, tipo);
    QFETCH(int, escala);
    QTEST(textoValor(valor, tipo, escala), "texto");
}

void TestDalvohdSql::imprimeCadaConjuntoComoTablaAlineada()
{
    cUserConnection c;
    c.Connect("srv", "op", "x", "db");
    auto rs = c.Query(QStringLiteral("SELECT ..."));
    QCOMPARE(tablaComoTexto(*rs), QStringLiteral("Código (3) | Nombre (200)\n"
                                                 "-----------+-------------\n"
                                                 "         7 | Farmacia Sur\n"
                                                 "      1234 | NULL\n"
                                                 "(2 filas)\n"));
}

void TestDalvohdSql::correLasSentenciasDeMenosQYSigueTrasUnError()
{
    const Corrida c = correr({"--server", "srv", "-U", "op", "-P", "x", "-Q", "SELECT * FROM Nada", "-Q",
                              "SELECT 1", "--query=UPDATE t SET a = 1"});
    QCOMPARE(c.estado, 1);
    QCOMPARE(c.errores, QStringLiteral("Error 208 | SQLSTATE 42S02 | 42S02 Invalid object name 'Nada'.\n"));
    QVERIFY(c.salida.contains(QStringLiteral("(2 filas)\n\nCuenta (3)")));
    QVERIFY(c.salida.contains(QStringLiteral("(sin conjunto de resultados)")));
    QCOMPARE(sentenciasDelUsuario(*mFalso->guion),
             (QStringList{"SELECT * FROM Nada", "SELECT 1", "UPDATE t SET a = 1"}));
}

void TestDalvohdSql::enElDemoEntraComoOperador()
{
    const Corrida c = correr({"--server", "demo", "-Q", "SELECT 1"});
    QCOMPARE(c.estado, 0);
    const DatosConexion& d = mFalso->guion->aperturas.first();
    QCOMPARE(d.usuario, QStringLiteral("operador"));
    QCOMPARE(d.clave, QStringLiteral("demo"));
    QCOMPARE(mFalso->guion->aperturas.last().baseDatos, QStringLiteral("dalvoPralMendoza"));
}

void TestDalvohdSql::terminaConEstado1_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::addColumn<QString>("error");
    QTest::newRow("opción desconocida") << QStringList{"--servidor", "x"} << "Opción desconocida: --servidor";
    QTest::newRow("opción sin valor") << QStringList{"-Q"} << "";
    QTest::newRow("servidor real sin usuario")
        << QStringList{"--server", "sqlprod01", "-Q", "SELECT 1"} << "Falta el usuario";
    QTest::newRow("clave rechazada") << QStringList{"-S", "srv", "-U", "op", "-P", "mala", "-Q", "SELECT 1"}
                                     << "42000 Login failed for user 'op'.";
}

void TestDalvohdSql::terminaConEstado1()
{
    QFETCH(QStringList, argumentos);
    QFETCH(QString, error);
    mFalso->guion->falloApertura = {registro(18456, "42000", "Login failed for user 'op'.")};
    const Corrida c = correr(argumentos);
    QCOMPARE(c.estado, 1);
    QVERIFY2(c.errores.contains(error), qPrintable(c.errores));
    QVERIFY(!c.errores.contains(QStringLiteral("mala"))); // never the password
    QCOMPARE(mFalso->guion->aperturas.size(), argumentos.contains(QStringLiteral("mala")) ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestDalvohdSql)
#include "tst_dalvohdsql.moc"
