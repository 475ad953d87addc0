// Values on the wire without a network: what the server writes reads back the same, what cannot be
// written is refused, and the few rules of the format that a client depends on.

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

} // namespace

class tst_tdsTipos : public QObject
{
    Q_OBJECT

private slots:
    void valorIdaYVuelta_data();
    void valorIdaYVuelta();
    void valorQueNoCabe_data();
    void valorQueNoCabe();
    void fechaTds_data();
    void fechaTds();
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

    const QString largo = QString(5000, u'ñ');
    QTest::newRow("int nulo") << tipoTds(tipo::INTN, 4) << QVariant() << QVariant();
    QTest::newRow("int mínimo") << tipoTds(tipo::INTN, 4) << QVariant(INT32_MIN) << QVariant(INT32_MIN);
    QTest::newRow("smallint") << tipoTds(tipo::INTN, 2) << QVariant(-32768) << QVariant(-32768);
    QTest::newRow("tinyint sin signo") << tipoTds(tipo::INTN, 1) << QVariant(255) << QVariant(255);
    QTest::newRow("bigint") << tipoTds(tipo::INTN, 8) << QVariant(qlonglong(-9007199254740993LL))
                            << QVariant(qlonglong(-9007199254740993LL));
    QTest::newRow("bit") << tipoTds(tipo::BITN, 1) << QVariant(true) << QVariant(true);
    QTest::newRow("bit nulo") << tipoTds(tipo::BITN, 1) << QVariant() << QVariant();
    QTest::newRow("float") << tipoTds(tipo::FLTN, 8) << QVariant(0.1) << QVariant(0.1);
    QTest::newRow("real") << tipoTds(tipo::FLTN, 4) << QVariant(1.5) << QVariant(1.5);
    QTest::newRow("money negativo") << tipoTds(tipo::MONEYN, 8) << QVariant(-1234.5678)
                                    << QVariant(-1234.5678);
    QTest::newRow("money grande") << tipoTds(tipo::MONEYN, 8) << QVariant(123456789012.34)
                                  << QVariant(123456789012.34);
    QTest::newRow("money redondea a 4 decimales")
        << tipoTds(tipo::MONEYN, 8) << QVariant(0.123456) << QVariant(0.1235);
    QTest::newRow("numeric negativo")
        << tipoTds(tipo::NUMERICN, 9, 10, 2) << QVariant(-12345678.91) << QVariant(-12345678.91);
    QTest::newRow("numeric de 38 dígitos") << tipoTds(tipo::NUMERICN, 17, 38, 4)
                                           << QVariant(12345678901234.5678) << QVariant(12345678901234.5678);
    QTest::newRow("decimal nulo") << tipoTds(tipo::DECIMALN, 5, 9, 2) << QVariant() << QVariant();
    QTest::newRow("datetime con milisegundos")
        << tipoTds(tipo::DATETIMN, 8) << QVariant(fecha("2024-03-15T10:20:30.997"))
        << QVariant(fecha("2024-03-15T10:20:30.997"));
    QTest::newRow("datetime redondea a 1/300 s")
        << tipoTds(tipo::DATETIMN, 8) << QVariant(fecha("2024-03-15T10:00:00.002"))
        << QVariant(fecha("2024-03-15T10:00:00.003"));
    QTest::newRow("datetime .999 pasa al día siguiente")
        << tipoTds(tipo::DATETIMN, 8) << QVariant(fecha("2024-12-31T23:59:59.999"))
        << QVariant(fecha("2025-01-01T00:00:00.000"));
    QTest::newRow("datetime antes de 1900")
        << tipoTds(tipo::DATETIMN, 8) << QVariant(fecha("1753-01-01T00:00:00"))
        << QVariant(fecha("1753-01-01T00:00:00"));
    QTest::newRow("datetime2(7)") << tipoTds(tipo::DATETIME2N, 0, 0, 7)
                                  << QVariant(fecha("2024-03-15T10:20:30.123"))
                                  << QVariant(fecha("2024-03-15T10:20:30.123"));
    QTest::newRow("datetime2(0) pierde las fracciones")
        << tipoTds(tipo::DATETIME2N, 0, 0, 0) << QVariant(fecha("2024-03-15T10:20:30.500"))
        << QVariant(fecha("2024-03-15T10:20:30"));
    QTest::newRow("varchar con acentos y euro")
        << tipoTds(tipo::BIGVARCHR, 30) << QVariant("Prácticas Ñandú €") << QVariant("Prácticas Ñandú €");
    QTest::newRow("varchar fuera de la página de códigos")
        << tipoTds(tipo::BIGVARCHR, 30) << QVariant("Ωmega") << QVariant("?mega");
    QTest::newRow("varchar vacío no es nulo") << tipoTds(tipo::BIGVARCHR, 30) << QVariant("") << QVariant("");
    QTest::newRow("varchar nulo") << tipoTds(tipo::BIGVARCHR, 30) << QVariant() << QVariant();
    QTest::newRow("nvarchar") << tipoTds(tipo::NVARCHAR, 40) << QVariant("Ñandú Ω ✓")
                              << QVariant("Ñandú Ω ✓");
    QTest::newRow("nvarchar(max)") << tipoTds(tipo::NVARCHAR, kLargoMax) << QVariant(largo)
                                   << QVariant(largo);
    QTest::newRow("varchar(max) vacío")
        << tipoTds(tipo::BIGVARCHR, kLargoMax) << QVariant("") << QVariant("");
    QTest::newRow("varchar(max) nulo") << tipoTds(tipo::BIGVARCHR, kLargoMax) << QVariant() << QVariant();
}

void tst_tdsTipos::valorIdaYVuelta()
{
    QFETCH(TipoTds, tipo);
    QFETCH(QVariant, valor);
    QFETCH(QVariant, esperado);

    Escritor e;
    escribirValor(e, tipo, valor);
    e.u8(0x7E); // whatever follows must stay where it is
    Lector l(e.datos());
    const QVariant leido = leerValor(l, tipo);
    QCOMPARE(leido.isValid(), esperado.isValid());
    QCOMPARE(leido, esperado);
    QCOMPARE(l.u8(), quint8(0x7E));
    QVERIFY(l.fin());
}

void tst_tdsTipos::valorQueNoCabe_data()
{
    QTest::addColumn<TipoTds>("tipo");
    QTest::addColumn<QVariant>("valor");

    QTest::newRow("int desborda") << tipoTds(tipo::INTN, 4) << QVariant(qlonglong(2147483648LL));
    QTest::newRow("tinyint negativo") << tipoTds(tipo::INTN, 1) << QVariant(-1);
    QTest::newRow("tinyint desborda") << tipoTds(tipo::INTN, 1) << QVariant(256);
    QTest::newRow("smallint desborda") << tipoTds(tipo::INTN, 2) << QVariant(40000);
    QTest::newRow("texto en un int") << tipoTds(tipo::INTN, 4) << QVariant("doce");
    QTest::newRow("numeric sin dígitos de sobra") << tipoTds(tipo::NUMERICN, 5, 5, 2) << QVariant(1000.0);
    QTest::newRow("varchar más largo que su columna") << tipoTds(tipo::BIGVARCHR, 3) << QVariant("abcd");
    QTest::newRow("fecha ilegible") << tipoTds(tipo::DATETIMN, 8) << QVariant("no es fecha");
    QTest::newRow("float no finito") << tipoTds(tipo::FLTN, 8)
                                     << QVariant(std::numeric_limits<double>::infinity());
}

void tst_tdsTipos::valorQueNoCabe()
{
    QFETCH(TipoTds, tipo);
    QFETCH(QVariant, valor);

    Escritor e;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, escribirValor(e, tipo, valor));
}

void tst_tdsTipos::fechaTds_data()
{
    QTest::addColumn<QDateTime>("fecha");
    QTest::addColumn<qint32>("dias");
    QTest::addColumn<quint32>("tics");

    // Days since 1900-01-01 and 1/300 s since midnight, as SQL Server stores datetime.
    QTest::newRow("origen") << fecha("1900-01-01T00:00:00") << 0 << 0u;
    QTest::newRow("primer día de datetime") << fecha("1753-01-01T00:00:00") << -53690 << 0u;
    QTest::newRow("último instante") << fecha("9999-12-31T23:59:59.997") << 2958463 << 25919999u;
    QTest::newRow("mediodía de 2000") << fecha("2000-01-01T12:00:00") << 36524 << 12960000u;
}

void tst_tdsTipos::fechaTds()
{
    QFETCH(QDateTime, fecha);
    QFETCH(qint32, dias);
    QFETCH(quint32, tics);

    const FechaTds f = aFechaTds(fecha);
    QCOMPARE(f.dias, dias);
    QCOMPARE(f.tics, tics);
    QCOMPARE(deFechaTds(f), fecha);
}

void tst_tdsTipos::tipoDeColumnaCabeSusValores_data()
{
    QTest::addColumn<int>("tipoAdo");
    QTest::addColumn<int>("tamano");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<int>("tipoEsperado");
    QTest::addColumn<int>("largoEsperado");

    QTest::newRow("varchar con un valor más largo que lo declarado")
        << int(ado::adVarChar) << 10 << QString(15, u'x') << int(tipo::BIGVARCHR) << 15;
    QTest::newRow("varchar sin tamaño ni valores")
        << int(ado::adVarChar) << 0 << QString() << int(tipo::BIGVARCHR) << 1;
    QTest::newRow("varchar de más de 8000")
        << int(ado::adVarChar) << 0 << QString(9000, u'x') << int(tipo::BIGVARCHR) << int(kLargoMax);
    QTest::newRow("char de más de 8000 pasa a varchar(max)")
        << int(ado::adChar) << 10000 << QString() << int(tipo::BIGVARCHR) << int(kLargoMax);
    QTest::newRow("nvarchar cuenta bytes")
        << int(ado::adVarWChar) << 4000 << QString() << int(tipo::NVARCHAR) << 8000;
    QTest::newRow("nvarchar de más de 4000")
        << int(ado::adVarWChar) << 4001 << QString() << int(tipo::NVARCHAR) << int(kLargoMax);
    QTest::newRow("tipo desconocido como texto")
        << int(ado::adVariant) << 5 << QString("abc") << int(tipo::NVARCHAR) << 10;
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
    const TipoTds nvarchar = tipoTds(tipo::NVARCHAR, 40);
    QTest::newRow("comilla duplicada")
        << "SELECT * FROM T WHERE N = @P1"
        << "@P1 nvarchar(20)" << QVector<ParametroRpc>{parametro("@P1", nvarchar, "O'Brien")}
        << "SELECT * FROM T WHERE N = N'O''Brien'";
    QTest::newRow("@P1 no toca @P12")
        << "SELECT @P1, @P12"
        << "@P1 int,@P12 int"
        << QVector<ParametroRpc>{parametro("@P1", entero, 1), parametro("@P12", entero, 12)}
        << "SELECT 1, 12";
    QTest::newRow("nada dentro de literales ni corchetes")
        << "SELECT '@P1', [@P1], @P1 -- @P1\n"
        << "@P1 int" << QVector<ParametroRpc>{parametro("@P1", entero, 5)}
        << "SELECT '@P1', [@P1], 5 -- @P1\n";
    QTest::newRow("nulo") << "SELECT @P1"
                          << "@P1 int" << QVector<ParametroRpc>{parametro("@P1", entero, QVariant())}
                          << "SELECT NULL";
    QTest::newRow("varchar sin N") << "SELECT @P1"
                                   << "@P1 varchar(5)"
                                   << QVector<ParametroRpc>{parametro("@P1", tipoTds(tipo::BIGVARCHR, 5),
                                                                      "ñ")}
                                   << "SELECT 'ñ'";
    QTest::newRow("fecha") << "SELECT @P1"
                           << "@P1 datetime2"
                           << QVector<ParametroRpc>{parametro("@P1", tipoTds(tipo::DATETIME2N, 0, 0, 7),
                                                              fecha("2024-03-15T10:20:30.997"))}
                           << "SELECT '2024-03-15 10:20:30.997'";
    QTest::newRow("decimal con su escala")
        << "SELECT @P1"
        << "@P1 decimal(10,2)"
        << QVector<ParametroRpc>{parametro("@P1", tipoTds(tipo::DECIMALN, 9, 10, 2), -12.5)}
        << "SELECT -12.50";
    QTest::newRow("sin nombres: orden de la declaración")
        << "SELECT @b, @a"
        << "@a int, @b decimal(10,2)"
        << QVector<ParametroRpc>{parametro("", entero, 1),
                                 parametro("", tipoTds(tipo::DECIMALN, 9, 10, 2), 2.0)}
        << "SELECT 2.00, 1";
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
    QTest::newRow("dateformat cambia resultados") << "SET DATEFORMAT dmy" << false;
    QTest::newRow("rowcount seguido de un borrado") << "SET ROWCOUNT 0 DELETE FROM T" << false;
    QTest::newRow("update") << "UPDATE T SET A = 1" << false;
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
