// Dates as SQL Server reads and writes them (us_english login language).
#include "data/embedded/Errores.h"
#include "data/embedded/Valor.h"

#include <array>

namespace dalvo::embebido {

namespace {

constexpr std::array<const char*, 12> kMeses = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

[[noreturn]] void noEsFecha()
{
    lanzar(num::FechaInvalida, QStringLiteral("22007"),
           QStringLiteral(
               "Error de conversión al convertir una fecha u hora a partir de una cadena de caracteres."));
}

[[noreturn]] void fueraDeRango()
{
    lanzar(num::FechaFueraDeRango, QStringLiteral("22008"),
           QStringLiteral(
               "La conversión del tipo de datos varchar en datetime produjo un valor fuera de intervalo."));
}

int anioDeDosCifras(int a)
{
    return a < 50 ? 2000 + a : 1900 + a;
}

void validar(const FechaHora& f)
{
    if (f.anio < 1753 || f.anio > 9999 || !QDate::isValid(f.anio, f.mes, f.dia) || f.hora > 23 ||
        f.minuto > 59 || f.segundo > 59 || f.milis > 999)
        fueraDeRango();
}

int digitos(QStringView s, qsizetype& i, int maximo)
{
    int v = 0;
    int n = 0;
    while (i < s.size() && n < maximo && s[i].isDigit()) {
        v = v * 10 + s[i].digitValue();
        ++i;
        ++n;
    }
    return n == 0 ? -1 : v;
}

int mesPorNombre(QStringView s)
{
    for (int m = 0; m < 12; ++m)
        if (s.size() >= 3 && s.left(3).compare(QLatin1String(kMeses[m]), Qt::CaseInsensitive) == 0)
            return m + 1;
    return 0;
}

// "hh:mm[:ss[.fff|:fff]][ ]AM|PM", or "hh AM". Returns false when the text does not follow.
bool leerHora(QStringView s, FechaHora& f)
{
    qsizetype i = 0;
    const int h = digitos(s, i, 2);
    if (h < 0)
        return false;
    f.hora = h;
    if (i < s.size() && s[i] == u':') {
        ++i;
        const int m = digitos(s, i, 2);
        if (m < 0)
            return false;
        f.minuto = m;
        if (i < s.size() && s[i] == u':') {
            ++i;
            const int seg = digitos(s, i, 2);
            if (seg < 0)
                return false;
            f.segundo = seg;
            if (i < s.size() && (s[i] == u'.' || s[i] == u':')) {
                ++i;
                const qsizetype desde = i;
                int fr = digitos(s, i, 3);
                if (fr < 0)
                    return false;
                for (qsizetype k = i - desde; k < 3; ++k)
                    fr *= 10;
                f.milis = fr;
                while (i < s.size() && s[i].isDigit())
                    ++i;
            }
        }
    }
    const QStringView resto = s.mid(i).trimmed();
    if (resto.isEmpty())
        return true;
    if (resto.compare(u"AM", Qt::CaseInsensitive) == 0 || resto.compare(u"PM", Qt::CaseInsensitive) == 0) {
        if (f.hora > 12 || f.hora == 0)
            return false;
        const bool pm = resto.compare(u"PM", Qt::CaseInsensitive) == 0;
        f.hora = (f.hora % 12) + (pm ? 12 : 0);
        return true;
    }
    return false;
}

// Splits "date time": the time starts at the digits before the first ':' (after a blank or a 'T').
void separarFechaHora(QStringView s, QStringView& fecha, QStringView& hora)
{
    fecha = s;
    hora = {};
    const qsizetype dosPuntos = s.indexOf(u':');
    if (dosPuntos <= 0)
        return;
    qsizetype k = dosPuntos;
    while (k > 0 && s[k - 1].isDigit())
        --k;
    if (k == 0) {
        fecha = {};
        hora = s;
        return;
    }
    const QChar antes = s[k - 1];
    if (antes == u' ' || antes == u'T' || antes == u't') {
        fecha = s.left(k - 1).trimmed();
        hora = s.mid(k).trimmed();
    }
}

bool leerFechaNumerica(QStringView s, OrdenFecha orden, FechaHora& f)
{
    // Eight or six digits with nothing else: yyyymmdd / yymmdd whatever the order.
    bool soloDigitos = !s.isEmpty();
    for (QChar c : s)
        soloDigitos = soloDigitos && c.isDigit();
    if (soloDigitos && (s.size() == 8 || s.size() == 6)) {
        const int largoAnio = s.size() == 8 ? 4 : 2;
        f.anio = s.left(largoAnio).toInt();
        if (largoAnio == 2)
            f.anio = anioDeDosCifras(f.anio);
        f.mes = s.mid(largoAnio, 2).toInt();
        f.dia = s.mid(largoAnio + 2, 2).toInt();
        return true;
    }
    std::array<int, 3> partes{};
    std::array<int, 3> largos{};
    qsizetype i = 0;
    QChar separador;
    for (int p = 0; p < 3; ++p) {
        const qsizetype desde = i;
        partes[p] = digitos(s, i, 4);
        largos[p] = int(i - desde);
        if (partes[p] < 0)
            return false;
        if (p < 2) {
            if (i >= s.size() || (s[i] != u'/' && s[i] != u'-' && s[i] != u'.'))
                return false;
            if (p == 0)
                separador = s[i];
            else if (s[i] != separador)
                return false;
            ++i;
        }
    }
    if (i != s.size())
        return false;
    if (largos[0] == 4) {
        f.anio = partes[0];
        f.mes = partes[1];
        f.dia = partes[2];
        return true;
    }
    auto anio = [&](int p) { return largos[p] <= 2 ? anioDeDosCifras(partes[p]) : partes[p]; };
    switch (orden) {
    case OrdenFecha::mdy:
        f.mes = partes[0], f.dia = partes[1], f.anio = anio(2);
        break;
    case OrdenFecha::dmy:
        f.dia = partes[0], f.mes = partes[1], f.anio = anio(2);
        break;
    case OrdenFecha::ymd:
        f.anio = anio(0), f.mes = partes[1], f.dia = partes[2];
        break;
    }
    return true;
}

// "May 1 2024", "May 1, 2024", "1 May 2024", "May 2024".
bool leerFechaConNombre(QStringView s, FechaHora& f)
{
    QString limpio = s.toString();
    limpio.replace(QLatin1Char(','), QLatin1Char(' '));
    const QStringList partes = limpio.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (partes.size() < 2 || partes.size() > 3)
        return false;
    int mes = 0;
    std::array<int, 2> numeros{-1, -1};
    int n = 0;
    for (const QString& p : partes) {
        bool ok = false;
        const int v = p.toInt(&ok);
        if (ok && n < 2)
            numeros[n++] = v;
        else if (!ok && mes == 0 && (mes = mesPorNombre(p)) != 0)
            continue;
        else
            return false;
    }
    if (mes == 0 || n == 0)
        return false;
    f.mes = mes;
    if (n == 1) {
        f.anio = numeros[0];
        f.dia = 1;
    } else if (numeros[0] > 31) {
        f.anio = numeros[0];
        f.dia = numeros[1];
    } else {
        f.dia = numeros[0];
        f.anio = numeros[1] < 100 ? anioDeDosCifras(numeros[1]) : numeros[1];
    }
    return true;
}

QString dos(int v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString cuatro(int v)
{
    return QStringLiteral("%1").arg(v, 4, 10, QLatin1Char('0'));
}

QString tres(int v)
{
    return QStringLiteral("%1").arg(v, 3, 10, QLatin1Char('0'));
}

QString horaAmPm(const FechaHora& f, bool conSegundos)
{
    const int h12 = f.hora % 12 == 0 ? 12 : f.hora % 12;
    QString t = QStringLiteral("%1:%2").arg(h12, 2, 10, QLatin1Char(' ')).arg(dos(f.minuto));
    if (conSegundos)
        t += QLatin1Char(':') + dos(f.segundo) + QLatin1Char(':') + tres(f.milis);
    return t + (f.hora < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

} // namespace

QString FechaHora::almacenada() const
{
    QString t = cuatro(anio) + QLatin1Char('-') + dos(mes) + QLatin1Char('-') + dos(dia) + QLatin1Char(' ') +
                dos(hora) + QLatin1Char(':') + dos(minuto) + QLatin1Char(':') + dos(segundo);
    if (milis != 0)
        t += QLatin1Char('.') + tres(milis);
    return t;
}

QDateTime FechaHora::comoQDateTime() const
{
    return QDateTime(QDate(anio, mes, dia), QTime(hora, minuto, segundo, milis));
}

FechaHora FechaHora::desde(const QDateTime& d)
{
    FechaHora f;
    const QDate fecha = d.date();
    const QTime hora = d.time();
    f.anio = fecha.year(), f.mes = fecha.month(), f.dia = fecha.day();
    f.hora = hora.hour(), f.minuto = hora.minute(), f.segundo = hora.second(), f.milis = hora.msec();
    return f;
}

qint64 FechaHora::milisDesde1900() const
{
    const qint64 dias = QDate(anio, mes, dia).toJulianDay() - QDate(1900, 1, 1).toJulianDay();
    return dias * 86400000LL + ((hora * 60LL + minuto) * 60 + segundo) * 1000 + milis;
}

FechaHora FechaHora::desdeMilis1900(qint64 milis)
{
    qint64 dias = milis / 86400000LL;
    qint64 resto = milis % 86400000LL;
    if (resto < 0) {
        resto += 86400000LL;
        --dias;
    }
    const QDate d = QDate(1900, 1, 1).addDays(dias);
    FechaHora f;
    f.anio = d.year(), f.mes = d.month(), f.dia = d.day();
    f.hora = int(resto / 3600000), f.minuto = int(resto / 60000 % 60), f.segundo = int(resto / 1000 % 60);
    f.milis = int(resto % 1000);
    return f;
}

std::optional<FechaHora> leerAlmacenada(const char* s, int largo)
{
    auto d = [&](int i) { return s[i] >= '0' && s[i] <= '9'; };
    auto n2 = [&](int i) { return (s[i] - '0') * 10 + (s[i + 1] - '0'); };
    if (largo < 10 ||
        !(d(0) && d(1) && d(2) && d(3) && s[4] == '-' && d(5) && d(6) && s[7] == '-' && d(8) && d(9)))
        return std::nullopt;
    FechaHora f;
    f.anio = n2(0) * 100 + n2(2);
    f.mes = n2(5);
    f.dia = n2(8);
    if (largo == 10)
        return f;
    if (largo < 19 || s[10] != ' ' ||
        !(d(11) && d(12) && s[13] == ':' && d(14) && d(15) && s[16] == ':' && d(17) && d(18)))
        return std::nullopt;
    f.hora = n2(11);
    f.minuto = n2(14);
    f.segundo = n2(17);
    if (largo == 19)
        return f;
    if (largo != 23 || s[19] != '.' || !(d(20) && d(21) && d(22)))
        return std::nullopt;
    f.milis = (s[20] - '0') * 100 + n2(21);
    return f;
}

FechaHora leerFecha(QStringView texto, OrdenFecha orden, int estilo)
{
    const QStringView s = texto.trimmed();
    FechaHora f;
    if (s.isEmpty())
        return f;
    switch (estilo % 100) {
    case 1:
    case 10:
        orden = OrdenFecha::mdy;
        break;
    case 3:
    case 4:
    case 5:
        orden = OrdenFecha::dmy;
        break;
    case 2:
    case 11:
    case 12:
    case 20:
    case 21:
    case 23:
    case 26:
        orden = OrdenFecha::ymd;
        break;
    default:
        break;
    }
    QStringView parteFecha;
    QStringView parteHora;
    separarFechaHora(s, parteFecha, parteHora);
    if (parteFecha.isEmpty()) {
        // A time alone: 01/01/1900 at that time.
        if (!leerHora(parteHora, f))
            noEsFecha();
        validar(f);
        return f;
    }
    const bool numerica = !parteFecha.isEmpty() && parteFecha.front().isDigit() &&
                          mesPorNombre(parteFecha) == 0 && !parteFecha.contains(u' ');
    if (numerica ? !leerFechaNumerica(parteFecha, orden, f) : !leerFechaConNombre(parteFecha, f))
        noEsFecha();
    if (!parteHora.isEmpty() && !leerHora(parteHora, f))
        noEsFecha();
    validar(f);
    return f;
}

QString formatearFecha(const FechaHora& f, int estilo)
{
    const QString yyyy = cuatro(f.anio);
    const QString yy = dos(f.anio % 100);
    const QString mm = dos(f.mes);
    const QString dd = dos(f.dia);
    const QString mon = QLatin1String(kMeses[f.mes - 1]);
    const QString hms = dos(f.hora) + QLatin1Char(':') + dos(f.minuto) + QLatin1Char(':') + dos(f.segundo);
    const bool siglo = estilo >= 100;
    const QString anio = siglo ? yyyy : yy;
    switch (estilo) {
    case 0:
    case 100:
        return mon + QStringLiteral(" %1 ").arg(f.dia, 2, 10, QLatin1Char(' ')) + yyyy + QLatin1Char(' ') +
               horaAmPm(f, false);
    case 1:
    case 101:
        return mm + QLatin1Char('/') + dd + QLatin1Char('/') + anio;
    case 2:
    case 102:
        return anio + QLatin1Char('.') + mm + QLatin1Char('.') + dd;
    case 3:
    case 103:
        return dd + QLatin1Char('/') + mm + QLatin1Char('/') + anio;
    case 4:
    case 104:
        return dd + QLatin1Char('.') + mm + QLatin1Char('.') + anio;
    case 5:
    case 105:
        return dd + QLatin1Char('-') + mm + QLatin1Char('-') + anio;
    case 6:
    case 106:
        return dd + QLatin1Char(' ') + mon + QLatin1Char(' ') + anio;
    case 7:
    case 107:
        return mon + QLatin1Char(' ') + dd + QStringLiteral(", ") + anio;
    case 8:
    case 108:
        return hms;
    case 9:
    case 109:
        return mon + QStringLiteral(" %1 ").arg(f.dia, 2, 10, QLatin1Char(' ')) + yyyy + QLatin1Char(' ') +
               horaAmPm(f, true);
    case 10:
    case 110:
        return mm + QLatin1Char('-') + dd + QLatin1Char('-') + anio;
    case 11:
    case 111:
        return anio + QLatin1Char('/') + mm + QLatin1Char('/') + dd;
    case 12:
    case 112:
        return anio + mm + dd;
    case 13:
    case 113:
        return dd + QLatin1Char(' ') + mon + QLatin1Char(' ') + yyyy + QLatin1Char(' ') + hms +
               QLatin1Char(':') + tres(f.milis);
    case 14:
    case 114:
        return hms + QLatin1Char(':') + tres(f.milis);
    case 20:
    case 120:
        return yyyy + QLatin1Char('-') + mm + QLatin1Char('-') + dd + QLatin1Char(' ') + hms;
    case 21:
    case 121:
        return yyyy + QLatin1Char('-') + mm + QLatin1Char('-') + dd + QLatin1Char(' ') + hms +
               QLatin1Char('.') + tres(f.milis);
    case 23:
        return yyyy + QLatin1Char('-') + mm + QLatin1Char('-') + dd;
    case 126:
        return yyyy + QLatin1Char('-') + mm + QLatin1Char('-') + dd + QLatin1Char('T') + hms +
               (f.milis ? QLatin1Char('.') + tres(f.milis) : QString());
    default:
        lanzar(num::EstiloInvalido, QStringLiteral("22007"),
               QStringLiteral("%1 no es un número de estilo válido al convertir de datetime a una cadena de "
                              "caracteres.")
                   .arg(estilo));
    }
}

} // namespace dalvo::embebido
