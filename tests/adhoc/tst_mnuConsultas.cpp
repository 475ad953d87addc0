// The main window's hidden entry "Consultas..." opens the ad-hoc query window, not modal, once.

#include "BaseConsultas.h"
#include "adhoc/frmConsultas.h"
#include "app/frmDalvoHD.h"
#include "consultation/clsQuerys.h"
#include "data/FinProceso.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <memory>

using namespace dalvo;

namespace {

QList<frmConsultas*> ventanasConsultas()
{
    QList<frmConsultas*> abiertas;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* v = qobject_cast<frmConsultas*>(w); v && v->isVisible())
            abiertas << v;
    }
    return abiertas;
}

} // namespace

class TstMnuConsultas : public QObject
{
    Q_OBJECT

private slots:
    void abreLaVentanaSinBloquear()
    {
        prueba::BaseConsultas base;
        prueba::GuionMensajes guion;
        const SalidaProceso salida = setSalidaProceso([](int) {});
        {
            frmDalvoHD principal;
            principal.show();
            auto* entrada = principal.findChild<QAction*>(QStringLiteral("mnuConsultas"));
            QVERIFY(entrada);
            QCOMPARE(entrada->text(), QStringLiteral("Consultas..."));
            // The system keeps the entry hidden; the test reaches it anyway.
            QVERIFY(!entrada->isVisible());
            entrada->setEnabled(true);
            entrada->trigger();
            QCOMPARE(ventanasConsultas().size(), 1);
            frmConsultas* ventana = ventanasConsultas().first();
            QVERIFY(!ventana->isModal());
            QVERIFY(!QApplication::activeModalWidget());
            QVERIFY(ventana->findChild<QComboBox*>(QStringLiteral("cboTablas"))->count() > 20);
            // A second time brings the same window forward.
            entrada->trigger();
            QCOMPARE(ventanasConsultas(), QList<frmConsultas*>{ventana});
            QVERIFY(guion.mostrados().isEmpty());
            ventana->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(ventanasConsultas().isEmpty());
        }
        delete gQuerys;
        gQuerys = nullptr;
        setSalidaProceso(salida);
    }
};

QTEST_MAIN(TstMnuConsultas)
#include "tst_mnuConsultas.moc"
