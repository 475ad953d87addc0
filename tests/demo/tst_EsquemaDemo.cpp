// The demo values against their declared types.

#include "BasePruebas.h"
#include "demo/Sqlite.h"

#include <QHash>
#include <QRegularExpression>
#include <QtTest>
#include <cmath>

using namespace dalvo::demo;

class tst_EsquemaDemo : public QObject
{
    Q_OBJECT

private slots:

    void valoresDentroDelTipo_data()
    {
        QTest::addColumn<QString>("tabla");
        for (const QString& tabla : TablasDemo())
            QTest::newRow(tabla.toUtf8().constData()) << tabla;
    }

    // Each column's values fit the SQL Server type it declares, stored in the form the engine expects.
    void valoresDentroDelTipo()
    {
        QFETCH(QString, tabla);
        Conexion db(pruebas::basePruebas(), true);
        QVERIFY(db.entero(QStringLiteral("SELECT COUNT(*) FROM ") + tabla) > 0);
        Sentencia info(db, QStringLiteral("PRAGMA table_info(%1)").arg(tabla).toUtf8().constData());
        static const QRegularExpression kTipo(QStringLiteral("^(\\w+)(?:\\((\\d+)(?:,(\\d+))?\\))?$"));
        while (info.siguiente()) {
            const QString columna = QString::fromUtf8(info.columnaTexto(1));
            const auto tipo = kTipo.match(QString::fromUtf8(info.columnaTexto(2)).toLower());
            QVERIFY2(tipo.hasMatch(), qPrintable(columna));
            // The condition a wrong value meets: %1 the column, %2 its length or precision, %3 its scale, %4
            // the bound of a numeric's whole part.
            static const QHash<QString, QString> kFuera = {
                {"char", "typeof(%1) <> 'text' OR length(%1) > %2 OR length(%1) = 0 OR %1 GLOB '* '"},
                {"varchar", "typeof(%1) <> 'text' OR length(%1) > %2 OR length(%1) = 0"},
                {"int", "typeof(%1) <> 'integer' OR %1 NOT BETWEEN -2147483648 AND 2147483647"},
                {"smallint", "typeof(%1) <> 'integer' OR %1 NOT BETWEEN -32768 AND 32767"},
                {"tinyint", "typeof(%1) <> 'integer' OR %1 NOT BETWEEN 0 AND 255"},
                {"bit", "typeof(%1) <> 'integer' OR %1 NOT IN (0, 1)"},
                {"money", "typeof(%1) NOT IN ('real', 'integer') OR round(%1, 2) <> %1"},
                {"numeric", "typeof(%1) NOT IN ('real', 'integer') OR abs(%1) >= %4 OR round(%1, %3) <> %1"},
                {"datetime", "typeof(%1) <> 'text' OR datetime(%1) IS NOT %1"}};
            const int largo = tipo.captured(2).toInt();
            const int escala = tipo.captured(3).toInt();
            const QString fuera =
                QString(kFuera.value(tipo.captured(1)))
                    .replace(QStringLiteral("%1"), QStringLiteral("\"%1\"").arg(columna))
                    .replace(QStringLiteral("%2"), QString::number(largo))
                    .replace(QStringLiteral("%3"), QString::number(escala))
                    .replace(QStringLiteral("%4"), QString::number(std::pow(10, largo - escala)));
            QVERIFY2(!fuera.isEmpty(), qPrintable(columna + QStringLiteral(": tipo desconocido")));
            const qint64 malos =
                db.entero(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE \"%2\" IS NOT NULL AND (%3)")
                              .arg(tabla, columna, fuera));
            QVERIFY2(malos == 0,
                     qPrintable(
                         QStringLiteral("%1.%2: %3 valores fuera del tipo").arg(tabla, columna).arg(malos)));
        }
    }
};

QTEST_GUILESS_MAIN(tst_EsquemaDemo)
#include "tst_EsquemaDemo.moc"
