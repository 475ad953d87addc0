// Values on the wire without a network: the rounding and limits the driver tests (tst_tdsOdbc) do not reach,
// what cannot be written is refused, and the few rules of the format that a client depends on.

#include "tds/Peticiones.h"
#include "tds/TiposTds.h"

#include <QTest>

using namespace dalvo;
using namespace dalvo::tds;

Q_DECLARE_METATYPE(dalvo::tds::TipoTds)

namespace {

TipoTds tipoTds(quint8 t, quint32 largo, quint8 precision = 0, quint8 escala = 0)
{
    TipoTds r;
    r.tipo = t;
    r.largo = largo;
    r.precision = precision;
    r.escala = escala;
    if (r.esTexto())
        r.colacion = colacionLatin1();
    return r;
}

QDateTime fecha(const QString& texto)
{
    return QDateTime::fromString(texto, Qt::ISODateWithMs);
}

ParametroRpc parametro(const QString& nombre, const TipoTds& t, const QVariant& valor)
{
    ParametroRpc p;
    p.nombre = nombre;
    p.tipo = t;
    p.valor = valor;
    return p;
}

// esperado: what reads back when the format changes the value.
void ida(const char* nombre, const TipoTds& t, const QVariant& valor, const QVariant& esperado)
{
    QTest::newRow(nombre) << t << valor << esperado << true;
}
void ida(const char* nombre, const TipoTds& t, const QVariant& valor)
{
    ida(nombre, t, valor, valor);
}

void tipoColumna(const char* nombre, int tipoAdo, int tamano, const QString& valor, quint8 tipo,
                 quint32 largo)
{
    QTest::newRow(nombre) << tipoAdo << tamano << valor << int(tipo) << int(largo);
}

void sentencia(const char* nombre, const QString& texto, const QString& declaracion,
               const QVector<ParametroRpc>& parametros, const QString& esperada)
{
    QTest::newRow(nombre) << texto << declaracion << parametros << esperada;
}

// A value its type cannot hold: the server refuses to write it.
void noCabe(const char* nombre, const TipoTds& t, const QVariant& valor)
{
    QTest::newRow(nombre) << t << valor << QVariant() << false;
}

} // namespace

class tst_tdsTipos : public QObject
{
    Q_OBJECT

private slots:
    void valorIdaYVuelta_data();
    void valorIdaYVuelta();
    void tipoDeColumnaCabeSusValores_data();
    void tipoDeColumnaCabeSusValores();
    void sentenciaDeExecuteSql_data();
    void sentenciaDeExecuteSql();
    void soloOpcionesDeSesion_data();
    void soloOpcionesDeSesion();
};

void tst_tdsTipos::valorIdaYVuelta_data()
{
    QTest::addColumn<TipoTds>("tipo");
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<QVariant>("esperado");
    QTest::addColumn<bool>("cabe");

    ida("int nulo", tipoTds(tipo::INTN, 4), {});
    ida("bit nulo", tipoTds(tipo::BITN, 1), {});
    ida("real", tipoTds(tipo::FLTN, 4), 1.5);
    ida("money grande", tipoTds(tipo::MONEYN, 8), 123456789012.34);
    ida("money redondea a 4 decimales", tipoTds(tipo::MONEYN, 8), 0.123456, 0.1235);
    ida("numeric de 38 dígitos", tipoTds(tipo::NUMERICN, 17, 38, 4), 12345678901234.5678);
    ida("datetime redondea a 1/300 s", tipoTds(tipo::DATETIMN, 8), fecha("2024-03-15T10:00:00.002"),
        fecha("2024-03-15T10:00:00.003"));
    ida("datetime .999 pasa al día siguiente", tipoTds(tipo::DATETIMN, 8), fecha("2024-12-31T23:59:59.999"),
        fecha("2025-01-01T00:00:00.000"));
    ida("primer día de datetime", tipoTds(tipo::DATETIMN, 8), fecha("1753-01-01T00:00:00"));
    ida("último instante de datetime", tipoTds(tipo::DATETIMN, 8), fecha("9999-12-31T23:59:59.997"));
    ida("datetime2(7)", tipoTds(tipo::DATETIME2N, 0, 0, 7), fecha("2024-03-15T10:20:30.123"));
    ida("datetime2(0) pierde las fracciones", tipoTds(tipo::DATETIME2N, 0, 0, 0),
        fecha("2024-03-15T10:20:30.500"), fecha("2024-03-15T10:20:30"));
    ida("varchar fuera de la página de códigos", tipoTds(tipo::BIGVARCHR, 30), "Ωmega", "?mega");
    ida("varchar vacío no es nulo", tipoTds(tipo::BIGVARCHR, 30), "");
    ida("varchar(max) vacío", tipoTds(tipo::BIGVARCHR, kLargoMax), "");
    ida("varchar(max) nulo", tipoTds(tipo::BIGVARCHR, kLargoMax), {});
    ida("nvarchar(max)", tipoTds(tipo::NVARCHAR, kLargoMax), QString(5000, u'ñ'));
    noCabe("int desborda", tipoTds(tipo::INTN, 4), qlonglong(2147483648LL));
    noCabe("tinyint negativo", tipoTds(tipo::INTN, 1), -1);
    noCabe("smallint desborda", tipoTds(tipo::INTN, 2), 40000);
    noCabe("texto en un int", tipoTds(tipo::INTN, 4), "doce");
    noCabe("numeric sin dígitos de sobra", tipoTds(tipo::NUMERICN, 5, 5, 2), 1000.0);
    noCabe("varchar más largo que su columna", tipoTds(tipo::BIGVARCHR, 3), "abcd");
    noCabe("fecha ilegible", tipoTds(tipo::DATETIMN, 8), "no es fecha");
    noCabe("float no finito", tipoTds(tipo::FLTN, 8), std::numeric_limits<double>::infinity());
}

void tst_tdsTipos::valorIdaYVuelta()
{
    QFETCH(TipoTds, tipo);
    QFETCH(QVariant, valor);
    QFETCH(QVariant, esperado);
    QFETCH(bool, cabe);

    Escritor e;
    if (!cabe) {
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, escribirValor(e, tipo, valor));
        return;
    }
    escribirValor(e, tipo, valor);
    e.u8(0x7E); // whatever follows must stay where it is
    Lector l(e.datos());
    const QVariant leido = leerValor(l, tipo);
    QCOMPARE(leido.isValid(), esperado.isValid());
    QCOMPARE(leido, esperado);
    QCOMPARE(l.u8(), quint8(0x7E));
    QVERIFY(l.fin());
}

void tst_tdsTipos::tipoDeColumnaCabeSusValores_data()
{
    QTest::addColumn<int>("tipoAdo");
    QTest::addColumn<int>("tamano");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<int>("tipoEsperado");
    QTest::addColumn<int>("largoEsperado");

    tipoColumna("varchar con un valor más largo que lo declarado", ado::adVarChar, 10, QString(15, u'x'),
                tipo::BIGVARCHR, 15);
    tipoColumna("varchar sin tamaño ni valores", ado::adVarChar, 0, {}, tipo::BIGVARCHR, 1);
    tipoColumna("char de más de 8000 pasa a varchar(max)", ado::adChar, 10000, {}, tipo::BIGVARCHR,
                kLargoMax);
    tipoColumna("nvarchar cuenta bytes", ado::adVarWChar, 4000, {}, tipo::NVARCHAR, 8000);
    tipoColumna("nvarchar de más de 4000", ado::adVarWChar, 4001, {}, tipo::NVARCHAR, kLargoMax);
    tipoColumna("tipo desconocido como texto", ado::adVariant, 5, "abc", tipo::NVARCHAR, 10);
}

void tst_tdsTipos::tipoDeColumnaCabeSusValores()
{
    QFETCH(int, tipoAdo);
    QFETCH(int, tamano);
    QFETCH(QString, valor);
    QFETCH(int, tipoEsperado);
    QFETCH(int, largoEsperado);

    ado::Tabla t;
    ado::Columna c;
    c.tipo = tipoAdo;
    c.tamanoDefinido = tamano;
    t.columnas = {c};
    if (!valor.isNull())
        t.celdas = {QVariant(valor), QVariant()};
    const TipoTds r = tipoDeColumna(c, t, 0);
    QCOMPARE(int(r.tipo), tipoEsperado);
    QCOMPARE(int(r.largo), largoEsperado);
    Escritor e;
    for (const QVariant& v : t.celdas)
        escribirValor(e, r, v); // every value fits the declared type
}

void tst_tdsTipos::sentenciaDeExecuteSql_data()
{
    QTest::addColumn<QString>("sentencia");
    QTest::addColumn<QString>("declaracion");
    QTest::addColumn<QVector<ParametroRpc>>("parametros");
    QTest::addColumn<QString>("esperada");

    const TipoTds entero = tipoTds(tipo::INTN, 4);
    const TipoTds decimal = tipoTds(tipo::DECIMALN, 9, 10, 2);
    sentencia("comilla duplicada", "SELECT * FROM T WHERE N = @P1", "@P1 nvarchar(20)",
              {parametro("@P1", tipoTds(tipo::NVARCHAR, 40), "O'Brien")},
              "SELECT * FROM T WHERE N = N'O''Brien'");
    sentencia("@P1 no toca @P12", "SELECT @P1, @P12", "@P1 int,@P12 int",
              {parametro("@P1", entero, 1), parametro("@P12", entero, 12)}, "SELECT 1, 12");
    sentencia("nada dentro de literales ni corchetes", "SELECT '@P1', [@P1], @P1 -- @P1\n", "@P1 int",
              {parametro("@P1", entero, 5)}, "SELECT '@P1', [@P1], 5 -- @P1\n");
    sentencia("varchar sin N", "SELECT @P1", "@P1 varchar(5)",
              {parametro("@P1", tipoTds(tipo::BIGVARCHR, 5), "ñ")}, "SELECT 'ñ'");
    sentencia("decimal con su escala", "SELECT @P1", "@P1 decimal(10,2)", {parametro("@P1", decimal, -12.5)},
              "SELECT -12.50");
    sentencia("sin nombres: orden de la declaración", "SELECT @b, @a", "@a int, @b decimal(10,2)",
              {parametro("", entero, 1), parametro("", decimal, 2.0)}, "SELECT 2.00, 1");
}

void tst_tdsTipos::sentenciaDeExecuteSql()
{
    QFETCH(QString, sentencia);
    QFETCH(QString, declaracion);
    QFETCH(QVector<ParametroRpc>, parametros);
    QFETCH(QString, esperada);

    LlamadaRpc c;
    c.idProcedimiento = kSpExecuteSql;
    c.parametros = {parametro("@stmt", tipoTds(tipo::NVARCHAR, kLargoMax), sentencia),
                    parametro("@params", tipoTds(tipo::NVARCHAR, kLargoMax), declaracion)};
    c.parametros += parametros;
    QCOMPARE(tds::sentenciaDeExecuteSql(c), esperada);
}

void tst_tdsTipos::soloOpcionesDeSesion_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<bool>("local");

    QTest::newRow("textsize") << "SET TEXTSIZE 4096" << true;
    QTest::newRow("varias en líneas") << "set ansi_nulls on\r\nset QUOTED_IDENTIFIER on;" << true;
    QTest::newRow("varias en una línea") << "SET TEXTSIZE 2147483647 SET ANSI_WARNINGS ON" << true;
    QTest::newRow("con una consulta") << "SET NOCOUNT ON; SELECT 1" << false;
    QTest::newRow("rowcount cambia resultados") << "SET ROWCOUNT 10" << false;
    QTest::newRow("rowcount seguido de un borrado") << "SET ROWCOUNT 0 DELETE FROM T" << false;
    QTest::newRow("variable") << "SET @x = 1" << false;
    QTest::newRow("vacío") << "  " << false;
}

void tst_tdsTipos::soloOpcionesDeSesion()
{
    QFETCH(QString, sql);
    QFETCH(bool, local);
    QCOMPARE(tds::soloOpcionesDeSesion(sql), local);
}

QTEST_GUILESS_MAIN(tst_tdsTipos)
#include "tst_tdsTipos.moc"
