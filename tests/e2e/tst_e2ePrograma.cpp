// The program over the wire: the start-up and the log-in window, and the recovery
// of a lost link, through the real FreeTDS driver against the TDS test server running the demo engine.

#include "EntornoPrueba.h"
#include "app/frmDalvoHD.h"
#include "app/modDalvoHD.h"
#include "common/Falla.h"
#include "consultation/clsQuerys.h"
#include "data/ChekError.h"
#include "data/ServidorPrueba.h"
#include "data/clsParametros.h"
#include "data/frmDNS.h"
#include "demo/BasePruebas.h"
#include "e2e/ServidorSql.h"
#include "tds/Vigia.h"
#include "ui/VistaLista.h"
#include "ui/frmProceso.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace dalvo;
using namespace dalvo::e2e;

namespace {

frmDalvoHD* ventanaPrincipal()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<frmDalvoHD*>(w))
            return v;
    return nullptr;
}

// The operator's log-in in the maintenance mode (server and database typed), then the window closes.
void ingresar(const QString& servidor, const QString& base, const QString& usuario, const QString& clave)
{
    QTimer::singleShot(0, [=] {
        frmDNS& dns = frmDNS::instancia();
        dns.findChild<QLineEdit*>(QStringLiteral("txtServidor"))->setText(servidor);
        dns.findChild<QLineEdit*>(QStringLiteral("txtDataBase"))->setText(base);
        dns.findChild<QLineEdit*>(QStringLiteral("txtUsuario"))->setText(usuario);
        dns.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(clave);
        dns.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
        if (dns.isVisible())
            dns.reject();
    });
}

// A local port that accepts connections and never answers them.
class ServidorMudo
{
public:
    ServidorMudo()
    {
        mSocket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in dir{};
        dir.sin_family = AF_INET;
        dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t largo = sizeof(dir);
        ::bind(mSocket, reinterpret_cast<sockaddr*>(&dir), sizeof(dir));
        ::listen(mSocket, 4);
        ::getsockname(mSocket, reinterpret_cast<sockaddr*>(&dir), &largo);
        mPuerto = ntohs(dir.sin_port);
    }
    ~ServidorMudo() { ::close(mSocket); }
    ServidorMudo(const ServidorMudo&) = delete;
    ServidorMudo& operator=(const ServidorMudo&) = delete;
    QString servidor() const { return QStringLiteral("127.0.0.1,%1").arg(mPuerto); }

private:
    int mSocket = -1;
    quint16 mPuerto = 0;
};

} // namespace

class tst_e2ePrograma : public QObject
{
    Q_OBJECT

    tds::prueba::Vigia mVigia{30};
    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::CajasConAccion> mCajas;
    std::unique_ptr<prueba::SalidaRegistrada> mSalida;
    std::unique_ptr<ServidorSql> mServidor;

    // The program started on the default server (the test server), logged in, at its main window.
    frmDalvoHD* arrancar()
    {
        ingresar({}, {}, QStringLiteral("operador"), QStringLiteral("demo"));
        Main();
        return ventanaPrincipal();
    }

    // The operator looks an error up by its number: kind "Errores", criterion "Clave", "Consultar".
    static void consultarError(frmDalvoHD& v, const QString& numero)
    {
        for (int i = 0; i < v.lvwMenu->count(); ++i)
            if (v.lvwMenu->item(i)->data(Qt::UserRole).toString() == QLatin1String("6K"))
                emit v.lvwMenu->itemClicked(v.lvwMenu->item(i));
        v.cboConsulta->setCurrentText(QStringLiteral("Clave"));
        v.txtConsulta->setText(numero);
        v.cmdConsulta->click();
    }

private slots:
    void initTestCase() { prepararProceso(); }

    void init()
    {
        mVigia.armar(QTest::currentTestFunction());
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mCajas = std::make_unique<prueba::CajasConAccion>();
        mSalida = std::make_unique<prueba::SalidaRegistrada>();
        mServidor = std::make_unique<ServidorSql>();
        gTituloEmpresa.clear();
        gNombreEmpresa.clear();
    }

    void cleanup()
    {
        delete ventanaPrincipal();
        delete &frmDNS::instancia();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete gQuerys;
        gQuerys = nullptr;
        delete gConexion;
        gConexion = nullptr;
        ui::frmProceso::instancia().Descargar();
        const QStringList incidentes = mServidor->tds().incidentes();
        mServidor.reset();
        mSalida.reset();
        mCajas.reset();
        mEntorno.reset();
        mVigia.desarmar();
        QVERIFY2(incidentes.isEmpty(), qPrintable(incidentes.join(u'\n')));
    }

    // The program started against the server: the log-in on the default server, the re-connection from
    // master, the parameters row in the caption.
    void elProgramaArrancaSobreElCable()
    {
        QVERIFY(arrancar());
        QVERIFY2(mCajas->mostrados().isEmpty(), qPrintable(mCajas->mostrados().value(0).texto));
        QCOMPARE(gConexion->Server, mServidor->servidor());
        QCOMPARE(gConexion->DataBase, QStringLiteral("dalvoPralMendoza"));
        // Without a database the login lands in master: a second connection goes to the transaction one.
        QCOMPARE(mServidor->tds().conexionesAceptadas(), 2);
        QTRY_COMPARE(mServidor->tds().conexionesAbiertas(), 1);

        // The caption carries the company of the parameters row read over the wire.
        auto embebido = conectar(mServidor->servidorEmbebido());
        const QString empresa = embebido->Query(clsParametros::TextoBuscar(), true, true)
                                    ->Fields(QStringLiteral("NombreEmpresa"))
                                    .Value()
                                    .toString();
        QCOMPARE(ventanaPrincipal()->windowTitle(), QStringLiteral("Dalvo Help Desk ") + empresa);
    }

    // What the log-in window shows when the connection cannot be made: the multi-line description with
    // every record of the driver.
    void ingresoFallido_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<int>("lugar"); // 0 the test server, 1 a closed port, 2 a port that never answers
        QTest::addColumn<int>("numero");
        QTest::addColumn<QStringList>("lineas"); // every record of the driver, in order

        const QString sinConexion =
            QStringLiteral("08001 [FreeTDS][SQL Server]Unable to connect to data source");
        QTest::newRow("clave errónea")
            << "dalvoPralMendoza"
            << "mala" << 0 << 18456
            << QStringList{"42000 [FreeTDS][SQL Server]Error de inicio de sesión del usuario 'operador'.",
                           sinConexion};
        QTest::newRow("base desconocida")
            << "dalvoOtra"
            << "demo" << 0 << 4060
            << QStringList{
                   "42000 [FreeTDS][SQL Server]No se puede abrir la base de datos \"dalvoOtra\" solicitada "
                   "por el inicio de sesión. Error de inicio de sesión.",
                   "42000 [FreeTDS][SQL Server]Error de inicio de sesión del usuario 'operador'.",
                   sinConexion};
        QTest::newRow("nadie escucha")
            << ""
            << "demo" << 1 << 20009
            << QStringList{"08S01 [FreeTDS][SQL Server]Unable to connect: Adaptive "
                           "Server is unavailable or does not exist",
                           sinConexion};
        // TDS 7.4 pinned: a server that never answers fails at the login time-out instead of hanging in an
        // older login.
        QTest::newRow("servidor mudo")
            << ""
            << "demo" << 2 << 0 << QStringList{"HYT00 [FreeTDS][SQL Server]Timeout expired", sinConexion};
    }

    void ingresoFallido()
    {
        QFETCH(QString, base);
        QFETCH(QString, clave);
        QFETCH(int, lugar);
        QFETCH(int, numero);
        QFETCH(QStringList, lineas);
        ServidorMudo mudo;
        QString servidor = mServidor->servidor();
        if (lugar == 1) {
            servidor = QStringLiteral("127.0.0.1,%1").arg(mServidor->tds().puerto());
            mServidor->tds().detener();
        }
        gConexion = new cUserConnection;
        if (lugar == 2) {
            servidor = mudo.servidor();
            gConexion->Connection = std::make_shared<ado::Connection>();
            gConexion->Connection->ConnectionTimeout = 2;
        }
        ingresar(servidor, base, QStringLiteral("operador"), clave);
        QVERIFY(!frmDNS::instancia().Conectar(QStringLiteral("KVL")));

        QCOMPARE(mCajas->mostrados().size(), 1);
        const ui::Mensaje& caja = mCajas->mostrados().first();
        QCOMPARE(caja.titulo, QStringLiteral("Error"));
        const QString cabecera =
            QStringLiteral("%1\r\nNo se puede establecer la conexión: \r\nServidor: %2\r\n"
                           "Data Base: %3\r\nUsuario: operador\r\n\r\n")
                .arg(numero)
                .arg(servidor, base);
        QVERIFY2(caja.texto.startsWith(cabecera), qPrintable(caja.texto));
        QCOMPARE(caja.texto.mid(cabecera.size()).split(QStringLiteral("\r\n")), lineas);
        QCOMPARE(gConexion->Connection->Errors().size(), lineas.size());
    }

    // A link dropped while idle: the next consultation fails as a lost link, the error driver reconnects to
    // the same server without a question, and the consultation the operator repeats works.
    void unEnlaceCaidoSeRecuperaSinPreguntar()
    {
        frmDalvoHD* v = arrancar();
        QVERIFY(v);
        consultarError(*v, QStringLiteral("1"));
        QCOMPARE(v->lvwGeneral->item(0)->text(0), QStringLiteral("1"));
        const int aceptadas = mServidor->tds().conexionesAceptadas();
        mServidor->tds().cortarEnReposo();
        QTRY_COMPARE(mServidor->tds().conexionesAbiertas(), 0);

        consultarError(*v, QStringLiteral("2"));
        QVERIFY2(mCajas->mostrados().isEmpty(), qPrintable(mCajas->mostrados().value(0).texto));
        QCOMPARE(mServidor->tds().conexionesAceptadas(), aceptadas + 1);
        QTRY_COMPARE(mServidor->tds().conexionesAbiertas(), 1);
        QCOMPARE(gConexion->Server, mServidor->servidor());
        QVERIFY(prueba::leerLog().contains(QLatin1String(" | 08S01 ")));
        QCOMPARE(v->lvwGeneral->item(0)->text(0), QStringLiteral("1"));

        consultarError(*v, QStringLiteral("2"));
        QVERIFY(mCajas->mostrados().isEmpty());
        QCOMPARE(v->lvwGeneral->cantidadItems(), 1);
        QCOMPARE(v->lvwGeneral->item(0)->text(0), QStringLiteral("2"));
        QCOMPARE(v->lblCantidadEntradas->text(), QStringLiteral("1"));
        QVERIFY(mSalida->codigos.isEmpty());
    }

    // The server gone for good: the first attempt fails, the operator is asked before the second, and
    // Cancel ends the program once the log holds its line.
    void unServidorPerdidoTerminaAlCancelar()
    {
        frmDalvoHD* v = arrancar();
        QVERIFY(v);
        consultarError(*v, QStringLiteral("1"));
        mServidor->tds().detener();
        mCajas->alMostrar([](const ui::Mensaje&) { return ui::Respuesta::Cancel; });
        QString logAlSalir;
        mSalida->alSalir = [&] { logAlSalir = prueba::leerLog(); };

        consultarError(*v, QStringLiteral("2"));

        QCOMPARE(mCajas->mostrados().size(), 1);
        const ui::Mensaje& pregunta = mCajas->mostrados().first();
        QCOMPARE(pregunta.titulo, QStringLiteral("Conección"));
        QVERIFY2(pregunta.texto.startsWith(QLatin1String("Error\r\n08S01 ")), qPrintable(pregunta.texto));
        QVERIFY(pregunta.texto.endsWith(QStringLiteral("al intentar reestablecer la conección con ") +
                                        mServidor->servidor() + QStringLiteral("\r\n¿ Reintenta ?")));
        QCOMPARE(mSalida->codigos, QList<int>{1});
        QVERIFY(logAlSalir.endsWith(prueba::eventoLog(
            QStringLiteral("Cancelación de reintentos de conección"), QStringLiteral("ChekError"))));
    }
};

QTEST_MAIN(tst_e2ePrograma)
#include "tst_e2ePrograma.moc"
