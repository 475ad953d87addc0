// Values the result list hands to the detail windows: ticket and provider numbers, dates of a row.

#include "EntornoPrueba.h"
#include "common/Falla.h"
#include "consultation/Valores.h"

#include <QTest>

using namespace dalvo;

class TstValores : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;

private slots:
    void init() { mEntorno = std::make_unique<prueba::EntornoPrueba>(); }
    void cleanup() { mEntorno.reset(); }

    void enteroLargo_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<int>("entero");
        QTest::newRow("entero") << 2000001.0 << 2000001;
        QTest::newRow("medio a par abajo") << 2.5 << 2;
        QTest::newRow("medio a par arriba") << 3.5 << 4;
        QTest::newRow("negativo") << -7.4 << -7;
        QTest::newRow("máximo") << 2147483647.0 << 2147483647;
    }
    void enteroLargo()
    {
        QFETCH(double, valor);
        QFETCH(int, entero);
        QCOMPARE(dalvo::enteroLargo(valor, QStringLiteral("x")), entero);
    }

    void enteroLargoFueraDeRango()
    {
        for (const double valor : {2147483648.0, -2147483649.0, qInf()}) {
            try {
                dalvo::enteroLargo(valor, QStringLiteral("frmDalvoHD"));
                QFAIL("no overflow");
            } catch (const Falla& falla) {
                QCOMPARE(falla.Numero, errores::Desbordamiento);
                QCOMPARE(falla.Origen, QStringLiteral("frmDalvoHD"));
            }
        }
    }

    void numeroDeTexto()
    {
        QCOMPARE(dalvo::numeroDeTexto(QStringLiteral("2000001"), {}), 2000001.0);
        QCOMPARE(dalvo::numeroDeTexto(QStringLiteral(" 12 "), {}), 12.0);
        QVERIFY_THROWS_EXCEPTION(Falla, dalvo::numeroDeTexto(QString(), {}));
        QVERIFY_THROWS_EXCEPTION(Falla, dalvo::numeroDeTexto(QStringLiteral("12a"), {}));
    }

    void fechaDeTexto_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QDateTime>("fecha");
        QTest::newRow("día") << "03/05/2024" << QDateTime(QDate(2024, 5, 3), QTime(0, 0));
        QTest::newRow("con hora tras dos blancos")
            << "03/05/2024  14:05:09" << QDateTime(QDate(2024, 5, 3), QTime(14, 5, 9));
        QTest::newRow("vacía") << "" << QDateTime();
        QTest::newRow("no es fecha") << "abc" << QDateTime();
    }
    void fechaDeTexto()
    {
        QFETCH(QString, texto);
        QFETCH(QDateTime, fecha);
        QCOMPARE(dalvo::fechaDeTexto(texto), fecha);
    }
};

QTEST_MAIN(TstValores)
#include "tst_Valores.moc"
