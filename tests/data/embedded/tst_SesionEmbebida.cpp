// Opening a session on the demo server: logins, databases, an unreachable server, the fault switch and the
// command time-out, each answered as SQL Server through FreeTDS answers.
#include "BaseDePrueba.h"

#include "data/embedded/FallaSimulada.h"

#include <QFile>
#include <QTest>

using namespace dalvo;
using namespace dalvo::prueba;
using embebido::FallaSimulada;

class tst_SesionEmbebida : public QObject
{
    Q_OBJECT

    std::unique_ptr<BaseDePrueba> mBase;

private slots:
    void initTestCase() { mBase = std::make_unique<BaseDePrueba>(); }

    void cleanup() { FallaSimulada::restablecer(); }

    void inicioDeSesion_data()
    {
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("resultado"); // the database in use, or the errors' numbers
        const auto fila = [](const char* nombre, const char* u, const char* c, const char* b, const char* r) {
            QTest::newRow(nombre) << QString::fromLatin1(u) << QString::fromLatin1(c)
                                  << QString::fromLatin1(b) << QString::fromLatin1(r);
        };
        fila("operador sin base: master", "operador", "demo", "", "master");
        fila("supervisor", "supervisor", "super", "MASTER", "master");
        fila("usuario en mayusculas", "OPERADOR", "demo", "dalvopralmendoza", "dalvoPralMendoza");
        fila("clave en mayusculas", "operador", "DEMO", "", "18456");
        fila("usuario desconocido", "sa", "demo", "", "18456");
        fila("otra base", "operador", "demo", "Contabilidad", "4060 18456");
    }

    void inicioDeSesion()
    {
        QFETCH(QString, usuario);
        QFETCH(QString, clave);
        QFETCH(QString, base);
        QFETCH(QString, resultado);
        std::unique_ptr<embebido::MotorEmbebido> motor;
        const auto e = errores([&] { motor = mBase->abrir(base, usuario, clave); });
        if (!resultado.front().isDigit()) {
            QVERIFY(e.isEmpty());
            QCOMPARE(unValor(*motor, QStringLiteral("SELECT DB_NAME() AS BaseDatos")), QVariant(resultado));
            return;
        }
        QStringList numeros;
        for (const ado::ErrorAdo& r : e)
            numeros << QString::number(r.Number);
        QCOMPARE(numeros.join(u' '), resultado);
        const QString esperada =
            base.isEmpty()
                ? QStringLiteral("42000 Error de inicio de sesión del usuario '%1'.").arg(usuario)
                : QStringLiteral("42000 No se puede abrir la base de datos \"%1\" solicitada por el "
                                 "inicio de sesión. Error de inicio de sesión.")
                      .arg(base);
        QCOMPARE(e.first().Description, esperada);
    }

    void unServidorQueNoEstaFallaComoInalcanzable_data()
    {
        QTest::addColumn<QString>("servidor");
        QTest::newRow("archivo que no existe") << "sqlite:/no/existe/demo.db";
        QTest::newRow("otro servidor") << "srv-sql01";
    }

    void unServidorQueNoEstaFallaComoInalcanzable()
    {
        QFETCH(QString, servidor);
        embebido::MotorEmbebido motor;
        ado::DatosConexion datos;
        datos.servidor = servidor;
        datos.usuario = QStringLiteral("operador");
        datos.clave = QStringLiteral("demo");
        const auto e = errores([&] { motor.abrir(datos); });
        QCOMPARE(e.size(), 2);
        QVERIFY(e[0].Number == 20009 && e[0].Description.startsWith(QStringLiteral("08S01 ")));
        QCOMPARE(e[1].SQLState, QStringLiteral("08001"));
        QVERIFY(!motor.abierta());
    }

    void elCorteDeEnlaceDejaLaSesionPerdida()
    {
        auto motor = mBase->abrir();
        QVERIFY(!motor->conexionPerdida());
        FallaSimulada::cortarEnlace();
        for (int i = 0; i < 2; ++i) {
            const auto e = errores([&] { motor->ejecutar(QStringLiteral("SELECT 1"), 0); }).value(0);
            QVERIFY(e.Number == 20006 && e.Description.startsWith(QStringLiteral("08S01 ")));
        }
        QVector<ado::ParametroMotor> ninguno;
        QCOMPARE(errores([&] { motor->llamar(QStringLiteral("spX"), ninguno, 0); }).value(0).Number, 20006);
        QVERIFY(motor->conexionPerdida());
        // The cut drops the sessions that were open, not the server.
        auto nueva = mBase->abrir();
        QCOMPARE(unValor(*nueva, QStringLiteral("SELECT 1")), QVariant(1));
        QVERIFY(!nueva->conexionPerdida());
    }

    void elTiempoDeEsperaCortaLaConsultaYLaSesionSigue()
    {
        mBase->sqlite(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS Numeros (n int); INSERT INTO Numeros WITH RECURSIVE "
            "c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 2000) SELECT x FROM c;"));
        auto motor = mBase->abrir();
        const auto e = errores([&] {
            motor->ejecutar(QStringLiteral("SELECT COUNT(*) FROM Numeros A, Numeros B, Numeros C"), 1);
        });
        QCOMPARE(e.value(0).SQLState, QStringLiteral("HYT00"));
        QCOMPARE(e.value(1).SQLState, QStringLiteral("HY008"));
        QVERIFY(!motor->conexionPerdida());
        QCOMPARE(unValor(*motor, QStringLiteral("SELECT COUNT(*) FROM Numeros")), QVariant(2000));
    }

    // Nothing in the database holds the passwords: not the catalogue, not a hidden table, not the file.
    void lasClavesNoSeLeenConNingunaSentencia()
    {
        auto motor = mBase->abrir();
        QCOMPARE(
            unValor(*motor, QStringLiteral("SELECT COUNT(*) FROM sysobjects WHERE name LIKE '%login%' OR "
                                           "name LIKE '%usuario%' OR name LIKE 'dalvo%'")),
            QVariant(0));
        for (const QString tabla : {"syslogins", "sysusers", "sqlite_schema"})
            QCOMPARE(errores([&] { motor->ejecutar(QStringLiteral("SELECT * FROM ") + tabla, 0); })
                         .value(0)
                         .Number,
                     208);
        QFile archivo(mBase->ruta());
        QVERIFY(archivo.open(QIODevice::ReadOnly) && !archivo.readAll().contains("supervisor"));
    }
};

QTEST_GUILESS_MAIN(tst_SesionEmbebida)
#include "tst_SesionEmbebida.moc"
