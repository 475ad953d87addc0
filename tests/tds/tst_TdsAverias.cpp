#include <QTest>
class tst_TdsAverias : public QObject
{
    Q_OBJECT
};
QTEST_GUILESS_MAIN(tst_TdsAverias)
#include "tst_TdsAverias.moc"
