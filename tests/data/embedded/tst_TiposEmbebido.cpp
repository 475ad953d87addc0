// Result sets are typed as SQL Server types them (the program formats cells by ADO type), the catalogue
// follows the schema, and statements that differ only in their values share one translation.
#include "BaseDePrueba.h"

#include <QTest>

using namespace dalvo;
using namespace dalvo::prueba;

class tst_TiposEmbebido : public QObject
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
        const auto fila = [&](const char* expresion, int tipo, int tamano, int escala = 255) {
            QTest::newRow(expresion) << QString::fromUtf8(expresion) + desde << tipo << tamano << escala;
        };
        using namespace ado;
        fila("ISNULL(T.Fecha_Prestacion,'')", adDBTimeStamp, 8, 3);
        fila("RIGHT('000000' + CONVERT(VarChar(9), T.AuSysT), 6)", adVarChar, 15);
        fila("COUNT(*)", adInteger, 4);
        fila("SUM(IT.Precio)", adCurrency, 8, 4);
        fila("CASE WHEN IT.precio < 0 THEN '1' ELSE '0' END", adVarChar, 1);
        fila("ISNULL(CONVERT(Char(10), T.Fecha_Receta, 103),'')", adChar, 10);
        fila("(SELECT ISNULL(Medicos.Nombre,'') FROM Medicos WHERE "
             "Medicos.IdMedico=ISNULL(T.medico_receta,0))",
             adChar, 50);
        fila("ISNULL( CONVERT(VarChar(10), T.idCierre),'')", adVarChar, 10);
        fila("P.Desc_al_Afiliado", adNumeric, 5, 2);
        fila("P.Baja", adBoolean, 1);
        fila("T.Desc_al_afiliado * 2", adCurrency, 8, 4);
        fila("DB_NAME()", adVarWChar, 128);
        fila("NULL", adInteger, 4);
        fila("CONVERT(tinyint, 1)", adUnsignedTinyInt, 1);
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
        const auto fila = [](const char* columna, int metatipo) {
            QTest::newRow(columna) << QStringLiteral("SELECT %1 FROM Prestadores WHERE IdPrestador = 1")
                                          .arg(QLatin1String(columna))
                                   << metatipo;
        };
        fila("Nombre", QMetaType::QString);
        fila("IdTipoPrestador", QMetaType::Int);
        fila("Baja", QMetaType::Bool);
        fila("Desc_al_Afiliado", QMetaType::Double);
        fila("fUltModif", QMetaType::QDateTime);
        fila("CAST(NULL AS datetime)", QMetaType::UnknownType);
        fila("COUNT_BIG(*)", QMetaType::LongLong);
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
        // A column with no SQL Server type: typed by each value, '+' decided by the values.
        base.sqlite(
            QStringLiteral("CREATE TABLE SinTipo (a, b); INSERT INTO SinTipo VALUES ('x', 'y'), (1, 2)"));
        const ado::Tabla sinTipo = unaTabla(*motor, QStringLiteral("SELECT a + b FROM SinTipo ORDER BY 1"));
        QCOMPARE(sinTipo.columnas.value(0).tipo, int(ado::adVariant));
        QCOMPARE(sinTipo.celda(0, 0), QVariant(qlonglong(3)));
        QCOMPARE(sinTipo.celda(1, 0), QVariant(QStringLiteral("xy")));
        base.sqlite(QStringLiteral("DROP TABLE Nueva"));
        QCOMPARE(errores([&] { motor->ejecutar(QStringLiteral("SELECT * FROM Nueva"), 0); }).value(0).Number,
                 208);
    }

    void lasSentenciasQueSoloCambianValoresComparten_data()
    {
        // Run in this order on one session: each row reuses the statement prepared for the one before.
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<int>("cuenta");
        QTest::newRow("prefijo") << "Nombre LIKE 'farm%'" << 2;
        QTest::newRow("otro prefijo acentuado") << "Nombre LIKE 'CLÍN%'" << 1;
        QTest::newRow("sin prefijo") << "Nombre LIKE '%ÑAN%'" << 1;
        QTest::newRow("fechas") << "fUltModif BETWEEN '05/01/2024 00:00:00' AND '05/31/2024 23:59:59'" << 1;
        QTest::newRow("fechas vacias") << "fUltModif BETWEEN '' AND ''" << 0;
        QTest::newRow("entero como texto") << "IdPrestador = '3'" << 1;
        QTest::newRow("fecha que no convierte") << "fUltModif = 'ayer'" << -241;
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

QTEST_GUILESS_MAIN(tst_TiposEmbebido)
#include "tst_TiposEmbebido.moc"
