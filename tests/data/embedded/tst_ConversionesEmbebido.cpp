// The demo server's value rules on their own: dates read and written as SQL Server does, conversions,
// LIKE under the CI_AS collation.
#include "data/Motor.h"
#include "data/embedded/Extensiones.h"
#include "data/embedded/Valor.h"

#include <QTest>

using namespace dalvo;
using namespace dalvo::embebido;

Q_DECLARE_METATYPE(dalvo::embebido::ValorSql)
Q_DECLARE_METATYPE(dalvo::embebido::TipoSql)

namespace {

QString fecha(const QString& texto, OrdenFecha orden)
{
    try {
        return leerFecha(texto, orden, 0).almacenada();
    } catch (const ado::FallaMotor& f) {
        return QStringLiteral("error %1").arg(f.errores().value(0).Number);
    }
}

QString convertido(const ValorSql& v, const TipoSql& origen, const TipoSql& destino)
{
    try {
        const ValorSql r = convertir(v, origen, destino, -1);
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
    void leeFechasComoSqlServer_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("orden");
        QTest::addColumn<QString>("almacenada");
        const auto fila = [](const char* nombre, const char* texto, OrdenFecha orden,
                             const char* almacenada) {
            QTest::newRow(nombre) << QString::fromUtf8(texto) << int(orden)
                                  << QString::fromLatin1(almacenada);
        };
        fila("mes primero con hora", "05/31/2024 23:59:59", OrdenFecha::mdy, "2024-05-31 23:59:59");
        fila("dia primero", "01/05/2024", OrdenFecha::dmy, "2024-05-01 00:00:00");
        fila("ymd compacto en cualquier orden", "20240531", OrdenFecha::dmy, "2024-05-31 00:00:00");
        fila("nombre del mes", "May 31 2024 1:45PM", OrdenFecha::mdy, "2024-05-31 13:45:00");
        fila("anio de dos cifras antiguo", "05/31/51", OrdenFecha::mdy, "1951-05-31 00:00:00");
        fila("vacio es 1900", "", OrdenFecha::mdy, "1900-01-01 00:00:00");
        fila("29 de febrero no bisiesto", "02/29/2023", OrdenFecha::mdy, "error 242");
        fila("texto", "mañana", OrdenFecha::mdy, "error 241");
    }

    void leeFechasComoSqlServer()
    {
        QFETCH(QString, texto);
        QFETCH(int, orden);
        QFETCH(QString, almacenada);
        QCOMPARE(fecha(texto, OrdenFecha(orden)), almacenada);
    }

    void convierteComoSqlServer_data()
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
        const auto fila = [](const char* nombre, const ValorSql& v, const TipoSql& o, const TipoSql& d,
                             const char* r) {
            QTest::newRow(nombre) << v << o << d << QString::fromLatin1(r);
        };
        fila("texto a entero", ValorSql::deTexto(" -42 "), varchar, entero, "-42");
        fila("texto con letras a entero", ValorSql::deTexto("12a"), varchar, entero, "error 245");
        fila("desborde de smallint", ValorSql::deTexto("40000"), varchar, smallint, "error 220");
        fila("money redondea a entero", ValorSql::deReal(2.7), money, entero, "3");
        fila("texto vacio a numeric", ValorSql::deTexto(""), varchar, numeric, "error 8114");
        fila("numeric redondea a su escala", ValorSql::deTexto("12.345"), varchar, numeric, "12.35");
        fila("numeric desborda", ValorSql::deTexto("1234.5"), varchar, numeric, "error 8115");
        fila("entero a texto corto", ValorSql::deEntero(12345), entero, TipoSql::texto(Familia::VarChar, 3),
             "*");
        fila("nulo sigue nulo", ValorSql{}, varchar, entero, "NULL");
    }

    void convierteComoSqlServer()
    {
        QFETCH(ValorSql, valor);
        QFETCH(TipoSql, origen);
        QFETCH(TipoSql, destino);
        QFETCH(QString, resultado);
        QCOMPARE(convertido(valor, origen, destino), resultado);
    }

    void likeComoUnaColacionSinMayusculas_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("patron");
        QTest::addColumn<bool>("coincide");
        const auto fila = [](const char* nombre, const char* valor, const char* patron, bool coincide) {
            QTest::newRow(nombre) << QString::fromUtf8(valor) << QString::fromUtf8(patron) << coincide;
        };
        fila("contiene", "Farmacia San Martín", "%san%", true);
        fila("mayusculas acentuadas", "Clínica Ángel", "CLÍNICA Á%", true);
        fila("distingue acentos", "Clínica Ángel", "%angel", false);
        fila("blancos finales del valor no cuentan", "abc   ", "abc", true);
        fila("blancos finales del patron cuentan", "abc", "abc ", false);
        fila("sin comodines distinto", "abcd", "abc", false);
    }

    void likeComoUnaColacionSinMayusculas()
    {
        QFETCH(QString, valor);
        QFETCH(QString, patron);
        QTEST(coincideLike(valor, patron), "coincide");
    }
};

QTEST_GUILESS_MAIN(tst_ConversionesEmbebido)
#include "tst_ConversionesEmbebido.moc"
