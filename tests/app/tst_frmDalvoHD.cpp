// The main window's frame: what its load sets up, the date fields, the keep-alive interval, the load's
// error trap and the unload.

#include "ConsolaPrueba.h"
#include "app/frmDalvoHD.h"
#include "data/Empresa.h"
#include "ui/Configuracion.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

using namespace dalvo;

class TestFrmDalvoHD : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<RelojFijo> mReloj;
    std::unique_ptr<prueba::ConsolaPrueba> mConsola;
    std::unique_ptr<prueba::CajasConAccion> mCajas;
    std::unique_ptr<prueba::SalidaRegistrada> mSalida;

    std::unique_ptr<frmDalvoHD> abrir()
    {
        mConsola->servidor.conectar();
        return std::make_unique<frmDalvoHD>();
    }

    // Leaves a date field the way the keyboard does.
    static void salir(QLineEdit* campo)
    {
        QFocusEvent evento(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(campo, &evento);
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mReloj = std::make_unique<RelojFijo>(QDateTime(QDate(2024, 6, 5), QTime(9, 30)));
        mConsola = std::make_unique<prueba::ConsolaPrueba>();
        mCajas = std::make_unique<prueba::CajasConAccion>();
        mSalida = std::make_unique<prueba::SalidaRegistrada>();
        gTituloEmpresa.clear();
    }

    void cleanup()
    {
        delete gQuerys;
        gQuerys = nullptr;
        mSalida.reset();
        mCajas.reset();
        mConsola.reset();
        mReloj.reset();
        mEntorno.reset();
    }

    // At load: the providers' criteria, today in both dates, the providers kind active, one record per kind
    // in the system's order.
    void estadoInicial()
    {
        auto ventana = abrir();
        QCOMPARE(ventana->cboConsulta->count(), 6);
        QCOMPARE(ventana->cboConsulta->currentText(), QStringLiteral("Codigo"));
        QCOMPARE(ventana->txtDesdeFecha->text(), QStringLiteral("05/06/2024"));
        QCOMPARE(ventana->txtHastaFecha->text(), QStringLiteral("05/06/2024"));
        QCOMPARE(ventana->casoActivo(), 1);
        QList<int> orden;
        for (const auto& [clave, item] : ventana->mItemsConsulta)
            orden << item.Caso;
        QCOMPARE(orden, (QList<int>{2, 5, 6, 3, 8, 7, 1, 4, 9, 10}));
        QCOMPARE(ventana->lvwMenu->item(0)->data(Qt::UserRole).toString(), QStringLiteral("1K"));
    }

    // Leaving a date field completes a short date, accepts an empty one, and keeps the focus on a wrong
    // one with its text selected and "Fecha inválida" in the status bar.
    void salirDeUnaFecha_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("queda");
        QTest::addColumn<bool>("valida");
        const auto fila = [](const char* nombre, const char* campo, const char* tecleado, const char* queda,
                             bool valida) {
            QTest::newRow(nombre) << QString::fromLatin1(campo) << QString::fromLatin1(tecleado)
                                  << QString::fromLatin1(queda) << valida;
        };
        fila("dia y mes", "txtDesdeFecha", "0102", "01/02/2024", true);
        fila("vacia", "txtHastaFecha", "", "", true);
        fila("tres cifras", "txtHastaFecha", "123", "123", false);
        fila("seis cifras", "txtDesdeFecha", "150524", "15/05/2024", true);
        fila("dia imposible", "txtDesdeFecha", "31/02/2024", "31/02/2024", false);
    }
    void salirDeUnaFecha()
    {
        QFETCH(QString, campo);
        QFETCH(QString, tecleado);
        QFETCH(QString, queda);
        QFETCH(bool, valida);
        auto ventana = abrir();
        ventana->show();
        QVERIFY(QTest::qWaitForWindowExposed(ventana.get()));
        auto* fecha = ventana->findChild<QLineEdit*>(campo);
        fecha->setText(tecleado);
        fecha->setFocus();
        salir(fecha);
        QCOMPARE(fecha->text(), queda);
        QCOMPARE(ventana->textoEstado(), valida ? QString() : QStringLiteral("Fecha inválida"));
        if (!valida) {
            QCOMPARE(fecha->selectedText(), tecleado);
            QCOMPARE(ventana->focusWidget(), fecha);
        }
    }

    // Two wrong dates do not pull the focus back and forth for ever.
    void dosFechasInvalidasNoSeDisputanElFoco()
    {
        auto ventana = abrir();
        ventana->show();
        QVERIFY(QTest::qWaitForWindowExposed(ventana.get()));
        auto* desde = ventana->findChild<QLineEdit*>(QStringLiteral("txtDesdeFecha"));
        auto* hasta = ventana->findChild<QLineEdit*>(QStringLiteral("txtHastaFecha"));
        desde->setText(QStringLiteral("1"));
        hasta->setText(QStringLiteral("2"));
        ventana->activateWindow();
        desde->setFocus();
        hasta->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(ventana->focusWidget(), desde);
        QCOMPARE(ventana->textoEstado(), QStringLiteral("Fecha inválida"));
    }

    void teclasDeFecha_data()
    {
        QTest::addColumn<QChar>("tecla");
        QTest::addColumn<bool>("aceptada");
        QTest::newRow("cifra") << QChar(u'7') << true;
        QTest::newRow("letra") << QChar(u'a') << false;
        QTest::newRow("blanco") << QChar(u' ') << false;
    }

    void teclasDeFecha()
    {
        QFETCH(QChar, tecla);
        QFETCH(bool, aceptada);
        prueba::ContadorPitidos pitidos;
        auto ventana = abrir();
        auto* fecha = ventana->findChild<QLineEdit*>(QStringLiteral("txtHastaFecha"));
        fecha->clear();
        ventana->setTextoEstado(QStringLiteral("Fecha inválida"));
        QKeyEvent evento(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(tecla));
        QApplication::sendEvent(fecha, &evento);
        QCOMPARE(fecha->text(), aceptada ? QString(tecla) : QString());
        QCOMPARE(pitidos.cuenta, aceptada ? 0 : 1);
        // A change of the text clears the status panel.
        QCOMPARE(ventana->textoEstado(), aceptada ? QString() : QStringLiteral("Fecha inválida"));
    }

    void intervaloDeChequeo_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<int>("usado");
        QTest::addColumn<QString>("escrito");
        QTest::newRow("por defecto") << "30000" << 30000 << "30000";
        QTest::newRow("cero apaga") << "0" << 0 << "0";
        QTest::newRow("demasiado corto") << "5" << 1000 << "1000";
        QTest::newRow("negativo") << "-100" << 30000 << "30000";
        QTest::newRow("mas de 32 bits") << "99999999999" << 30000 << "30000";
    }

    void intervaloDeChequeo()
    {
        QFETCH(QString, guardado);
        QFETCH(int, usado);
        QFETCH(QString, escrito);
        const IntervaloChequeo intervalo = intervaloChequeo(guardado);
        QCOMPARE(intervalo.milisegundos, usado);
        QCOMPARE(intervalo.guardar, escrito);
    }

    // Read at load, written back at once (the default on first use), and used by the timer.
    void elTemporizadorTomaLaConfiguracion_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<int>("intervalo");
        QTest::addColumn<bool>("activo");
        QTest::addColumn<QString>("despues");
        QTest::newRow("sin configuracion") << QString() << 30000 << true << "30000";
        QTest::newRow("apagado") << "0" << 0 << false << "0";
    }

    void elTemporizadorTomaLaConfiguracion()
    {
        QFETCH(QString, guardado);
        QFETCH(int, intervalo);
        QFETCH(bool, activo);
        QFETCH(QString, despues);
        if (!guardado.isNull())
            ui::guardarConfiguracion(QStringLiteral("Start"), QStringLiteral("CheckTimeOut"), guardado);
        auto ventana = abrir();
        auto* timer = ventana->findChild<QTimer*>(QStringLiteral("Timer1"));
        QCOMPARE(timer->interval(), intervalo);
        QCOMPARE(timer->isActive(), activo);
        QCOMPARE(ui::leerConfiguracion(QStringLiteral("Start"), QStringLiteral("CheckTimeOut")), despues);
    }

    void elTemporizadorMantieneLaConexion()
    {
        ui::guardarConfiguracion(QStringLiteral("Start"), QStringLiteral("CheckTimeOut"),
                                 QStringLiteral("1000"));
        auto ventana = abrir();
        QTRY_VERIFY_WITH_TIMEOUT(mConsola->servidor.sentencias().last() == clsParametros::TextoChkConnect(),
                                 5000);
    }

    // A failure at load: an information box titled "Login", then the error driver with origin "Load".
    void unErrorAlCargarLoInformaYSigue()
    {
        mConsola->fallar = [](const QString& sql) {
            if (sql == clsQuerys::TextoParametros())
                pruebas::fallar({pruebas::registro(229, QStringLiteral("42000"),
                                                   QStringLiteral("SELECT permission denied"))});
        };
        gTituloEmpresa = QStringLiteral("Obra Social Provincial");
        auto ventana = abrir();
        QCOMPARE(mCajas->mostrados().size(), 2);
        const QString texto =
            QStringLiteral("Error en carga de formulario: \r\n42000 SELECT permission denied");
        const ui::Mensaje login = mCajas->mostrados().at(0);
        QCOMPARE(login.titulo, QStringLiteral("Login"));
        QCOMPARE(login.icono, ui::Icono::Informacion);
        QCOMPARE(login.texto, texto);
        const ui::Mensaje error = mCajas->mostrados().at(1);
        QCOMPARE(error.titulo, QStringLiteral("Error"));
        QCOMPARE(error.texto, QStringLiteral("229\r\nLoad\r\n") + texto);
        // Everything before the failing step stays.
        QCOMPARE(ventana->windowTitle(), QStringLiteral("Dalvo Help Desk Obra Social Provincial"));
        QCOMPARE(ventana->lvwMenu->count(), 10);
        QVERIFY(ventana->isEnabled());
    }

    // Closing the window (or Salir) releases the catalogue and the connection, and ends the process.
    void cerrarTermina_data()
    {
        QTest::addColumn<bool>("porMenu");
        QTest::newRow("cerrar") << false;
        QTest::newRow("Salir") << true;
    }

    void cerrarTermina()
    {
        QFETCH(bool, porMenu);
        auto ventana = abrir();
        ventana->show();
        const int cierres = mConsola->servidor.motor.guion->cierres;
        if (porMenu)
            ventana->findChild<QAction*>(QStringLiteral("mnuSalir"))->trigger();
        else
            ventana->close();
        QCOMPARE(mSalida->codigos, QList<int>{0});
        QVERIFY(!gQuerys);
        QVERIFY(!gConexion);
        QCOMPARE(mConsola->servidor.motor.guion->cierres, cierres + 1);
        QVERIFY(mCajas->mostrados().isEmpty());
    }
};

QTEST_MAIN(TestFrmDalvoHD)
#include "tst_frmDalvoHD.moc"
