// cUserConnection (the steps of Connect, the contract of Query) and clsParametros (the parameters row, the
// keep-alive query), over a scripted engine.

#include "common/Falla.h"
#include "data/MotorFalso.h"
#include "data/cUserConnection.h"
#include "data/clsParametros.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;
using pruebas::columna;
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

const QString kBuscar = QStringLiteral(
    "SELECT  NombreEmpresa,    Periodo_Prox_Consumo,    Mensaje_Ticket,    Medicamentos_por_RDP,    "
    "Dias_Validez_Receta,    Directorio_TXT,    Directorio_FMT,    Directorio_LOG,    DirectorioTramites,    "
    "FechaTTAccion,    FechaAccion,    DirectorioTXTINMedicamentos,    DirectotioTXTOUTMedicamentos    FROM "
    "Parametros(NOLOCK)");
const QString kChk = QStringLiteral("SELECT  Medicamentos_por_RDP AS Chek     FROM Parametros(NOLOCK)");

using Fila = QVector<QVariant>;

Fila filaCompleta(const QVariant& nombre, const QVariant& periodo = 2402)
{
    return {nombre,     periodo,    "  Gracias por su compra  ",
            3,          30,         QVariant(),
            "/fmt",     "/log",     "/tramites",
            "20240101", "20240102", "/in",
            "/out"};
}

Tabla tablaParametros(const QVector<Fila>& filas)
{
    // The names as the statement lists them.
    const QStringList nombres = kBuscar.mid(8, kBuscar.indexOf(u"FROM") - 8).simplified().split(", ");
    QVector<Columna> columnas;
    for (const QString& n : nombres)
        columnas << columna(n,
                            n.startsWith(u"Periodo") || n.startsWith(u"Medic") || n.startsWith(u"Dias")
                                ? int(adSmallInt)
                                : int(adVarChar),
                            50);
    return pruebas::tabla(columnas, filas);
}

} // namespace

class TestCUserConnection : public QObject
{
    Q_OBJECT

    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
    std::unique_ptr<cUserConnection> mConexion;

    // The parameters row answers with these rows, on the global connection.
    void responder(const QVector<Fila>& filas)
    {
        if (!mConexion) {
            mConexion = std::make_unique<cUserConnection>();
            mConexion->Connect("srv01", "operador", "secreto", "Pruebas");
            gConexion = mConexion.get();
        }
        mFalso->guion->responder = pruebas::servidorSimulado([filas](const QString& sql) {
            if (sql == kChk)
                return pruebas::lote(
                    {pruebas::tabla({columna("Chek", adSmallInt)}, QVector<Fila>(filas.size(), Fila{3}))});
            return pruebas::lote({tablaParametros(filas)});
        });
    }

private slots:
    void init()
    {
        qputenv("DALVOHD_SERVER", kHostPredeterminado.toUtf8());
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        simularServidor(*mFalso->guion);
    }

    void cleanup()
    {
        gConexion = nullptr;
        mConexion.reset();
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
            QCOMPARE(a.size(), 2); // the second connection goes to the default host
            QCOMPARE(QStringList({a[0].baseDatos, a[1].baseDatos, a[1].servidor, a[1].usuario, a[1].clave}),
                     QStringList({"", "dalvoPralMendoza", kHostPredeterminado, "operador", "secreto"}));
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
        // Server is reset on every Connect, as it always was; the rest keeps the last good values.
        QCOMPARE(QStringList({c.Server, c.UserName, c.Password, c.DataBase}),
                 QStringList({kHostPredeterminado, "operador", "secreto", "Pruebas"}));
    }

    void query_data()
    {
        QTest::addColumn<QString>("estado"); // "sin conectar", "cerrada" or "abierta"
        QTest::addColumn<bool>("bRaise");
        QTest::addColumn<qint32>("numero"); // 208: a statement on a table that is not there
        QTest::addColumn<QString>("descripcion");
        const auto fila = [](const QByteArray& nombre, const char* estado, bool bRaise, qint32 n,
                             const char* d) {
            QTest::newRow(nombre + (bRaise ? " con bRaise" : ""))
                << estado << bRaise << n << QString::fromUtf8(d);
        };
        for (const bool bRaise : {false, true}) {
            fila("sin conectar", "sin conectar", bRaise, 91,
                 "Variable de objeto o bloque With no establecida");
            fila("cerrada", "cerrada", bRaise, 1, "Conexión al SQL no establecida");
            fila("fallida", "abierta", bRaise, 208, "42S02 Invalid object name 'Nada'.");
        }
        fila("exitosa", "abierta", false, 0, "Ejecucion Ok");
    }

    void query()
    {
        QFETCH(QString, estado);
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
            const QString sql = numero == 208
                                    ? QStringLiteral("SELECT * FROM Nada")
                                    : QStringLiteral("SELECT COUNT(*) AS Cuenta FROM Tickets (NOLOCK)");
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

    void leeLaFilaSoloCuandoHayExactamenteUna_data()
    {
        QTest::addColumn<int>("filas");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("ninguna") << 0 << "";
        QTest::newRow("una") << 1 << "Obra Social de Mendoza";
        QTest::newRow("dos") << 2 << "";
    }

    void leeLaFilaSoloCuandoHayExactamenteUna()
    {
        QFETCH(int, filas);
        responder(QVector<Fila>(filas, filaCompleta("Obra Social de Mendoza")));
        clsParametros p;
        auto rs = p.Buscar();
        QVERIFY(rs);
        QCOMPARE(mFalso->guion->sentencias.last(), kBuscar);
        QCOMPARE(p.RegistrosLeidos, filas);
        QTEST(p.NombreEmpresa, "nombre");
        QCOMPARE(p.Periodo_Prox_Consumo, qint16(filas == 1 ? 2402 : 0));
        if (filas == 1) { // the message without its blanks, NULL read as empty
            QCOMPARE(QStringList({p.Mensaje_Ticket, p.Directorio_TXT, p.DirectotioTXTOUTMedicamentos}),
                     QStringList({"Gracias por su compra", "", "/out"}));
            QCOMPARE(p.Dias_Validez_Receta, qint16(30));
        }
    }

    void unaColumnaDe16BitsInvalidaFallaSinTocarNada_data()
    {
        QTest::addColumn<QVariant>("periodo");
        QTest::addColumn<qint32>("numero");
        QTest::newRow("nulo") << QVariant() << 94;
        QTest::newRow("fuera de rango") << QVariant(40000) << 6;
    }

    void unaColumnaDe16BitsInvalidaFallaSinTocarNada()
    {
        QFETCH(QVariant, periodo);
        responder({filaCompleta("Primera", 7)});
        clsParametros p;
        p.Buscar();

        responder({filaCompleta("Segunda", periodo), filaCompleta("x")});
        p.Buscar(); // two rows: RegistrosLeidos changes, the values do not
        QCOMPARE(p.RegistrosLeidos, 2);

        responder({filaCompleta("Segunda", periodo)});
        try {
            p.Buscar();
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Origen, QStringLiteral("clsParametros"));
            QTEST(f.Numero, "numero");
        }
        QCOMPARE(p.NombreEmpresa, QStringLiteral("Primera"));
        QCOMPARE(p.Periodo_Prox_Consumo, qint16(7));
        QCOMPARE(p.RegistrosLeidos, 2);
    }

    void chkConnectCuentaLasFilasOFallaComoEnlaceCaido()
    {
        responder({filaCompleta("x")});
        clsParametros p;
        auto rs = p.chkConnect();
        QCOMPARE(mFalso->guion->sentencias.last(), kChk);
        QCOMPARE(p.RegistrosLeidos, 1);
        QCOMPARE(rs->Fields("Chek").Value(), QVariant(3));

        mFalso->guion->responder = [](const QString&, const DatosConexion&) -> Lote {
            pruebas::fallar({registro(0, "HY000", "Unknown error")});
        };
        mFalso->guion->enlacePerdido = true;
        try {
            p.chkConnect();
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Origen, QStringLiteral("clsParametros.chkConnect"));
            QCOMPARE(f.Numero, 20006);
            QVERIFY(f.Descripcion.startsWith(QLatin1String("08S01")));
        }
    }
};

QTEST_GUILESS_MAIN(TestCUserConnection)
#include "tst_cuserconnection.moc"
