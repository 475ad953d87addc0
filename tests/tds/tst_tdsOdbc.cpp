// The server through the real FreeTDS ODBC driver: log-in, data types both ways, procedure calls with several
// result sets, output parameters and return status, a statement with parameters. Errors and messages are
// proven with the program's own engine in tests/e2e.

#include "tds/Entorno.h"
#include "tds/MotorFalso.h"
#include "tds/Odbc.h"
#include "tds/ServidorTds.h"
#include "tds/Vigia.h"

#include <QTest>

using namespace dalvo;
using namespace dalvo::tds;
using namespace dalvo::tds::prueba;

Q_DECLARE_METATYPE(dalvo::ado::Columna)

namespace {

const QString kServidorMotor = QStringLiteral("sqlite:/demo/dalvo.sqlite");

ado::Lote lote(std::vector<ado::Tabla> tablas)
{
    ado::Lote l;
    l.tablas = std::move(tablas);
    return l;
}

const QDateTime kFecha = QDateTime::fromString(QStringLiteral("2024-03-15T10:20:30.997"), Qt::ISODateWithMs);

void filaLogin(const char* nombre, const QString& usuario, const QString& clave, const QString& base,
               const QString& estado = {}, int nativo = 0)
{
    QTest::newRow(nombre) << usuario << clave << base << estado << nativo;
}

void filaColumna(const char* nombre, const ado::Columna& c, const QVariant& valor, const QString& texto,
                 int tipoSql)
{
    QTest::newRow(nombre) << c << valor << texto << tipoSql;
}

// salida: what the output parameter reads back when it differs from the input text.
void filaParametro(const char* nombre, int tipoSql, int tamano, int decimales, const QString& entrada,
                   int tipoAdo, const QVariant& valor, const QString& salida = {})
{
    QTest::newRow(nombre) << tipoSql << tamano << decimales << entrada << tipoAdo << valor
                          << (entrada.isNull()  ? kNulo
                              : salida.isNull() ? entrada
                                                : salida);
}

} // namespace

class tst_tdsOdbc : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { limpiarEntornoFreeTds(); }
    void init();
    void cleanup();

    void login_data();
    void login();
    void tiposDeColumna_data();
    void tiposDeColumna();
    void procedimientoConSalidas();
    void tiposDeParametro_data();
    void tiposDeParametro();
    void sentenciaConParametros();

private:
    void conectar(Odbc& odbc);

    Vigia mVigia{20};
    std::unique_ptr<Guion> mGuion;
    std::unique_ptr<ServidorTds> mServidor;
    quint16 mPuerto = 0;
};

void tst_tdsOdbc::init()
{
    mVigia.armar(QTest::currentTestFunction());
    mGuion = std::make_unique<Guion>();
    mServidor = std::make_unique<ServidorTds>(mGuion->fabrica(), kServidorMotor);
    mPuerto = mServidor->iniciar();
}

void tst_tdsOdbc::cleanup()
{
    QVERIFY2(mServidor->incidentes().isEmpty(), qPrintable(mServidor->incidentes().join('\n')));
    mServidor.reset();
    mGuion.reset();
    mVigia.desarmar();
}

void tst_tdsOdbc::conectar(Odbc& odbc)
{
    const SQLRETURN r =
        odbc.conectar(Odbc::cadena(mPuerto, QStringLiteral("operador"), QStringLiteral("secreta")));
    QVERIFY2(SQL_SUCCEEDED(r), qPrintable(describir(odbc.registrosConexion())));
}

void tst_tdsOdbc::login_data()
{
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("clave");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("estado"); // empty: the login succeeds
    QTest::addColumn<int>("nativo");

    filaLogin("correcto", "operador", "secreta", "dalvoPralMendoza");
    filaLogin("sin base: la del login", "operador", "secreta", "");
    filaLogin("clave con ; y llaves", "operador", "se;cr{e}ta", "dalvoPralMendoza");
    filaLogin("clave con acentos", "operador", "contraseña", "dalvoPralMendoza");
    filaLogin("clave errónea", "operador", "mala", "dalvoPralMendoza", "42000", 18456);
    filaLogin("base inexistente", "operador", "secreta", "otra", "42000", 4060);
}

void tst_tdsOdbc::login()
{
    QFETCH(QString, usuario);
    QFETCH(QString, clave);
    QFETCH(QString, base);
    QFETCH(QString, estado);
    QFETCH(int, nativo);
    if (estado.isEmpty())
        mGuion->clave = clave;

    Odbc odbc;
    const SQLRETURN r = odbc.conectar(Odbc::cadena(mPuerto, usuario, clave, base));
    const auto registros = odbc.registrosConexion();
    QCOMPARE(mGuion->aperturas().size(), 1);
    const ado::DatosConexion datos = mGuion->aperturas().first();
    QCOMPARE(datos.usuario, usuario);
    QCOMPARE(datos.clave, clave);
    QCOMPARE(datos.baseDatos, base);
    QCOMPARE(datos.servidor, kServidorMotor);
    if (estado.isEmpty()) {
        QVERIFY2(SQL_SUCCEEDED(r), qPrintable(describir(registros)));
        // The database the login reply announced.
        SQLWCHAR nombre[128];
        SQLSMALLINT largo = 0;
        SQLGetInfoW(odbc.conexion(), SQL_DATABASE_NAME, nombre, sizeof nombre, &largo);
        QCOMPARE(deAncho(nombre, largo / 2), base.isEmpty() ? QStringLiteral("master") : base);
    } else {
        QCOMPARE(r, SQLRETURN(SQL_ERROR));
        QVERIFY2(contiene(registros, estado, nativo), qPrintable(describir(registros)));
        QTRY_COMPARE(mServidor->conexionesAbiertas(), 0); // a refused login ends the link
    }
}

void tst_tdsOdbc::tiposDeColumna_data()
{
    QTest::addColumn<ado::Columna>("columna");
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<QString>("texto"); // what the client reads as text
    QTest::addColumn<int>("tipoSql");   // what the driver describes
    // The types the parameters below do not already bring back, and the long ones.

    filaColumna("int", columna("c", ado::adInteger), -2147483647 - 1, "-2147483648", SQL_INTEGER);
    filaColumna("tinyint 17", columna("c", ado::adUnsignedTinyInt), 255, "255", SQL_TINYINT);
    filaColumna("tinyint 16", columna("c", ado::adTinyInt), 7, "7", SQL_TINYINT);
    filaColumna("real", columna("c", ado::adSingle), 1.5, "1.5", SQL_REAL);
    filaColumna("money", columna("c", ado::adCurrency), -1234.5678, "-1234.5678", SQL_DECIMAL);
    filaColumna("numeric", columna("c", ado::adNumeric, 0, 10, 2), -12345678.91, "-12345678.91", SQL_NUMERIC);
    filaColumna("numeric menor que uno", columna("c", ado::adNumeric, 0, 5, 3), 0.5, "0.500", SQL_NUMERIC);
    filaColumna("datetime", columna("c", ado::adDBTimeStamp), kFecha, "2024-03-15 10:20:30.997",
                SQL_TYPE_TIMESTAMP);
    filaColumna("char", columna("c", ado::adChar, 10), "Ñandú     ", "Ñandú     ", SQL_CHAR);
    filaColumna("varchar(max)", columna("c", ado::adVarChar), QString(9000, u'á'), QString(9000, u'á'),
                SQL_VARCHAR);
    filaColumna("nvarchar(max)", columna("c", ado::adVarWChar), QString(5000, u'Ω'), QString(5000, u'Ω'),
                SQL_WVARCHAR);
}

void tst_tdsOdbc::tiposDeColumna()
{
    QFETCH(ado::Columna, columna);
    QFETCH(QVariant, valor);
    QFETCH(QString, texto);
    QFETCH(int, tipoSql);

    mGuion->alEjecutar = [&](const QString&) { return lote({tabla({columna}, {valor, QVariant()})}); };
    Odbc odbc;
    conectar(odbc);
    QCOMPARE(odbc.ejecutar(QStringLiteral("SELECT c FROM T")), SQLRETURN(SQL_SUCCESS));
    SQLSMALLINT tipo = 0;
    SQLULEN tamano = 0;
    SQLSMALLINT decimales = 0;
    SQLSMALLINT nulos = 0;
    SQLDescribeColW(odbc.sentencia(), 1, nullptr, 0, nullptr, &tipo, &tamano, &decimales, &nulos);
    QCOMPARE(int(tipo), tipoSql);
    QCOMPARE(odbc.filas(), (QVector<QStringList>{{texto}, {kNulo}}));
}

void tst_tdsOdbc::procedimientoConSalidas()
{
    mGuion->alLlamar = [](const QString&, QVector<ado::ParametroMotor>& p) {
        p[2].valor = 99;
        p[3].valor = QStringLiteral("Cierre 2024/03 de %1").arg(p[1].valor.toString());
        ado::Lote l = lote({tabla({columna("Cupón", ado::adInteger)}, {1001, 1002}),
                            tabla({columna("Total", ado::adCurrency)}, {12.5})});
        l.valorRetorno = 7;
        return l;
    };
    Odbc odbc;
    conectar(odbc);
    SQLHSTMT st = odbc.sentencia();
    SQLINTEGER retorno = -1, entrada = 42, salidaEntera = -1;
    SQLLEN indRetorno = 0, indEntrada = 0, indTexto = SQL_NTS, indSalidaEntera = 0, indSalidaTexto = 0;
    QString nombre = QStringLiteral("Ñandú");
    SQLWCHAR salidaTexto[100] = {};
    SQLBindParameter(st, 1, SQL_PARAM_OUTPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &retorno, 0, &indRetorno);
    SQLBindParameter(st, 2, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &entrada, 0, &indEntrada);
    SQLBindParameter(st, 3, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_VARCHAR, 30, 0, ancho(nombre), 0, &indTexto);
    SQLBindParameter(st, 4, SQL_PARAM_OUTPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &salidaEntera, 0,
                     &indSalidaEntera);
    SQLBindParameter(st, 5, SQL_PARAM_OUTPUT, SQL_C_WCHAR, SQL_VARCHAR, 50, 0, salidaTexto,
                     sizeof salidaTexto, &indSalidaTexto);
    const SQLRETURN r =
        SQLExecDirectW(st, ancho(QStringLiteral("{? = call spGenerarCierre(?, ?, ?, ?)}")), SQL_NTS);
    QVERIFY2(r == SQL_SUCCESS, qPrintable(describir(odbc.registrosSentencia())));
    QCOMPARE(odbc.filas(), (QVector<QStringList>{{"1001"}, {"1002"}}));
    QCOMPARE(odbc.masResultados(), SQLRETURN(SQL_SUCCESS));
    QCOMPARE(odbc.filas(), (QVector<QStringList>{{"12.5000"}}));
    // Output parameters arrive once every result set has been read.
    QCOMPARE(odbc.masResultados(), SQLRETURN(SQL_NO_DATA));
    QCOMPARE(retorno, 7);
    QCOMPARE(salidaEntera, 99);
    QCOMPARE(deAncho(salidaTexto, indSalidaTexto / 2), QStringLiteral("Cierre 2024/03 de Ñandú"));

    const auto llamadas = mGuion->llamadas();
    QCOMPARE(llamadas.size(), 1);
    QCOMPARE(llamadas[0].procedimiento, QStringLiteral("spGenerarCierre"));
    const auto& p = llamadas[0].parametros;
    QCOMPARE(p.size(), 4);
    QCOMPARE((QVector<int>{p[0].tipo, p[1].tipo, p[2].tipo, p[3].tipo}),
             (QVector<int>{ado::adInteger, ado::adVarChar, ado::adInteger, ado::adVarChar}));
    for (int i = 0; i < p.size(); ++i)
        QCOMPARE(p[i].direccion, i < 2 ? ado::Direccion::Entrada : ado::Direccion::Salida);
    QCOMPARE(p[0].valor, QVariant(42));
    QCOMPARE(p[1].valor, QVariant(QStringLiteral("Ñandú")));
    QVERIFY(ado::esNulo(p[2].valor) && ado::esNulo(p[3].valor));
    QCOMPARE(p[3].tamano, 50);
}

void tst_tdsOdbc::tiposDeParametro_data()
{
    QTest::addColumn<int>("tipoSql");
    QTest::addColumn<int>("tamano");
    QTest::addColumn<int>("decimales");
    QTest::addColumn<QString>("entrada"); // null: SQL_NULL_DATA
    QTest::addColumn<int>("tipoAdo");
    QTest::addColumn<QVariant>("valor"); // what the engine receives
    QTest::addColumn<QString>("salida"); // what comes back through an output parameter of the same type

    const QString largo(9000, u'ñ');
    filaParametro("int", SQL_INTEGER, 0, 0, "-123", ado::adInteger, -123);
    filaParametro("int nulo", SQL_INTEGER, 0, 0, {}, ado::adInteger, {});
    filaParametro("smallint", SQL_SMALLINT, 0, 0, "-32768", ado::adSmallInt, -32768);
    filaParametro("bigint", SQL_BIGINT, 0, 0, "9007199254740993", ado::adBigInt,
                  qlonglong(9007199254740993LL));
    filaParametro("bit", SQL_BIT, 0, 0, "1", ado::adBoolean, true);
    filaParametro("float", SQL_FLOAT, 0, 0, "3.25", ado::adDouble, 3.25);
    filaParametro("decimal", SQL_DECIMAL, 10, 2, "-1234.56", ado::adDecimal, -1234.56);
    filaParametro("decimal nulo", SQL_DECIMAL, 10, 2, {}, ado::adDecimal, {});
    filaParametro("numeric", SQL_NUMERIC, 18, 4, "0.5", ado::adNumeric, 0.5, "0.5000");
    filaParametro("varchar", SQL_VARCHAR, 30, 0, "Prácticas Ñandú €", ado::adVarChar, "Prácticas Ñandú €");
    filaParametro("varchar nulo", SQL_VARCHAR, 30, 0, {}, ado::adVarChar, {});
    filaParametro("varchar vacío", SQL_VARCHAR, 30, 0, "", ado::adVarChar, "");
    filaParametro("char", SQL_CHAR, 10, 0, "Ñandú", ado::adChar, "Ñandú");
    filaParametro("nvarchar", SQL_WVARCHAR, 20, 0, "Ω ñ ✓", ado::adVarWChar, "Ω ñ ✓");
    filaParametro("nchar", SQL_WCHAR, 5, 0, "Ωmega", ado::adWChar, "Ωmega");
    filaParametro("datetime", SQL_TYPE_TIMESTAMP, 23, 3, "2024-03-15 10:20:30.997", ado::adDBTimeStamp,
                  kFecha, "2024-03-15 10:20:30.9970000");
    filaParametro("datetime nulo", SQL_TYPE_TIMESTAMP, 23, 3, {}, ado::adDBTimeStamp, {});
    filaParametro("texto largo", SQL_WLONGVARCHAR, 20000, 0, largo, ado::adLongVarWChar, largo);
}

void tst_tdsOdbc::tiposDeParametro()
{
    QFETCH(int, tipoSql);
    QFETCH(int, tamano);
    QFETCH(int, decimales);
    QFETCH(QString, entrada);
    QFETCH(int, tipoAdo);
    QFETCH(QVariant, valor);
    QFETCH(QString, salida);

    mGuion->alLlamar = [](const QString&, QVector<ado::ParametroMotor>& p) {
        p[1].valor = p[0].valor;
        return ado::Lote();
    };
    Odbc odbc;
    conectar(odbc);
    SQLHSTMT st = odbc.sentencia();
    SQLLEN indEntrada = entrada.isNull() ? SQL_NULL_DATA : SQL_NTS;
    std::vector<SQLWCHAR> devuelto(20001, u'?');
    SQLLEN indSalida = 0;
    SQLBindParameter(st, 1, SQL_PARAM_INPUT, SQL_C_WCHAR, SQLSMALLINT(tipoSql), SQLULEN(tamano),
                     SQLSMALLINT(decimales), ancho(entrada), 0, &indEntrada);
    SQLBindParameter(st, 2, SQL_PARAM_OUTPUT, SQL_C_WCHAR, SQLSMALLINT(tipoSql), SQLULEN(tamano),
                     SQLSMALLINT(decimales), devuelto.data(), SQLLEN(devuelto.size() * sizeof(SQLWCHAR)),
                     &indSalida);
    // A call without result sets ends at once: the driver answers SQL_NO_DATA, outputs already in place.
    const SQLRETURN r = SQLExecDirectW(st, ancho(QStringLiteral("{call spRebote(?, ?)}")), SQL_NTS);
    QVERIFY2(r == SQL_NO_DATA, qPrintable(QString::number(r) + describir(odbc.registrosSentencia())));

    const auto llamadas = mGuion->llamadas();
    QCOMPARE(llamadas.size(), 1);
    const ado::ParametroMotor& p = llamadas[0].parametros[0];
    QCOMPARE(p.tipo, tipoAdo);
    QCOMPARE(p.direccion, ado::Direccion::Entrada);
    QCOMPARE(p.valor.isValid(), valor.isValid());
    QCOMPARE(p.valor, valor);
    QCOMPARE(llamadas[0].parametros[1].tipo, tipoAdo);
    QCOMPARE(llamadas[0].parametros[1].direccion, ado::Direccion::Salida);
    const QString leido = indSalida == SQL_NULL_DATA ? kNulo : deAncho(devuelto.data(), indSalida / 2);
    QCOMPARE(leido, salida);
}

void tst_tdsOdbc::sentenciaConParametros()
{
    // A statement with markers travels through sp_executesql; the engine gets it with literals in place.
    mGuion->alEjecutar = [](const QString&) { return lote({tabla({columna("n", ado::adInteger)}, {1})}); };
    Odbc odbc;
    conectar(odbc);
    SQLHSTMT st = odbc.sentencia();
    QString nombre = QStringLiteral("O'Brien Ñ");
    SQLINTEGER id = 5;
    SQLLEN indNombre = SQL_NTS, indId = 0;
    SQLBindParameter(st, 1, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, 30, 0, ancho(nombre), 0, &indNombre);
    SQLBindParameter(st, 2, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &id, 0, &indId);
    const SQLRETURN r = SQLExecDirectW(
        st, ancho(QStringLiteral("SELECT n FROM Prestadores WHERE Nombre = ? AND Id = ?")), SQL_NTS);
    QVERIFY2(SQL_SUCCEEDED(r), qPrintable(describir(odbc.registrosSentencia())));
    QCOMPARE(odbc.filas(), QVector<QStringList>{{"1"}});
    QCOMPARE(mGuion->sentencias(), QStringList{QStringLiteral(
                                       "SELECT n FROM Prestadores WHERE Nombre = N'O''Brien Ñ' AND Id = 5")});
}

QTEST_GUILESS_MAIN(tst_tdsOdbc)
#include "tst_tdsOdbc.moc"
