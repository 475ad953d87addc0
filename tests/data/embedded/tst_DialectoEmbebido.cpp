// The T-SQL dialect of the demo server gives SQL Server's answers, or a clear error; result sets are typed as
// SQL Server types them (the program formats cells by ADO type) and the catalogue follows the schema.
#include "BaseDePrueba.h"

#include "common/Reloj.h"

#include <QTest>

using namespace dalvo;
using namespace dalvo::prueba;

namespace {

QString relleno(const QString& texto, int largo)
{
    return texto.leftJustified(largo, QLatin1Char(' '));
}

QDateTime momento(int a, int m, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(a, m, d), QTime(h, mi, s));
}

void fila(const char* nombre, const char* sql, const QVariant& esperado)
{
    QTest::newRow(nombre) << QString::fromUtf8(sql) << esperado;
}

} // namespace

class tst_DialectoEmbebido : public QObject
{
    Q_OBJECT

    std::unique_ptr<BaseDePrueba> mBase;
    std::unique_ptr<embebido::MotorEmbebido> mMotor;

private slots:
    void initTestCase()
    {
        mBase = std::make_unique<BaseDePrueba>();
        mMotor = mBase->abrir();
    }

    void daLoQueDaSqlServer_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QVariant>("esperado");
        using S = QString;

        // Text: '+' concatenates (a char(n) operand with its blanks), quotes doubled.
        fila("char(n) suma sus blancos", "SELECT Nombre + '|' FROM Medicamentos WHERE Troquel = '0001235'",
             relleno("Ibuprofeno", 40) + u'|');
        fila("comilla doble", "SELECT 'O''Brien'", S("O'Brien"));

        // ISNULL takes the first argument's type.
        fila("isnull char rellena", "SELECT ISNULL(Num_cred, 'sin') FROM Tickets WHERE IdTicket = 101",
             relleno("sin", 15));
        fila("isnull fecha vacia es 1900",
             "SELECT ISNULL(T.Fecha_Receta,'') FROM Tickets T WHERE IdTicket = 101", momento(1900, 1, 1));

        // CONVERT with styles, in both directions.
        fila("103 columna",
             "SELECT CONVERT(Char(10), Fecha_Prestacion, 103) FROM Tickets WHERE IdTicket = 100",
             S("10/05/2024"));
        fila("entero nulo a varchar",
             "SELECT ISNULL( CONVERT(VarChar(10), T.idCierre),'') FROM Tickets T WHERE IdTicket = 100", S());

        // Dates: 'mm/dd/yyyy hh:mm:ss' month first, '' is 01/01/1900.
        fila("between mes",
             "SELECT COUNT(*) FROM Tickets WHERE Fecha_Prestacion BETWEEN '05/01/2024 00:00:00' AND "
             "'05/31/2024 23:59:59'",
             2);
        fila("dateadd fin de mes", "SELECT DATEADD(M, -3, '05/31/2024')", momento(2024, 2, 29));

        // Comparisons as a case-insensitive, accent-sensitive collation compares; trailing blanks ignored.
        fila("igual sin mayusculas", "SELECT COUNT(*) FROM Prestadores WHERE Nombre = 'clínica ángel'", 1);
        fila("igual distingue acentos", "SELECT COUNT(*) FROM Prestadores WHERE Nombre = 'CLINICA ANGEL'", 0);
        fila("like prefijo acentuado", "SELECT COUNT(*) FROM Prestadores WHERE Nombre LIKE 'clín%'", 1);
        fila("like sobre entero", "SELECT COUNT(*) FROM Tickets WHERE AuSysT LIKE '1234%'", 1);
        fila("entero contra texto", "SELECT Nombre FROM Medicos M WHERE M.idMedico = '7'",
             relleno("Pérez Juan", 50));

        // Database and schema prefixes, hints.
        fila("base y esquema", "SELECT COUNT(*) FROM dalvoPralMendoza.dbo.Tickets T WITH (NOLOCK)", 3);
    }

    void daLoQueDaSqlServer()
    {
        QFETCH(QString, sql);
        QFETCH(QVariant, esperado);
        const QVariant v = unValor(*mMotor, sql);
        QCOMPARE(v.typeId(), esperado.typeId());
        QCOMPARE(v, esperado);
    }

    void nombraLasColumnasComoSqlServer_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("nombres");
        const auto caso = [](const char* nombre, const char* sql, const QStringList& nombres) {
            QTest::newRow(nombre) << QString::fromUtf8(sql) << nombres;
        };
        caso("alias entre comillas", "SELECT COUNT(C.idCierre) 'Cuenta' FROM Cierres C", {"Cuenta"});
        caso("alias entre corchetes", "SELECT 1 [Cod. Acción]", {"Cod. Acción"});
        caso("columna como se escribio", "SELECT T.num_Afil FROM Tickets T", {"num_Afil"});
        caso("expresion sin nombre", "SELECT COUNT(*) FROM Tickets", {""});
        caso("estrella calificada",
             "SELECT C.* FROM Cobertura C JOIN Tickets T ON T.IdCobertura = C.IdCobertura",
             {"IdCobertura", "Cobertura"});
    }

    void nombraLasColumnasComoSqlServer()
    {
        QFETCH(QString, sql);
        QStringList vistos;
        for (const ado::Columna& c : unaTabla(*mMotor, sql).columnas)
            vistos << c.nombre;
        QTEST(vistos, "nombres");
    }

    void rechazaConElErrorDeSqlServer_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("numero");
        QTest::addColumn<QString>("estado");
        const auto error = [](const char* nombre, const char* sql, int numero, const char* estado) {
            QTest::newRow(nombre) << QString::fromUtf8(sql) << numero << QString::fromLatin1(estado);
        };
        error("columna", "SELECT Nada FROM Tickets", 207, "42S22");
        error("objeto", "SELECT * FROM Nada", 208, "42S02");
        error("tabla con alias por su nombre", "SELECT Tickets.IdTicket FROM Tickets T", 4104, "42000");
        error("comilla sin cerrar", "SELECT 'abc", 105, "42000");
        error("columna de texto contra numero", "SELECT COUNT(*) FROM Tickets WHERE Num_Afil = 99001", 245,
              "22018");
        error("fecha fuera de rango", "SELECT CAST('31/02/2024' AS datetime)", 242, "22008");
        error("funcion de sqlite", "SELECT sqlite_version()", 195, "42000");
        error("texto demasiado largo", "INSERT INTO Accion VALUES ('00001', 'x')", 8152, "22001");
        error("clave repetida", "INSERT INTO Accion VALUES ('0007', 'x')", 2627, "23000");
        error("combinacion antigua", "SELECT * FROM syscolumns c, systypes t WHERE c.usertype *= t.usertype",
              4147, "42000");
        error("desborde de smallint", "INSERT INTO Cobertura VALUES (70000, 'x')", 220, "22003");
    }

    void rechazaConElErrorDeSqlServer()
    {
        QFETCH(QString, sql);
        QFETCH(QString, estado);
        const auto e = errores([&] { mMotor->ejecutar(sql, 0); });
        QVERIFY2(!e.isEmpty(), qPrintable(sql));
        QTEST(int(e.first().Number), "numero");
        QCOMPARE(e.first().SQLState, estado);
        QVERIFY(e.first().Description.startsWith(estado + QLatin1Char(' ')));
    }

    void unaConstruccionDesconocidaDaUnErrorClaro_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("nombrada");
        QTest::newRow("cte") << QStringLiteral("WITH x AS (SELECT 1 AS a) SELECT a FROM x") << "WITH";
        QTest::newRow("tabla temporal") << QStringLiteral("SELECT * FROM #temporal") << "#temporal";
        QTest::newRow("sql dinamico") << QStringLiteral("EXEC ('SELECT 1')") << "EXEC";
    }

    void unaConstruccionDesconocidaDaUnErrorClaro()
    {
        QFETCH(QString, sql);
        QFETCH(QString, nombrada);
        const auto e = errores([&] { mMotor->ejecutar(sql, 0); });
        QVERIFY2(!e.isEmpty(), qPrintable(sql));
        QCOMPARE(e.first().Number, 30900);
        QCOMPARE(e.first().SQLState, QStringLiteral("42000"));
        QVERIFY2(e.first().Description.contains(nombrada), qPrintable(e.first().Description));
    }

    void unLoteDevuelveCadaResultadoYElErrorDelMedio()
    {
        const ado::Lote lote = mMotor->ejecutar(
            QStringLiteral("SELECT 1 AS a; SELECT 2 AS b\nSELECT Nada FROM Tickets\nSELECT 3 AS c"), 0);
        QCOMPARE(lote.tablas.size(), size_t(2));
        QCOMPARE(lote.tablas[1].celda(0, 0), QVariant(2));
        QCOMPARE(lote.errorFinal.value(0).Number, 207);
        // A syntax error anywhere stops the whole batch before anything runs.
        QCOMPARE(errores([&] { mMotor->ejecutar(QStringLiteral("SELECT 1 AS a SELECT FROM"), 0); })
                     .value(0)
                     .Number,
                 156);
    }

    void dateformatYGetdate()
    {
        auto motor = mBase->abrir();
        const QString leer = QStringLiteral(" SELECT CAST('01/05/2024' AS datetime)");
        QCOMPARE(unValor(*motor, QStringLiteral("SET DATEFORMAT dmy") + leer), QVariant(momento(2024, 5, 1)));
        QCOMPARE(unValor(*motor, leer), QVariant(momento(2024, 5, 1))); // it lasts for the session
        QCOMPARE(unValor(*motor, QStringLiteral("SET DATEFORMAT mdy") + leer), QVariant(momento(2024, 1, 5)));
        // GETDATE is the program's clock: the closings' three-month window holds the closing of 20/05 only.
        RelojFijo reloj(momento(2024, 6, 15, 10, 20, 30));
        QCOMPARE(unValor(*motor, QStringLiteral("SELECT COUNT(*) FROM Cierres C WHERE C.FechaServer BETWEEN "
                                                "DATEADD(M,-3,GETDATE()) AND GETDATE()")),
                 QVariant(1));
    }

    void tipaComoSqlServer_data()
    {
        QTest::addColumn<QString>("expresion");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("tamano");
        QTest::addColumn<int>("escala");
        // Expressions of the program's statements, over the fixture's tables (aliases as the program uses).
        const QString desde =
            QStringLiteral(" FROM Tickets T JOIN Item_Tickets IT ON IT.IdTicket = T.IdTicket "
                           "JOIN Prestadores P ON P.IdPrestador = T.IdPrestador");
        const auto caso = [&](const char* expresion, int tipo, int tamano, int escala = 255) {
            QTest::newRow(expresion) << QString::fromUtf8(expresion) + desde << tipo << tamano << escala;
        };
        using namespace ado;
        caso("ISNULL(T.Fecha_Prestacion,'')", adDBTimeStamp, 8, 3);
        caso("RIGHT('000000' + CONVERT(VarChar(9), T.AuSysT), 6)", adVarChar, 15);
        caso("SUM(IT.Precio)", adCurrency, 8, 4);
        caso("CASE WHEN IT.precio < 0 THEN '1' ELSE '0' END", adVarChar, 1);
        caso("ISNULL(CONVERT(Char(10), T.Fecha_Receta, 103),'')", adChar, 10);
        caso("P.Desc_al_Afiliado", adNumeric, 5, 2);
        caso("P.Baja", adBoolean, 1);
        caso("DB_NAME()", adVarWChar, 128);
        caso("NULL", adInteger, 4);
        caso("CONVERT(tinyint, 1)", adUnsignedTinyInt, 1);
    }

    void tipaComoSqlServer()
    {
        QFETCH(QString, expresion);
        const ado::Tabla t = unaTabla(*mMotor, QStringLiteral("SELECT ") + expresion);
        QCOMPARE(t.columnas.size(), 1);
        QTEST(t.columnas[0].tipo, "tipo");
        QTEST(t.columnas[0].tamanoDefinido, "tamano");
        QTEST(t.columnas[0].escala, "escala");
    }

    void losValoresLleganConElTipoDelContrato_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("metatipo");
        const auto caso = [](const char* columna, int metatipo) {
            QTest::newRow(columna) << QStringLiteral("SELECT %1 FROM Prestadores WHERE IdPrestador = 1")
                                          .arg(QLatin1String(columna))
                                   << metatipo;
        };
        caso("Nombre", QMetaType::QString);
        caso("IdTipoPrestador", QMetaType::Int);
        caso("Baja", QMetaType::Bool);
        caso("Desc_al_Afiliado", QMetaType::Double);
        caso("fUltModif", QMetaType::QDateTime);
        caso("CAST(NULL AS datetime)", QMetaType::UnknownType);
        caso("COUNT_BIG(*)", QMetaType::LongLong);
    }

    void losValoresLleganConElTipoDelContrato()
    {
        QFETCH(QString, sql);
        QTEST(unValor(*mMotor, sql).typeId(), "metatipo");
    }

    void elCatalogoSigueAlEsquema()
    {
        BaseDePrueba base;
        base.instalar(QStringLiteral("spUno"), QStringLiteral("CREATE PROCEDURE spUno AS SELECT 1 AS a"));
        auto motor = base.abrir();
        const QString tablas =
            QStringLiteral("SELECT Name As Tabla From sysobjects where type='U' ORDER BY Tabla");
        const ado::Tabla t = unaTabla(*motor, tablas);
        QCOMPARE(t.filas(), 21); // the engine's own tables are never listed
        QCOMPARE(t.celda(0, 0), QVariant(QStringLiteral("Accion")));

        // The schema changes under the open session: the next statement sees it, typed.
        base.sqlite(QStringLiteral("CREATE TABLE Nueva (Codigo char(3) COLLATE CI_AS, Importe money)"));
        QCOMPARE(unaTabla(*motor, QStringLiteral("SELECT Codigo, Importe FROM Nueva")).columnas.value(1).tipo,
                 int(ado::adCurrency));
        QCOMPARE(unaTabla(*motor, tablas).filas(), 22);
        base.sqlite(QStringLiteral("DROP TABLE Nueva"));
        QCOMPARE(errores([&] { motor->ejecutar(QStringLiteral("SELECT * FROM Nueva"), 0); }).value(0).Number,
                 208);
    }

    void lasSentenciasQueSoloCambianValoresComparten_data()
    {
        // Run in this order on one session: each row reuses the statement prepared for the one before.
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<int>("cuenta");
        const auto caso = [](const char* condicion, int cuenta) {
            QTest::newRow(condicion) << QString::fromUtf8(condicion) << cuenta;
        };
        caso("Nombre LIKE 'farm%'", 2);
        caso("Nombre LIKE 'CLÍN%'", 1);
        caso("Nombre LIKE '%ÑAN%'", 1);
        caso("fUltModif BETWEEN '05/01/2024 00:00:00' AND '05/31/2024 23:59:59'", 1);
        caso("fUltModif BETWEEN '' AND ''", 0);
        caso("IdPrestador = '3'", 1);
        caso("fUltModif = 'ayer'", -241); // fails when the statement runs, as on SQL Server
    }

    void lasSentenciasQueSoloCambianValoresComparten()
    {
        QFETCH(QString, condicion);
        QFETCH(int, cuenta);
        const QString sql =
            QStringLiteral("SELECT COUNT(*) AS Cuenta FROM Prestadores P (NOLOCK) WHERE ") + condicion;
        if (cuenta >= 0)
            QCOMPARE(unValor(*mMotor, sql), QVariant(cuenta));
        else // fails when the statement runs, as on SQL Server
            QCOMPARE(errores([&] { mMotor->ejecutar(sql, 0); }).value(0).Number, -cuenta);
    }
};

QTEST_GUILESS_MAIN(tst_DialectoEmbebido)
#include "tst_DialectoEmbebido.moc"
