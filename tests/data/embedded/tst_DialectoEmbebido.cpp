// The T-SQL dialect of the demo server gives SQL Server's answers, or a clear error.
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

} // namespace

class tst_DialectoEmbebido : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void daLoQueDaSqlServer_data();
    void daLoQueDaSqlServer();
    void nombraLasColumnasComoSqlServer_data();
    void nombraLasColumnasComoSqlServer();
    void rechazaConElErrorDeSqlServer_data();
    void rechazaConElErrorDeSqlServer();
    void unaConstruccionDesconocidaDaUnErrorClaro_data();
    void unaConstruccionDesconocidaDaUnErrorClaro();
    void modificaComoSqlServer_data();
    void modificaComoSqlServer();
    void unLoteDevuelveCadaResultadoYElErrorDelMedio();
    void dateformatCambiaElOrdenDeLasFechas();
    void getdateEsElRelojDelPrograma();
    void versionNombraElServidorDeDemostracion();

private:
    std::unique_ptr<BaseDePrueba> mBase;
    std::unique_ptr<embebido::MotorEmbebido> mMotor;
};

void tst_DialectoEmbebido::initTestCase()
{
    mBase = std::make_unique<BaseDePrueba>();
    mMotor = mBase->abrir();
}

void tst_DialectoEmbebido::daLoQueDaSqlServer_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariant>("esperado");

    // Text: '+' concatenates (a char(n) operand with its blanks), quotes doubled, N'', comments.
    QTest::newRow("concatena textos") << "SELECT 'abc' + 'def'" << QVariant(QStringLiteral("abcdef"));
    QTest::newRow("rellena a la derecha, constante")
        << "SELECT RIGHT('000000' + CONVERT(VarChar(9), 42), 6)" << QVariant(QStringLiteral("000042"));
    QTest::newRow("rellena a la derecha, columna")
        << "SELECT RIGHT('000000' + CONVERT(VarChar(9), AuSysT), 6) FROM Tickets WHERE IdTicket = 100"
        << QVariant(QStringLiteral("000042"));
    QTest::newRow("right corta por la izquierda")
        << "SELECT RIGHT('000000' + CONVERT(VarChar(9), AuSysT), 6) FROM Tickets WHERE IdTicket = 101"
        << QVariant(QStringLiteral("456789"));
    QTest::newRow("left") << "SELECT LEFT('abcdef', 2)" << QVariant(QStringLiteral("ab"));
    QTest::newRow("char(n) suma sus blancos")
        << "SELECT Nombre + '|' FROM Medicamentos WHERE Troquel = '0001235'"
        << QVariant(relleno(QStringLiteral("Ibuprofeno"), 40) + QLatin1Char('|'));
    QTest::newRow("descripcion de item")
        << "SELECT RTRIM(LTRIM(M.Nombre)) + ' - ' + M.Prestacion FROM Medicamentos M WHERE M.Troquel = "
           "'0001235'"
        << QVariant(QStringLiteral("Ibuprofeno - ") + relleno(QStringLiteral("Jarabe 100 ml"), 40));
    QTest::newRow("comilla doble") << "SELECT 'O''Brien'" << QVariant(QStringLiteral("O'Brien"));
    QTest::newRow("texto unicode") << "SELECT N'Ñandú'" << QVariant(QStringLiteral("Ñandú"));
    QTest::newRow("comentarios") << "/* uno */ SELECT 2 -- dos" << QVariant(2);
    QTest::newRow("len sin blancos finales") << "SELECT LEN('abc   ')" << QVariant(3);
    QTest::newRow("upper con acentos") << "SELECT UPPER('ñandú')" << QVariant(QStringLiteral("ÑANDÚ"));
    QTest::newRow("texto mas numero suma") << "SELECT '5' + 3" << QVariant(8);

    // ISNULL takes the first argument's type.
    QTest::newRow("isnull de null") << "SELECT ISNULL(NULL,'x')" << QVariant(QStringLiteral("x"));
    QTest::newRow("isnull char rellena") << "SELECT ISNULL(Num_cred, 'sin') FROM Tickets WHERE IdTicket = 101"
                                         << QVariant(relleno(QStringLiteral("sin"), 15));
    QTest::newRow("isnull fecha vacia es 1900")
        << "SELECT ISNULL(T.Fecha_Receta,'') FROM Tickets T WHERE IdTicket = 101"
        << QVariant(momento(1900, 1, 1));
    QTest::newRow("isnull entero con texto")
        << "SELECT ISNULL(NumeroTramite,'0') FROM tteLog WHERE Archivo IS NULL" << QVariant(0);

    // CONVERT with styles, in both directions.
    QTest::newRow("103 constante") << "SELECT CONVERT(Char(10), CAST('05/31/2024 13:45:10' AS datetime), 103)"
                                   << QVariant(QStringLiteral("31/05/2024"));
    QTest::newRow("103 columna")
        << "SELECT CONVERT(Char(10), Fecha_Prestacion, 103) FROM Tickets WHERE IdTicket = 100"
        << QVariant(QStringLiteral("10/05/2024"));
    QTest::newRow("112 columna")
        << "SELECT CONVERT(Char(8), Fecha_Prestacion, 112) FROM Tickets WHERE IdTicket = 100"
        << QVariant(QStringLiteral("20240510"));
    QTest::newRow("112 constante") << "SELECT CONVERT(Char(8), CAST('05/10/2024' AS datetime), 112)"
                                   << QVariant(QStringLiteral("20240510"));
    QTest::newRow("112 comparado")
        << "SELECT COUNT(*) FROM Tickets WHERE CONVERT(Char(8), Fecha_Prestacion,112) = '20240510'"
        << QVariant(1);
    QTest::newRow("estilo 0") << "SELECT CONVERT(varchar(30), CAST('05/31/2024 13:45:10' AS datetime))"
                              << QVariant(QStringLiteral("May 31 2024  1:45PM"));
    QTest::newRow("texto 103 a fecha")
        << "SELECT CONVERT(datetime, '31/05/2024', 103)" << QVariant(momento(2024, 5, 31));
    QTest::newRow("texto a entero") << "SELECT CONVERT(int, '  42 ')" << QVariant(42);
    QTest::newRow("money a texto")
        << "SELECT CONVERT(varchar(20), Precio) FROM Medicamentos WHERE Troquel = '0001234'"
        << QVariant(QStringLiteral("1520.50"));
    QTest::newRow("numeric a texto")
        << "SELECT CONVERT(varchar(10), Desc_al_Afiliado) FROM Prestadores WHERE IdPrestador = 2"
        << QVariant(QStringLiteral("12.50"));
    QTest::newRow("entero a char corto") << "SELECT CONVERT(char(2), 123)" << QVariant(QStringLiteral("* "));
    QTest::newRow("entero nulo a varchar")
        << "SELECT ISNULL( CONVERT(VarChar(10), T.idCierre),'') FROM Tickets T WHERE IdTicket = 100"
        << QVariant(QString());

    // Dates: 'mm/dd/yyyy hh:mm:ss' month first, '' is 01/01/1900.
    QTest::newRow("between mes")
        << "SELECT COUNT(*) FROM Tickets WHERE Fecha_Prestacion BETWEEN '05/01/2024 00:00:00' "
           "AND '05/31/2024 23:59:59'"
        << QVariant(2);
    QTest::newRow("between ultimo segundo") << "SELECT COUNT(*) FROM Tickets WHERE Fecha_Prestacion BETWEEN "
                                               "'05/31/2024 00:00:00' AND '05/31/2024 23:59:59'"
                                            << QVariant(1);
    QTest::newRow("between vacio") << "SELECT COUNT(*) FROM Tickets WHERE Fecha_Prestacion BETWEEN '' AND ''"
                                   << QVariant(0);
    QTest::newRow("fecha sin hora")
        << "SELECT COUNT(*) FROM Tickets WHERE Fecha_Prestacion BETWEEN '06/01/2024' AND "
           "'06/01/2024'"
        << QVariant(1);
    QTest::newRow("dateadd fin de mes")
        << "SELECT DATEADD(M, -3, '05/31/2024')" << QVariant(momento(2024, 2, 29));
    QTest::newRow("dateadd bisiesto")
        << "SELECT DATEADD(YY, 1, '02/29/2024')" << QVariant(momento(2025, 2, 28));
    QTest::newRow("dateadd dias") << "SELECT DATEADD(D, 1, '12/31/2024 10:00:00')"
                                  << QVariant(momento(2025, 1, 1, 10));
    QTest::newRow("datediff dias") << "SELECT DATEDIFF(d, '05/01/2024 23:00', '05/31/2024 01:00')"
                                   << QVariant(30);
    QTest::newRow("fecha mas dias") << "SELECT Fecha_Prestacion + 1 FROM Tickets WHERE IdTicket = 100"
                                    << QVariant(momento(2024, 5, 11, 9, 30));

    // Comparisons as a case-insensitive, accent-sensitive collation compares; trailing blanks ignored.
    QTest::newRow("igual sin mayusculas")
        << "SELECT COUNT(*) FROM Prestadores WHERE Nombre = 'clínica ángel'" << QVariant(1);
    QTest::newRow("igual distingue acentos")
        << "SELECT COUNT(*) FROM Prestadores WHERE Nombre = 'CLINICA ANGEL'" << QVariant(0);
    QTest::newRow("igual sin blancos finales")
        << "SELECT COUNT(*) FROM Prestadores WHERE Nombre = 'Farmacia San Martín   '" << QVariant(1);
    QTest::newRow("igual entre expresiones")
        << "SELECT COUNT(*) FROM Prestadores WHERE RTRIM(Nombre) = 'FARMACIA ÑANDÚ'" << QVariant(1);
    QTest::newRow("like con acentos")
        << "SELECT COUNT(*) FROM Prestadores WHERE Nombre LIKE '%ÑAN%'" << QVariant(1);
    QTest::newRow("like prefijo") << "SELECT COUNT(*) FROM Prestadores WHERE Nombre LIKE 'farmacia%'"
                                  << QVariant(2);
    QTest::newRow("like prefijo acentuado")
        << "SELECT COUNT(*) FROM Prestadores WHERE Nombre LIKE 'clín%'" << QVariant(1);
    QTest::newRow("like guion bajo") << "SELECT COUNT(*) FROM Prestadores WHERE Nombre LIKE 'FARMACIA _AND%'"
                                     << QVariant(1);
    QTest::newRow("like distingue acentos")
        << "SELECT COUNT(*) FROM Prestadores WHERE Nombre LIKE '%angel%'" << QVariant(0);
    QTest::newRow("not like") << "SELECT COUNT(*) FROM Prestadores WHERE Nombre NOT LIKE 'farm%'"
                              << QVariant(1);
    QTest::newRow("like con conjunto")
        << "SELECT COUNT(*) FROM Accion WHERE Descripcion LIKE '[ac]%'" << QVariant(2);
    QTest::newRow("like sobre entero")
        << "SELECT COUNT(*) FROM Tickets WHERE AuSysT LIKE '1234%'" << QVariant(1);
    QTest::newRow("in sin mayusculas")
        << "SELECT COUNT(*) FROM TipoPrestador WHERE TipoPrestador IN ('FARMACIA', 'x')" << QVariant(1);
    QTest::newRow("entero contra texto") << "SELECT Nombre FROM Medicos M WHERE M.idMedico = '7'"
                                         << QVariant(relleno(QStringLiteral("Pérez Juan"), 50));
    QTest::newRow("orden sin mayusculas")
        << "SELECT TOP 1 x FROM (SELECT 'b' AS x UNION ALL SELECT 'C') t ORDER BY 1"
        << QVariant(QStringLiteral("b"));

    // Names, hints and prefixes.
    QTest::newRow("dbo") << "SELECT COUNT(*) FROM dbo.Tickets" << QVariant(3);
    QTest::newRow("base y esquema") << "SELECT COUNT(*) FROM dalvoPralMendoza.dbo.Tickets T WITH (NOLOCK)"
                                    << QVariant(3);
    QTest::newRow("master..systypes") << "SELECT COUNT(*) FROM Master..systypes (NOLOCK)" << QVariant(26);
    QTest::newRow("sugerencia pegada")
        << "SELECT Medicamentos_por_RDP AS Chek FROM Parametros(NOLOCK)" << QVariant(3);
    QTest::newRow("sugerencias minusculas")
        << "SELECT COUNT(*) FROM Tickets T (nolock, INDEX(ix_tickets_fecha)) WHERE T.Num_Afil = '99001'"
        << QVariant(1);
    QTest::newRow("corchetes")
        << "SELECT [Especialidad] FROM [dbo].[Especialidades] WHERE [IdEspecialidad] = 2"
        << QVariant(relleno(QStringLiteral("Pediatría"), 40));
    QTest::newRow("db_name") << "SELECT DB_NAME()" << QVariant(QStringLiteral("dalvoPralMendoza"));
    QTest::newRow("object_id") << "SELECT COUNT(*) FROM sysobjects WHERE id = object_id('Tickets')"
                               << QVariant(1);
    QTest::newRow("object_id desconocido") << "SELECT object_id('Nada')" << QVariant();

    // Query forms.
    QTest::newRow("top") << "SELECT TOP 1 IdTicket FROM Tickets ORDER BY IdTicket DESC" << QVariant(102);
    QTest::newRow("distinct entre parentesis")
        << "SELECT COUNT(*) FROM (SELECT DISTINCT(IdPrestador) AS p FROM Tickets) x" << QVariant(2);
    QTest::newRow("count distinct") << "SELECT COUNT(DISTINCT Num_Afil) FROM Tickets" << QVariant(3);
    QTest::newRow("union")
        << "SELECT COUNT(*) FROM (SELECT Num_Afil AS a FROM Tickets UNION SELECT Asociado FROM "
           "TicketPrestador) x"
        << QVariant(4);
    QTest::newRow("exists correlacionado")
        << "SELECT COUNT(*) FROM Prestadores P WHERE EXISTS (SELECT 1 FROM Tickets T "
           "WHERE T.IdPrestador = P.IdPrestador)"
        << QVariant(2);
    QTest::newRow("subconsulta escalar")
        << "SELECT (SELECT MAX(Medicos.Nombre) FROM Medicos WHERE Medicos.Matricula = RIGHT('000000' + "
           "RTRIM(LTRIM(CONVERT(VarChar(9), T.MatriculaPP))),6)) FROM TicketPrestador T WHERE T.IdTicket = "
           "500"
        << QVariant(relleno(QStringLiteral("Pérez Juana"), 50));
    QTest::newRow("group by y having")
        << "SELECT COUNT(*) FROM (SELECT IdTicket FROM Item_Tickets GROUP BY IdTicket "
           "HAVING COUNT(*) > 1) x"
        << QVariant(1);
    QTest::newRow("case")
        << "SELECT CASE WHEN Precio < 0 THEN '1' ELSE '0' END FROM Item_Tickets WHERE IdTicket = 100 "
           "AND Troquel = '0001235'"
        << QVariant(QStringLiteral("1"));
    QTest::newRow("division entera") << "SELECT 7 / 2" << QVariant(3);
    QTest::newRow("numeric con su escala") << "SELECT CONVERT(numeric(5,2), 100.0 / 3)" << QVariant(33.33);
    QTest::newRow("division de money") << "SELECT SUM(TTicket) / COUNT(*) FROM Cierres" << QVariant(625.25);
    QTest::newRow("suma de money") << "SELECT SUM(C.TTicket) FROM Cierres C" << QVariant(1250.5);
    QTest::newRow("bit") << "SELECT Baja FROM Prestadores WHERE IdPrestador = 2" << QVariant(true);
}

void tst_DialectoEmbebido::daLoQueDaSqlServer()
{
    QFETCH(QString, sql);
    QFETCH(QVariant, esperado);
    const QVariant v = unValor(*mMotor, sql);
    QCOMPARE(v.typeId(), esperado.typeId());
    QCOMPARE(v, esperado);
}

void tst_DialectoEmbebido::nombraLasColumnasComoSqlServer_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("nombres");
    QTest::newRow("alias entre comillas sin AS")
        << "SELECT COUNT(C.idCierre) 'Cuenta' FROM Cierres C" << QStringList{"Cuenta"};
    QTest::newRow("alias entre comillas con AS") << "SELECT 1 AS 'Cuenta'" << QStringList{"Cuenta"};
    QTest::newRow("alias entre corchetes con acento")
        << "SELECT 1 [Cod. Acción]" << QStringList{"Cod. Acción"};
    QTest::newRow("alias con igual") << "SELECT Cuenta = 1" << QStringList{"Cuenta"};
    QTest::newRow("columna como se escribio")
        << "SELECT T.num_Afil FROM Tickets T" << QStringList{"num_Afil"};
    QTest::newRow("expresion sin nombre") << "SELECT COUNT(*) FROM Tickets" << QStringList{""};
    QTest::newRow("estrella") << "SELECT * FROM Cobertura" << QStringList{"IdCobertura", "Cobertura"};
    QTest::newRow("estrella calificada")
        << "SELECT C.* FROM Cobertura C JOIN Tickets T ON T.IdCobertura = C.IdCobertura"
        << QStringList{"IdCobertura", "Cobertura"};
}

void tst_DialectoEmbebido::nombraLasColumnasComoSqlServer()
{
    QFETCH(QString, sql);
    QFETCH(QStringList, nombres);
    QStringList vistos;
    for (const ado::Columna& c : unaTabla(*mMotor, sql).columnas)
        vistos << c.nombre;
    QCOMPARE(vistos, nombres);
}

void tst_DialectoEmbebido::rechazaConElErrorDeSqlServer_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("numero");
    QTest::addColumn<QString>("estado");
    QTest::newRow("columna") << "SELECT Nada FROM Tickets" << 207 << "42S22";
    QTest::newRow("objeto") << "SELECT * FROM Nada" << 208 << "42S02";
    QTest::newRow("ambigua")
        << "SELECT IdPrestador FROM Tickets T JOIN Prestadores P ON P.IdPrestador = T.IdPrestador" << 209
        << "42000";
    QTest::newRow("alias desconocido") << "SELECT X.IdTicket FROM Tickets T" << 4104 << "42000";
    QTest::newRow("tabla con alias por su nombre")
        << "SELECT Tickets.IdTicket FROM Tickets T" << 4104 << "42000";
    QTest::newRow("palabra clave") << "SELECT FROM Tickets" << 156 << "42000";
    QTest::newRow("sintaxis") << "SELECT 1 +" << 102 << "42000";
    QTest::newRow("comilla sin cerrar") << "SELECT 'abc" << 105 << "42000";
    QTest::newRow("texto a entero") << "SELECT CONVERT(int, 'abc')" << 245 << "22018";
    QTest::newRow("columna de texto contra numero")
        << "SELECT COUNT(*) FROM Tickets WHERE Num_Afil = 99001" << 245 << "22018";
    QTest::newRow("texto a numeric") << "SELECT CONVERT(numeric(5,2), 'x')" << 8114 << "22018";
    QTest::newRow("fecha fuera de rango") << "SELECT CAST('31/02/2024' AS datetime)" << 242 << "22008";
    QTest::newRow("fecha ilegible") << "SELECT CAST('mañana' AS datetime)" << 241 << "22007";
    QTest::newRow("division por cero") << "SELECT COUNT(*) / (COUNT(*) - 3) FROM Tickets" << 8134 << "22012";
    QTest::newRow("fuera del group by") << "SELECT Nombre, COUNT(*) FROM Prestadores" << 8120 << "42000";
    QTest::newRow("subconsulta de varios valores")
        << "SELECT (SELECT Matricula FROM Medicos)" << 512 << "21000";
    QTest::newRow("funcion desconocida") << "SELECT foo(1)" << 195 << "42000";
    QTest::newRow("funcion de sqlite") << "SELECT sqlite_version()" << 195 << "42000";
    QTest::newRow("variable sin declarar") << "SELECT @x" << 137 << "42000";
    QTest::newRow("parte de fecha") << "SELECT DATEADD(xx, 1, GETDATE())" << 155 << "42000";
    QTest::newRow("tabla de procedimientos") << "SELECT COUNT(*) FROM dalvo_procedimientos" << 208 << "42S02";
    QTest::newRow("esquema de sqlite") << "SELECT * FROM sqlite_master" << 208 << "42S02";
    QTest::newRow("texto demasiado largo") << "INSERT INTO Accion VALUES ('00001', 'x')" << 8152 << "22001";
    QTest::newRow("clave repetida") << "INSERT INTO Accion VALUES ('0007', 'x')" << 2627 << "23000";
    QTest::newRow("combinacion antigua")
        << "SELECT * FROM syscolumns c, systypes t WHERE c.usertype *= t.usertype" << 4147 << "42000";
    QTest::newRow("catalogo no se modifica") << "DELETE FROM sysobjects" << 259 << "42000";
    QTest::newRow("desborde de smallint") << "INSERT INTO Cobertura VALUES (70000, 'x')" << 220 << "22003";
    QTest::newRow("null en columna obligatoria") << "UPDATE Cobertura SET Cobertura = NULL" << 515 << "23000";
    QTest::newRow("faltan valores") << "INSERT INTO Cobertura (IdCobertura, Cobertura) VALUES (9)" << 109
                                    << "42000";
}

void tst_DialectoEmbebido::rechazaConElErrorDeSqlServer()
{
    QFETCH(QString, sql);
    QFETCH(int, numero);
    QFETCH(QString, estado);
    const auto e = errores([&] { mMotor->ejecutar(sql, 0); });
    QVERIFY2(!e.isEmpty(), qPrintable(sql));
    QCOMPARE(e.first().Number, numero);
    QCOMPARE(e.first().SQLState, estado);
    QVERIFY(e.first().Description.startsWith(estado + QLatin1Char(' ')));
}

void tst_DialectoEmbebido::unaConstruccionDesconocidaDaUnErrorClaro_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("nombrada");
    QTest::newRow("cte") << "WITH x AS (SELECT 1 AS a) SELECT a FROM x"
                         << "WITH";
    QTest::newRow("ventana") << "SELECT ROW_NUMBER() OVER (ORDER BY IdTicket) FROM Tickets"
                             << "OVER";
    QTest::newRow("apply") << "SELECT * FROM Tickets T CROSS APPLY (SELECT 1 AS a) x"
                           << "CROSS APPLY";
    QTest::newRow("top porcentaje") << "SELECT TOP 10 PERCENT * FROM Tickets"
                                    << "PERCENT";
    QTest::newRow("select into") << "SELECT * INTO Nueva FROM Tickets"
                                 << "INTO";
    QTest::newRow("funcion de t-sql") << "SELECT FORMAT(GETDATE(), 'd')"
                                      << "FORMAT";
    QTest::newRow("tabla temporal") << "SELECT * FROM #temporal"
                                    << "#temporal";
    QTest::newRow("tipo date") << "SELECT CONVERT(date, GETDATE())"
                               << "date";
    QTest::newRow("merge") << "MERGE Tickets USING Cierres ON 1 = 1 WHEN MATCHED THEN DELETE;"
                           << "MERGE";
    QTest::newRow("set rowcount") << "SET ROWCOUNT 10"
                                  << "ROWCOUNT";
    QTest::newRow("variable global") << "SELECT @@FETCH_STATUS"
                                     << "@@FETCH_STATUS";
    QTest::newRow("muestra de tabla") << "SELECT * FROM Tickets TABLESAMPLE (10 PERCENT)"
                                      << "TABLESAMPLE";
    QTest::newRow("sql dinamico") << "EXEC ('SELECT 1')"
                                  << "EXEC";
}

void tst_DialectoEmbebido::unaConstruccionDesconocidaDaUnErrorClaro()
{
    QFETCH(QString, sql);
    QFETCH(QString, nombrada);
    const auto e = errores([&] { mMotor->ejecutar(sql, 0); });
    QVERIFY2(!e.isEmpty(), qPrintable(sql));
    QCOMPARE(e.first().Number, 30900);
    QCOMPARE(e.first().SQLState, QStringLiteral("42000"));
    QVERIFY2(e.first().Description.contains(nombrada), qPrintable(e.first().Description));
}

void tst_DialectoEmbebido::modificaComoSqlServer_data()
{
    QTest::addColumn<QString>("sentencia");
    QTest::addColumn<QString>("consulta");
    QTest::addColumn<QVariant>("esperado");
    QTest::newRow("update") << "UPDATE Accion SET Descripcion = 'Nueva' WHERE CodigoAccion = '0012'"
                            << "SELECT Descripcion FROM Accion WHERE CodigoAccion = '0012'"
                            << QVariant(relleno(QStringLiteral("Nueva"), 60));
    QTest::newRow("update con alias y join")
        << "UPDATE T SET idCierre = C.IdCierre FROM Tickets T JOIN Cierres C ON "
           "C.IdPrestador = T.IdPrestador WHERE T.IdTicket = 100"
        << "SELECT idCierre FROM Tickets WHERE IdTicket = 100" << QVariant(1);
    QTest::newRow("update con otra tabla")
        << "UPDATE Tickets SET desc_os = 99 FROM Cierres C WHERE C.IdCierre = "
           "Tickets.idCierre AND C.NumeroTramite = 33"
        << "SELECT SUM(desc_os) FROM Tickets" << QVariant(121.0);
    QTest::newRow("delete con join")
        << "DELETE IT FROM Item_Tickets IT JOIN Tickets T ON T.IdTicket = IT.IdTicket "
           "WHERE T.IdPrestador = 3"
        << "SELECT COUNT(*) FROM Item_Tickets" << QVariant(3);
    QTest::newRow("delete") << "DELETE FROM tteLog WHERE Archivo IS NULL"
                            << "SELECT COUNT(*) FROM tteLog" << QVariant(1);
    QTest::newRow("insert select")
        << "INSERT INTO tteLog (Archivo, CantidadRegistros, NumeroTramite) SELECT Num_Afil, "
           "AuSysT, IdTicket FROM Tickets WHERE IdPrestador = 1"
        << "SELECT MAX(Archivo) FROM tteLog WHERE NumeroTramite = 101" << QVariant(QStringLiteral("99002"));
    QTest::newRow("insert con fecha e identidad")
        << "INSERT INTO Cierres (IdPrestador, Cant_transac, NumeroTramite, "
           "FechaServer) VALUES (1, 0, 0, '06/15/2024 10:00:00')"
        << "SELECT CONVERT(char(10), FechaServer, 103) FROM Cierres WHERE "
           "IdCierre = 3"
        << QVariant(QStringLiteral("15/06/2024"));
    QTest::newRow("insert sin lista de columnas")
        << "INSERT INTO Cobertura VALUES (3, 'Odontología')"
        << "SELECT COUNT(*) FROM Cobertura WHERE Cobertura = 'ODONTOLOGÍA'" << QVariant(1);
}

void tst_DialectoEmbebido::modificaComoSqlServer()
{
    QFETCH(QString, sentencia);
    QFETCH(QString, consulta);
    QFETCH(QVariant, esperado);
    BaseDePrueba base; // a database of its own: these write
    auto motor = base.abrir();
    const auto e = errores([&] { motor->ejecutar(sentencia, 0); });
    QVERIFY2(e.isEmpty(), qPrintable(e.value(0).Description));
    QCOMPARE(unValor(*motor, consulta), esperado);
}

void tst_DialectoEmbebido::unLoteDevuelveCadaResultadoYElErrorDelMedio()
{
    const ado::Lote lote =
        mMotor->ejecutar(QStringLiteral("SELECT 1 AS a; SELECT 2 AS b\nSELECT Nada FROM Tickets\n"
                                        "SELECT 3 AS c"),
                         0);
    QCOMPARE(lote.tablas.size(), size_t(2));
    QCOMPARE(lote.tablas[1].celda(0, 0), QVariant(2));
    QCOMPARE(lote.errorFinal.value(0).Number, 207);
    // A syntax error anywhere stops the whole batch before anything runs.
    const auto e = errores([&] { mMotor->ejecutar(QStringLiteral("SELECT 1 AS a SELECT FROM"), 0); });
    QCOMPARE(e.value(0).Number, 156);
}

void tst_DialectoEmbebido::dateformatCambiaElOrdenDeLasFechas()
{
    auto motor = mBase->abrir();
    QCOMPARE(unValor(*motor, QStringLiteral("SET DATEFORMAT dmy SELECT CAST('01/05/2024' AS datetime)")),
             QVariant(momento(2024, 5, 1)));
    QCOMPARE(unValor(*motor, QStringLiteral("SELECT CAST('01/05/2024' AS datetime)")),
             QVariant(momento(2024, 5, 1)));
    QCOMPARE(unValor(*motor, QStringLiteral("SET DATEFORMAT mdy SELECT CAST('01/05/2024' AS datetime)")),
             QVariant(momento(2024, 1, 5)));
    // yyyymmdd reads the same whatever the order.
    QCOMPARE(unValor(*motor, QStringLiteral("SELECT CAST('20240105' AS datetime)")),
             QVariant(momento(2024, 1, 5)));
}

void tst_DialectoEmbebido::getdateEsElRelojDelPrograma()
{
    RelojFijo reloj(momento(2024, 6, 15, 10, 20, 30));
    QCOMPARE(unValor(*mMotor, QStringLiteral("SELECT GETDATE()")),
             QVariant(momento(2024, 6, 15, 10, 20, 30)));
    // The closings' three-month window: 15/03 to 15/06 holds the closing of 20/05 only.
    QCOMPARE(unValor(*mMotor, QStringLiteral("SELECT COUNT(*) FROM Cierres C WHERE C.FechaServer BETWEEN  "
                                             "DATEADD(M,-3,GETDATE()) AND GETDATE()")),
             QVariant(1));
}

void tst_DialectoEmbebido::versionNombraElServidorDeDemostracion()
{
    const QString v = unValor(*mMotor, QStringLiteral("SELECT @@VERSION AS Version")).toString();
    QVERIFY2(v.contains(QStringLiteral("demostración")) && v.contains(QStringLiteral("SQLite 3.")),
             qPrintable(v));
}

QTEST_GUILESS_MAIN(tst_DialectoEmbebido)
#include "tst_DialectoEmbebido.moc"
