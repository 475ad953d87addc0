// Numbers the result list hands to the detail windows: rounding and overflow.

#include "EntornoPrueba.h"
#include "common/Falla.h"
#include "consultation/Valores.h"

#include <QTest>

using namespace dalvo;

class TstValores : public QObject
{
    Q_OBJECT

private slots:
    // Rounded half to even; beyond 32 bits an overflow with the caller's source. 0 marks an overflow.
    void enteroLargo_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<int>("entero");
        QTest::newRow("medio a par abajo") << 2.5 << 2;
        QTest::newRow("medio a par arriba") << 3.5 << 4;
        QTest::newRow("máximo") << 2147483647.0 << 2147483647;
        QTest::newRow("desborda") << 2147483648.0 << 0;
        QTest::newRow("desborda negativo") << -2147483649.0 << 0;
        QTest::newRow("infinito") << qInf() << 0;
    }
    void enteroLargo()
    {
        QFETCH(double, valor);
        QFETCH(int, entero);
        try {
            QCOMPARE(dalvo::enteroLargo(valor, QStringLiteral("frmDalvoHD")), entero);
            QVERIFY(entero != 0);
        } catch (const Falla& falla) {
            QCOMPARE(entero, 0);
            QCOMPARE(falla.Numero, errores::Desbordamiento);
            QCOMPARE(falla.Origen, QStringLiteral("frmDalvoHD"));
        }
    }
};

QTEST_MAIN(TstValores)
#include "tst_Valores.moc"
