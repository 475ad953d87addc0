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

QLabel* label1(QWidget& ventana, int indice)
{
    for (QLabel* l : ventana.findChildren<QLabel*>(QStringLiteral("Label1"))) {
        if (l->property("Index").toInt() == indice)
            return l;
    }
    return nullptr;
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

    void escribir(frmDNS& dns, const QString& usuario, const QString& clave)
    {
        control(dns, "txtUsuario")->setText(usuario);
        control(dns, "txtPassword")->setText(clave);
    }

    void rechazarClave()
    {
        mServidor->motor.guion->falloApertura = {pruebas::registro(
            18456, QStringLiteral("42000"), QStringLiteral("Login failed for user 'ana'."))};
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

    // Rejected keys beep and insert nothing; "-" and "_" pass in the user field only.
    void filtroDeTeclas_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("tecla");
        QTest::addColumn<bool>("aceptada");
        for (const char* campo : {"txtUsuario", "txtPassword"}) {
            const QString c = QString::fromLatin1(campo);
            for (const QString& t : {QStringLiteral("á"), QStringLiteral(" "), QStringLiteral("."),
                                     QStringLiteral("ñ"), QStringLiteral("\x16")})
                QTest::newRow(qPrintable(c + u' ' + t)) << c << t << false;
            for (const QString& t : {QStringLiteral("a"), QStringLiteral("Z"), QStringLiteral("0"),
                                     QStringLiteral("9"), QStringLiteral("@"), QStringLiteral(":")})
                QTest::newRow(qPrintable(c + u' ' + t)) << c << t << true;
        }
        QTest::newRow("txtUsuario -") << "txtUsuario"
                                      << "-" << true;
        QTest::newRow("txtUsuario _") << "txtUsuario"
                                      << "_" << true;
        QTest::newRow("txtPassword -") << "txtPassword"
                                       << "-" << false;
        QTest::newRow("txtPassword _") << "txtPassword"
                                       << "_" << false;
        QTest::newRow("txtServidor sin filtro") << "txtServidor"
                                                << "." << true;
        QTest::newRow("txtDataBase sin filtro") << "txtDataBase"
                                                << "_" << true;
    }

    void filtroDeTeclas()
    {
        QFETCH(QString, campo);
        QFETCH(QString, tecla);
        QFETCH(bool, aceptada);
        prueba::ContadorPitidos pitidos;
        frmDNS dns;
        auto* txt = dns.findChild<QLineEdit*>(campo);
        txt->setText(QStringLiteral("ab"));
        teclear(txt, tecla.at(0));
        QCOMPARE(txt->text(), aceptada ? QStringLiteral("ab") + tecla : QStringLiteral("ab"));
        QCOMPARE(pitidos.cuenta, aceptada ? 0 : 1);
    }

    // Backspace edits, as it must.
    void retrocesoBorra()
    {
        prueba::ContadorPitidos pitidos;
        frmDNS dns;
        auto* txt = control(dns, "txtUsuario");
        txt->setText(QStringLiteral("ab"));
        QTest::keyClick(txt, Qt::Key_Backspace);
        QCOMPARE(txt->text(), QStringLiteral("a"));
        QCOMPARE(pitidos.cuenta, 0);
    }

    void usuarioVacioLoPide()
    {
        frmDNS dns;
        bool abierto = false;
        QWidget* foco = nullptr;
        const bool conectado = conectar(dns, {}, [&] {
            escribir(dns, {}, QStringLiteral("clave"));
            control<QPushButton>(dns, "cmdAceptar")->click();
            abierto = dns.isVisible();
            foco = dns.focusWidget();
        });
        QVERIFY(!conectado);
        QVERIFY(abierto);
        QCOMPARE(foco, control(dns, "txtUsuario"));
        QCOMPARE(mCajas->mostrados().size(), 1);
        const ui::Mensaje caja = mCajas->mostrados().first();
        QCOMPARE(caja.texto, QStringLiteral("Debe ingresar un Usuario."));
        QCOMPARE(caja.titulo, QStringLiteral("DalvoHDL"));
        QCOMPARE(caja.icono, ui::Icono::Exclamacion);
        QCOMPARE(caja.botones, ui::Botones::OK);
        QCOMPARE(mServidor->aperturas(), 0);
    }

    // A refused attempt shows the number and the connection's multi-line description, puts the focus on
    // the password and keeps the dialog; the next attempt may succeed.
    void claveEquivocadaYLuegoCorrecta()
    {
        frmDNS dns;
        rechazarClave();
        QStringList panel;
        QList<bool> abierto;
        QWidget* foco = nullptr;
        const bool conectado = conectar(dns, {}, [&] {
            escribir(dns, QStringLiteral("ana"), QStringLiteral("mala1"));
            control<QPushButton>(dns, "cmdAceptar")->click();
            abierto << dns.isVisible();
            foco = dns.focusWidget();
            panel << control<QLabel>(dns, "Panel1")->text();
            control<QPushButton>(dns, "cmdAceptar")->click(); // any number of attempts
            abierto << dns.isVisible();
            mServidor->motor.guion->falloApertura.clear();
            control(dns, "txtPassword")->setText(QStringLiteral("buena1"));
            control<QPushButton>(dns, "cmdAceptar")->click();
            abierto << dns.isVisible();
        });
        QVERIFY(conectado);
        QCOMPARE(abierto, (QList<bool>{true, true, false}));
        QCOMPARE(foco, control(dns, "txtPassword"));
        QCOMPARE(panel.first(), QStringLiteral("Conectando a ..."));
        QCOMPARE(mCajas->mostrados().size(), 2);
        const ui::Mensaje caja = mCajas->mostrados().first();
        QCOMPARE(caja.titulo, QStringLiteral("Error"));
        QCOMPARE(caja.icono, ui::Icono::Critico);
        const QString descripcion = QStringLiteral(
            "No se puede establecer la conexión: \r\nServidor: \r\nData Base: \r\nUsuario: ana\r\n\r\n"
            "42000 Login failed for user 'ana'.");
        QCOMPARE(caja.texto, QStringLiteral("18456\r\n") + descripcion);
        QCOMPARE(gConexion->UserName, QStringLiteral("ana"));
        QCOMPARE(mServidor->motor.guion->aperturas.last().clave, QStringLiteral("buena1"));

        const QString log = leerLog();
        QVERIFY(log.contains(eventoLog(QStringLiteral("18456 ") + descripcion, QString())));
        QVERIFY(!log.contains(QStringLiteral("mala1")));
        QVERIFY(!log.contains(QStringLiteral("buena1")));
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
        QTest::newRow("primera vez") << ""
                                     << "ana"
                                     << "ana";
        QTest::newRow("el mismo") << "ana"
                                  << "ana"
                                  << "otro";
        QTest::newRow("otra caja") << "Ana"
                                   << "ana"
                                   << "ana";
        QTest::newRow("con blancos") << "ana"
                                     << "  ana "
                                     << "otro";
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
            propuesto = control(dns, "txtUsuario")->text();
            ui::guardarConfiguracion(kSeccion, kUsuario, QStringLiteral("otro"));
            escribir(dns, tecleado, QStringLiteral("clave"));
            control<QPushButton>(dns, "cmdAceptar")->click();
        }));
        QCOMPARE(propuesto, guardado);
        QCOMPARE(ui::leerConfiguracion(kSeccion, kUsuario), despues);
    }

    void fallidoOCanceladoNoGuardaElUsuario()
    {
        ui::guardarConfiguracion(kSeccion, kUsuario, QStringLiteral("ana"));
        rechazarClave();
        frmDNS dns;
        QVERIFY(!conectar(dns, {}, [&] {
            escribir(dns, QStringLiteral("beto"), QStringLiteral("clave"));
            control<QPushButton>(dns, "cmdAceptar")->click();
        }));
        QCOMPARE(ui::leerConfiguracion(kSeccion, kUsuario), QStringLiteral("ana"));
    }

    // "KVL" shows the server and database fields, and the connection goes where they say.
    void modoMantenimiento_data()
    {
        QTest::addColumn<QString>("parametro");
        QTest::addColumn<bool>("visibles");
        QTest::newRow("KVL") << "KVL" << true;
        QTest::newRow("ninguno") << "" << false;
        QTest::newRow("otro") << "KVLX" << false;
    }

    void modoMantenimiento()
    {
        QFETCH(QString, parametro);
        QFETCH(bool, visibles);
        frmDNS dns;
        QList<bool> visto;
        QVERIFY(conectar(dns, parametro, [&] {
            for (QWidget* w : {static_cast<QWidget*>(label1(dns, 2)), static_cast<QWidget*>(label1(dns, 3)),
                               static_cast<QWidget*>(control(dns, "txtServidor")),
                               static_cast<QWidget*>(control(dns, "txtDataBase"))})
                visto << w->isVisible();
            if (visibles) {
                control(dns, "txtServidor")->setText(QStringLiteral(" sqlprod01 "));
                control(dns, "txtDataBase")->setText(QStringLiteral("dalvoPrueba"));
            }
            escribir(dns, QStringLiteral("ana"), QStringLiteral("clave"));
            control<QPushButton>(dns, "cmdAceptar")->click();
        }));
        QCOMPARE(visto, QList<bool>(4, visibles));
        // The first opening is the one asked for (an empty database then moves from master).
        const ado::DatosConexion abierta = mServidor->motor.guion->aperturas.first();
        if (visibles) {
            QCOMPARE(abierta.servidor, QStringLiteral("sqlprod01"));
            QCOMPARE(abierta.baseDatos, QStringLiteral("dalvoPrueba"));
        } else {
            QCOMPARE(control(dns, "txtServidor")->text(), QString());
            QCOMPARE(abierta.baseDatos, QString());
        }
    }

    // Server, database and user are logged under the procedure that handles them; never the password.
    void lineasDelLog()
    {
        ui::guardarConfiguracion(kSeccion, kUsuario, QStringLiteral("ana"));
        frmDNS dns;
        QVERIFY(conectar(dns, QStringLiteral("KVL"), [&] {
            control(dns, "txtServidor")->setText(QStringLiteral("srv1"));
            control(dns, "txtDataBase")->setText(QStringLiteral("base1"));
            escribir(dns, QStringLiteral("beto"), QStringLiteral("secreta9"));
            control<QPushButton>(dns, "cmdAceptar")->click();
        }));
        const QString log = leerLog();
        const QStringList esperadas = {
            eventoLog(QStringLiteral("Servidor: "), QStringLiteral("Conectar")),
            eventoLog(QStringLiteral("Servidor: "), QStringLiteral("Form_load")),
            eventoLog(QStringLiteral("Data Base: "), QStringLiteral("Form_load")),
            eventoLog(QStringLiteral("Usuario: ana"), QStringLiteral("Form_load")),
            eventoLog(QStringLiteral("Conectando en: srv1.base1 como beto"), QStringLiteral("Conectarse"))};
        qsizetype desde = 0;
        for (const QString& linea : esperadas) {
            desde = log.indexOf(linea, desde);
            QVERIFY2(desde >= 0, qPrintable(linea));
        }
        QVERIFY(!log.contains(QStringLiteral("secreta9")));
    }
};

QTEST_MAIN(TestFrmDNS)
#include "tst_frmDNS.moc"
