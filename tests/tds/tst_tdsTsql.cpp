// FreeTDS's own client, tsql, logs in to the server and runs a SELECT: the server speaks TDS as the driver
// family expects, not only as the program's engine does.

#include "tds/Entorno.h"
#include "tds/MotorFalso.h"
#include "tds/ServidorTds.h"
#include "tds/Vigia.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace dalvo;
using namespace dalvo::tds;
using namespace dalvo::tds::prueba;

class tst_tdsTsql : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void consulta_data();
    void consulta();
    void claveErronea();

private:
    // Runs tsql against the server with `entrada` on its standard input; returns its exit code.
    int tsql(const QString& clave, const QString& version, const QString& entrada, QString& salida);

    Vigia mVigia{20};
    std::unique_ptr<Guion> mGuion;
    std::unique_ptr<ServidorTds> mServidor;
    quint16 mPuerto = 0;
    QString mTsql;
};

void tst_tdsTsql::initTestCase()
{
    mTsql = QStandardPaths::findExecutable(QStringLiteral("tsql"));
    if (mTsql.isEmpty())
        QSKIP("tsql (freetds-bin) is not installed");
    limpiarEntornoFreeTds();
}

void tst_tdsTsql::init()
{
    mVigia.armar(QTest::currentTestFunction());
    mGuion = std::make_unique<Guion>();
    mGuion->alEjecutar = [](const QString&) {
        ado::Lote l;
        l.tablas.push_back(tabla({columna("Id", ado::adInteger), columna("Nombre", ado::adVarChar, 30),
                                  columna("Saldo", ado::adCurrency)},
                                 {1, "Farmacia Ñandú", 1234.5, 2, QVariant(), QVariant()}));
        return l;
    };
    mServidor = std::make_unique<ServidorTds>(mGuion->fabrica(), QStringLiteral("sqlite:demo"));
    mPuerto = mServidor->iniciar();
}

void tst_tdsTsql::cleanup()
{
    QVERIFY2(mServidor->incidentes().isEmpty(), qPrintable(mServidor->incidentes().join('\n')));
    mServidor.reset();
    mGuion.reset();
    mVigia.desarmar();
}

int tst_tdsTsql::tsql(const QString& clave, const QString& version, const QString& entrada, QString& salida)
{
    QProcess p;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("LC_ALL"),
                   QStringLiteral("C.UTF-8")); // tsql writes in the locale's charset
    if (!version.isEmpty())
        entorno.insert(QStringLiteral("TDSVER"), version);
    p.setProcessEnvironment(entorno);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(mTsql, {"-H", "127.0.0.1", "-p", QString::number(mPuerto), "-U", "operador", "-P", clave, "-D",
                    "dalvoPralMendoza"});
    if (!p.waitForStarted(5000))
        return -1;
    p.write(entrada.toUtf8());
    p.closeWriteChannel();
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
        salida = QStringLiteral("tsql no terminó: ") + QString::fromUtf8(p.readAll());
        return -1;
    }
    salida = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

void tst_tdsTsql::consulta_data()
{
    QTest::addColumn<QString>("version");
    QTest::newRow("7.4") << "7.4";
    QTest::newRow("automática") << "";
}

void tst_tdsTsql::consulta()
{
    QFETCH(QString, version);
    QString salida;
    const int codigo = tsql(QStringLiteral("secreta"), version,
                            QStringLiteral("SELECT Id, Nombre, Saldo FROM Prestadores\ngo\nquit\n"), salida);
    QVERIFY2(codigo == 0, qPrintable(salida));
    QVERIFY2(salida.contains(QStringLiteral("Id\tNombre\tSaldo\n")), qPrintable(salida));
    QVERIFY2(salida.contains(QStringLiteral("1\tFarmacia Ñandú\t1234.5000\n")), qPrintable(salida));
    QVERIFY2(salida.contains(QStringLiteral("2\tNULL\tNULL\n")), qPrintable(salida));
    QVERIFY2(salida.contains(QStringLiteral("(2 rows affected)")), qPrintable(salida));
    QCOMPARE(mGuion->sentencias(), QStringList{"SELECT Id, Nombre, Saldo FROM Prestadores\n"});
    QCOMPARE(mGuion->aperturas().first().baseDatos, QStringLiteral("dalvoPralMendoza"));
}

void tst_tdsTsql::claveErronea()
{
    QString salida;
    const int codigo =
        tsql(QStringLiteral("mala"), QStringLiteral("7.4"), QStringLiteral("SELECT 1\ngo\n"), salida);
    QVERIFY2(codigo != 0, qPrintable(salida));
    QVERIFY2(salida.contains(QStringLiteral("Msg 18456 (severity 14, state 1)")), qPrintable(salida));
    QVERIFY2(salida.contains(QStringLiteral("Login failed for user 'operador'.")), qPrintable(salida));
    QVERIFY(mGuion->sentencias().isEmpty());
}

QTEST_GUILESS_MAIN(tst_tdsTsql)
#include "tst_tdsTsql.moc"
