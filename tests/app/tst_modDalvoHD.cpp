// The start-up: the argument, the log-in, the decimal separator and the company name.

#include "ConsolaPrueba.h"
#include "Ventanas.h"
#include "app/frmDalvoHD.h"
#include "app/modDalvoHD.h"
#include "common/FuncionesGenerales.h"
#include "data/frmDNS.h"

#include <QLineEdit>
#include <QPushButton>

using namespace dalvo;

class TestModDalvoHD : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::ConsolaPrueba> mConsola;
    std::unique_ptr<prueba::CajasConAccion> mCajas;
    std::unique_ptr<prueba::SalidaRegistrada> mSalida;

    // Main with the log-in answered: a user and password, or Cancel.
    void iniciar(bool entrar)
    {
        QTimer::singleShot(0, [entrar] {
            frmDNS& dns = frmDNS::instancia();
            if (entrar) {
                dns.findChild<QLineEdit*>(QStringLiteral("txtUsuario"))->setText(QStringLiteral("operador"));
                dns.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(QStringLiteral("demo"));
                dns.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
            }
            if (dns.isVisible())
                dns.findChild<QPushButton*>(QStringLiteral("cmdCancelar"))->click();
        });
        Main();
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mConsola = std::make_unique<prueba::ConsolaPrueba>();
        mCajas = std::make_unique<prueba::CajasConAccion>();
        mSalida = std::make_unique<prueba::SalidaRegistrada>();
        gTituloEmpresa.clear();
    }

    void cleanup()
    {
        delete prueba::ventanaAbierta<frmDalvoHD>();
        delete &frmDNS::instancia(); // the next Main loads a new one
        delete gQuerys;
        gQuerys = nullptr;
        mSalida.reset();
        mCajas.reset();
        mConsola.reset();
        mEntorno.reset();
    }

    void argumentoDeInicio_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<QString>("argumento");
        QTest::newRow("ninguno") << QStringList{"dalvohd"} << "";
        QTest::newRow("kvl con blancos") << QStringList{"dalvohd", "  kvl  "} << "KVL";
        QTest::newRow("varios") << QStringList{"dalvohd", "kvl", "otro"} << "KVL OTRO";
    }

    void argumentoDeInicio()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(QString, argumento);
        QCOMPARE(argumentoInicio(argumentos), argumento);
    }

    // A cancelled log-in ends the process without a word and opens nothing.
    void unIngresoCanceladoTerminaEnSilencio()
    {
        iniciar(false);
        QCOMPARE(mSalida->codigos, QList<int>{0});
        QVERIFY(mCajas->mostrados().isEmpty());
        QVERIFY(!prueba::ventanaAbierta<frmDalvoHD>());
        QVERIFY(gConexion);
    }

    // After the log-in: the locale's decimal separator, the company name and the main window.
    void despuesDelIngreso_data()
    {
        QTest::addColumn<QLocale>("local");
        QTest::addColumn<int>("separador");
        QTest::addColumn<QStringList>("empresas");
        QTest::addColumn<QString>("titulo");
        const QLocale es(QLocale::Spanish, QLocale::Argentina);
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("coma, una empresa")
            << es << 44 << QStringList{"Obra Social Provincial"} << "Dalvo Help Desk Obra Social Provincial";
        QTest::newRow("punto, una empresa") << en << 46 << QStringList{"OSP"} << "Dalvo Help Desk OSP";
        QTest::newRow("dos filas") << es << 44 << QStringList{"A", "B"} << "Dalvo Help Desk ";
    }

    void despuesDelIngreso()
    {
        QFETCH(QLocale, local);
        QFETCH(int, separador);
        QFETCH(QStringList, empresas);
        QFETCH(QString, titulo);
        QLocale::setDefault(local);
        gSeparadorDecimal = 0;
        mConsola->empresas = empresas;
        iniciar(true);
        QVERIFY(mSalida->codigos.isEmpty());
        QCOMPARE(gSeparadorDecimal, qint16(separador));
        frmDalvoHD* ventana = prueba::ventanaAbierta<frmDalvoHD>();
        QVERIFY(ventana);
        QVERIFY(ventana->isVisible());
        QCOMPARE(ventana->windowTitle(), titulo);
        QCOMPARE(gConexion->UserName, QStringLiteral("operador"));
    }
};

QTEST_MAIN(TestModDalvoHD)
#include "tst_modDalvoHD.moc"
