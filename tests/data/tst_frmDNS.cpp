// The log-in window, driven through its named controls.

#include "EntornoPrueba.h"
#include "data/ServidorPrueba.h"
#include "data/frmDNS.h"
#include "ui/Configuracion.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace dalvo;
using prueba::eventoLog;
using prueba::leerLog;

namespace {

const QString kSeccion = QStringLiteral("Start");
const QString kUsuario = QStringLiteral("Usuario");

template <typename T = QLineEdit> T* control(QWidget& ventana, const char* nombre)
{
    auto* c = ventana.findChild<T*>(QLatin1String(nombre));
    Q_ASSERT(c);
    return c;
}

// One key typed into a field, as the keyboard delivers it.
void teclear(QWidget* campo, QChar c)
{
    QKeyEvent presion(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(campo, &presion);
    QKeyEvent suelta(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(campo, &suelta);
}

} // namespace

class TestFrmDNS : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::ServidorPrueba> mServidor;
    std::unique_ptr<prueba::CajasConAccion> mCajas;

    // Shows the dialog modally through Conectar and runs the steps while it is up. Whatever the steps
    // leave open is cancelled, so a test never hangs.
    bool conectar(frmDNS& dns, const QString& parametro, const std::function<void()>& pasos)
    {
        QTimer::singleShot(0, &dns, [&] {
            pasos();
            if (dns.isVisible())
                control<QPushButton>(dns, "cmdCancelar")->click();
        });
        return dns.Conectar(parametro);
    }

    // Types the user and the password and presses Aceptar.
    void intentar(frmDNS& dns, const QString& usuario, const QString& clave)
    {
        control(dns, "txtUsuario")->setText(usuario);
        control(dns, "txtPassword")->setText(clave);
        control<QPushButton>(dns, "cmdAceptar")->click();
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mServidor = std::make_unique<prueba::ServidorPrueba>();
        mCajas = std::make_unique<prueba::CajasConAccion>();
    }

    void cleanup()
    {
        mCajas.reset();
        mServidor.reset();
        mEntorno.reset();
    }

    // Rejected keys beep and insert nothing; "-" and "_" pass in the user field only; backspace edits.
    void filtroDeTeclas_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("tecla");
        QTest::addColumn<QString>("queda");
        for (const char* campo : {"txtUsuario", "txtPassword"}) {
            const QString c = QString::fromLatin1(campo);
            const auto fila = [&](const QString& t, const QString& queda) {
                QTest::newRow(qPrintable(c + u' ' + t)) << c << t << queda;
            };
            for (const QString t : {"á", " "})
                fila(t, QStringLiteral("ab"));
            fila(QStringLiteral("@"), QStringLiteral("ab@"));
            fila(QStringLiteral("-"), c == u"txtUsuario" ? QStringLiteral("ab-") : QStringLiteral("ab"));
            fila(QStringLiteral("\b"), QStringLiteral("a"));
        }
        QTest::newRow("txtServidor sin filtro") << QStringLiteral("txtServidor") << "."
                                                << "ab.";
    }

    void filtroDeTeclas()
    {
        QFETCH(QString, campo);
        QFETCH(QString, tecla);
        QFETCH(QString, queda);
        prueba::ContadorPitidos pitidos;
        frmDNS dns;
        auto* txt = dns.findChild<QLineEdit*>(campo);
        txt->setText(QStringLiteral("ab"));
        if (tecla == u"\b")
            QTest::keyClick(txt, Qt::Key_Backspace);
        else
            teclear(txt, tecla.at(0));
        QCOMPARE(txt->text(), queda);
        QCOMPARE(pitidos.cuenta, queda.size() == 2 ? 1 : 0);
    }

    // An empty user is asked for before anything is sent. A refused attempt shows the number and the
    // connection's multi-line description, puts the focus on the password and keeps the dialog; the next
    // attempt may succeed.
    void claveEquivocadaYLuegoCorrecta()
    {
        ui::guardarConfiguracion(kSeccion, kUsuario, QStringLiteral("beto"));
        frmDNS dns;
        mServidor->motor.guion->falloApertura = {pruebas::registro(
            18456, QStringLiteral("42000"), QStringLiteral("Login failed for user 'ana'."))};
        QStringList pasos; // after each refused attempt: the dialog still up, the focus, the openings
        const auto anotar = [&] {
            pasos << QStringLiteral("%1 %2 %3")
                         .arg(QLatin1String(dns.isVisible() ? "true" : "false"))
                         .arg(dns.focusWidget()->objectName())
                         .arg(mServidor->motor.guion->aperturas.size());
        };
        QString panel;
        QString guardado;
        const bool conectado = conectar(dns, {}, [&] {
            intentar(dns, {}, QStringLiteral("mala1"));
            anotar();
            intentar(dns, QStringLiteral("ana"), QStringLiteral("mala1"));
            anotar();
            panel = control<QLabel>(dns, "Panel1")->text();
            guardado = ui::leerConfiguracion(kSeccion, kUsuario); // nothing stored after a failure
            mServidor->motor.guion->falloApertura.clear();
            intentar(dns, QStringLiteral("ana"), QStringLiteral("buena1"));
        });
        QVERIFY(conectado && !dns.isVisible());
        QCOMPARE(pasos, (QStringList{"true txtUsuario 0", "true txtPassword 1"}));
        QCOMPARE(panel, QStringLiteral("Conectando a ..."));
        QCOMPARE(mCajas->mostrados().size(), 2);
        const ui::Mensaje pide = mCajas->mostrados().first();
        QCOMPARE(std::tuple(pide.titulo, pide.icono, pide.texto),
                 std::tuple(QStringLiteral("DalvoHDL"), ui::Icono::Exclamacion,
                            QStringLiteral("Debe ingresar un Usuario.")));
        const ui::Mensaje caja = mCajas->mostrados().at(1);
        const QString descripcion = QStringLiteral(
            "No se puede establecer la conexión: \r\nServidor: \r\nData Base: \r\nUsuario: ana\r\n\r\n"
            "42000 Login failed for user 'ana'.");
        QCOMPARE(std::tuple(caja.titulo, caja.icono, caja.texto),
                 std::tuple(QStringLiteral("Error"), ui::Icono::Critico,
                            QStringLiteral("18456\r\n") + descripcion));
        QCOMPARE(gConexion->UserName, QStringLiteral("ana"));
        QCOMPARE(guardado, QStringLiteral("beto"));
        QCOMPARE(mServidor->motor.guion->aperturas.last().clave, QStringLiteral("buena1"));
        const QString log = leerLog();
        QVERIFY(log.contains(eventoLog(QStringLiteral("18456 ") + descripcion, QString())));
        QVERIFY(!log.contains(QStringLiteral("mala1")) && !log.contains(QStringLiteral("buena1")));
        QFile configuracion(ui::archivoConfiguracion());
        if (configuracion.open(QIODevice::ReadOnly))
            QVERIFY(!configuracion.readAll().contains("buena1"));
    }

    // The user name is stored only after a success with a name other than the one read at load (letter
    // case counts). Meanwhile the store is changed behind the window, to see whether it is written.
    void usuarioRecordadoSoloSiCambia_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("despues");
        const auto fila = [](const char* nombre, const QString& antes, const QString& tecleado,
                             const QString& despues) {
            QTest::newRow(nombre) << antes << tecleado << despues;
        };
        fila("primera vez", "", "ana", "ana");
        fila("el mismo", "ana", "ana", "otro");
        fila("otra caja", "Ana", "ana", "ana");
        fila("con blancos", "ana", "  ana ", "otro");
    }

    void usuarioRecordadoSoloSiCambia()
    {
        QFETCH(QString, guardado);
        QFETCH(QString, tecleado);
        QFETCH(QString, despues);
        if (!guardado.isEmpty())
            ui::guardarConfiguracion(kSeccion, kUsuario, guardado);
        frmDNS dns;
        QString propuesto;
        QVERIFY(conectar(dns, {}, [&] {
            propuesto = control(dns, "txtUsuario")->isVisible() && !control(dns, "txtServidor")->isVisible()
                            ? control(dns, "txtUsuario")->text()
                            : QStringLiteral("campos de mantenimiento a la vista");
            ui::guardarConfiguracion(kSeccion, kUsuario, QStringLiteral("otro"));
            intentar(dns, tecleado, QStringLiteral("clave"));
        }));
        QCOMPARE(propuesto, guardado);
        QCOMPARE(ui::leerConfiguracion(kSeccion, kUsuario), despues);
    }

    // "KVL" shows the server and database fields, and the connection goes where they say.
    void modoMantenimiento()
    {
        frmDNS dns;
        QList<bool> visto;
        QVERIFY(conectar(dns, QStringLiteral("KVL"), [&] {
            visto << control(dns, "txtServidor")->isVisible() << control(dns, "txtDataBase")->isVisible();
            control(dns, "txtServidor")->setText(QStringLiteral(" sqlprod01 "));
            control(dns, "txtDataBase")->setText(QStringLiteral("dalvoPrueba"));
            intentar(dns, QStringLiteral("ana"), QStringLiteral("clave"));
        }));
        QCOMPARE(visto, QList<bool>(2, true));
        const ado::DatosConexion abierta = mServidor->motor.guion->aperturas.first();
        QCOMPARE(abierta.servidor, QStringLiteral("sqlprod01"));
        QCOMPARE(abierta.baseDatos, QStringLiteral("dalvoPrueba"));
    }
};

QTEST_MAIN(TestFrmDNS)
#include "tst_frmDNS.moc"
