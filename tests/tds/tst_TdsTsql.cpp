#include <QTest>
class tst_TdsTsql : public QObject
{
    Q_OBJECT
};
QTEST_GUILESS_MAIN(tst_TdsTsql)
#include "tst_TdsTsql.moc"
