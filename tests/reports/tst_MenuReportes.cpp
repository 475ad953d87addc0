// The main window's "Reportes" menu: the report window it opens, with what context and collection, and
// the dates it shares with the main window.

#include "app/ConsolaPrueba.h"
#include "app/frmDalvoHD.h"
#include "reports/frmReportes.h"
#include "ui/VistaLista.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace dalvo;

class TstMenuReportes : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<RelojFijo> mReloj;
    std::unique_ptr<prueba::ConsolaPrueba> mConsola;
    std::unique_ptr<prueba::CajasConAccion> mCajas;
    std::unique_ptr<frmDalvoHD> mPrincipal;

    // Runs the menu entry and, while its modal report window is up, the check; then closes the window.
    // Returns false when no report window opened.
    bool conLaVentana(QAction* entrada, const std::function<void(frmReportes&)>& revisar)
    {
        bool abierta = false;
        QTimer::singleShot(0, mPrincipal.get(), [&] {
            if (auto* ventana = mPrincipal->findChild<frmReportes*>()) {
                abierta = true;
                revisar(*ventana);
                ventana->findChild<QPushButton*>(QStringLiteral("cmdCancelar"))->click();
            }
        });
        entrada->trigger();
        return abierta;
    }

    static QStringList claves(const frmReportes& ventana)
    {
        auto* lista = ventana.findChild<ui::VistaLista*>(QStringLiteral("lvwReportes"));
        QStringList r;
        for (int i = 0; i < lista->cantidadItems(); ++i)
            r << ui::VistaLista::clave(lista->item(i));
        return r;
    }

    static void salir(QLineEdit* campo)
    {
        QFocusEvent evento(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(campo, &evento);
    }

    // Closings as the result list shows them: 11 columns, the provider type in the last one.
    void llenarCierres(int filas)
    {
        ui::VistaLista* lista = mPrincipal->lvwGeneral;
        lista->limpiarColumnas();
        for (int c = 0; c < 11; ++c)
            lista->agregarColumna(QStringLiteral("C%1").arg(c));
        for (int i = 0; i < filas; ++i) {
            QTreeWidgetItem* item = lista->agregarItem(QString(), QString::number(300 + i));
            item->setText(2, QStringLiteral("Farmacia %1").arg(i));
            item->setText(9, QStringLiteral("42"));
            item->setText(10, QStringLiteral("1"));
        }
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mReloj = std::make_unique<RelojFijo>(QDateTime(QDate(2024, 6, 5), QTime(9, 30)));
        mConsola = std::make_unique<prueba::ConsolaPrueba>();
        mCajas = std::make_unique<prueba::CajasConAccion>();
        mConsola->servidor.conectar();
        mPrincipal = std::make_unique<frmDalvoHD>();
    }
    void cleanup()
    {
        mPrincipal.reset();
        delete gQuerys;
        gQuerys = nullptr;
        mCajas.reset();
        mConsola.reset();
        mReloj.reset();
        mEntorno.reset();
    }

    void generalesConLasFechasDeLaVentanaPrincipal()
    {
        mPrincipal->txtDesdeFecha->setText(QStringLiteral("01/05/2024"));
        QVERIFY(conLaVentana(mPrincipal->mnuReportesGenerales, [](frmReportes& v) {
            QCOMPARE(v.contexto(), 20);
            QCOMPARE(claves(v), (QStringList{"KP", "KT", "KG1", "KG2", "KIM1", "KIA2"}));
            auto* desde = v.findChild<QLineEdit*>(QStringLiteral("txtDesdeFecha"));
            QCOMPARE(desde->text(), QStringLiteral("01/05/2024"));
            desde->setText(QStringLiteral("020524"));
            salir(desde);
        }));
        // The date changed in the report window stays in the main window.
        QCOMPARE(mPrincipal->txtDesdeFecha->text(), QStringLiteral("02/05/2024"));
    }

    void especificosDeLaFilaElegida()
    {
        llenarCierres(4);
        mPrincipal->activarCaso(5);
        mPrincipal->lvwGeneral->item(2)->setSelected(true);
        QVERIFY(conLaVentana(mPrincipal->mnuReportes, [this](frmReportes& v) {
            QCOMPARE(v.contexto(), 5);
            QVERIFY(claves(v).contains(QStringLiteral("KC5")));
            auto* lista = v.findChild<ui::VistaLista*>(QStringLiteral("lvwReportes"));
            QCOMPARE(lista->buscarItem(QStringLiteral("KC2"))->text(0), QStringLiteral("Cierre 302"));
            QCOMPARE(lista->buscarItem(QStringLiteral("KC3"))->text(0),
                     QStringLiteral("Entre cierre 300 y cierre 303"));
            // An invalid date is told in the main window's status bar.
            auto* hasta = v.findChild<QLineEdit*>(QStringLiteral("txtHastaFecha"));
            hasta->setText(QStringLiteral("45"));
            salir(hasta);
            QCOMPARE(mPrincipal->textoEstado(), QStringLiteral("Fecha inválida"));
        }));
    }

    void sinFilasNoAbreNada()
    {
        mPrincipal->lvwGeneral->limpiarItems();
        QVERIFY(!conLaVentana(mPrincipal->mnuReportes, [](frmReportes&) {}));
        QVERIFY(mCajas->mostrados().isEmpty());
    }

    void unaListaSinLaColumnaVaAlManejadorDeErrores()
    {
        llenarCierres(2);
        mPrincipal->activarCaso(4); // pharmacy tickets read sub-item 16
        QVERIFY(!conLaVentana(mPrincipal->mnuReportes, [](frmReportes&) {}));
        QCOMPARE(mCajas->mostrados().size(), 1);
        QCOMPARE(mCajas->mostrados()[0].titulo, QStringLiteral("Error"));
        // A number above 9999 takes the driver's other path, as the list control's error did.
        QCOMPARE(mCajas->mostrados()[0].texto,
                 QStringLiteral(
                     "frmDalvoHD.mnuReportes\r\nVB Error:\r\nÍndice fuera de los límites (columna 16 para "
                     "PRESTADORACTUAL)"));
    }
};

QTEST_MAIN(TstMenuReportes)
#include "tst_MenuReportes.moc"
