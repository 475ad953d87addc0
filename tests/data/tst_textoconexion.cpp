// The connection text, the engine a server name picks, the deployment settings, and the SQL Server engine's
// ODBC connection string, type mapping and call syntax.

#include "common/Falla.h"
#include "data/Despliegue.h"
#include "data/FabricaMotor.h"
#include "data/MotorFalso.h"
#include "data/TextoConexion.h"
#include "data/cUserConnection.h"
#include "data/odbc/CadenaOdbc.h"
#include "data/odbc/MotorOdbc.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sql.h>
#include <sqlext.h>

using namespace dalvo;
using namespace dalvo::ado;

Q_DECLARE_METATYPE(dalvo::ado::ClaseServidor)

class TestTextoConexion : public QObject
{
    Q_OBJECT

private slots:
    void leeCadaValorAunqueLleveSeparadores_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("servidor");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("usuario");
        QTest::addColumn<QString>("clave");

        auto fila = [](const char* nombre, const QString& s, const QString& b, const QString& u,
                       const QString& c) {
            QTest::newRow(nombre) << cUserConnection::TextoConexion(s, b, u, c) << s << b << u << c;
        };
        fila("los cuatro", "srv01", "dalvoPralMendoza", "operador", "secreto");
        fila("claves dentro del usuario", "srv01", "db", "a;Initial Catalog=b", "x");
        fila("punto y coma e igual en la clave", "srv01", "db", "op", "a;b=c;");
        fila("la clave nombra otra clave", "srv01", "db", "op", "x;Password=y ; ");
        fila("instancia", "srv01\\SQLEXPRESS", "db", "op", "x");
        fila("archivo embebido", "sqlite:/tmp/a;b.db", "", "op", "x");
        QTest::newRow("claves en minúsculas")
            << "provider=sqloledb;data source=srv;initial catalog=db;user id=op;password=pw ; "
            << "srv"
            << "db"
            << "op"
            << "pw";
    }

    void leeCadaValorAunqueLleveSeparadores()
    {
        QFETCH(QString, texto);
        const DatosConexion d = leerTextoConexion(texto);
        QTEST(d.servidor, "servidor");
        QTEST(d.baseDatos, "base");
        QTEST(d.usuario, "usuario");
        QTEST(d.clave, "clave");
    }

    void eligeElMotorPorElServidor_data()
    {
        QTest::addColumn<QString>("servidor");
        QTest::addColumn<ClaseServidor>("clase");
        QTest::addColumn<QString>("ruta");

        const auto fila = [](const char* servidor, ClaseServidor clase, const char* ruta) {
            QTest::newRow(servidor) << QString::fromLatin1(servidor) << clase << QString::fromLatin1(ruta);
        };
        fila("demo", ClaseServidor::Demo, "");
        fila("sqlite:/var/datos/base.db", ClaseServidor::Embebido, "/var/datos/base.db");
        fila("sqlprod01\\SQLEXPRESS", ClaseServidor::SqlServer, "");
        fila("demo2", ClaseServidor::SqlServer, ""); // a host whose name starts with demo
    }

    void eligeElMotorPorElServidor()
    {
        QFETCH(QString, servidor);
        QTEST(claseServidor(servidor), "clase");
        QTEST(rutaEmbebida(servidor), "ruta");
    }

    void leeLosAjustesDeDespliegue_data()
    {
        QTest::addColumn<QString>("conf");
        QTest::addColumn<QString>("servidorEntorno");
        QTest::addColumn<QString>("controladorEntorno");
        QTest::addColumn<QString>("servidor");
        QTest::addColumn<QString>("controlador");
        QTest::addColumn<bool>("llavesDobles");

        const QString predeterminado = controladorOdbcPredeterminado();
        const auto fila = [&](const char* nombre, const char* conf, const char* servidorEntorno,
                              const char* controladorEntorno, const char* servidor, const char* controlador,
                              bool llaves) {
            QTest::newRow(nombre) << conf << servidorEntorno << controladorEntorno << servidor
                                  << (*controlador ? QString::fromLatin1(controlador) : predeterminado)
                                  << llaves;
        };
        fila("nada", "", "", "", "demo", "", false);
        fila("archivo", "[Conexion]\nServidor=sqlprod01,1500\nControladorODBC=FreeTDS\n", "", "",
             "sqlprod01,1500", "FreeTDS", false);
        fila("instancia", "[Conexion]\nServidor=sqlprod01\\\\SQLEXPRESS\n", "", "", "sqlprod01\\SQLEXPRESS",
             "", false);
        fila("el entorno manda", "[Conexion]\nServidor=sqlprod01\nControladorODBC=FreeTDS\n", "otro,1433",
             "/opt/tds/libtdsodbc.so", "otro,1433", "/opt/tds/libtdsodbc.so", false);
        fila("variable vacía", "[Conexion]\nServidor=sqlprod01\n", "  ", "", "sqlprod01", "", false);
        fila("llaves dobles", "[Conexion]\nLlavesDobles=true\n", "", "", "demo", "", true);
    }

    void leeLosAjustesDeDespliegue()
    {
        QFETCH(QString, conf);
        QFETCH(QString, servidorEntorno);
        QFETCH(QString, controladorEntorno);
        QTemporaryDir carpeta;
        QString archivo;
        if (!conf.isEmpty()) {
            archivo = carpeta.filePath(QLatin1String(kArchivoDespliegue));
            QFile f(archivo);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(conf.toUtf8());
        }
        QProcessEnvironment entorno;
        entorno.insert(QStringLiteral("DALVOHD_SERVER"), servidorEntorno);
        entorno.insert(QStringLiteral("DALVOHD_ODBC_DRIVER"), controladorEntorno);

        const Despliegue d = leerDespliegue(archivo, entorno);
        QTEST(d.servidor, "servidor");
        QTEST(d.controladorOdbc, "controlador");
        QTEST(d.llavesDobles, "llavesDobles");
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
        fila("; e = en la clave", "srv", "", "a;b=c", false, "SERVER={srv};UID={op};PWD={a;b=c}");
        fila("} en la clave, FreeTDS 1.3", "srv", "", "a}b}", false, "SERVER={srv};UID={op};PWD={a}b}}");
        fila("} en la clave, llaves dobles", "srv", "", "a};b}", true, "SERVER={srv};UID={op};PWD={a}};b}}}");
    }

    void armaLaCadenaOdbc()
    {
        DatosConexion d;
        QFETCH(QString, servidor);
        QFETCH(QString, base);
        QFETCH(QString, clave);
        QFETCH(bool, llavesDobles);
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
        const auto fila = [](const char* caso, int tipo, int precision, int escala, const char* nombre,
                             int ado) {
            QTest::newRow(caso) << tipo << precision << escala << QString::fromLatin1(nombre) << ado;
        };
        fila("varchar", SQL_VARCHAR, 50, 0, "varchar", 200);
        fila("tinyint, sin signo", SQL_TINYINT, 3, 0, "tinyint", 17);
        fila("money sin nombre", SQL_DECIMAL, 19, 4, "", 6);
        fila("decimal(19,4) con nombre", SQL_DECIMAL, 19, 4, "decimal", 131);
        fila("datetime", SQL_TYPE_TIMESTAMP, 23, 3, "datetime", 135);
        fila("uniqueidentifier como texto", SQL_GUID, 36, 0, "uniqueidentifier", 202);
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
};

QTEST_GUILESS_MAIN(TestTextoConexion)
#include "tst_textoconexion.moc"
