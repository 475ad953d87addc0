// The main window's hidden entry "Consultas..." opens the ad-hoc query window, not modal, once.

#include "BaseConsultas.h"
#include "adhoc/frmConsultas.h"
#include "app/frmDalvoHD.h"
#include "consultation/clsQuerys.h"
#include "data/FinProceso.h"

#include <QAction>
#include <QApplication>
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
            QVERIFY(!entrada->isVisible()); // the system keeps the entry hidden; the test reaches it anyway
            entrada->setEnabled(true);
            entrada->trigger();
            QCOMPARE(ventanasConsultas().size(), 1);
            frmConsultas* ventana = ventanasConsultas().first();
            QVERIFY(!QApplication::activeModalWidget());
            // A second time brings the same window forward.
            entrada->trigger();
            QCOMPARE(ventanasConsultas(), QList<frmConsultas*>{ventana});
            QVERIFY(guion.mostrados().isEmpty());
            ventana->close();
        }
        delete gQuerys;
        gQuerys = nullptr;
        setSalidaProceso(salida);
    }
};

QTEST_MAIN(TstMnuConsultas)
#include "tst_mnuConsultas.moc"
