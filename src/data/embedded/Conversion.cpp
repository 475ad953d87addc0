// CONVERT and the implicit conversions, with SQL Server's results and errors.
#include "data/embedded/Errores.h"
#include "data/embedded/Valor.h"

#include <algorithm>
#include <cmath>
#include <sqlite3.h>

namespace dalvo::embebido {

namespace {

const QString k22018 = QStringLiteral("22018");
const QString k22003 = QStringLiteral("22003");

QString nombreOrigen(const TipoSql& t)
{
    return t.esTexto() || t.familia == Familia::Variante ? QStringLiteral("varchar") : t.nombre();
}

[[noreturn]] void errorConversionTexto(const QString& texto, const TipoSql& origen, const TipoSql& destino)
{
    lanzar(num::ConversionTexto, k22018,
           QStringLiteral("Error de conversión al convertir el valor %1 '%2' al tipo de datos %3.")
               .arg(nombreOrigen(origen), texto, destino.nombre()));
}

[[noreturn]] void errorConversionNumero(const TipoSql& origen, const TipoSql& destino)
{
    if (destino.familia == Familia::Money || destino.familia == Familia::SmallMoney)
        lanzar(
            num::ConversionMoney, k22018,
            QStringLiteral("No se puede convertir un valor char en money. El valor char tiene una sintaxis "
                           "incorrecta."));
    lanzar(num::ConversionNumero, k22018,
           QStringLiteral("Error al convertir el tipo de datos %1 a %2.")
               .arg(nombreOrigen(origen), destino.nombre()));
}

[[noreturn]] void desborde(const TipoSql& origen, const TipoSql& destino)
{
    lanzar(num::DesbordeAritmetico, k22003,
           QStringLiteral("Error de desbordamiento aritmético al convertir %1 al tipo de datos %2.")
               .arg(origen.nombre(), destino.nombre()));
}

qint64 limiteEntero(Familia f, bool maximo)
{
    switch (f) {
    case Familia::Bit:
        return maximo ? 1 : 0;
    case Familia::TinyInt:
        return maximo ? 255 : 0;
    case Familia::SmallInt:
        return maximo ? 32767 : -32768;
    case Familia::Int:
        return maximo ? 2147483647LL : -2147483648LL;
    default:
        return maximo ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    }
}

ValorSql aEntero(qint64 v, const TipoSql& origen, const TipoSql& destino)
{
    if (destino.familia == Familia::Bit)
        return ValorSql::deEntero(v != 0 ? 1 : 0);
    if (v < limiteEntero(destino.familia, false) || v > limiteEntero(destino.familia, true)) {
        if (origen.esTexto() || origen.esEntero() || origen.esNulo())
            lanzar(num::DesbordeTipo, k22003,
                   QStringLiteral("Error de desbordamiento aritmético para el tipo de datos %1, valor = %2.")
                       .arg(destino.nombre())
                       .arg(v));
        desborde(origen, destino);
    }
    return ValorSql::deEntero(v);
}

// Text to a whole number: blanks around, an optional sign, digits. "" is 0.
ValorSql textoAEntero(const QString& texto, const TipoSql& origen, const TipoSql& destino)
{
    const QString t = texto.trimmed();
    if (destino.familia == Familia::Bit) {
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return ValorSql::deEntero(1);
        if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return ValorSql::deEntero(0);
    }
    if (t.isEmpty())
        return ValorSql::deEntero(0);
    qsizetype i = (t[0] == u'+' || t[0] == u'-') ? 1 : 0;
    if (i == t.size())
        errorConversionTexto(texto, origen, destino);
    for (qsizetype k = i; k < t.size(); ++k)
        if (!t[k].isDigit() || t[k].unicode() > 127)
            errorConversionTexto(texto, origen, destino);
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    if (!ok)
        lanzar(num::DesbordeTipo, k22003,
               QStringLiteral("Error de desbordamiento aritmético para el tipo de datos %1, valor = %2.")
                   .arg(destino.nombre(), t));
    return aEntero(v, origen, destino);
}

// Text to money, numeric or float. Money accepts a currency sign and thousands commas.
double textoANumero(const QString& texto, const TipoSql& origen, const TipoSql& destino)
{
    QString t = texto.trimmed();
    const bool esMoney = destino.familia == Familia::Money || destino.familia == Familia::SmallMoney;
    if (t.isEmpty()) {
        if (destino.familia == Familia::Numeric)
            errorConversionNumero(origen, destino);
        return 0;
    }
    if (esMoney) {
        t.remove(QLatin1Char(','));
        if (t.startsWith(QLatin1Char('$')))
            t.remove(0, 1);
    }
    bool ok = true;
    for (QChar c : t)
        ok = ok && (c.isDigit() || c == u'.' || c == u'+' || c == u'-' || c == u'e' || c == u'E') &&
             c.unicode() < 128;
    if (ok && destino.familia == Familia::Numeric)
        ok = !t.contains(QLatin1Char('e'), Qt::CaseInsensitive);
    const double v = ok ? t.toDouble(&ok) : 0;
    if (!ok)
        errorConversionNumero(origen, destino);
    return v;
}

ValorSql aNumero(double v, const TipoSql& origen, const TipoSql& destino)
{
    if (!std::isfinite(v))
        desborde(origen, destino);
    switch (destino.familia) {
    case Familia::Numeric: {
        const double factor = std::pow(10.0, destino.escala);
        const double r = std::round(v * factor) / factor;
        if (std::fabs(r) >= std::pow(10.0, destino.precision - destino.escala))
            desborde(origen, destino);
        return ValorSql::deReal(r);
    }
    case Familia::Money:
    case Familia::SmallMoney:
        return ValorSql::deReal(std::round(v * 10000.0) / 10000.0);
    case Familia::Real:
        return ValorSql::deReal(double(float(v)));
    default:
        return ValorSql::deReal(v);
    }
}

QString numeroATexto(const ValorSql& v, const TipoSql& origen, int estilo)
{
    if (v.clase == ValorSql::Entero &&
        (origen.esEntero() || origen.familia == Familia::Variante || origen.familia == Familia::Nulo))
        return QString::number(v.entero);
    const double d = v.comoReal();
    switch (origen.familia) {
    case Familia::Money:
    case Familia::SmallMoney:
        if (estilo == 1) {
            QString t = QString::number(std::fabs(d), 'f', 2);
            for (qsizetype i = t.indexOf(QLatin1Char('.')) - 3; i > 0; i -= 3)
                t.insert(i, QLatin1Char(','));
            return d < 0 ? QLatin1Char('-') + t : t;
        }
        return QString::number(d, 'f', estilo == 2 ? 4 : 2);
    case Familia::Numeric:
        return QString::number(d, 'f', origen.escala);
    case Familia::Float:
    case Familia::Real:
        return QString::number(d, 'g', estilo == 1 ? 8 : estilo == 2 ? 16 : 6);
    case Familia::Bit:
    case Familia::TinyInt:
    case Familia::SmallInt:
    case Familia::Int:
    case Familia::BigInt:
        return QString::number(qint64(d));
    default:
        return QString::number(d, 'g', 15);
    }
}

ValorSql aTexto(const ValorSql& v, const TipoSql& origen, const TipoSql& destino, int estilo)
{
    QString t;
    bool esNumeroEntero = false;
    if (origen.esFecha() && v.clase == ValorSql::Texto) {
        const FechaHora f = leerFecha(v.texto, OrdenFecha::ymd);
        t = formatearFecha(f, estilo < 0 ? 0 : estilo);
    } else if (v.clase == ValorSql::Texto) {
        t = v.texto;
    } else {
        t = numeroATexto(v, origen, estilo);
        esNumeroEntero = v.clase == ValorSql::Entero || origen.esEntero();
    }
    if (destino.longitud >= 0 && t.size() > destino.longitud) {
        if (esNumeroEntero)
            return ValorSql::deTexto(QStringLiteral("*"));
        if (v.clase != ValorSql::Texto)
            desborde(origen, destino);
        t.truncate(destino.longitud);
    }
    return ValorSql::deTexto(t);
}

ValorSql aFecha(const ValorSql& v, const TipoSql& origen, int estilo, OrdenFecha orden)
{
    FechaHora f;
    if (v.clase == ValorSql::Texto) {
        if (origen.esFecha()) {
            const QByteArray u = v.texto.toUtf8();
            if (auto a = leerAlmacenada(u.constData(), int(u.size())))
                f = *a;
            else
                f = leerFecha(v.texto, OrdenFecha::ymd);
        } else {
            f = leerFecha(v.texto, orden, estilo < 0 ? 0 : estilo);
        }
    } else {
        // A number counts days since 01/01/1900.
        f = FechaHora::desdeMilis1900(qint64(std::llround(v.comoReal() * 86400000.0)));
        if (f.anio < 1753 || f.anio > 9999)
            lanzar(num::DesbordeAritmetico, k22003,
                   QStringLiteral(
                       "Error de desbordamiento aritmético al convertir la expresión al tipo de datos "
                       "datetime."));
    }
    return ValorSql::deTexto(f.almacenada());
}

} // namespace

ValorSql ValorSql::deEntero(qint64 v)
{
    ValorSql r;
    r.clase = Entero;
    r.entero = v;
    return r;
}

ValorSql ValorSql::deReal(double v)
{
    ValorSql r;
    r.clase = Real;
    r.real = v;
    return r;
}

ValorSql ValorSql::deTexto(QString v)
{
    ValorSql r;
    r.clase = Texto;
    r.texto = std::move(v);
    return r;
}

double ValorSql::comoReal() const
{
    switch (clase) {
    case Entero:
        return double(entero);
    case Real:
        return real;
    case Texto:
        return texto.toDouble();
    default:
        return 0;
    }
}

ValorSql ValorSql::leer(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return deEntero(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        return deReal(sqlite3_value_double(v));
    case SQLITE_NULL:
        return {};
    default:
        return deTexto(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v)));
    }
}

ValorSql ValorSql::leerColumna(sqlite3_stmt* s, int columna)
{
    return leer(sqlite3_column_value(s, columna));
}

void ValorSql::devolver(sqlite3_context* c) const
{
    switch (clase) {
    case Entero:
        sqlite3_result_int64(c, entero);
        break;
    case Real:
        sqlite3_result_double(c, real);
        break;
    case Texto: {
        const QByteArray u = texto.toUtf8();
        sqlite3_result_text(c, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        break;
    }
    default:
        sqlite3_result_null(c);
    }
}

int ValorSql::enlazar(sqlite3_stmt* s, int indice) const
{
    switch (clase) {
    case Entero:
        return sqlite3_bind_int64(s, indice, entero);
    case Real:
        return sqlite3_bind_double(s, indice, real);
    case Texto: {
        const QByteArray u = texto.toUtf8();
        return sqlite3_bind_text(s, indice, u.constData(), int(u.size()), SQLITE_TRANSIENT);
    }
    default:
        return sqlite3_bind_null(s, indice);
    }
}

ValorSql convertir(const ValorSql& v, const TipoSql& origen, const TipoSql& destino, int estilo,
                   OrdenFecha orden)
{
    if (v.esNulo() || destino.familia == Familia::Variante || destino.familia == Familia::Nulo)
        return v;
    if (destino.esTexto())
        return aTexto(v, origen, destino, estilo);
    if (destino.esFecha())
        return aFecha(v, origen, estilo, orden);
    const bool desdeTexto = v.clase == ValorSql::Texto;
    if (desdeTexto && origen.esFecha()) {
        // A datetime read as a number: days since 1900, the time as the fraction.
        const FechaHora f = leerFecha(v.texto, OrdenFecha::ymd);
        const double dias = double(f.milisDesde1900()) / 86400000.0;
        if (destino.esEntero())
            return aEntero(qint64(std::floor(dias + 0.5)), origen, destino);
        return aNumero(dias, origen, destino);
    }
    if (destino.esEntero()) {
        if (desdeTexto)
            return textoAEntero(v.texto,
                                origen.familia == Familia::Variante ? TipoSql::de(Familia::VarChar) : origen,
                                destino);
        if (v.clase == ValorSql::Entero)
            return aEntero(v.entero, origen, destino);
        const double d = v.real;
        const bool redondea = origen.familia == Familia::Money || origen.familia == Familia::SmallMoney;
        const double entero = redondea ? std::round(d) : std::trunc(d);
        if (std::fabs(entero) > 9.2e18)
            desborde(origen, destino);
        return aEntero(qint64(entero), origen, destino);
    }
    const double d =
        desdeTexto
            ? textoANumero(v.texto,
                           origen.familia == Familia::Variante ? TipoSql::de(Familia::VarChar) : origen,
                           destino)
            : v.comoReal();
    return aNumero(d, origen, destino);
}

QVariant aVariant(const ValorSql& v, const TipoSql& tipo)
{
    if (v.esNulo())
        return {};
    switch (tipo.familia) {
    case Familia::Char:
    case Familia::NChar: {
        QString t = v.clase == ValorSql::Texto ? v.texto : numeroATexto(v, TipoSql{}, 0);
        if (tipo.longitud > t.size())
            t.append(QString(tipo.longitud - t.size(), QLatin1Char(' ')));
        return t;
    }
    case Familia::VarChar:
    case Familia::NVarChar:
    case Familia::Text:
    case Familia::NText:
        return v.clase == ValorSql::Texto ? v.texto : numeroATexto(v, TipoSql{}, 0);
    case Familia::Bit:
        return v.clase == ValorSql::Texto ? QVariant(v.texto.trimmed() == QLatin1String("1"))
                                          : QVariant(v.comoReal() != 0);
    case Familia::TinyInt:
    case Familia::SmallInt:
    case Familia::Int:
    case Familia::Nulo:
        return v.clase == ValorSql::Entero ? int(v.entero) : int(v.comoReal());
    case Familia::BigInt:
        return v.clase == ValorSql::Entero ? qlonglong(v.entero) : qlonglong(v.comoReal());
    case Familia::Money:
    case Familia::SmallMoney:
        return std::round(v.comoReal() * 10000.0) / 10000.0;
    case Familia::Numeric: {
        // A numeric(p,s) leaves SQL Server with s decimals (the TDS value is scaled by it): a translated
        // CONVERT or an arithmetic result may still hold more here.
        const double factor = std::pow(10.0, std::clamp(tipo.escala, 0, 38));
        return std::round(v.comoReal() * factor) / factor;
    }
    case Familia::Real:
    case Familia::Float:
        return v.comoReal();
    case Familia::DateTime:
    case Familia::SmallDateTime: {
        if (v.clase != ValorSql::Texto)
            return FechaHora::desdeMilis1900(qint64(v.comoReal() * 86400000.0)).comoQDateTime();
        const QByteArray u = v.texto.toUtf8();
        if (auto f = leerAlmacenada(u.constData(), int(u.size())))
            return f->comoQDateTime();
        return leerFecha(v.texto, OrdenFecha::ymd).comoQDateTime();
    }
    case Familia::Variante:
        break;
    }
    switch (v.clase) {
    case ValorSql::Entero:
        return qlonglong(v.entero);
    case ValorSql::Real:
        return v.real;
    default:
        return v.texto;
    }
}

ValorSql desdeVariant(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::Bool:
        return ValorSql::deEntero(v.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Char:
    case QMetaType::UChar:
        return ValorSql::deEntero(v.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return ValorSql::deReal(v.toDouble());
    case QMetaType::QDateTime:
        return ValorSql::deTexto(FechaHora::desde(v.toDateTime()).almacenada());
    case QMetaType::QDate:
        return ValorSql::deTexto(FechaHora::desde(v.toDate().startOfDay()).almacenada());
    default:
        return ValorSql::deTexto(v.toString());
    }
}

TipoSql tipoDeVariant(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
        return TipoSql::de(Familia::Bit);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar:
        return TipoSql::de(Familia::Int);
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return TipoSql::de(Familia::BigInt);
    case QMetaType::Double:
    case QMetaType::Float:
        return TipoSql::de(Familia::Float);
    case QMetaType::QDateTime:
    case QMetaType::QDate:
        return TipoSql::de(Familia::DateTime);
    default:
        return TipoSql::texto(Familia::NVarChar, -1);
    }
}

} // namespace dalvo::embebido
