#include "EntornoPrueba.h"
#include "ui/frmProceso.h"

#include <QLabel>
#include <QTest>

using dalvo::ui::frmProceso;

class TstFrmProceso : public QObject
{
    Q_OBJECT

private slots:
    // A second load while shown keeps the label (the window is already painted); unloaded, it starts anew.
    void cargarYDescargar()
    {
        frmProceso ventana;
        const auto* etiqueta = ventana.findChild<QLabel*>(QStringLiteral("lblProceso"));
        ventana.Cargar(QStringLiteral("Intentando reestablecer conección con SRVDALVO"));
        QVERIFY(ventana.isVisible());
        QVERIFY(!ventana.isModal());
        QCOMPARE(etiqueta->text(), QStringLiteral("Intentando reestablecer conección con SRVDALVO"));
        ventana.Cargar(QStringLiteral("dos"));
        QCOMPARE(etiqueta->text(), QStringLiteral("Intentando reestablecer conección con SRVDALVO"));
        QCOMPARE(ventana.texto(), QStringLiteral("dos"));

        ventana.Descargar();
        QVERIFY(!ventana.isVisible());
        QVERIFY(!ventana.cargado());
        ventana.Cargar(QStringLiteral("tres"));
        QCOMPARE(etiqueta->text(), QStringLiteral("tres"));
    }
};

QTEST_MAIN(TstFrmProceso)
#include "tst_frmProceso.moc"
