// The SQL Server engine: the ODBC connection string, the type mapping, and a real failed connect through
// the installed FreeTDS driver.

#include "common/Falla.h"
#include "data/Connection.h"
#include "data/Despliegue.h"
#include "data/cUserConnection.h"
#include "data/odbc/CadenaOdbc.h"
#include "data/odbc/MotorOdbc.h"

#include <QTemporaryDir>
#include <QtTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sql.h>
#include <sqlext.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace dalvo;
using namespace dalvo::ado;

namespace {

// A local port where nothing listens: bound, read, closed.
int puertoCerrado()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    dir.sin_port = 0;
    socklen_t largo = sizeof(dir);
    if (::bind(s, reinterpret_cast<sockaddr*>(&dir), sizeof(dir)) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&dir), &largo) != 0) {
        ::close(s);
        return 0;
    }
    ::close(s);
    return ntohs(dir.sin_port);
}

bool tieneRegistro(const QVector<ErrorAdo>& lista, const QString& estado, qint32 numero)
{
    return std::any_of(lista.cbegin(), lista.cend(), [&](const ErrorAdo& e) {
        return e.SQLState == estado && e.Number == numero && e.Description.startsWith(estado + u' ');
    });
}

} // namespace

class TestMotorOdbc : public QObject
{
    Q_OBJECT

    QTemporaryDir mOdbcVacio;
    QString mControlador;

private slots:
    void initTestCase()
    {
        // Only the connection string may steer the driver: no FreeTDS variables, no system ODBC files.
        for (const char* v : {"TDSVER", "TDSPORT", "TDSHOST", "TDSQUERY", "DSQUERY", "TDSDUMP", "FREETDSCONF",
                              "DALVOHD_ODBC_DRIVER", "DALVOHD_SERVER"})
            qunsetenv(v);
        qputenv("ODBCSYSINI", mOdbcVacio.path().toUtf8());
        qputenv("ODBCINI", mOdbcVacio.filePath(QStringLiteral("odbc.ini")).toUtf8());
        mControlador = controladorOdbcPredeterminado();
    }

    void armaLaCadenaOdbc_data()
    {
        QTest::addColumn<QString>("servidor");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<bool>("llavesDobles");
        QTest::addColumn<QString>("cadena");

        const auto fila = [](const char* nombre, const char* servidor, const char* base, const char* clave,
                             bool llavesDobles, const char* cadena) {
            QTest::newRow(nombre) << QString::fromLatin1(servidor) << QString::fromLatin1(base)
                                  << QString::fromLatin1(clave) << llavesDobles
                                  << QStringLiteral("DRIVER={/lib/libtdsodbc.so};") +
                                         QString::fromLatin1(cadena) +
                                         QStringLiteral(";TDS_Version=7.4;ClientCharset=UTF-8;APP={DalvoHD}");
        };
        fila("host", "sqlprod01", "dalvoPralMendoza", "pw", false,
             "SERVER={sqlprod01};UID={op};PWD={pw};DATABASE={dalvoPralMendoza}");
        fila("host,puerto", "10.0.0.5, 1500", "", "pw", false,
             "SERVER={10.0.0.5};PORT={1500};UID={op};PWD={pw}");
        fila("host\\instancia", "sqlprod01\\SQLEXPRESS", "", "pw", false,
             "SERVER={sqlprod01\\SQLEXPRESS};UID={op};PWD={pw}");
        fila("; e = en la clave", "srv", "", "a;b=c", false, "SERVER={srv};UID={op};PWD={a;b=c}");
        fila("} en la clave, FreeTDS 1.3", "srv", "", "a}b}", false, "SERVER={srv};UID={op};PWD={a}b}}");
        fila("} en la clave, llaves dobles", "srv", "", "a};b}", true, "SERVER={srv};UID={op};PWD={a}};b}}}");
    }

    void armaLaCadenaOdbc()
    {
        QFETCH(QString, servidor);
        QFETCH(QString, base);
        QFETCH(QString, clave);
        QFETCH(bool, llavesDobles);
        DatosConexion d;
        d.servidor = servidor;
        d.baseDatos = base;
        d.usuario = QStringLiteral("op");
        d.clave = clave;
        QTEST(cadenaConexionOdbc(d, QStringLiteral("/lib/libtdsodbc.so"), llavesDobles), "cadena");
    }

    void rechazaLoQueElControladorNoPuedeLeer()
    {
        DatosConexion d;
        d.servidor = QStringLiteral("srv");
        d.clave = QStringLiteral("a};b");
        try {
            cadenaConexionOdbc(d, QStringLiteral("FreeTDS"), false);
            QFAIL("FreeTDS 1.3 no puede recibir \"};\"");
        } catch (const FallaMotor& f) {
            QCOMPARE(f.errores().first().SQLState, QStringLiteral("08001"));
            QVERIFY(f.errores().first().Description.contains(QStringLiteral("La clave")));
            QVERIFY(!f.errores().first().Description.contains(QStringLiteral("a};b")));
        }
    }

    void traduceLosTiposSqlACodigosAdo_data()
    {
        QTest::addColumn<int>("tipoSql");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("escala");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("ado");

        QTest::newRow("char") << int(SQL_CHAR) << 10 << 0 << "char" << 129;
        QTest::newRow("varchar") << int(SQL_VARCHAR) << 50 << 0 << "varchar" << 200;
        QTest::newRow("nvarchar") << int(SQL_WVARCHAR) << 50 << 0 << "nvarchar" << 202;
        QTest::newRow("tinyint, sin signo") << int(SQL_TINYINT) << 3 << 0 << "tinyint" << 17;
        QTest::newRow("money por nombre") << int(SQL_DECIMAL) << 19 << 4 << "money" << 6;
        QTest::newRow("money sin nombre") << int(SQL_DECIMAL) << 19 << 4 << "" << 6;
        QTest::newRow("decimal(19,4) con nombre") << int(SQL_DECIMAL) << 19 << 4 << "decimal" << 131;
        QTest::newRow("datetime") << int(SQL_TYPE_TIMESTAMP) << 23 << 3 << "datetime" << 135;
        QTest::newRow("uniqueidentifier como texto") << int(SQL_GUID) << 36 << 0 << "uniqueidentifier" << 202;
    }

    void traduceLosTiposSqlACodigosAdo()
    {
        QFETCH(int, tipoSql);
        QFETCH(int, precision);
        QFETCH(int, escala);
        QFETCH(QString, nombre);
        QTEST(tipoAdoDeSql(tipoSql, precision, escala, nombre), "ado");
    }

    void llamaConLaSintaxisOdbc()
    {
        QCOMPARE(MotorOdbc::textoLlamada(QStringLiteral("spGeneraCierre"), 3),
                 QStringLiteral("{? = call spGeneraCierre(?,?,?)}"));
        QCOMPARE(MotorOdbc::textoLlamada(QStringLiteral("dbo.spProcesaTramites"), 0),
                 QStringLiteral("{? = call dbo.spProcesaTramites}"));
    }

    void connectContraUnPuertoSinServidorDescribeElFallo()
    {
        if (!mControlador.startsWith(u'/'))
            QSKIP("El controlador ODBC de FreeTDS (tdsodbc) no está instalado.");
        const QString servidor = QStringLiteral("127.0.0.1,%1").arg(puertoCerrado());
        cUserConnection c;
        try {
            c.Connect(servidor, QStringLiteral("operador"), QStringLiteral("x;y}"), QString());
            QFAIL("no hay servidor");
        } catch (const Falla& f) {
            QCOMPARE(f.Origen, QStringLiteral("clsUserConnection"));
            QCOMPARE(f.Numero, c.Connection->Errors().first().Number);
            const QStringList lineas = f.Descripcion.split(QStringLiteral("\r\n"));
            QCOMPARE(lineas.mid(0, 5),
                     (QStringList{"No se puede establecer la conexión: ", "Servidor: " + servidor,
                                  "Data Base: ", "Usuario: operador", ""}));
            QVERIFY(!f.Descripcion.contains(QStringLiteral("x;y}")));
            for (const ErrorAdo& e : c.Connection->Errors())
                QVERIFY(lineas.mid(5).contains(e.Description));
            QVERIFY(tieneRegistro(c.Connection->Errors(), QStringLiteral("08S01"), 20009));
            QVERIFY(tieneRegistro(c.Connection->Errors(), QStringLiteral("08001"), 0));
        }
        QCOMPARE(c.Connection->State(), int(adStateClosed));
    }
};

QTEST_GUILESS_MAIN(TestMotorOdbc)
#include "tst_motorodbc.moc"
