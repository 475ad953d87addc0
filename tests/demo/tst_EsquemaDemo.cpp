// The demo values against their declared types, and the index plans of the criteria an operator types on
// the phone.

#include "BasePruebas.h"
#include "data/embedded/MotorEmbebido.h"
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

    // Criteria an operator types on the phone, as the program sends them: each reaches the rows it names
    // through an index of the demo schema once the dialect has translated it.
    void criteriosUsanIndice_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("tabla"); // the alias whose rows the criterion must reach by an index
        const QString tickets =
            QStringLiteral("SELECT COUNT(*) AS [Cuenta] FROM Tickets T (NOLOCK) INNER JOIN "
                           "Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador WHERE ");
        const QString mes = QStringLiteral(" BETWEEN '05/01/2024 00:00:00' AND '05/31/2024 23:59:59'");
        const auto fila = [](const char* nombre, const QString& sql, const char* tabla) {
            QTest::newRow(nombre) << sql << QString::fromLatin1(tabla);
        };
        fila("medicamentos, troquel", "SELECT COUNT(*) FROM Medicamentos M WHERE M.Troquel = '0100317'", "M");
        fila("farmacia, código de prestador",
             tickets + "P.Prestador_OS = '100001' AND T.Fecha_Prestacion" + mes, "P");
        fila("farmacia, prefijo del asociado",
             tickets + "T.Num_Afil LIKE '1000%' AND T.Fecha_Prestacion" + mes, "T");
        fila("prestador, médico de cada fila",
             "SELECT (SELECT MAX(Medicos.Nombre) FROM Medicos (NOLOCK) WHERE Medicos.Matricula = "
             "RIGHT('000000' + "
             "RTRIM(LTRIM(CONVERT(VarChar(9), T.MatriculaPP))),6)) FROM TicketPrestador T",
             "Medicos");
        fila("transacciones del día",
             "SELECT COUNT(*) AS [Cuenta] FROM TicketPrestador (NOLOCK) WHERE IdPrestador = 4 AND Operacion "
             "IN "
             "('31', '11') AND FechaDePractica" +
                 mes,
             "TicketPrestador");
    }

    void criteriosUsanIndice()
    {
        QFETCH(QString, sql);
        QFETCH(QString, tabla);
        dalvo::embebido::MotorEmbebido motor;
        motor.abrir({QStringLiteral("sqlite:") + pruebas::basePruebas(), QStringLiteral("dalvoPralMendoza"),
                     QStringLiteral("operador"), QStringLiteral("demo")});
        const QStringList pasos = motor.planDeConsulta(sql);
        const QString busca = QStringLiteral("SEARCH %1 USING ").arg(tabla);
        QVERIFY2(std::any_of(pasos.begin(), pasos.end(), [&](const QString& p) { return p.contains(busca); }),
                 qPrintable(pasos.join(QStringLiteral(" | "))));
    }
};

QTEST_GUILESS_MAIN(tst_EsquemaDemo)
#include "tst_EsquemaDemo.moc"
