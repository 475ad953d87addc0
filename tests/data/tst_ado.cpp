// The ADO stand-in over a scripted engine: the connection (errors, lost link, trace), commands with typed
// parameters, and result sets (navigation, fields, sizes, further result sets of a batch).

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
using pruebas::columna;
using pruebas::registro;
using pruebas::tabla;

namespace {

QString texto(const QString& clave = QStringLiteral("x"))
{
    return cUserConnection::TextoConexion("srv", "db", "op", clave);
}

// The ADO error number a call raises (0 when it raises none).
qint32 numeroDeFalla(const std::function<void()>& llamada)
{
    try {
        llamada();
    } catch (const Falla& f) {
        return f.Numero;
    }
    return 0;
}

} // namespace

class TestAdo : public QObject
{
    Q_OBJECT

    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
    std::shared_ptr<Connection> mConexion;

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

    std::unique_ptr<Recordset> abrir(const Lote& respuesta)
    {
        mFalso->guion->responder = [respuesta](const QString&, const DatosConexion&) { return respuesta; };
        auto rs = std::make_unique<Recordset>();
        rs->Open(QStringLiteral("SELECT ..."), *mConexion);
        return rs;
    }

private slots:
    void init()
    {
        qunsetenv(kVariableTraza);
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        mConexion = std::make_shared<Connection>();
        mConexion->Open(texto());
    }

    void cleanup()
    {
        qunsetenv(kVariableTraza);
        mConexion.reset();
        mFalso.reset();
    }

    void guardaTodosLosRegistrosDelFallo_data()
    {
        QTest::addColumn<QVector<ErrorAdo>>("registros");
        QTest::addColumn<bool>("enlacePerdido");
        QTest::addColumn<qint32>("numero");
        QTest::addColumn<QStringList>("estados");
        const auto sintaxis = registro(102, "42000", "Incorrect syntax near 'FORM'.");
        const auto detalle = registro(0, "01000", "Statement(s) could not be prepared.");
        const auto enlace0 = registro(0, "08S01", "Communication link failure");
        const auto noConecta = registro(20009, "08S01", "Unable to connect: Adaptive Server is unavailable");
        const auto fila = [](const char* nombre, QVector<ErrorAdo> r, bool perdido, qint32 n, QStringList e) {
            QTest::newRow(nombre) << r << perdido << n << e;
        };
        fila("todos los registros, en orden", {sintaxis, detalle}, false, 102, {"42000", "01000"});
        fila("enlace caído con un error desconocido", {registro(0, "HY000", "Unknown error")}, true, 20006,
             {"08S01", "HY000"});
        fila("08S01 con número 0 no alcanza", {enlace0}, true, 20006, {"08S01", "08S01"});
        fila("08S01 con número alto ya alcanza", {detalle, noConecta}, true, 0, {"01000", "08S01"});
        fila("enlace vivo", {enlace0}, false, 0, {"08S01"});
    }

    void guardaTodosLosRegistrosDelFallo()
    {
        QFETCH(QVector<ErrorAdo>, registros);
        QFETCH(bool, enlacePerdido);
        mFalso->guion->responder = [registros](const QString&, const DatosConexion&) -> Lote {
            pruebas::fallar(registros);
        };
        mFalso->guion->enlacePerdido = enlacePerdido;
        try {
            mConexion->Execute(QStringLiteral("SELECT 1"));
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QTEST(f.Numero, "numero");
            QStringList descripciones;
            QStringList estados;
            for (const ErrorAdo& e : mConexion->Errors()) {
                descripciones << e.Description;
                estados << e.SQLState;
                QVERIFY(e.Description.startsWith(e.SQLState + u' '));
            }
            QTEST(estados, "estados");
            QCOMPARE(f.Descripcion, descripciones.join(QLatin1String("\r\n")));
            QCOMPARE(f.Numero, mConexion->Errors().first().Number);
        }
        QCOMPARE(mConexion->State(),
                 int(adStateOpen)); // a lost link does not close it: the error driver does
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
        QCOMPARE(numeroDeFalla([&] { c.Execute(QStringLiteral("SELECT 1")); }), 3709);
    }

    void abrirAbiertaOUsarCerradaSonErroresDeAdo()
    {
        QCOMPARE(numeroDeFalla([&] { mConexion->Open(texto()); }), 3705);
        mConexion->Close();
        QCOMPARE(mFalso->guion->cierres, 1);
        QCOMPARE(numeroDeFalla([&] { mConexion->Execute(QStringLiteral("SELECT 1")); }), 3709);
        Command cmd = comandoCierre();
        QCOMPARE(numeroDeFalla([&] { cmd.Execute(); }), 3709);
        cmd.ActiveConnection.reset();
        QCOMPARE(numeroDeFalla([&] { cmd.Execute(); }), 3709);
        QVERIFY(mConexion->Errors().isEmpty()); // ADO's own errors, not the server's
        QVERIFY(mFalso->guion->llamadas.isEmpty());
        mConexion->Open(texto());
        QCOMPARE(mFalso->guion->aperturas.size(), 2);
    }

    void laTrazaAnotaUnaLineaPorSentenciaSinLaClave()
    {
        QTemporaryDir carpeta;
        const QString archivo = carpeta.filePath(QStringLiteral("traza.log"));
        qputenv(kVariableTraza, archivo.toUtf8());
        mFalso->guion->responder = [](const QString& sql, const DatosConexion&) -> Lote {
            if (sql.contains(u"Nada"))
                pruebas::fallar({registro(208, "42S02", "Invalid object name 'Nada'.")});
            return pruebas::lote({tabla({columna("A", adInteger)}, {{1}, {2}})});
        };
        mConexion = std::make_shared<Connection>();
        mConexion->Open(texto(QStringLiteral("Cl4ve;Secreta")));
        mConexion->Execute(QStringLiteral("SELECT A\r\n  FROM Tabla\n\tWHERE 1 = 1"));
        QVERIFY_THROWS_EXCEPTION(Falla, mConexion->Execute(QStringLiteral("SELECT * FROM Nada")));
        Command cmd;
        cmd.ActiveConnection = mConexion;
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

    void devuelveLasSalidasYElValorDeRetorno()
    {
        mFalso->guion->responderLlamada = [](const QString&, QVector<ParametroMotor>& p) {
            p[1].valor = 777; // an input the engine touched must not come back
            p[4].valor = 1234;
            p[6].valor = QStringLiteral("Sin novedad                   ");
            Lote l;
            l.valorRetorno = 5;
            return l;
        };
        Command cmd = comandoCierre();
        cmd.Parameters().Append(Command::CreateParameter("RETURN_VALUE", adInteger, Direccion::Retorno));
        cmd.Execute();
        QCOMPARE(cmd.Parameters("oIdCierre").Value, QVariant(1234));
        QCOMPARE(cmd.Parameters("oComentario").Value.toString().trimmed(), QStringLiteral("Sin novedad"));
        QCOMPARE(cmd.Parameters("pIdPrestador").Value, QVariant(25));
        QCOMPARE(cmd.Parameters("RETURN_VALUE").Value, QVariant(5));
        QCOMPARE(mFalso->guion->llamadas[0].size(), 7); // the return value is not a positional parameter
    }

    void unaLlamadaFallidaNoTocaLasSalidas()
    {
        mFalso->guion->responderLlamada = [](const QString&, QVector<ParametroMotor>& p) -> Lote {
            p[4].valor = 1;
            pruebas::fallar({registro(50001, "42000", "Prestador inexistente.")});
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

    // Parameters and fields are found whatever the letter case; a missing one is ADO's 3265.
    void buscaPorNombreSinMirarMayusculas()
    {
        Command cmd = comandoCierre();
        cmd.Parameters("pidprestador").Value = 99;
        QCOMPARE(cmd.Parameters(1).Value, QVariant(99));
        QCOMPARE(cmd.Parameters("@pFechaHasta").Name, cmd.Parameters(3).Name);
        QCOMPARE(numeroDeFalla([&] { cmd.Parameters("pIdTicket"); }), 3265);

        auto rs = abrir(pruebas::lote({tabla({columna("Id", adInteger), columna("Matrícula", adVarChar, 10),
                                              columna("Cod. Postal", adChar, 8)},
                                             {{7, "M-1", "5500    "}})}));
        QCOMPARE(rs->Fields("MATRÍCULA").Value(), QVariant("M-1"));
        QCOMPARE(rs->Fields("cod. postal").Name(), QStringLiteral("Cod. Postal"));
        try {
            rs->Fields("Ids");
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 3265);
            QVERIFY(f.Descripcion.startsWith(QStringLiteral("No se encontró el elemento en la colección")));
        }
        QCOMPARE(numeroDeFalla([&] { rs->Fields(3); }), 3265);
        QCOMPARE(numeroDeFalla([&] { rs->Fields(-1); }), 3265);
    }

    void recorreHaciaAdelanteYAtras()
    {
        auto rs = abrir(pruebas::lote({tabla({columna("Id", adInteger)}, {{1}, {2}, {3}})}));
        const auto actual = [&] { return rs->Fields(0).Value(); };
        QCOMPARE(rs->RecordCount(), 3);
        QCOMPARE(actual(), QVariant(1));
        rs->MoveLast();
        rs->MoveNext();
        QVERIFY(rs->Eof());
        QCOMPARE(numeroDeFalla([&] { rs->MoveNext(); }), 3021);
        rs->MovePrevious(); // from past the end back to the last row
        QCOMPARE(actual(), QVariant(3));
        rs->MoveFirst();
        rs->MovePrevious();
        QVERIFY(rs->Bof() && !rs->Eof());
        QCOMPARE(numeroDeFalla([&] { rs->MovePrevious(); }), 3021);
        rs->MoveNext(); // from before the start to the first row
        QCOMPARE(actual(), QVariant(1));
    }

    void unConjuntoVacioNoTieneRegistroActual()
    {
        auto rs = abrir(pruebas::lote({tabla({columna("Cuenta", adInteger)}, {})}));
        QVERIFY(rs->Bof() && rs->Eof());
        QCOMPARE(rs->Fields(0).DefinedSize(), 4); // ADO's figure, though the engine left it at 0
        QCOMPARE(numeroDeFalla([&] { rs->Fields(0).Value(); }), 3021);
        QCOMPARE(numeroDeFalla([&] { rs->MoveFirst(); }), 3021);
    }

    void informaValorYTamanoRealComoAdo_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("definido");
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<int>("tamano");
        const auto fila = [](const char* nombre, int tipo, int definido, QVariant valor, int tamano) {
            QTest::newRow(nombre) << tipo << definido << valor << tamano;
        };
        fila("char(10) aunque venga corto", adChar, 10, "abc", 10);
        fila("varchar con acentos", adVarChar, 50, "Añó€", 4);
        fila("varchar vacío no es nulo", adVarChar, 50, QString(""), 0);
        fila("datetime", adDBTimeStamp, 16, QDateTime(QDate(2024, 2, 3), QTime(14, 5)), 16);
        fila("binary", adVarBinary, 8, QByteArray("\x01\x02\x03", 3), 3);
        fila("char nulo", adChar, 10, QVariant(), 0);
    }

    void informaValorYTamanoRealComoAdo()
    {
        QFETCH(int, tipo);
        QFETCH(int, definido);
        QFETCH(QVariant, valor);
        auto rs = abrir(pruebas::lote({tabla({columna("C", tipo, definido)}, {{valor}})}));
        QTEST(rs->Fields(0).ActualSize(), "tamano");
        QCOMPARE(esNulo(rs->Fields(0).Value()), !valor.isValid());
    }

    void pasaALosConjuntosSiguientesDelLote()
    {
        auto rs = abrir(
            pruebas::lote({tabla({columna("A", adInteger)}, {{1}}), tabla({columna("B", adVarChar, 5)}, {}),
                           tabla({columna("C", adInteger)}, {{1}, {2}})}));
        auto segundo = rs->NextRecordset();
        QCOMPARE(segundo->Fields(0).Name(), QStringLiteral("B"));
        auto tercero = segundo->NextRecordset();
        QCOMPARE(tercero->RecordCount(), 2);
        QVERIFY(!tercero->NextRecordset());
        QCOMPARE(rs->RecordCount(), 1); // the first one is still there
    }

    void elErrorDespuesDelUltimoConjuntoSaleEnNextRecordset()
    {
        auto rs = abrir(pruebas::lote(
            {tabla({columna("A", adInteger)}, {{1}})},
            {registro(208, "42S02", "Invalid object name 'Nada'."), registro(0, "01000", "Detalle.")}));
        QCOMPARE(rs->RecordCount(), 1);
        QVERIFY(mConexion->Errors().isEmpty());
        try {
            rs->NextRecordset();
            QFAIL("el lote había fallado");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 208);
            QCOMPARE(f.Descripcion, QStringLiteral("42S02 Invalid object name 'Nada'.\r\n01000 Detalle."));
        }
        QCOMPARE(mConexion->Errors().size(), 2);
    }

    void unLoteSinConjuntosDaUnRecordsetCerrado()
    {
        auto rs = abrir(Lote{});
        QCOMPARE(rs->State(), int(adStateClosed));
        QCOMPARE(numeroDeFalla([&] { rs->RecordCount(); }), 3704);
        QVERIFY(!rs->NextRecordset());
        auto otro = abrir(pruebas::lote({tabla({columna("A", adInteger)}, {{1}})}));
        otro->Close();
        QCOMPARE(numeroDeFalla([&] { otro->Fields(0); }), 3704);
    }
};

QTEST_GUILESS_MAIN(TestAdo)
#include "tst_ado.moc"
