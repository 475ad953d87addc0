// Result sets are typed as SQL Server types them (the program formats cells by ADO type), and the server
// catalogue describes the tables with SQL Server's type names.
#include "BaseDePrueba.h"

#include <QTest>

using namespace dalvo;
using namespace dalvo::prueba;

class tst_TiposEmbebido : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tipaComoSqlServer_data();
    void tipaComoSqlServer();
    void losValoresLleganConElTipoDelContrato_data();
    void losValoresLleganConElTipoDelContrato();
    void sysobjectsListaSoloLasTablasDelUsuario();
    void listaDeColumnasDeLaVentanaDeConsultas_data();
    void listaDeColumnasDeLaVentanaDeConsultas();
    void elCatalogoVeLasTablasNuevas();
    void lasBusquedasPorClaveUsanUnIndice_data();
    void lasBusquedasPorClaveUsanUnIndice();
    void lasSentenciasQueSoloCambianValoresComparten_data();
    void lasSentenciasQueSoloCambianValoresComparten();

private:
    std::unique_ptr<BaseDePrueba> mBase;
    std::unique_ptr<embebido::MotorEmbebido> mMotor;
};

void tst_TiposEmbebido::initTestCase()
{
    mBase = std::make_unique<BaseDePrueba>();
    mMotor = mBase->abrir();
}

void tst_TiposEmbebido::tipaComoSqlServer_data()
{
    QTest::addColumn<QString>("expresion");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("tamano");
    QTest::addColumn<int>("escala");
    using namespace ado;
    // Expressions of the program's statements, over the tables of the fixture (aliases as the program uses).
    const QString desde = QStringLiteral(" FROM Tickets T JOIN Item_Tickets IT ON IT.IdTicket = T.IdTicket "
                                         "JOIN Prestadores P ON P.IdPrestador = T.IdPrestador");
    QTest::newRow("isnull de fecha sigue fecha")
        << "ISNULL(T.Fecha_Prestacion,'')" + desde << int(adDBTimeStamp) << 8 << 3;
    QTest::newRow("right de concatenacion")
        << "RIGHT('000000' + CONVERT(VarChar(9), T.AuSysT), 6)" + desde << int(adVarChar) << 15 << 255;
    QTest::newRow("count") << "COUNT(*)" + desde << int(adInteger) << 4 << 255;
    QTest::newRow("suma de money") << "SUM(IT.Precio)" + desde << int(adCurrency) << 8 << 4;
    QTest::newRow("suma de smallint es int") << "SUM(IT.Cantidad)" + desde << int(adInteger) << 4 << 255;
    QTest::newRow("case de textos") << "CASE WHEN IT.precio < 0 THEN '1' ELSE '0' END" + desde
                                    << int(adVarChar) << 1 << 255;
    QTest::newRow("isnull de convert char")
        << "ISNULL(CONVERT(Char(10), T.Fecha_Receta, 103),'')" + desde << int(adChar) << 10 << 255;
    QTest::newRow("resta de smallint es int")
        << "IT.Cantidad - IT.Cantidad_Dev" + desde << int(adInteger) << 4 << 255;
    QTest::newRow("subconsulta escalar") << "(SELECT ISNULL(Medicos.Nombre,'') FROM Medicos WHERE "
                                            "Medicos.IdMedico=ISNULL(T.medico_receta,0))" +
                                                desde
                                         << int(adChar) << 50 << 255;
    QTest::newRow("max de char") << "(SELECT MAX(Medicos.Nombre) FROM Medicos)" << int(adChar) << 50 << 255;
    QTest::newRow("isnull de entero") << "ISNULL(T.medico_receta,0)" + desde << int(adInteger) << 4 << 255;
    QTest::newRow("convert a varchar")
        << "ISNULL( CONVERT(VarChar(10), T.idCierre),'')" + desde << int(adVarChar) << 10 << 255;
    QTest::newRow("char") << "P.Nombre" + desde << int(adChar) << 50 << 255;
    QTest::newRow("numeric") << "P.Desc_al_Afiliado" + desde << int(adNumeric) << 5 << 2;
    QTest::newRow("promedio de numeric") << "AVG(P.Desc_al_Afiliado)" + desde << int(adNumeric) << 17 << 6;
    QTest::newRow("bit") << "P.Baja" + desde << int(adBoolean) << 1 << 255;
    QTest::newRow("smallint") << "Medicamentos_por_RDP FROM Parametros" << int(adSmallInt) << 2 << 255;
    QTest::newRow("varchar") << "NombreEmpresa FROM Parametros" << int(adVarChar) << 60 << 255;
    QTest::newRow("money por entero") << "T.Desc_al_afiliado * 2" + desde << int(adCurrency) << 8 << 4;
    QTest::newRow("db_name") << "DB_NAME()" << int(adVarWChar) << 128 << 255;
    QTest::newRow("getdate") << "GETDATE()" << int(adDBTimeStamp) << 8 << 3;
    QTest::newRow("null es int") << "NULL" << int(adInteger) << 4 << 255;
    QTest::newRow("decimal literal") << "1.5" << int(adNumeric) << 5 << 1;
    QTest::newRow("texto literal") << "'abc'" << int(adVarChar) << 3 << 255;
    QTest::newRow("texto unicode") << "N'abc'" << int(adVarWChar) << 3 << 255;
    QTest::newRow("cast a bit") << "CAST(1 AS bit)" << int(adBoolean) << 1 << 255;
    QTest::newRow("tinyint") << "CONVERT(tinyint, 1)" << int(adUnsignedTinyInt) << 1 << 255;
    QTest::newRow("char sin largo en convert") << "CONVERT(char, 1)" << int(adChar) << 30 << 255;
}

void tst_TiposEmbebido::tipaComoSqlServer()
{
    QFETCH(QString, expresion);
    QFETCH(int, tipo);
    QFETCH(int, tamano);
    QFETCH(int, escala);
    const ado::Tabla t = unaTabla(*mMotor, QStringLiteral("SELECT ") + expresion);
    QCOMPARE(t.columnas.size(), 1);
    QCOMPARE(t.columnas[0].tipo, tipo);
    QCOMPARE(t.columnas[0].tamanoDefinido, tamano);
    QCOMPARE(t.columnas[0].escala, escala);
}

void tst_TiposEmbebido::losValoresLleganConElTipoDelContrato_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("metatipo");
    QTest::newRow("char a texto") << "SELECT Nombre FROM Prestadores WHERE IdPrestador = 1"
                                  << int(QMetaType::QString);
    QTest::newRow("smallint a int") << "SELECT IdTipoPrestador FROM Prestadores WHERE IdPrestador = 1"
                                    << int(QMetaType::Int);
    QTest::newRow("bit a bool") << "SELECT Baja FROM Prestadores WHERE IdPrestador = 1"
                                << int(QMetaType::Bool);
    QTest::newRow("money a double") << "SELECT Precio FROM Medicamentos WHERE Troquel = '0001235'"
                                    << int(QMetaType::Double);
    QTest::newRow("numeric a double")
        << "SELECT Desc_al_Afiliado FROM Prestadores WHERE IdPrestador = 1" << int(QMetaType::Double);
    QTest::newRow("datetime a fecha y hora")
        << "SELECT fUltModif FROM Prestadores WHERE IdPrestador = 1" << int(QMetaType::QDateTime);
    QTest::newRow("null invalido") << "SELECT fUltModif FROM Prestadores WHERE IdPrestador = 2"
                                   << int(QMetaType::UnknownType);
    QTest::newRow("count_big a qlonglong") << "SELECT COUNT_BIG(*) FROM Tickets" << int(QMetaType::LongLong);
}

void tst_TiposEmbebido::losValoresLleganConElTipoDelContrato()
{
    QFETCH(QString, sql);
    QFETCH(int, metatipo);
    QCOMPARE(unValor(*mMotor, sql).typeId(), metatipo);
}

void tst_TiposEmbebido::sysobjectsListaSoloLasTablasDelUsuario()
{
    mBase->instalar(QStringLiteral("spUno"), QStringLiteral("CREATE PROCEDURE spUno AS SELECT 1 AS a"));
    auto motor = mBase->abrir();
    const ado::Tabla t = unaTabla(
        *motor, QStringLiteral("SELECT Name As Tabla From sysobjects where type='U' ORDER BY Tabla"));
    QStringList tablas;
    for (qsizetype i = 0; i < t.filas(); ++i)
        tablas << t.celda(i, 0).toString();
    QCOMPARE(tablas.size(), 21);
    QCOMPARE(tablas.first(), QStringLiteral("Accion"));
    QVERIFY(tablas.contains(QStringLiteral("tteLog")));
    for (const QString& nombre : tablas)
        QVERIFY2(!nombre.startsWith(QLatin1String("dalvo_")) && !nombre.startsWith(QLatin1String("sqlite_")),
                 qPrintable(nombre));
}

void tst_TiposEmbebido::listaDeColumnasDeLaVentanaDeConsultas_data()
{
    QTest::addColumn<QString>("tabla");
    QTest::addColumn<QString>("columna");
    QTest::addColumn<int>("numero");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<int>("longitud");
    QTest::addColumn<QVariant>("decimales");
    QTest::newRow("char") << "Prestadores"
                          << "Nombre" << 7 << "char" << 50 << QVariant();
    QTest::newRow("numeric") << "Prestadores"
                             << "Desc_al_Afiliado" << 14 << "numeric" << 5 << QVariant(2);
    QTest::newRow("datetime") << "Prestadores"
                              << "fUltModif" << 19 << "datetime" << 8 << QVariant();
    QTest::newRow("bit") << "Prestadores"
                         << "Baja" << 21 << "bit" << 1 << QVariant();
    QTest::newRow("int") << "Cierres"
                         << "IdCierre" << 1 << "int" << 4 << QVariant();
    QTest::newRow("smallint") << "Cierres"
                              << "Cant_transac" << 3 << "smallint" << 2 << QVariant();
    QTest::newRow("money") << "Cierres"
                           << "TTicket" << 4 << "money" << 8 << QVariant();
    QTest::newRow("varchar") << "ErrorSys"
                             << "Comentario" << 3 << "varchar" << 255 << QVariant();
}

void tst_TiposEmbebido::listaDeColumnasDeLaVentanaDeConsultas()
{
    QFETCH(QString, tabla);
    QFETCH(QString, columna);
    QFETCH(int, numero);
    QFETCH(QString, tipo);
    QFETCH(int, longitud);
    QFETCH(QVariant, decimales);
    // The ad-hoc window's statement, with its old outer join written as LEFT JOIN.
    const QString sql =
        QStringLiteral("SELECT     c.colid AS Numero,    c.name AS Columna,    t.name AS Tipo,    c.length "
                       "AS Longitud,    c.scale AS Decimales    FROM syscolumns c LEFT JOIN systypes t ON "
                       "c.usertype = t.usertype    WHERE c.id = (select id from sysobjects where id = "
                       "object_id('%1'))")
            .arg(tabla);
    const ado::Tabla t = unaTabla(*mMotor, sql);
    QStringList nombres;
    for (const ado::Columna& c : t.columnas)
        nombres << c.nombre;
    QCOMPARE(nombres, (QStringList{"Numero", "Columna", "Tipo", "Longitud", "Decimales"}));
    for (qsizetype i = 0; i < t.filas(); ++i) {
        if (t.celda(i, 1).toString() != columna)
            continue;
        QCOMPARE(t.celda(i, 0).toInt(), numero);
        QCOMPARE(t.celda(i, 2).toString(), tipo);
        QCOMPARE(t.celda(i, 3).toInt(), longitud);
        QCOMPARE(t.celda(i, 4), decimales);
        return;
    }
    QFAIL("columna no listada");
}

void tst_TiposEmbebido::elCatalogoVeLasTablasNuevas()
{
    auto motor = mBase->abrir();
    QCOMPARE(unValor(*motor, QStringLiteral("SELECT COUNT(*) FROM syscolumns WHERE id = object_id('Nueva')")),
             QVariant(0));
    mBase->sqlite(QStringLiteral("CREATE TABLE Nueva (Codigo char(3) COLLATE CI_AS, Importe money)"));
    // The schema changed under the open session: the next statement sees it, typed.
    const ado::Tabla t = unaTabla(*motor, QStringLiteral("SELECT Codigo, Importe FROM Nueva"));
    QCOMPARE(t.columnas.value(1).tipo, int(ado::adCurrency));
    // A column with no SQL Server type: typed by each value, '+' decided by the values.
    mBase->sqlite(
        QStringLiteral("CREATE TABLE SinTipo (a, b); INSERT INTO SinTipo VALUES ('x', 'y'), (1, 2)"));
    const ado::Tabla sinTipo = unaTabla(*motor, QStringLiteral("SELECT a + b FROM SinTipo ORDER BY 1"));
    QCOMPARE(sinTipo.columnas.value(0).tipo, int(ado::adVariant));
    QCOMPARE(sinTipo.celda(0, 0), QVariant(qlonglong(3)));
    QCOMPARE(sinTipo.celda(1, 0), QVariant(QStringLiteral("xy")));
    mBase->sqlite(QStringLiteral("DROP TABLE SinTipo"));
    QCOMPARE(unValor(*motor, QStringLiteral("SELECT COUNT(*) FROM syscolumns WHERE id = object_id('Nueva')")),
             QVariant(2));
    mBase->sqlite(QStringLiteral("DROP TABLE Nueva"));
    QCOMPARE(errores([&] { motor->ejecutar(QStringLiteral("SELECT * FROM Nueva"), 0); }).value(0).Number,
             208);
}

void tst_TiposEmbebido::lasBusquedasPorClaveUsanUnIndice_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("plan");
    QTest::newRow("clave") << "SELECT COUNT(*) FROM Tickets T WHERE T.IdTicket = 100"
                           << "SEARCH T USING";
    QTest::newRow("ausyst") << "SELECT COUNT(*) FROM Tickets T WHERE T.AuSysT = 42"
                            << "ix_tickets_ausyst";
    QTest::newRow("texto igual") << "SELECT COUNT(*) FROM Prestadores P WHERE P.Nombre = 'farmacia ñandú'"
                                 << "ix_prestadores_nombre (Nombre=?)";
    QTest::newRow("texto igual a la izquierda")
        << "SELECT COUNT(*) FROM Prestadores P WHERE 'F001' = P.Prestador_OS"
        << "ix_prestadores_os (Prestador_OS=?)";
    QTest::newRow("prefijo") << "SELECT COUNT(*) FROM Tickets T WHERE T.num_Afil LIKE '99%'"
                             << "ix_tickets_afiliado (Num_Afil>? AND Num_Afil<?)";
    QTest::newRow("rango de fechas") << "SELECT COUNT(*) FROM Tickets T WHERE T.Fecha_Prestacion BETWEEN "
                                        "'05/01/2024 00:00:00' AND '05/31/2024 23:59:59'"
                                     << "ix_tickets_fecha (Fecha_Prestacion>? AND Fecha_Prestacion<?)";
    QTest::newRow("prestador y rango")
        << "SELECT COUNT(*) FROM Tickets T WHERE T.IdPrestador = 1 AND "
           "T.Fecha_Prestacion BETWEEN '05/01/2024' AND '05/31/2024 23:59:59'"
        << "ix_tickets_prestador_fecha (IdPrestador=? AND Fecha_Prestacion>? AND";
    QTest::newRow("matricula en subconsulta")
        << "SELECT (SELECT MAX(Medicos.Nombre) FROM Medicos (NOLOCK) WHERE Medicos.Matricula = "
           "RIGHT('000000' + "
           "RTRIM(LTRIM(CONVERT(VarChar(9), T.MatriculaPP))),6)) FROM TicketPrestador T"
        << "ix_medicos_matricula (Matricula=?)";
    QTest::newRow("clave entre comillas") << "SELECT COUNT(*) FROM Medicos M WHERE M.idMedico = '7'"
                                          << "SEARCH M USING";
}

void tst_TiposEmbebido::lasBusquedasPorClaveUsanUnIndice()
{
    QFETCH(QString, sql);
    QFETCH(QString, plan);
    const QString visto = mMotor->planDeConsulta(sql).join(QLatin1String(" | "));
    QVERIFY2(visto.contains(plan), qPrintable(visto));
}

void tst_TiposEmbebido::lasSentenciasQueSoloCambianValoresComparten_data()
{
    // Run in this order on one session: each row reuses the statement prepared for the one before.
    QTest::addColumn<QString>("condicion");
    QTest::addColumn<int>("cuenta");
    QTest::newRow("prefijo") << "Nombre LIKE 'farm%'" << 2;
    QTest::newRow("otro prefijo acentuado") << "Nombre LIKE 'CLÍN%'" << 1;
    QTest::newRow("sin prefijo") << "Nombre LIKE '%ÑAN%'" << 1;
    QTest::newRow("otro sin prefijo") << "Nombre LIKE '%x%'" << 0;
    QTest::newRow("fechas") << "fUltModif BETWEEN '05/01/2024 00:00:00' AND '05/31/2024 23:59:59'" << 1;
    QTest::newRow("fechas vacias") << "fUltModif BETWEEN '' AND ''" << 0;
    QTest::newRow("otras fechas") << "fUltModif BETWEEN '04/30/2024 00:00:00' AND '05/31/2024 23:59:59'" << 2;
    QTest::newRow("entero") << "IdPrestador = 2" << 1;
    QTest::newRow("entero como texto") << "IdPrestador = '3'" << 1;
}

void tst_TiposEmbebido::lasSentenciasQueSoloCambianValoresComparten()
{
    QFETCH(QString, condicion);
    QFETCH(int, cuenta);
    QCOMPARE(unValor(*mMotor, QStringLiteral("SELECT COUNT(*) AS Cuenta FROM Prestadores P (NOLOCK) WHERE ") +
                                  condicion),
             QVariant(cuenta));
    // A value that does not convert fails when the statement runs, as on SQL Server.
    const auto e = errores([&] {
        mMotor->ejecutar(QStringLiteral("SELECT COUNT(*) FROM Prestadores WHERE fUltModif = 'ayer'"), 0);
    });
    QCOMPARE(e.value(0).Number, 241);
}

QTEST_GUILESS_MAIN(tst_TiposEmbebido)
#include "tst_TiposEmbebido.moc"
