// Commands: stored procedure calls with typed parameters.

#include "common/Falla.h"
#include "data/Command.h"
#include "data/Connection.h"
#include "data/MotorFalso.h"
#include "data/Recordset.h"
#include "data/cUserConnection.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;
using pruebas::columna;
using pruebas::tabla;

class TestCommand : public QObject
{
    Q_OBJECT

    // The closing generation call, as the closing service prepares it.
    Command comandoCierre()
    {
        Command cmd;
        cmd.ActiveConnection = mConexion;
        cmd.CommandText = QStringLiteral("spGeneraCierre");
        cmd.CommandType = adCmdStoredProc;
        auto& p = cmd.Parameters();
        p.Append(Command::CreateParameter("pNumeroEjecucionSys", adInteger, Direccion::Entrada, 0, 0));
        p.Append(Command::CreateParameter("pIDPrestador", adInteger, Direccion::Entrada, 0, 25));
        p.Append(Command::CreateParameter("pFechaDesde", adChar, Direccion::Entrada, 8, "20240101"));
        p.Append(Command::CreateParameter("pFechaHasta", adChar, Direccion::Entrada, 8, "20240131"));
        p.Append(Command::CreateParameter("oIdCierre", adInteger, Direccion::Salida));
        p.Append(Command::CreateParameter("oError", adInteger, Direccion::Salida));
        p.Append(Command::CreateParameter("oComentario", adChar, Direccion::Salida, 30));
        return cmd;
    }

    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
    std::shared_ptr<Connection> mConexion;

private slots:
    void init()
    {
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        mConexion = std::make_shared<Connection>();
        mConexion->Open(cUserConnection::TextoConexion("srv", "db", "op", "x"));
    }

    void cleanup()
    {
        mConexion.reset();
        mFalso.reset();
    }

    void mandaLosParametrosEnElOrdenEnQueSeAgregaron()
    {
        mConexion->CommandTimeout = 180;
        Command cmd = comandoCierre();
        cmd.Execute();
        cmd.CommandTimeout = 15;
        cmd.Execute();
        const auto& g = *mFalso->guion;
        QCOMPARE(g.esperas, (QVector<int>{180, 15})); // the connection's time-out unless the command sets one
        QStringList nombres;
        for (const ParametroMotor& p : g.llamadas[0])
            nombres << p.nombre;
        QCOMPARE(nombres, (QStringList{"pNumeroEjecucionSys", "pIDPrestador", "pFechaDesde", "pFechaHasta",
                                       "oIdCierre", "oError", "oComentario"}));
        const ParametroMotor& desde = g.llamadas[0][2];
        QCOMPARE(QVariantList({desde.tipo, desde.tamano, desde.valor}),
                 QVariantList({int(adChar), 8, "20240101"}));
        QCOMPARE(g.llamadas[0][6].direccion, Direccion::Salida);
    }

    void buscaParametrosSinMirarMayusculas_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("posicion");
        QTest::newRow("minúsculas") << "pidprestador" << 1;
        QTest::newRow("con arroba") << "@pFechaHasta" << 3;
        QTest::newRow("no está") << "pIdTicket" << -1;
    }

    void buscaParametrosSinMirarMayusculas()
    {
        QFETCH(QString, nombre);
        QFETCH(int, posicion);
        Command cmd = comandoCierre();
        if (posicion < 0) {
            try {
                cmd.Parameters(nombre);
                QFAIL("debía fallar");
            } catch (const Falla& f) {
                QCOMPARE(f.Numero, 3265);
            }
            return;
        }
        cmd.Parameters(nombre).Value = 99;
        QCOMPARE(cmd.Parameters(posicion).Value, QVariant(99));
    }

    void devuelveLasSalidasYElValorDeRetorno()
    {
        mFalso->guion->responderLlamada = [](const QString&, QVector<ParametroMotor>& p) {
            p[1].valor = 777; // an input the engine touched must not come back
            p[4].valor = 1234;
            p[5].valor = 0;
            p[6].valor = QStringLiteral("Sin novedad                   ");
            Lote l;
            l.valorRetorno = 5;
            return l;
        };
        Command cmd = comandoCierre();
        cmd.Parameters().Append(Command::CreateParameter("RETURN_VALUE", adInteger, Direccion::Retorno));
        cmd.Execute();
        QCOMPARE(cmd.Parameters("oIdCierre").Value, QVariant(1234));
        QCOMPARE(cmd.Parameters("oError").Value, QVariant(0));
        QCOMPARE(cmd.Parameters("oComentario").Value.toString().trimmed(), QStringLiteral("Sin novedad"));
        QCOMPARE(cmd.Parameters("pIdPrestador").Value, QVariant(25));
        QCOMPARE(cmd.Parameters("RETURN_VALUE").Value, QVariant(5));
        QCOMPARE(mFalso->guion->llamadas[0].size(), 7); // the return value is not a positional parameter
    }

    void unaLlamadaFallidaNoTocaLasSalidas()
    {
        mFalso->guion->responderLlamada = [](const QString&, QVector<ParametroMotor>& p) -> Lote {
            p[4].valor = 1;
            pruebas::fallar({pruebas::registro(50001, "42000", "Prestador inexistente.")});
        };
        Command cmd = comandoCierre();
        try {
            cmd.Execute();
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 50001);
            QCOMPARE(f.Descripcion, QStringLiteral("42000 Prestador inexistente."));
        }
        QVERIFY(esNulo(cmd.Parameters("oIdCierre").Value));
        QCOMPARE(mConexion->Errors().size(), 1);
    }

    void describeLaLlamadaParaLaTraza()
    {
        Command cmd = comandoCierre();
        cmd.Parameters("pFechaDesde").Value = QStringLiteral("O'Brien");
        cmd.Parameters("pNumeroEjecucionSys").Value = QVariant();
        QCOMPARE(cmd.textoLlamada(),
                 QStringLiteral("EXEC spGeneraCierre NULL, 25, 'O''Brien', '20240131', "
                                "@oIdCierre OUTPUT, @oError OUTPUT, @oComentario OUTPUT"));
    }

    void sinConexionEsElError3709()
    {
        Command cmd = comandoCierre();
        for (const bool sinObjeto : {true, false}) {
            if (sinObjeto)
                cmd.ActiveConnection.reset();
            else
                (cmd.ActiveConnection = mConexion)->Close();
            try {
                cmd.Execute();
                QFAIL("sin conexión");
            } catch (const Falla& f) {
                QCOMPARE(f.Numero, 3709);
            }
        }
        QVERIFY(mFalso->guion->llamadas.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCommand)
#include "tst_command.moc"
