// The server through the real FreeTDS ODBC driver: log-in, data types both ways, procedure calls with several
// result sets, output parameters and return status; and its faults: time-outs, cancels, links dropped while
// idle, before a reply and in the middle of rows. Statements, errors and messages are proven with the
// program's own engine in tests/e2e.

#include "tds/Entorno.h"
#include "tds/MotorFalso.h"
#include "tds/Odbc.h"
#include "tds/ServidorTds.h"
#include "tds/Vigia.h"

#include <QTest>
#include <thread>

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

// Every statement gets `filas` rows: n, and a text that names the statement.
ado::Lote filasDe(const QString& sql, int filas)
{
    ado::Tabla t = tabla({columna("n", ado::adInteger), columna("sentencia", ado::adVarChar, 60)}, {});
    for (int i = 1; i <= filas; ++i)
        t.celdas << i << sql;
    return lote({t});
}

const QDateTime kFecha = QDateTime::fromString(QStringLiteral("2024-03-15T10:20:30.997"), Qt::ISODateWithMs);

void filaLogin(const char* nombre, const QString& usuario, const QString& clave, const QString& base,
               const QString& estado = {}, int nativo = 0)
{
    QTest::newRow(nombre) << usuario << clave << base << estado << nativo;
}

// texto: what the client reads of the column, also the parameter's input; salida: what the output parameter
// reads back when it differs; descrito: the column's type as the driver describes it, when not tipoSql.
void fila(const char* nombre, int tipoAdo, int tamano, int escala, const QVariant& valor,
          const QString& texto, int tipoSql, const QString& salida = {}, bool comoParametro = true,
          int descrito = 0)
{
    QTest::newRow(nombre) << tipoAdo << tamano << escala << valor << texto << tipoSql
                          << (salida.isNull() ? texto : salida) << comoParametro
                          << (descrito ? descrito : tipoSql);
}

// Types a bound parameter does not bring back as themselves (the driver sends them as other types).
void soloColumna(const char* nombre, int tipoAdo, int tamano, const QVariant& valor, const QString& texto,
                 int tipoSql)
{
    fila(nombre, tipoAdo, tamano, 0, valor, texto, tipoSql, {}, false);
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
    void idaYVuelta_data();
    void idaYVuelta();
    void procedimientoConSalidas();
    void atencion_data();
    void atencion();
    void cortes_data();
    void cortes();

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
    mGuion->alEjecutar = [](const QString& sql) { return filasDe(sql, 5); };
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

// Each type both ways: as a result column (the type the driver describes, the text it reads) and as a
// parameter bound with that SQL type (what the engine receives, what an output parameter reads back).
void tst_tdsOdbc::idaYVuelta_data()
{
    QTest::addColumn<int>("tipoAdo");
    QTest::addColumn<int>("tamano"); // length, or precision
    QTest::addColumn<int>("escala");
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("tipoSql");
    QTest::addColumn<QString>("salida");
    QTest::addColumn<bool>("comoParametro");
    QTest::addColumn<int>("descrito");

    const QString largo(9000, u'ñ');
    fila("int", ado::adInteger, 0, 0, -2147483647 - 1, "-2147483648", SQL_INTEGER);
    fila("int nulo", ado::adInteger, 0, 0, {}, kNulo, SQL_INTEGER);
    fila("smallint", ado::adSmallInt, 0, 0, -32768, "-32768", SQL_SMALLINT);
    fila("tinyint", ado::adUnsignedTinyInt, 0, 0, 255, "255", SQL_TINYINT);
    fila("bigint", ado::adBigInt, 0, 0, qlonglong(9007199254740993LL), "9007199254740993", SQL_BIGINT);
    fila("bit", ado::adBoolean, 0, 0, true, "1", SQL_BIT);
    fila("float", ado::adDouble, 0, 0, 3.25, "3.25", SQL_DOUBLE);
    fila("real", ado::adSingle, 0, 0, 1.5, "1.5", SQL_REAL);
    fila("numeric nulo", ado::adNumeric, 10, 2, {}, kNulo, SQL_NUMERIC);
    fila("numeric", ado::adNumeric, 10, 2, -12345678.91, "-12345678.91", SQL_NUMERIC);
    fila("numeric menor que uno", ado::adNumeric, 5, 3, 0.5, "0.500", SQL_NUMERIC);
    fila("datetime", ado::adDBTimeStamp, 23, 3, kFecha, "2024-03-15 10:20:30.997", SQL_TYPE_TIMESTAMP,
         "2024-03-15 10:20:30.9970000");
    fila("datetime nulo", ado::adDBTimeStamp, 23, 3, {}, kNulo, SQL_TYPE_TIMESTAMP);
    fila("char", ado::adChar, 10, 0, "Ñandú     ", "Ñandú     ", SQL_CHAR);
    fila("varchar", ado::adVarChar, 30, 0, "Prácticas Ñandú €", "Prácticas Ñandú €", SQL_VARCHAR);
    fila("varchar nulo", ado::adVarChar, 30, 0, {}, kNulo, SQL_VARCHAR);
    fila("varchar vacío", ado::adVarChar, 30, 0, "", "", SQL_VARCHAR);
    fila("nchar", ado::adWChar, 5, 0, "Ωmega", "Ωmega", SQL_WCHAR);
    fila("nvarchar", ado::adVarWChar, 20, 0, "Ñandú Ω ✓", "Ñandú Ω ✓", SQL_WVARCHAR);
    // A long text is bound as SQL_WLONGVARCHAR (SQL_WVARCHAR stops at 4000); its column reads as
    // nvarchar(max).
    fila("texto largo", ado::adLongVarWChar, 20000, 0, largo, largo, SQL_WLONGVARCHAR, {}, true,
         SQL_WVARCHAR);
    soloColumna("tinyint con signo", ado::adTinyInt, 0, 7, "7", SQL_TINYINT);
    soloColumna("money", ado::adCurrency, 0, -1234.5678, "-1234.5678", SQL_DECIMAL);
    soloColumna("varchar(max)", ado::adVarChar, 0, QString(9000, u'á'), QString(9000, u'á'), SQL_VARCHAR);
}

void tst_tdsOdbc::idaYVuelta()
{
    QFETCH(int, tipoAdo);
    QFETCH(int, tamano);
    QFETCH(int, escala);
    QFETCH(QVariant, valor);
    QFETCH(QString, texto);
    QFETCH(int, tipoSql);
    QFETCH(QString, salida);
    QFETCH(bool, comoParametro);
    QFETCH(int, descrito);

    const ado::Columna c = columna("c", tipoAdo, tamano, tamano, escala);
    mGuion->alEjecutar = [&](const QString&) { return lote({tabla({c}, {valor, QVariant()})}); };
    mGuion->alLlamar = [](const QString&, QVector<ado::ParametroMotor>& p) {
        p[1].valor = p[0].valor;
        return ado::Lote();
    };
    Odbc odbc;
    conectar(odbc);
    SQLHSTMT st = odbc.sentencia();
    QCOMPARE(odbc.ejecutar(QStringLiteral("SELECT c FROM T")), SQLRETURN(SQL_SUCCESS));
    SQLSMALLINT tipo = 0;
    SQLDescribeColW(st, 1, nullptr, 0, nullptr, &tipo, nullptr, nullptr, nullptr);
    QCOMPARE(int(tipo), descrito);
    QCOMPARE(odbc.filas(), (QVector<QStringList>{{texto}, {kNulo}}));
    if (!comoParametro)
        return;

    SQLFreeStmt(st, SQL_CLOSE);
    const QString entrada = texto == kNulo ? QString() : texto;
    SQLLEN indEntrada = entrada.isNull() ? SQL_NULL_DATA : SQL_NTS;
    std::vector<SQLWCHAR> devuelto(20001, u'?');
    SQLLEN indSalida = 0;
    SQLBindParameter(st, 1, SQL_PARAM_INPUT, SQL_C_WCHAR, SQLSMALLINT(tipoSql), SQLULEN(tamano),
                     SQLSMALLINT(escala), ancho(entrada), 0, &indEntrada);
    SQLBindParameter(st, 2, SQL_PARAM_OUTPUT, SQL_C_WCHAR, SQLSMALLINT(tipoSql), SQLULEN(tamano),
                     SQLSMALLINT(escala), devuelto.data(), SQLLEN(devuelto.size() * sizeof(SQLWCHAR)),
                     &indSalida);
    // A call without result sets ends at once: the driver answers SQL_NO_DATA, outputs already in place.
    const SQLRETURN r = SQLExecDirectW(st, ancho(QStringLiteral("{call spRebote(?, ?)}")), SQL_NTS);
    QVERIFY2(r == SQL_NO_DATA, qPrintable(QString::number(r) + describir(odbc.registrosSentencia())));
    const auto llamadas = mGuion->llamadas();
    QCOMPARE(llamadas.size(), 1);
    const auto& p = llamadas[0].parametros;
    QCOMPARE((QVector<int>{p[0].tipo, p[1].tipo}), (QVector<int>{tipoAdo, tipoAdo}));
    QCOMPARE(p[0].direccion, ado::Direccion::Entrada);
    QCOMPARE(p[1].direccion, ado::Direccion::Salida);
    QCOMPARE(p[0].valor.isValid(), valor.isValid());
    QCOMPARE(p[0].valor, valor);
    QCOMPARE(indSalida == SQL_NULL_DATA ? kNulo : deAncho(devuelto.data(), indSalida / 2), salida);
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

void tst_tdsOdbc::atencion_data()
{
    QTest::addColumn<bool>("cancelar"); // false: the driver's time-out cancels
    QTest::addColumn<QString>("estado");
    QTest::newRow("tiempo agotado") << false << "HYT00";
    QTest::newRow("cancelada") << true << "HY008";
}

// A held reply ends with an ATTENTION: the statement never reaches the engine, other links are served
// meanwhile (each has its own thread) and the same link answers the next statement.
void tst_tdsOdbc::atencion()
{
    QFETCH(bool, cancelar);
    QFETCH(QString, estado);

    Odbc lenta;
    Odbc rapida;
    conectar(lenta);
    conectar(rapida);
    if (!cancelar)
        SQLSetStmtAttr(lenta.sentencia(), SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(1), 0);
    mServidor->armarAveria({Averia::Tipo::Demorar, 0, 15000, QStringLiteral("lenta")});

    SQLRETURN r = SQL_SUCCESS;
    QVector<Registro> registros;
    std::thread hilo([&] {
        r = lenta.ejecutar(QStringLiteral("SELECT lenta"));
        registros = lenta.registrosSentencia();
    });
    QTRY_COMPARE(mServidor->averiasArmadas(), 0); // the slow request is being held
    QCOMPARE(rapida.ejecutar(QStringLiteral("SELECT rapida")), SQLRETURN(SQL_SUCCESS));
    QCOMPARE(rapida.filas().size(), 5);
    if (cancelar)
        SQLCancel(lenta.sentencia());
    hilo.join();

    QCOMPARE(r, SQLRETURN(SQL_ERROR));
    QVERIFY2(contiene(registros, estado), qPrintable(describir(registros)));
    QCOMPARE(mServidor->atenciones(), 1);
    QVERIFY(!mGuion->sentencias().contains(QStringLiteral("SELECT lenta")));
    QVERIFY(!lenta.conexionMuerta());
    QCOMPARE(lenta.ejecutar(QStringLiteral("SELECT otra")), SQLRETURN(SQL_SUCCESS));
    QCOMPARE(lenta.filas().first(), (QStringList{"1", "SELECT otra"}));
}

void tst_tdsOdbc::cortes_data()
{
    QTest::addColumn<int>("corte");
    QTest::addColumn<bool>("llegaAlMotor");

    QTest::newRow("en reposo") << -1 << false;
    QTest::newRow("antes de responder") << int(Averia::Tipo::CortarAntesDeResponder) << false;
    QTest::newRow("entre filas") << int(Averia::Tipo::CortarEntreFilas) << true;
}

void tst_tdsOdbc::cortes()
{
    QFETCH(int, corte);
    QFETCH(bool, llegaAlMotor);

    Odbc odbc;
    conectar(odbc);
    QCOMPARE(odbc.ejecutar(QStringLiteral("SELECT antes")), SQLRETURN(SQL_SUCCESS));
    QCOMPARE(odbc.filas().size(), 5);
    const int conexion = mServidor->conexionesAceptadas();

    SQLRETURN r = SQL_SUCCESS;
    if (corte < 0) {
        mServidor->cortarEnReposo(conexion);
        QTRY_COMPARE(mServidor->conexionesAbiertas(), 0);
        r = odbc.ejecutar(QStringLiteral("SELECT cortada"));
    } else {
        mServidor->armarAveria({Averia::Tipo(corte), 2, 0, {}}, conexion);
        r = odbc.ejecutar(QStringLiteral("SELECT cortada"));
        if (llegaAlMotor) {
            // The rows sent before the cut are read; the next one meets the end of the link.
            QCOMPARE(r, SQLRETURN(SQL_SUCCESS));
            QCOMPARE(odbc.leerFila(), SQLRETURN(SQL_SUCCESS));
            QCOMPARE(odbc.leerFila(), SQLRETURN(SQL_SUCCESS));
            r = odbc.leerFila();
        }
    }
    QCOMPARE(r, SQLRETURN(SQL_ERROR));
    QVERIFY(!odbc.registrosSentencia().isEmpty());
    QCOMPARE(mGuion->sentencias().contains(QStringLiteral("SELECT cortada")), llegaAlMotor);

    // Whatever the first records said, the driver knows the link is gone.
    QVERIFY(odbc.conexionMuerta());
    QCOMPARE(odbc.ejecutar(QStringLiteral("SELECT despues")), SQLRETURN(SQL_ERROR));
    // The driver's own record says 08S01 (native 0): the program numbers it above 9999 (tests/e2e).
    const auto siguientes = odbc.registrosSentencia();
    QVERIFY2(contiene(siguientes, "08S01", 0), qPrintable(describir(siguientes)));

    // A new link is served as usual.
    Odbc otra;
    conectar(otra);
    QCOMPARE(otra.ejecutar(QStringLiteral("SELECT 1")), SQLRETURN(SQL_SUCCESS));
    QCOMPARE(otra.filas().size(), 5);
}

QTEST_GUILESS_MAIN(tst_tdsOdbc)
#include "tst_tdsOdbc.moc"
