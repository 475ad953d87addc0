#include "EntornoPrueba.h"
#include "ui/frmProceso.h"

#include <QLabel>
#include <QTest>

using dalvo::ui::frmProceso;

class TstFrmProceso : public QObject
{
    Q_OBJECT

    static QString etiqueta(const frmProceso& ventana)
    {
        return ventana.findChild<QLabel*>(QStringLiteral("lblProceso"))->text();
    }

private slots:
    void cargarMuestraElTexto()
    {
        frmProceso ventana;
        ventana.Cargar(QStringLiteral("Intentando reestablecer conección con SRVDALVO"));
        QVERIFY(ventana.isVisible());
        QVERIFY(!ventana.isModal());
        QCOMPARE(ventana.windowTitle(), QStringLiteral("Proceso"));
        QCOMPARE(etiqueta(ventana), QStringLiteral("Intentando reestablecer conección con SRVDALVO"));
    }

    void segundoCargarGuardaElTextoSinCambiarLaEtiqueta()
    {
        frmProceso ventana;
        ventana.Cargar(QStringLiteral("uno"));
        ventana.Cargar(QStringLiteral("dos"));
        QCOMPARE(etiqueta(ventana), QStringLiteral("uno"));
        QCOMPARE(ventana.texto(), QStringLiteral("dos"));
        QVERIFY(ventana.isVisible());

        ventana.Descargar();
        QVERIFY(!ventana.isVisible());
        QVERIFY(!ventana.cargado());
        ventana.Cargar(QStringLiteral("tres"));
        QCOMPARE(etiqueta(ventana), QStringLiteral("tres"));
    }

    void instanciaUnica()
    {
        frmProceso& una = frmProceso::instancia();
        QCOMPARE(&frmProceso::instancia(), &una);
        QVERIFY(!una.cargado());
    }
};

QTEST_MAIN(TstFrmProceso)
#include "tst_frmProceso.moc"
