// The keep-alive tick: a dropped link is recovered through the error driver, other failures are reported
// once, and a tick never re-enters the driver.

#include "ConsolaPrueba.h"
#include "app/VigiaConexion.h"
#include "ui/frmProceso.h"

using namespace dalvo;

class TestVigiaConexion : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::ConsolaPrueba> mConsola;
    std::unique_ptr<prueba::CajasConAccion> mCajas;
    std::unique_ptr<prueba::SalidaRegistrada> mSalida;

    prueba::ServidorPrueba& servidor() { return mConsola->servidor; }
    qsizetype enviadas() const { return mConsola->servidor.sentencias().size(); }

    void negarPermiso(bool negar)
    {
        mConsola->fallar = {};
        if (negar)
            mConsola->fallar = [](const QString& sql) {
                if (sql == clsParametros::TextoChkConnect())
                    pruebas::fallar({pruebas::registro(229, QStringLiteral("42000"),
                                                       QStringLiteral("SELECT permission denied"))});
            };
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mConsola = std::make_unique<prueba::ConsolaPrueba>();
        mConsola->servidor.conectar();
        mCajas = std::make_unique<prueba::CajasConAccion>();
        mSalida = std::make_unique<prueba::SalidaRegistrada>();
    }

    void cleanup()
    {
        mSalida.reset();
        mCajas.reset();
        mConsola.reset();
        mEntorno.reset();
        ui::frmProceso::instancia().Descargar();
    }

    // A dropped link is noticed by the tick and recovered without a word.
    void unEnlaceCaidoSeRecuperaEnSilencio()
    {
        VigiaConexion vigia;
        servidor().cortarEnlace();
        const int aperturas = servidor().aperturas();
        vigia.latido();
        QVERIFY(mCajas->mostrados().isEmpty());
        QCOMPARE(servidor().aperturas(), aperturas + 1);
        QCOMPARE(servidor().sentencias().last(), QString::fromLatin1(kVerificacionConexion));
        vigia.latido();
        QCOMPARE(servidor().sentencias().last(), clsParametros::TextoChkConnect());
        QVERIFY(mCajas->mostrados().isEmpty());
    }

    // With the server gone for good, the operator finds one question, however many ticks pass while it
    // waits; Retry tries again, Cancel ends the process.
    void unaCaidaPermanenteDejaUnaSolaPregunta()
    {
        VigiaConexion vigia;
        servidor().cortarEnlace();
        servidor().rechazarAperturas(true);
        qsizetype enviadasDentro = -1;
        qsizetype enviadasDespues = -1;
        mCajas->alMostrar([&](const ui::Mensaje&) {
            if (mCajas->mostrados().size() == 1) {
                enviadasDentro = enviadas();
                for (int i = 0; i < 3; ++i)
                    vigia.latido(); // the timer keeps ticking behind the box
                enviadasDespues = enviadas();
                return ui::Respuesta::Retry;
            }
            return ui::Respuesta::Cancel;
        });
        vigia.latido();
        QCOMPARE(mCajas->mostrados().size(), 2);
        for (const ui::Mensaje& m : mCajas->mostrados())
            QCOMPARE(m.titulo, QStringLiteral("Conección"));
        QCOMPARE(enviadasDespues, enviadasDentro);
        QCOMPARE(mSalida->codigos.size(), 1);
    }

    // A failure that is not the link is told once; the ticks after it stay quiet until one succeeds.
    void otraFallaSeInformaUnaVez()
    {
        VigiaConexion vigia;
        negarPermiso(true);
        vigia.latido();
        vigia.latido();
        vigia.latido();
        QCOMPARE(mCajas->mostrados().size(), 1);
        QCOMPARE(mCajas->mostrados().first().texto,
                 QStringLiteral("229\r\nTimer1_Timer\r\n42000 SELECT permission denied"));
        QVERIFY(vigia.fallaAvisada());

        negarPermiso(false);
        vigia.latido();
        QVERIFY(!vigia.fallaAvisada());
        negarPermiso(true);
        vigia.latido();
        QCOMPARE(mCajas->mostrados().size(), 2);
    }

    // While the error driver shows a box for another failure, a tick stays out.
    void noEntraMientrasElManejadorMuestraUnaCaja()
    {
        VigiaConexion vigia;
        qsizetype antes = -1;
        qsizetype despues = -1;
        mCajas->alMostrar([&](const ui::Mensaje& m) {
            antes = enviadas();
            vigia.latido();
            despues = enviadas();
            return ui::respuestaPorDefecto(m);
        });
        ChekError(5, QStringLiteral("Otra cosa"), QStringLiteral("Proc"));
        QCOMPARE(despues, antes);
    }
};

QTEST_MAIN(TestVigiaConexion)
#include "tst_VigiaConexion.moc"
