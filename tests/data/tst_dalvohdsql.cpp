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
    QString salida, errores;
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

    std::unique_ptr<pruebas::ConMotorFalso> mFalso;

private slots:
    void init()
    {
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        mFalso->guion->responder = pruebas::servidorSimulado(respuesta);
        qunsetenv("DALVOHD_PASSWORD");
    }

    void cleanup() { mFalso.reset(); }

    void separaLosLotesEnLasLineasGo_data()
    {
        QTest::addColumn<QString>("guion");
        QTest::addColumn<QStringList>("lotes");
        QTest::newRow("go en minúsculas y con blancos") << "SELECT 1\n  go  \r\nSELECT 2\n"
                                                        << QStringList{"SELECT 1", "SELECT 2\n"};
        QTest::newRow("GOTO no separa") << "SELECT 1\nGOTO fin\n" << QStringList{"SELECT 1\nGOTO fin\n"};
    }

    void separaLosLotesEnLasLineasGo()
    {
        QFETCH(QString, guion);
        QTEST(separarLotes(guion), "lotes");
    }

    void correLasSentenciasDeMenosQYSigueTrasUnError()
    {
        const Corrida c = correr({"--server", "srv", "-U", "op", "-P", "x", "-Q", "SELECT * FROM Nada", "-Q",
                                  "SELECT 1", "--query=UPDATE t SET a = 1"});
        QCOMPARE(c.estado, 1);
        QCOMPARE(c.errores,
                 QStringLiteral("Error 208 | SQLSTATE 42S02 | 42S02 Invalid object name 'Nada'.\n"));
        QVERIFY(c.salida.contains(QStringLiteral("(2 filas)\n\nCuenta (3)")));
        QVERIFY(c.salida.contains(QStringLiteral("(sin conjunto de resultados)")));
        QCOMPARE(sentenciasDelUsuario(*mFalso->guion),
                 (QStringList{"SELECT * FROM Nada", "SELECT 1", "UPDATE t SET a = 1"}));
    }

    void terminaConEstado1_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<QString>("error");
        QTest::newRow("opción desconocida")
            << QStringList{"--servidor", "x"} << "Opción desconocida: --servidor";
        QTest::newRow("servidor real sin usuario")
            << QStringList{"--server", "sqlprod01", "-Q", "SELECT 1"} << "Falta el usuario";
        QTest::newRow("clave rechazada")
            << QStringList{"-S", "srv", "-U", "op", "-P", "mala", "-Q", "SELECT 1"}
            << "42000 Login failed for user 'op'.";
    }

    void terminaConEstado1()
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
};

QTEST_GUILESS_MAIN(TestDalvohdSql)
#include "tst_dalvohdsql.moc"
