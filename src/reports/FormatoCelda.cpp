#include "reports/FormatoCelda.h"

#include "common/FuncionesGenerales.h"
#include "data/Motor.h"

#include <QLocale>

namespace dalvo::reportes {

namespace {

std::optional<double> comoNumero(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return v.toDouble();
    case QMetaType::QString: {
        const QString t = recortar(v.toString());
        bool ok = false;
        double d = t.toDouble(&ok);
        if (!ok)
            d = QLocale().toDouble(t, &ok);
        if (ok)
            return d;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

QString numero(const QVariant& v, qint16 formato)
{
    const auto d = comoNumero(v);
    if (!d)
        return recortar(comoTexto(v));
    // FormatoNumero keeps -1 for "no number" and prints it empty; a report prints a real -1.
    if (*d == -1)
        return QLatin1Char('-') + FormatoNumero(1, formato);
    return FormatoNumero(*d, formato);
}

std::optional<QDateTime> fecha(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    const QString t = recortar(comoTexto(v));
    // The closing procedures return dates as yyyymmdd texts.
    if (t.size() == 8 && std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); })) {
        const QDate d = QDate::fromString(t, QStringLiteral("yyyyMMdd"));
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    return textoAFecha(t);
}

} // namespace

Formato formatoDeTipo(int tipoAdo)
{
    switch (tipoAdo) {
    case ado::adCurrency:
    case ado::adNumeric:
    case ado::adDecimal:
    case ado::adDouble:
    case ado::adSingle:
        return Formato::Importe;
    case ado::adSmallInt:
    case ado::adInteger:
    case ado::adTinyInt:
    case ado::adUnsignedTinyInt:
    case ado::adBigInt:
        return Formato::Entero;
    case ado::adDate:
    case ado::adDBDate:
    case ado::adDBTimeStamp:
        return Formato::FechaHora;
    default:
        return Formato::Texto;
    }
}

bool esFormatoNumerico(Formato formato)
{
    return formato == Formato::Importe || formato == Formato::Entero;
}

double valorNumerico(const QVariant& valor)
{
    return comoNumero(valor).value_or(0);
}

QString formatearValor(const QVariant& valor, Formato formato, int tipoAdo)
{
    if (ado::esNulo(valor))
        return {};
    // A flag reads as a word on paper; a number format still gives 1 or 0.
    if (valor.typeId() == QMetaType::Bool && !esFormatoNumerico(formato))
        return valor.toBool() ? QStringLiteral("Sí") : QStringLiteral("No");
    const bool automatico = formato == Formato::Automatico;
    if (automatico)
        formato = formatoDeTipo(tipoAdo);
    switch (formato) {
    case Formato::Importe:
        return numero(valor, 1);
    case Formato::Entero:
        return numero(valor, 2);
    case Formato::Fecha: {
        const auto f = fecha(valor);
        return f ? f->date().toString(QStringLiteral("dd/MM/yyyy")) : recortar(comoTexto(valor));
    }
    case Formato::FechaHora: {
        // A date column shows its time only when it has one, as the lists do; "fechahora" always shows it.
        if (automatico)
            return comoTexto(valor);
        const auto f = fecha(valor);
        return f ? f->toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) : recortar(comoTexto(valor));
    }
    case Formato::Texto:
    case Formato::Automatico:
        break;
    }
    return recortar(comoTexto(valor));
}

} // namespace dalvo::reportes
