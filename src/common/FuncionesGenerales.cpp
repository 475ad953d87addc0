#include "common/FuncionesGenerales.h"

#include "common/Reloj.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <utility>

namespace dalvo {

qint16 gSeparadorDecimal = 46;

namespace {

std::function<void()>& pitidoActual()
{
    static std::function<void()> pitido;
    return pitido;
}

bool esNumero(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

QString numeroComoTexto(double d)
{
    // Fifteen significant digits, as the platform printed a double; exponent form beyond that.
    QString s = QString::number(d, 'g', 15);
    s.replace(QLatin1Char('e'), QLatin1Char('E'));
    return s.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

QString fechaComoTexto(const QDateTime& f)
{
    if (!f.isValid())
        return {};
    // Written by hand: a list of dates formats thousands, and a format string is parsed at each call.
    const QDate d = f.date();
    if (d.year() < 1000 || d.year() > 9999)
        return f.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")).left(f.time() == QTime(0, 0) ? 10 : 19);
    const QTime h = f.time();
    if (h.hour() != 0 || h.minute() != 0 || h.second() != 0)
        return QString::asprintf("%02d/%02d/%04d %02d:%02d:%02d", d.day(), d.month(), d.year(), h.hour(),
                                 h.minute(), h.second());
    return QString::asprintf("%02d/%02d/%04d", d.day(), d.month(), d.year());
}

bool esVerdadero(const QVariant& v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (esNumero(v))
        return v.toDouble() != 0;
    if (v.typeId() == QMetaType::QByteArray) {
        const QByteArray b = v.toByteArray();
        return std::any_of(b.begin(), b.end(), [](char c) { return c != 0; });
    }
    const QString s = recortar(comoTexto(v));
    if (s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
        s.compare(QLatin1String("Verdadero"), Qt::CaseInsensitive) == 0)
        return true;
    bool ok = false;
    const double d = QLocale().toDouble(s, &ok);
    return ok && d != 0;
}

// The leading number of a text with "." as decimal point; blanks inside are skipped and a text that does
// not start with a number gives 0 (the platform's Val).
double valorInicial(const QString& s)
{
    QString limpio;
    for (const QChar c : s) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            limpio += c;
    }
    static const QRegularExpression numero(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eEdD][+-]?\\d+)?"));
    const QRegularExpressionMatch m = numero.match(limpio);
    if (!m.hasMatch())
        return 0;
    QString t = m.captured(0);
    t.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    return t.toDouble();
}

// A text read as a number under the user's number format; group separators are accepted anywhere, as the
// platform's numeric test did.
std::optional<double> numeroLocal(QString s)
{
    const QLocale local;
    s.remove(local.groupSeparator());
    bool ok = false;
    const double d = local.toDouble(recortar(s), &ok);
    if (!ok)
        return std::nullopt;
    return d;
}

// Kind 2, format 2: the value's text as a double, -1 when there is none.
double numeroDeTexto(const QString& s)
{
    if (s.isEmpty())
        return -1;
    if (gSeparadorDecimal == 46)
        return valorInicial(s);
    const auto n = numeroLocal(s);
    if (!n)
        return -1;
    const qsizetype p = s.indexOf(QLatin1Char(','));
    if (p < 0)
        return *n;
    // Two decimals at most: the rest is dropped, not rounded.
    const auto centesimos = numeroLocal(s.left(p) + (s.mid(p + 1) + QStringLiteral("00")).left(2));
    return centesimos ? *centesimos / 100 : -1;
}

// Rounds half away from zero on the decimal digits as printed, so 1.005 rounds to 1.01 even though its
// binary value lies just below.
QString numeroConFormato(double d, int decimales, bool miles)
{
    const double escala = std::pow(10.0, decimales);
    double r = std::round(QString::number(d * escala, 'g', 15).toDouble()) / escala;
    if (r == 0)
        r = 0; // no "-0"
    const QString cifras = QString::number(std::abs(r), 'f', decimales);
    const qsizetype punto = cifras.indexOf(QLatin1Char('.'));
    QString entera = punto < 0 ? cifras : cifras.left(punto);
    const QLocale local;
    if (miles) {
        for (qsizetype i = entera.size() - 3; i > 0; i -= 3)
            entera.insert(i, local.groupSeparator());
    }
    QString s = r < 0 ? QStringLiteral("-") + entera : entera;
    if (punto >= 0)
        s += local.decimalPoint() + cifras.mid(punto + 1);
    return s;
}

QString textoFecha(const QVariant& v)
{
    const QString original = comoTexto(v);
    QString t = recortar(original);
    if (t.size() == 8 && !original.contains(QLatin1Char('/')) && !original.contains(QLatin1Char('-')))
        t = t.mid(6, 2) + QLatin1Char('/') + t.mid(4, 2) + QLatin1Char('/') + t.left(4); // yyyymmdd
    if (t.size() == 10)
        return t.left(2) + QLatin1Char('/') + t.mid(3, 2) + QLatin1Char('/') + t.right(2);
    const auto f = textoAFecha(t);
    return f ? f->date().toString(QStringLiteral("dd/MM/yyyy")) : t;
}

QString textoFechaHora(const QVariant& v)
{
    const QString t = recortar(comoTexto(v));
    const QString dia = t.left(2) + QLatin1Char('/') + t.mid(3, 2) + QLatin1Char('/');
    if (t.size() > 10)
        return dia + t.mid(6, 4) + QLatin1Char(' ') + t.mid(10);
    return dia + t.mid(6);
}

QVariant convertirNumero(const QVariant& v, qint16 iFormato)
{
    if (!v.isValid()) {
        if (iFormato == 2)
            return -1.0;
        return iFormato == 1 ? QVariant(QString()) : QVariant();
    }
    const QString s = recortar(comoTexto(v));
    if (iFormato == 2)
        return numeroDeTexto(s);
    if (iFormato == 1)
        return gSeparadorDecimal == 46 ? numeroConFormato(valorInicial(s), 2, true) : s;
    return {};
}

// A whole number written with digits only (blanks around allowed).
std::optional<int> entero(const QString& s)
{
    static const QRegularExpression digitos(QStringLiteral("^[+-]?\\d{1,9}$"));
    const QString t = recortar(s);
    if (!digitos.match(t).hasMatch())
        return std::nullopt;
    return t.toInt();
}

} // namespace

QString comoTexto(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::QString:
        return v.toString();
    case QMetaType::Bool: {
        const bool espanol = QLocale().language() == QLocale::Spanish;
        if (v.toBool())
            return espanol ? QStringLiteral("Verdadero") : QStringLiteral("True");
        return espanol ? QStringLiteral("Falso") : QStringLiteral("False");
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return numeroComoTexto(v.toDouble());
    case QMetaType::ULongLong:
        return QString::number(v.toULongLong());
    case QMetaType::QDateTime:
        return fechaComoTexto(v.toDateTime());
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::QByteArray:
        return QString::fromLatin1(v.toByteArray());
    default:
        if (esNumero(v))
            return QString::number(v.toLongLong());
        return v.toString();
    }
}

QString recortar(const QString& s)
{
    qsizetype inicio = 0;
    qsizetype fin = s.size();
    while (inicio < fin && s.at(inicio) == QLatin1Char(' '))
        ++inicio;
    while (fin > inicio && s.at(fin - 1) == QLatin1Char(' '))
        --fin;
    return s.mid(inicio, fin - inicio);
}

int anioCompleto(int yy)
{
    return yy <= Hoy().year() % 100 ? 2000 + yy : 1900 + yy;
}

std::optional<QDateTime> textoAFecha(const QString& s)
{
    static const QRegularExpression diaMesAnio(
        QStringLiteral("^\\s*(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{4}|\\d{2})"
                       "(?:\\s+(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?)?\\s*$"));
    static const QRegularExpression iso(
        QStringLiteral("^\\s*(\\d{4})-(\\d{1,2})-(\\d{1,2})"
                       "(?:[ T](\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?)?\\s*$"));
    int dia = 0, mes = 0, anio = 0;
    QRegularExpressionMatch m = diaMesAnio.match(s);
    if (m.hasMatch()) {
        dia = m.captured(1).toInt();
        mes = m.captured(2).toInt();
        anio = m.captured(3).toInt();
        if (m.captured(3).size() == 2)
            anio = anioCompleto(anio);
    } else {
        m = iso.match(s);
        if (!m.hasMatch())
            return std::nullopt;
        anio = m.captured(1).toInt();
        mes = m.captured(2).toInt();
        dia = m.captured(3).toInt();
    }
    const QDate fecha(anio, mes, dia);
    const QTime hora(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!fecha.isValid() || !hora.isValid() || anio < 100)
        return std::nullopt;
    return QDateTime(fecha, hora);
}

std::function<void()> setPitido(std::function<void()> pitido)
{
    return std::exchange(pitidoActual(), std::move(pitido));
}

qint16 SeparadorDecimal()
{
    bool ok = false;
    const double d = QLocale().toDouble(QStringLiteral("1.1"), &ok);
    return ok && d == 1.1 ? 46 : 44;
}

QString FormatoNumero(double dValor, qint16 iFormato)
{
    if (dValor == -1)
        return {};
    return iFormato == 1 ? numeroConFormato(dValor, 2, true) : numeroConFormato(dValor, 0, false);
}

QVariant Convertir(const QVariant& vValor, qint16 iTipo, qint16 iFormato)
{
    if (iTipo == 2)
        return convertirNumero(vValor, iFormato);
    if (iTipo != 1)
        return {};
    if (!vValor.isValid())
        return QString();
    switch (iFormato) {
    case 3:
        return textoFecha(vValor);
    case 4:
        return textoFechaHora(vValor);
    default:
        return recortar(comoTexto(vValor));
    }
}

QString FormatearCampo(int iTipoDato, const QVariant& vValor)
{
    switch (iTipoDato) {
    case 128: // binary
    case 11:  // boolean
        return esVerdadero(vValor) ? QStringLiteral("1") : QStringLiteral("0");
    case 6:   // currency
    case 131: // numeric
        return FormatoNumero(Convertir(vValor, 2, 2).toDouble(), 1);
    case 2: // whole numbers of every width
    case 3:
    case 16:
    case 17:
    case 18:
    case 19:
        // The common case written directly (same text: -1 shows empty, as FormatoNumero has it).
        if (vValor.typeId() == QMetaType::Int)
            return vValor.toInt() == -1 ? QString() : QString::number(vValor.toInt());
        return FormatoNumero(Convertir(vValor, 2, 2).toDouble(), 2);
    case 7:   // date
    case 133: // dbdate
    case 135: // timestamp
        return Convertir(vValor, 1, 4).toString();
    default: // char, varchar and everything else: trimmed text
        return Convertir(vValor, 1, 1).toString();
    }
}

QString CodigoDescripcion(const QVariant& vCodigo, const QString& sDescripcion)
{
    const QString separador = QStringLiteral(" . ");
    if (!vCodigo.isValid())
        return {};
    if (esNumero(vCodigo))
        return FormatoNumero(vCodigo.toDouble(), 2) + separador + recortar(sDescripcion);
    const QString codigo = recortar(comoTexto(vCodigo));
    if (codigo.isEmpty())
        return {};
    return codigo + separador + recortar(sDescripcion);
}

QVariant FechaSQL(const QString& sFecha, bool bHasta, bool bNulo)
{
    if (!sFecha.isEmpty()) {
        if (const auto f = textoAFecha(sFecha)) {
            QString t = f->toString(QStringLiteral("MM/dd/yyyy HH:mm:ss"));
            if (bHasta)
                t = t.left(10) + QStringLiteral(" 23:59:59");
            return t;
        }
    }
    return bNulo ? QVariant() : QVariant(QString());
}

qint16 FiltrarTecla(qint16 iTecla, qint32 lTipo)
{
    if ((iTecla >= '0' && iTecla <= '9') || iTecla == 8 || iTecla == 13)
        return iTecla;
    switch (lTipo) {
    case 1:
        break;
    case 2:
        if (iTecla == '.' || iTecla == ',')
            return gSeparadorDecimal;
        break;
    case 3:
        if (iTecla == '-')
            return iTecla;
        break;
    case 4:
        if (iTecla == '/')
            return iTecla;
        break;
    default:
        return iTecla;
    }
    if (pitidoActual())
        pitidoActual()();
    return 0;
}

bool ValidarFecha(QVariant& vFecha)
{
    if (vFecha.typeId() == QMetaType::QDate || vFecha.typeId() == QMetaType::QDateTime)
        return true;
    if (!vFecha.isValid())
        return false;
    const QString s = comoTexto(vFecha);
    const QString barra = QStringLiteral("/");
    if (s.contains(barra)) {
        // Only the fully written dd/mm/yyyy survives this unchanged.
        vFecha = s.left(2) + barra + s.mid(3, 2) + barra + s.right(4);
    } else if (s.size() == 8) {
        vFecha = s.left(2) + barra + s.mid(2, 2) + barra + s.mid(4, 4);
    } else if (s.size() == 6) {
        // The year keeps the two characters as typed; only the century is chosen.
        const QString yy = s.mid(4, 2);
        const auto n = entero(yy);
        const QString siglo = n && anioCompleto(*n) < 2000 ? QStringLiteral("19") : QStringLiteral("20");
        vFecha = s.left(2) + barra + s.mid(2, 2) + barra + siglo + yy;
    } else if (s.size() == 4) {
        vFecha = s.left(2) + barra + s.mid(2, 2) + barra + QString::number(Hoy().year());
    } else if (s.size() == 2) {
        vFecha = s + barra + Rellenar(Hoy().month(), 2) + barra + QString::number(Hoy().year());
    }
    return ConvertirFecha(comoTexto(vFecha)).isValid();
}

QString Rellenar(const QVariant& vValor, qint16 iLargo)
{
    if (iLargo <= 0)
        return {};
    return (QString(iLargo, QLatin1Char('0')) + recortar(comoTexto(vValor))).right(iLargo);
}

QVariant ConvertirFecha(const QString& sFecha)
{
    const qsizetype p1 = sFecha.indexOf(QLatin1Char('/'));
    const qsizetype p2 = p1 < 0 ? -1 : sFecha.indexOf(QLatin1Char('/'), p1 + 1);
    if (p2 < 0 || sFecha.size() - p2 - 1 != 4)
        return {};
    const auto dia = entero(sFecha.left(p1));
    const auto mes = entero(sFecha.mid(p1 + 1, p2 - p1 - 1));
    const auto anio = entero(sFecha.mid(p2 + 1));
    if (!dia || !mes || !anio || *mes < 1 || *mes > 12 || *anio < 100)
        return {};
    const QDate fecha(*anio, *mes, *dia);
    if (!fecha.isValid())
        return {};
    return fecha;
}

} // namespace dalvo
