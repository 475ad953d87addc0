// The main window's frame: what its load sets up, the date fields, the resize rules, the keep-alive
// interval, the load's error trap and the unload.

#include "ConsolaPrueba.h"
#include "app/frmAbout.h"
#include "app/frmDalvoHD.h"
#include "data/Empresa.h"
#include "ui/Configuracion.h"
#include "ui/VistaLista.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
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
        gNombreEmpresa.clear();
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

    void losDiezTiposEnSuOrden_data()
    {
        QTest::addColumn<int>("fila");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("icono");
        const QList<std::tuple<const char*, const char*, const char*>> tipos = {
            {"Prestadores", "1K", "TERMINAL"},
            {"Afiliados", "2K", "AFILIADO"},
            {"Medicamentos", "3K", "MEDICAMENTO"},
            {"Practicas", "7K", "PRACTICA"},
            {"Medicos Prescrip.", "8K", "MEDICO"},
            {"Tickets de Farmacia", "4K", "TICKETFARMACIA"},
            {"Tickets de Prestador", "9K", "TICKETPRESTADOR"},
            {"Cierres", "5K", "CIERRE"},
            {"Acciones", "10K", "ACCIONES"},
            {"Errores", "6K", "ERROR"},
        };
        for (int i = 0; i < tipos.size(); ++i) {
            const auto& [texto, clave, icono] = tipos[i];
            QTest::newRow(clave) << i << QString::fromUtf8(texto) << QString::fromLatin1(clave)
                                 << QString::fromLatin1(icono);
        }
    }

    void losDiezTiposEnSuOrden()
    {
        QFETCH(int, fila);
        QFETCH(QString, texto);
        QFETCH(QString, clave);
        QFETCH(QString, icono);
        auto ventana = abrir();
        auto* lista = ventana->findChild<QListWidget*>(QStringLiteral("lvwMenu"));
        QCOMPARE(lista->count(), 10);
        QCOMPARE(lista->viewMode(), QListView::IconMode);
        QListWidgetItem* item = lista->item(fila);
        QCOMPARE(item->text(), texto);
        QCOMPARE(item->data(Qt::UserRole).toString(), clave);
        QCOMPARE(item->data(Qt::UserRole + 1).toString(), icono);
        QVERIFY(!item->icon().isNull());
        QCOMPARE(lista->currentRow(), 0);
    }

    void menus_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("activo");
        QTest::addColumn<bool>("visible");
        QTest::newRow("mnuSistema") << "mnuSistema"
                                    << "Sistema" << true << true;
        QTest::newRow("mnuAcerca") << "mnuAcerca"
                                   << "Acerca..." << true << true;
        QTest::newRow("mnuSalir") << "mnuSalir"
                                  << "Salir" << true << true;
        QTest::newRow("mnuPReportes") << "mnuPReportes"
                                      << "Reportes" << true << true;
        QTest::newRow("mnuReportes") << "mnuReportes"
                                     << "Específicos..." << true << true;
        QTest::newRow("mnuReportesGenerales") << "mnuReportesGenerales"
                                              << "Generales..." << true << true;
        QTest::newRow("mnuConsultas") << "mnuConsultas"
                                      << "Consultas..." << false << false;
        QTest::newRow("mnuTicket") << "mnuTicket"
                                   << "Ticket" << false << false;
        QTest::newRow("mnuVetItemTicket") << "mnuVetItemTicket"
                                          << "Ver Items de Ticket" << true << true;
        QTest::newRow("mnuPrestador") << "mnuPrestador"
                                      << "Prestador" << true << true;
        QTest::newRow("mnuPrestadorInformacion") << "mnuPrestadorInformacion"
                                                 << "Información..." << true << true;
        QTest::newRow("mnuCierre") << "mnuCierre"
                                   << "Cierre" << false << false;
        QTest::newRow("mnuCierreTotales") << "mnuCierreTotales"
                                          << "Totales..." << true << true;
    }

    void menus()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, texto);
        QFETCH(bool, activo);
        QFETCH(bool, visible);
        auto ventana = abrir();
        QAction* accion = ventana->findChild<QAction*>(nombre);
        if (auto* menu = ventana->findChild<QMenu*>(nombre)) {
            QCOMPARE(menu->title(), texto);
            accion = menu->menuAction();
        }
        QVERIFY(accion);
        QCOMPARE(accion->text(), texto);
        QCOMPARE(accion->isEnabled(), activo);
        QCOMPARE(accion->isVisible(), visible);
    }

    // At load: the providers' criteria, today in both dates, the providers kind active, no kind chosen yet,
    // one record per kind.
    void estadoInicial()
    {
        auto ventana = abrir();
        auto* combo = ventana->findChild<QComboBox*>(QStringLiteral("cboConsulta"));
        QStringList criterios;
        for (int i = 0; i < combo->count(); ++i)
            criterios << combo->itemText(i);
        QCOMPARE(criterios,
                 (QStringList{"Codigo", "Licencia", "Nombre", "Clave", "Tipo Prestador", "Con Movimientos"}));
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(ventana->findChild<QLineEdit*>(QStringLiteral("txtDesdeFecha"))->text(),
                 QStringLiteral("05/06/2024"));
        QCOMPARE(ventana->findChild<QLineEdit*>(QStringLiteral("txtHastaFecha"))->text(),
                 QStringLiteral("05/06/2024"));
        QCOMPARE(ventana->mDesdeFecha, QDate(2024, 6, 5));
        QCOMPARE(ventana->mHastaFecha, QDate(2024, 6, 5));
        QCOMPARE(ventana->findChild<ui::VistaLista*>(QStringLiteral("lvwGeneral"))->cantidadColumnas(), 0);

        QCOMPARE(ventana->casoActivo(), 1);
        QCOMPARE(ventana->mClaveActual, QStringLiteral("K0"));
        QList<int> orden;
        for (const auto& [clave, item] : ventana->mItemsConsulta) {
            QCOMPARE(clave, frmDalvoHD::claveCaso(item.Caso));
            QVERIFY(!item.ConsultaOk);
            QCOMPARE(item.IndexConsulta, qint16(0));
            orden << item.Caso;
        }
        QCOMPARE(orden, (QList<int>{2, 5, 6, 3, 8, 7, 1, 4, 9, 10}));
        QVERIFY(ventana->itemConsulta(QStringLiteral("10K")));
        QVERIFY(!ventana->itemConsulta(QStringLiteral("K0")));
    }

    // The catalogue is created over the connection and the company name read when there is one row.
    void elCatalogoYElNombreDeLaEmpresa_data()
    {
        QTest::addColumn<QStringList>("empresas");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("una fila") << QStringList{"Obra Social Provincial"} << "Obra Social Provincial";
        QTest::newRow("ninguna") << QStringList{} << "";
        QTest::newRow("dos") << QStringList{"A", "B"} << "";
    }

    void elCatalogoYElNombreDeLaEmpresa()
    {
        QFETCH(QStringList, empresas);
        QFETCH(QString, nombre);
        mConsola->empresas = empresas;
        auto ventana = abrir();
        QVERIFY(gQuerys);
        QCOMPARE(gQuerys->Connection, gConexion->Connection);
        QCOMPARE(gNombreEmpresa, nombre);
        QVERIFY(mCajas->mostrados().isEmpty());
    }

    // Leaving a date field completes a short date, accepts an empty one, and keeps the focus on a wrong
    // one with its text selected and "Fecha inválida" in the status bar.
    void salirDeUnaFecha_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("queda");
        QTest::addColumn<bool>("valida");
        for (const char* campo : {"txtDesdeFecha", "txtHastaFecha"}) {
            const QString c = QString::fromLatin1(campo);
            QTest::newRow(qPrintable(c + " dia y mes")) << c << "0102"
                                                        << "01/02/2024" << true;
            QTest::newRow(qPrintable(c + " vacia")) << c << ""
                                                    << "" << true;
            QTest::newRow(qPrintable(c + " tres cifras")) << c << "123"
                                                          << "123" << false;
        }
        QTest::newRow("seis cifras") << "txtDesdeFecha"
                                     << "150524"
                                     << "15/05/2024" << true;
        QTest::newRow("completa") << "txtDesdeFecha"
                                  << "31/12/2023"
                                  << "31/12/2023" << true;
        QTest::newRow("dia imposible") << "txtDesdeFecha"
                                       << "31/02/2024"
                                       << "31/02/2024" << false;
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
        QTest::newRow("barra") << QChar(u'/') << true;
        QTest::newRow("letra") << QChar(u'a') << false;
        QTest::newRow("guion") << QChar(u'-') << false;
        QTest::newRow("punto") << QChar(u'.') << false;
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

    // Below 7950 x 6930 twips the window snaps back; the lists follow the size with fixed margins.
    void tamanoMinimoYMargenes_data()
    {
        QTest::addColumn<QSize>("pedido");
        QTest::addColumn<QSize>("queda");
        QTest::newRow("chica") << QSize(200, 150) << QSize(530, 462);
        QTest::newRow("angosta") << QSize(300, 700) << QSize(530, 700);
        QTest::newRow("grande") << QSize(1000, 800) << QSize(1000, 800);
    }

    void tamanoMinimoYMargenes()
    {
        QFETCH(QSize, pedido);
        QFETCH(QSize, queda);
        auto ventana = abrir();
        ventana->show();
        QVERIFY(QTest::qWaitForWindowExposed(ventana.get()));
        if (ventana->logicalDpiX() != 96 || ventana->logicalDpiY() != 96)
            QSKIP("las cuentas de este caso son a 96 ppp");
        ventana->resize(pedido);
        QTRY_COMPARE(ventana->size(), queda);
        QCOMPARE(ventana->lvwGeneral->size(), QSize(queda.width() - 129, queda.height() - 257));
        QCOMPARE(ventana->lblConsulta->width(), queda.width() - 245);
        QCOMPARE(ventana->lvwMenu->height(), queda.height() - 84);
        QVERIFY(ventana->lvwGeneral->geometry().bottom() < ventana->centralWidget()->height());
        QVERIFY(ventana->lvwMenu->geometry().bottom() < ventana->centralWidget()->height());
    }

    void intervaloDeChequeo_data()
    {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<int>("usado");
        QTest::addColumn<QString>("escrito");
        QTest::newRow("por defecto") << "30000" << 30000 << "30000";
        QTest::newRow("un minuto") << "60000" << 60000 << "60000";
        QTest::newRow("con blancos") << " 45000 " << 45000 << "45000";
        QTest::newRow("cero apaga") << "0" << 0 << "0";
        QTest::newRow("demasiado corto") << "5" << 1000 << "1000";
        QTest::newRow("negativo") << "-100" << 30000 << "30000";
        QTest::newRow("texto") << "treinta" << 30000 << "30000";
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
        QTest::newRow("un minuto") << "60000" << 60000 << true << "60000";
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
        QVERIFY(ventana->mItemsConsulta.empty());
        QVERIFY(mCajas->mostrados().isEmpty());
    }

    void acercaAbreUnaSolaVentana()
    {
        auto ventana = abrir();
        auto* acerca = ventana->findChild<QAction*>(QStringLiteral("mnuAcerca"));
        acerca->trigger();
        acerca->trigger();
        const QList<frmAbout*> abiertas = ventana->findChildren<frmAbout*>();
        QCOMPARE(abiertas.size(), 1);
        QVERIFY(abiertas.first()->isVisible());
        QVERIFY(!abiertas.first()->isModal());
    }
};

QTEST_MAIN(TestFrmDalvoHD)
#include "tst_frmDalvoHD.moc"
