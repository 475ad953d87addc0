// The connection text, the engine a server name picks, and the deployment settings.

#include "data/Despliegue.h"
#include "data/FabricaMotor.h"
#include "data/MotorFalso.h"
#include "data/TextoConexion.h"
#include "data/cUserConnection.h"

#include <QTemporaryDir>
#include <QtTest>

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

        QTest::newRow("demo") << "demo" << ClaseServidor::Demo << "";
        QTest::newRow("sqlite") << "sqlite:/var/datos/base.db" << ClaseServidor::Embebido
                                << "/var/datos/base.db";
        QTest::newRow("host") << "sqlprod01" << ClaseServidor::SqlServer << "";
        QTest::newRow("host\\instancia") << "sqlprod01\\SQLEXPRESS" << ClaseServidor::SqlServer << "";
        QTest::newRow("un host que empieza por demo") << "demo2" << ClaseServidor::SqlServer << "";
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
};

QTEST_GUILESS_MAIN(TestTextoConexion)
#include "tst_textoconexion.moc"
