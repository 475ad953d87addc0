// The start-up, the error driver and the keep-alive over the real demo server and its fault switch.

#include "EntornoPrueba.h"
#include "Ventanas.h"
#include "app/VigiaConexion.h"
#include "app/frmDalvoHD.h"
#include "app/modDalvoHD.h"
#include "common/Falla.h"
#include "consultation/clsQuerys.h"
#include "data/ChekError.h"
#include "data/ServidorPrueba.h"
#include "data/embedded/FallaSimulada.h"
#include "data/frmDNS.h"
#include "demo/BasePruebas.h"
#include "ui/frmProceso.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace dalvo;
using embebido::FallaSimulada;

namespace {

const QString kEmpresaDemo = QStringLiteral("Obra Social Provincial Andina de Mendoza");

// One row count of the errors kind: a statement that works whenever the link does.
qint16 contarErrores()
{
    clsQuerys querys;
    querys.Consulta(6, {}, true)->Close();
    return querys.RegistrosAfectados();
}

} // namespace

class TestConsolaDemo : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::CajasConAccion> mCajas;
    std::unique_ptr<prueba::SalidaRegistrada> mSalida;

    void conectar()
    {
        gConexion = new cUserConnection;
        gConexion->Connect({}, QStringLiteral("operador"), QStringLiteral("demo"), {});
    }

    // A consultation meets the cut link and hands its failure to the driver, as a window's trap does.
    void consultarSinEnlace()
    {
        try {
            contarErrores();
            QFAIL("la consulta no falló");
        } catch (const Falla& f) {
            QVERIFY(f.Numero > 9999);
            ChekError(f);
        }
    }

private slots:
    void initTestCase() { QVERIFY(!demo::pruebas::basePruebas().isEmpty()); }

    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        // The default server, where the reconnection goes too.
        qputenv("DALVOHD_SERVER", (QStringLiteral("sqlite:") + demo::pruebas::basePruebas()).toLocal8Bit());
        mCajas = std::make_unique<prueba::CajasConAccion>();
        mSalida = std::make_unique<prueba::SalidaRegistrada>();
        gTituloEmpresa.clear();
        gNombreEmpresa.clear();
    }

    void cleanup()
    {
        FallaSimulada::restablecer();
        delete prueba::ventanaAbierta<frmDalvoHD>();
        delete &frmDNS::instancia();
        delete gQuerys;
        gQuerys = nullptr;
        delete gConexion;
        gConexion = nullptr;
        ui::frmProceso::instancia().Descargar();
        mSalida.reset();
        mCajas.reset();
        qunsetenv("DALVOHD_SERVER");
        mEntorno.reset();
    }

    // The demo user reaches the main window, whose caption ends with the demo company's name; a wrong
    // password first is told and leaves the log-in open.
    void delIngresoALaVentanaPrincipal()
    {
        QTimer::singleShot(0, [] {
            frmDNS& dns = frmDNS::instancia();
            dns.findChild<QLineEdit*>(QStringLiteral("txtUsuario"))->setText(QStringLiteral("operador"));
            dns.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(QStringLiteral("mala"));
            dns.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
            dns.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(QStringLiteral("demo"));
            dns.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
            if (dns.isVisible())
                dns.reject();
        });
        Main();

        QCOMPARE(mCajas->mostrados().size(), 1);
        const QString rechazo = mCajas->mostrados().first().texto;
        QVERIFY2(rechazo.startsWith(QStringLiteral("18456\r\nNo se puede establecer la conexión")),
                 qPrintable(rechazo));
        QVERIFY(rechazo.contains(QStringLiteral("'operador'")));
        frmDalvoHD* ventana = prueba::ventanaAbierta<frmDalvoHD>();
        QVERIFY(ventana);
        QCOMPARE(ventana->windowTitle(), QStringLiteral("Dalvo Help Desk ") + kEmpresaDemo);
        QCOMPARE(gNombreEmpresa, kEmpresaDemo);
        QCOMPARE(gConexion->DataBase, QStringLiteral("dalvoPralMendoza"));
        QVERIFY(mSalida->codigos.isEmpty());
    }

    // A cut link comes back through the driver: silently when the first attempt works, after one
    // "¿ Reintenta ?" when the server refuses that attempt.
    void unEnlaceCortadoSeRecupera_data()
    {
        QTest::addColumn<int>("rechazos");
        QTest::addColumn<int>("preguntas");
        QTest::newRow("a la primera") << 0 << 0;
        QTest::newRow("a la segunda") << 1 << 1;
    }

    void unEnlaceCortadoSeRecupera()
    {
        QFETCH(int, rechazos);
        QFETCH(int, preguntas);
        conectar();
        const qint16 antes = contarErrores();
        FallaSimulada::cortarEnlace();
        FallaSimulada::rechazarConexiones(rechazos);
        mCajas->alMostrar([](const ui::Mensaje&) { return ui::Respuesta::Retry; });

        consultarSinEnlace();

        QCOMPARE(mCajas->mostrados().size(), preguntas);
        for (const ui::Mensaje& m : mCajas->mostrados())
            QVERIFY(m.texto.endsWith(QStringLiteral("¿ Reintenta ?")));
        QCOMPARE(contarErrores(), antes);
        QVERIFY(mSalida->codigos.isEmpty());
    }

    void cancelarLosReintentosTermina()
    {
        conectar();
        FallaSimulada::cortarEnlace();
        FallaSimulada::rechazarConexiones(10);
        mCajas->alMostrar([](const ui::Mensaje&) { return ui::Respuesta::Cancel; });
        QString logAlSalir;
        mSalida->alSalir = [&] { logAlSalir = prueba::leerLog(); };

        consultarSinEnlace();

        QCOMPARE(mSalida->codigos, QList<int>{1});
        QVERIFY(logAlSalir.endsWith(prueba::eventoLog(
            QStringLiteral("Cancelación de reintentos de conección"), QStringLiteral("ChekError"))));
    }

    // The keep-alive notices the cut link by itself and brings it back without a word.
    void elLatidoRecuperaElEnlace()
    {
        conectar();
        const qint16 antes = contarErrores();
        FallaSimulada::cortarEnlace();
        VigiaConexion vigia;
        vigia.latido();
        QVERIFY(mCajas->mostrados().isEmpty());
        QCOMPARE(contarErrores(), antes);
    }
};

QTEST_MAIN(TestConsolaDemo)
#include "tst_ConsolaDemo.moc"
