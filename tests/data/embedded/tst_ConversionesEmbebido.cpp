// The demo server's value rules on their own: dates read and written as SQL Server does, conversions,
// LIKE and the CI_AS collation.
#include "data/Motor.h"
#include "data/embedded/Extensiones.h"
#include "data/embedded/Valor.h"

#include <QTest>

using namespace dalvo;
using namespace dalvo::embebido;

Q_DECLARE_METATYPE(dalvo::embebido::ValorSql)
Q_DECLARE_METATYPE(dalvo::embebido::TipoSql)

namespace {

QString fecha(const QString& texto, OrdenFecha orden = OrdenFecha::mdy, int estilo = 0)
{
    try {
        return leerFecha(texto, orden, estilo).almacenada();
    } catch (const ado::FallaMotor& f) {
        return QStringLiteral("error %1").arg(f.errores().value(0).Number);
    }
}

QString convertido(const ValorSql& v, const TipoSql& origen, const TipoSql& destino, int estilo = -1)
{
    try {
        const ValorSql r = convertir(v, origen, destino, estilo);
        switch (r.clase) {
        case ValorSql::Nulo:
            return QStringLiteral("NULL");
        case ValorSql::Entero:
            return QString::number(r.entero);
        case ValorSql::Real:
            return QString::number(r.real, 'g', 15);
        default:
            return r.texto;
        }
    } catch (const ado::FallaMotor& f) {
        return QStringLiteral("error %1").arg(f.errores().value(0).Number);
    }
}

} // namespace

class tst_ConversionesEmbebido : public QObject
{
    Q_OBJECT

private slots:
    void leeFechasComoSqlServer_data();
    void leeFechasComoSqlServer();
    void escribeFechasConCadaEstilo_data();
    void escribeFechasConCadaEstilo();
    void convierteComoSqlServer_data();
    void convierteComoSqlServer();
    void likeComoUnaColacionSinMayusculas_data();
    void likeComoUnaColacionSinMayusculas();
    void laColacionIgnoraMayusculasYBlancosFinales_data();
    void laColacionIgnoraMayusculasYBlancosFinales();
};

void tst_ConversionesEmbebido::leeFechasComoSqlServer_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("orden");
    QTest::addColumn<QString>("almacenada");
    const int mdy = int(OrdenFecha::mdy);
    const int dmy = int(OrdenFecha::dmy);
    QTest::newRow("mes primero con hora") << "05/31/2024 23:59:59" << mdy << "2024-05-31 23:59:59";
    QTest::newRow("mes primero sin hora") << "05/01/2024" << mdy << "2024-05-01 00:00:00";
    QTest::newRow("un digito") << "5/1/2024 7:05" << mdy << "2024-05-01 07:05:00";
    QTest::newRow("dia primero") << "01/05/2024" << dmy << "2024-05-01 00:00:00";
    QTest::newRow("ymd compacto en cualquier orden") << "20240531" << dmy << "2024-05-31 00:00:00";
    QTest::newRow("iso") << "2024-05-31T13:45:10" << mdy << "2024-05-31 13:45:10";
    QTest::newRow("anio primero") << "2024-05-31 13:45" << dmy << "2024-05-31 13:45:00";
    QTest::newRow("milisegundos") << "05/31/2024 13:45:10.250" << mdy << "2024-05-31 13:45:10.250";
    QTest::newRow("am pm") << "05/31/2024 1:45PM" << mdy << "2024-05-31 13:45:00";
    QTest::newRow("doce am") << "05/31/2024 12:10 AM" << mdy << "2024-05-31 00:10:00";
    QTest::newRow("nombre del mes") << "May 31 2024 1:45PM" << mdy << "2024-05-31 13:45:00";
    QTest::newRow("dia y nombre") << "31 May 2024" << mdy << "2024-05-31 00:00:00";
    QTest::newRow("anio de dos cifras") << "05/31/24" << mdy << "2024-05-31 00:00:00";
    QTest::newRow("anio de dos cifras antiguo") << "05/31/51" << mdy << "1951-05-31 00:00:00";
    QTest::newRow("vacio es 1900") << "" << mdy << "1900-01-01 00:00:00";
    QTest::newRow("blancos es 1900") << "   " << mdy << "1900-01-01 00:00:00";
    QTest::newRow("solo hora") << "10:30" << mdy << "1900-01-01 10:30:00";
    QTest::newRow("bisiesto") << "02/29/2024" << mdy << "2024-02-29 00:00:00";
    QTest::newRow("29 de febrero no bisiesto") << "02/29/2023" << mdy << "error 242";
    QTest::newRow("mes 13") << "13/01/2024" << mdy << "error 242";
    QTest::newRow("antes de 1753") << "01/01/1700" << mdy << "error 242";
    QTest::newRow("hora 25") << "05/01/2024 25:00" << mdy << "error 242";
    QTest::newRow("texto") << "mañana" << mdy << "error 241";
    QTest::newRow("separadores mezclados") << "05/01-2024" << mdy << "error 241";
}

void tst_ConversionesEmbebido::leeFechasComoSqlServer()
{
    QFETCH(QString, texto);
    QFETCH(int, orden);
    QFETCH(QString, almacenada);
    QCOMPARE(fecha(texto, OrdenFecha(orden)), almacenada);
}

void tst_ConversionesEmbebido::escribeFechasConCadaEstilo_data()
{
    QTest::addColumn<int>("estilo");
    QTest::addColumn<QString>("texto");
    // 1 May 2024 09:05:07.030
    QTest::newRow("0") << 0 << "May  1 2024  9:05AM";
    QTest::newRow("101") << 101 << "05/01/2024";
    QTest::newRow("1") << 1 << "05/01/24";
    QTest::newRow("103") << 103 << "01/05/2024";
    QTest::newRow("3") << 3 << "01/05/24";
    QTest::newRow("104") << 104 << "01.05.2024";
    QTest::newRow("108") << 108 << "09:05:07";
    QTest::newRow("112") << 112 << "20240501";
    QTest::newRow("120") << 120 << "2024-05-01 09:05:07";
    QTest::newRow("121") << 121 << "2024-05-01 09:05:07.030";
    QTest::newRow("23") << 23 << "2024-05-01";
}

void tst_ConversionesEmbebido::escribeFechasConCadaEstilo()
{
    QFETCH(int, estilo);
    QFETCH(QString, texto);
    FechaHora f;
    f.anio = 2024, f.mes = 5, f.dia = 1, f.hora = 9, f.minuto = 5, f.segundo = 7, f.milis = 30;
    QCOMPARE(formatearFecha(f, estilo), texto);
    // The same through CONVERT, from the storage format.
    QCOMPARE(convertido(ValorSql::deTexto(f.almacenada()), TipoSql::de(Familia::DateTime),
                        TipoSql::texto(Familia::VarChar, 30), estilo),
             texto);
}

void tst_ConversionesEmbebido::convierteComoSqlServer_data()
{
    QTest::addColumn<ValorSql>("valor");
    QTest::addColumn<TipoSql>("origen");
    QTest::addColumn<TipoSql>("destino");
    QTest::addColumn<QString>("resultado");
    const TipoSql varchar = TipoSql::texto(Familia::VarChar, 30);
    const TipoSql entero = TipoSql::de(Familia::Int);
    const TipoSql smallint = TipoSql::de(Familia::SmallInt);
    const TipoSql money = TipoSql::de(Familia::Money);
    const TipoSql numeric = TipoSql::numerico(5, 2);
    const TipoSql bit = TipoSql::de(Familia::Bit);
    const TipoSql fecha = TipoSql::de(Familia::DateTime);
    QTest::newRow("texto a entero") << ValorSql::deTexto(" -42 ") << varchar << entero << "-42";
    QTest::newRow("texto vacio a entero") << ValorSql::deTexto("") << varchar << entero << "0";
    QTest::newRow("texto con letras a entero")
        << ValorSql::deTexto("12a") << varchar << entero << "error 245";
    QTest::newRow("decimal en texto a entero")
        << ValorSql::deTexto("1.5") << varchar << entero << "error 245";
    QTest::newRow("desborde de smallint") << ValorSql::deTexto("40000") << varchar << smallint << "error 220";
    QTest::newRow("numeric trunca a entero") << ValorSql::deReal(2.7) << numeric << entero << "2";
    QTest::newRow("money redondea a entero") << ValorSql::deReal(2.7) << money << entero << "3";
    QTest::newRow("texto a money con signo") << ValorSql::deTexto("$1,234.5") << varchar << money << "1234.5";
    QTest::newRow("texto vacio a money") << ValorSql::deTexto("") << varchar << money << "0";
    QTest::newRow("texto vacio a numeric") << ValorSql::deTexto("") << varchar << numeric << "error 8114";
    QTest::newRow("texto a money invalido") << ValorSql::deTexto("abc") << varchar << money << "error 235";
    QTest::newRow("numeric redondea a su escala")
        << ValorSql::deTexto("12.345") << varchar << numeric << "12.35";
    QTest::newRow("numeric desborda") << ValorSql::deTexto("1234.5") << varchar << numeric << "error 8115";
    QTest::newRow("money a texto") << ValorSql::deReal(12.5) << money << varchar << "12.50";
    QTest::newRow("money negativo a texto") << ValorSql::deReal(-0.5) << money << varchar << "-0.50";
    QTest::newRow("numeric a texto") << ValorSql::deReal(3) << numeric << varchar << "3.00";
    QTest::newRow("entero a texto corto")
        << ValorSql::deEntero(12345) << entero << TipoSql::texto(Familia::VarChar, 3) << "*";
    QTest::newRow("money a texto corto")
        << ValorSql::deReal(12345) << money << TipoSql::texto(Familia::VarChar, 3) << "error 8115";
    QTest::newRow("texto largo se corta")
        << ValorSql::deTexto("abcdef") << varchar << TipoSql::texto(Familia::Char, 3) << "abc";
    QTest::newRow("texto a bit") << ValorSql::deTexto("true") << varchar << bit << "1";
    QTest::newRow("entero a bit") << ValorSql::deEntero(-5) << entero << bit << "1";
    QTest::newRow("entero a fecha") << ValorSql::deEntero(1) << entero << fecha << "1900-01-02 00:00:00";
    QTest::newRow("fecha a entero redondea")
        << ValorSql::deTexto("1900-01-02 13:00:00") << fecha << entero << "2";
    QTest::newRow("nulo sigue nulo") << ValorSql{} << varchar << entero << "NULL";
}

void tst_ConversionesEmbebido::convierteComoSqlServer()
{
    QFETCH(ValorSql, valor);
    QFETCH(TipoSql, origen);
    QFETCH(TipoSql, destino);
    QFETCH(QString, resultado);
    QCOMPARE(convertido(valor, origen, destino), resultado);
}

void tst_ConversionesEmbebido::likeComoUnaColacionSinMayusculas_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("patron");
    QTest::addColumn<bool>("coincide");
    QTest::newRow("contiene") << "Farmacia San Martín"
                              << "%san%" << true;
    QTest::newRow("mayusculas acentuadas") << "Clínica Ángel"
                                           << "CLÍNICA Á%" << true;
    QTest::newRow("distingue acentos") << "Clínica Ángel"
                                       << "%angel" << false;
    QTest::newRow("ene") << "Ñandú"
                         << "ñ%" << true;
    QTest::newRow("blancos finales del valor no cuentan") << "abc   "
                                                          << "abc" << true;
    QTest::newRow("blancos finales del patron cuentan") << "abc"
                                                        << "abc " << false;
    QTest::newRow("guion bajo es un caracter") << "ñu"
                                               << "_u" << true;
    QTest::newRow("guion bajo exige uno") << "u"
                                          << "_u" << false;
    QTest::newRow("conjunto") << "b12"
                              << "[abc]%" << true;
    QTest::newRow("rango") << "x7"
                           << "x[0-9]" << true;
    QTest::newRow("negacion") << "x7"
                              << "x[^0-9]" << false;
    QTest::newRow("porcentaje al final") << "99001"
                                         << "99%" << true;
    QTest::newRow("varios comodines") << "abcabcX"
                                      << "%abc%X" << true;
    QTest::newRow("vacio") << ""
                           << "%" << true;
    QTest::newRow("sin comodines distinto") << "abcd"
                                            << "abc" << false;
}

void tst_ConversionesEmbebido::likeComoUnaColacionSinMayusculas()
{
    QFETCH(QString, valor);
    QFETCH(QString, patron);
    QFETCH(bool, coincide);
    QCOMPARE(coincideLike(valor, patron), coincide);
}

void tst_ConversionesEmbebido::laColacionIgnoraMayusculasYBlancosFinales_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("orden");
    QTest::newRow("mayusculas") << "ABC"
                                << "abc" << 0;
    QTest::newRow("acentos en mayuscula") << "ÁNGEL"
                                          << "ángel" << 0;
    QTest::newRow("acento distinto") << "angel"
                                     << "ángel" << -1;
    QTest::newRow("blancos finales") << "abc   "
                                     << "ABC" << 0;
    QTest::newRow("blancos al inicio cuentan") << " abc"
                                               << "abc" << -1;
    QTest::newRow("orden sin mayusculas") << "b"
                                          << "C" << -1;
    QTest::newRow("prefijo menor") << "ab"
                                   << "abc" << -1;
}

void tst_ConversionesEmbebido::laColacionIgnoraMayusculasYBlancosFinales()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, orden);
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    QCOMPARE(compararCI(ua.constData(), int(ua.size()), ub.constData(), int(ub.size())), orden);
    QCOMPARE(compararCI(ub.constData(), int(ub.size()), ua.constData(), int(ua.size())), -orden);
}

QTEST_GUILESS_MAIN(tst_ConversionesEmbebido)
#include "tst_ConversionesEmbebido.moc"
