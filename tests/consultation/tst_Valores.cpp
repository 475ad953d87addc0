// Values the result list hands to the detail windows: ticket and provider numbers, dates of a row.

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

    void textos()
    {
        QCOMPARE(dalvo::numeroDeTexto(QStringLiteral(" 12 "), {}), 12.0);
        QVERIFY_THROWS_EXCEPTION(Falla, dalvo::numeroDeTexto(QStringLiteral("12a"), {}));
        QCOMPARE(dalvo::fechaDeTexto(QStringLiteral("03/05/2024  14:05:09")),
                 QDateTime(QDate(2024, 5, 3), QTime(14, 5, 9)));
        QCOMPARE(dalvo::fechaDeTexto(QStringLiteral("abc")), QDateTime());
    }
};

QTEST_MAIN(TstValores)
#include "tst_Valores.moc"
