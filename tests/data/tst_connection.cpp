// The connection: opening and closing, the error list with the lost-link entry, the statement trace.

#include "common/Falla.h"
#include "data/Command.h"
#include "data/Connection.h"
#include "data/MotorFalso.h"
#include "data/Recordset.h"
#include "data/Traza.h"
#include "data/cUserConnection.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;
using pruebas::registro;

namespace {
QString texto(const QString& clave = QStringLiteral("secreto"))
{
    return cUserConnection::TextoConexion("srv", "db", "op", clave);
}
} // namespace

class TestConnection : public QObject
{
    Q_OBJECT

    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
    std::unique_ptr<QTemporaryDir> mCarpeta;

private slots:
    void init()
    {
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        mCarpeta = std::make_unique<QTemporaryDir>();
        qunsetenv(kVariableTraza);
    }

    void cleanup()
    {
        qunsetenv(kVariableTraza);
        mFalso.reset();
        mCarpeta.reset();
    }

    void guardaTodosLosRegistrosDelFallo_data()
    {
        QTest::addColumn<QVector<ErrorAdo>>("registros");
        QTest::addColumn<bool>("enlacePerdido");
        QTest::addColumn<qint32>("numero");
        QTest::addColumn<QStringList>("estados");

        const auto sintaxis = registro(102, "42000", "Incorrect syntax near 'FORM'.");
        const auto detalle = registro(0, "01000", "Statement(s) could not be prepared.");
        const auto desconocido = registro(0, "HY000", "Unknown error");
        const auto enlace0 = registro(0, "08S01", "Communication link failure");
        const auto noConecta = registro(20009, "08S01", "Unable to connect: Adaptive Server is unavailable");

        QTest::newRow("todos los registros, en orden")
            << QVector<ErrorAdo>{sintaxis, detalle} << false << 102 << QStringList{"42000", "01000"};
        QTest::newRow("enlace caído con un error desconocido")
            << QVector<ErrorAdo>{desconocido} << true << 20006 << QStringList{"08S01", "HY000"};
        QTest::newRow("08S01 con número 0 no alcanza")
            << QVector<ErrorAdo>{enlace0} << true << 20006 << QStringList{"08S01", "08S01"};
        QTest::newRow("08S01 con número alto ya alcanza")
            << QVector<ErrorAdo>{detalle, noConecta} << true << 0 << QStringList{"01000", "08S01"};
        QTest::newRow("enlace vivo") << QVector<ErrorAdo>{enlace0} << false << 0 << QStringList{"08S01"};
    }

    void guardaTodosLosRegistrosDelFallo()
    {
        QFETCH(QVector<ErrorAdo>, registros);
        QFETCH(bool, enlacePerdido);
        mFalso->guion->responder = [registros](const QString&, const DatosConexion&) -> Lote {
            pruebas::fallar(registros);
        };
        mFalso->guion->enlacePerdido = enlacePerdido;
        Connection c;
        c.Open(texto());
        try {
            c.Execute(QStringLiteral("SELECT 1"));
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QTEST(f.Numero, "numero");
            QStringList descripciones;
            QStringList estados;
            for (const ErrorAdo& e : c.Errors()) {
                descripciones << e.Description;
                estados << e.SQLState;
                QVERIFY(e.Description.startsWith(e.SQLState + u' '));
            }
            QTEST(estados, "estados");
            QCOMPARE(f.Descripcion, descripciones.join(QLatin1String("\r\n")));
            QCOMPARE(f.Numero, c.Errors().first().Number);
        }
        QCOMPARE(c.State(), int(adStateOpen)); // a lost link does not close the object: the error driver does
    }

    void unaAperturaFallidaDejaLosRegistrosYQuedaCerrada()
    {
        mFalso->guion->falloApertura = {registro(18456, "42000", "Login failed for user 'op'.")};
        mFalso->guion->enlacePerdido = true;
        Connection c;
        try {
            c.Open(texto());
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 18456);
            QCOMPARE(f.Descripcion, QStringLiteral("42000 Login failed for user 'op'."));
        }
        QCOMPARE(c.State(), int(adStateClosed));
        QCOMPARE(c.Errors().size(), 1);
        QCOMPARE(mFalso->guion->preguntasEnlace, 0); // nothing was linked yet
        QVERIFY_THROWS_EXCEPTION(Falla, c.Execute(QStringLiteral("SELECT 1")));
    }

    void abrirAbiertaOUsarCerradaSonErroresDeAdo()
    {
        Connection c;
        c.Open(texto());
        try {
            c.Open(texto());
            QFAIL("ya estaba abierta");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 3705);
        }
        c.Close();
        QCOMPARE(mFalso->guion->cierres, 1);
        try {
            c.Execute(QStringLiteral("SELECT 1"));
            QFAIL("cerrada");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 3709);
        }
        QVERIFY(c.Errors().isEmpty()); // ADO's own errors, not the server's
        c.Open(texto());
        QCOMPARE(mFalso->guion->aperturas.size(), 2);
    }

    void laTrazaAnotaUnaLineaPorSentenciaSinLaClave()
    {
        const QString archivo = mCarpeta->filePath(QStringLiteral("traza.log"));
        qputenv(kVariableTraza, archivo.toUtf8());
        mFalso->guion->responder = [](const QString& sql, const DatosConexion&) -> Lote {
            if (sql.contains(u"Nada"))
                pruebas::fallar({registro(208, "42S02", "Invalid object name 'Nada'.")});
            return pruebas::lote({pruebas::tabla({pruebas::columna("A", adInteger)}, {{1}, {2}})});
        };
        auto c = std::make_shared<Connection>();
        c->Open(texto(QStringLiteral("Cl4ve;Secreta")));
        c->Execute(QStringLiteral("SELECT A\r\n  FROM Tabla\n\tWHERE 1 = 1"));
        QVERIFY_THROWS_EXCEPTION(Falla, c->Execute(QStringLiteral("SELECT * FROM Nada")));
        Command cmd;
        cmd.ActiveConnection = c;
        cmd.CommandType = adCmdStoredProc;
        cmd.CommandText = QStringLiteral("spAnularCierre");
        cmd.Parameters().Append(
            Command::CreateParameter("pIdPrestador", adInteger, Direccion::Entrada, 0, 7));
        cmd.Execute();

        QFile f(archivo);
        QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString contenido = QString::fromUtf8(f.readAll());
        QVERIFY(!contenido.contains(QLatin1String("Cl4ve")));
        // Each line: time | duration | rows | error number | the statement on one line.
        const QStringList lineas = contenido.split(u'\n', Qt::SkipEmptyParts);
        const QStringList finales = {"| 0 filas | error 0 | -- conexión: servidor srv, base db, usuario op",
                                     "| 2 filas | error 0 | SELECT A   FROM Tabla  WHERE 1 = 1",
                                     "| 0 filas | error 208 | SELECT * FROM Nada",
                                     "| 0 filas | error 0 | EXEC spAnularCierre 7"};
        QCOMPARE(lineas.size(), finales.size());
        for (int i = 0; i < lineas.size(); ++i)
            QVERIFY2(lineas[i].endsWith(finales[i]), qPrintable(lineas[i]));
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
