// Text in code page 1252 and UTF-16, and the datetime format.

#include "tds/TiposTds.h"

#include <algorithm>
#include <array>

namespace dalvo::tds {

namespace {

// Code points of bytes 0x80-0x9F in code page 1252; the five unassigned bytes keep their C1 code point.
constexpr std::array<char16_t, 32> kAlto1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const QDate kBase1900(1900, 1, 1);
constexpr quint32 kTicsPorDia = 300u * 86400u;

} // namespace

QByteArray textoEnBytes(const TipoTds& t, const QString& s)
{
    return t.esUnicode() ? aUtf16(s) : aCp1252(s);
}

QString textoDeBytes(const TipoTds& t, const QByteArray& b)
{
    return t.esUnicode() ? deUtf16(b) : deCp1252(b);
}

QByteArray aCp1252(const QString& s)
{
    QByteArray b;
    b.reserve(s.size());
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            b.append(char(u));
            continue;
        }
        const auto it = std::find(kAlto1252.begin(), kAlto1252.end(), u);
        b.append(it == kAlto1252.end() ? '?' : char(0x80 + (it - kAlto1252.begin())));
    }
    return b;
}

QString deCp1252(const QByteArray& b)
{
    QString s;
    s.reserve(b.size());
    for (char c : b) {
        const quint8 u = quint8(c);
        s.append(u >= 0x80 && u < 0xA0 ? QChar(kAlto1252[u - 0x80]) : QChar(char16_t(u)));
    }
    return s;
}

FechaTds aFechaTds(const QDateTime& fecha)
{
    FechaTds f;
    f.dias = qint32(kBase1900.daysTo(fecha.date()));
    // Rounded to the nearest 1/300 s; 23:59:59.999 rounds into the next day.
    f.tics = quint32((qint64(fecha.time().msecsSinceStartOfDay()) * 3 + 5) / 10);
    if (f.tics >= kTicsPorDia) {
        f.tics -= kTicsPorDia;
        ++f.dias;
    }
    return f;
}

QDateTime deFechaTds(FechaTds f)
{
    const int ms = int((qint64(f.tics) * 10 + 1) / 3);
    return QDateTime(kBase1900.addDays(f.dias), QTime::fromMSecsSinceStartOfDay(std::min(ms, 86399999)));
}

} // namespace dalvo::tds
