// DATEADD, DATEDIFF, DATEPART and GETDATE as SQL Server computes them.
#include "common/Reloj.h"
#include "data/embedded/Errores.h"
#include "data/embedded/FuncionesSql.h"
#include "data/embedded/Valor.h"

#include <cmath>
#include <sqlite3.h>

namespace dalvo::embebido {

namespace {

OrdenFecha ordenDe(sqlite3_context* ctx)
{
    const auto* orden = static_cast<const OrdenFecha*>(sqlite3_user_data(ctx));
    return orden ? *orden : OrdenFecha::mdy;
}

void devolverError(sqlite3_context* ctx, const ado::FallaMotor& f)
{
    const QByteArray t = codificarError(f.errores().value(0));
    sqlite3_result_error(ctx, t.constData(), int(t.size()));
}

bool esNulo(sqlite3_value* v)
{
    return sqlite3_value_type(v) == SQLITE_NULL;
}

// A datetime argument: the storage format, or any date text, or a number of days since 1900.
FechaHora fechaDe(sqlite3_value* v, OrdenFecha orden)
{
    if (sqlite3_value_type(v) == SQLITE_TEXT) {
        const char* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
        const int n = sqlite3_value_bytes(v);
        if (auto f = leerAlmacenada(t, n))
            return *f;
        return leerFecha(QString::fromUtf8(t, n), orden);
    }
    return FechaHora::desdeMilis1900(qint64(std::llround(sqlite3_value_double(v) * 86400000.0)));
}

void fDateAdd(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (esNulo(a[1]) || esNulo(a[2])) {
        sqlite3_result_null(ctx);
        return;
    }
    try {
        const FechaHora f = fechaDe(a[2], ordenDe(ctx));
        const qint64 n = qint64(std::trunc(sqlite3_value_double(a[1])));
        QDateTime d = f.comoQDateTime();
        switch (sqlite3_value_int(a[0])) {
        case parte::Anio:
            d = d.addYears(int(n));
            break;
        case parte::Trimestre:
            d = d.addMonths(int(n * 3));
            break;
        case parte::Mes:
            d = d.addMonths(int(n));
            break;
        case parte::Semana:
            d = d.addDays(n * 7);
            break;
        case parte::Hora:
            d = d.addSecs(n * 3600);
            break;
        case parte::Minuto:
            d = d.addSecs(n * 60);
            break;
        case parte::Segundo:
            d = d.addSecs(n);
            break;
        case parte::Milisegundo:
            d = d.addMSecs(n);
            break;
        default:
            d = d.addDays(n);
            break;
        }
        // Local time has gaps; datetime does not: do the arithmetic on plain fields.
        FechaHora r = FechaHora::desde(d);
        if (sqlite3_value_int(a[0]) <= parte::DiaSemana) {
            r.hora = f.hora, r.minuto = f.minuto, r.segundo = f.segundo, r.milis = f.milis;
        }
        if (r.anio < 1753 || r.anio > 9999)
            throw ado::FallaMotor({errorAdo(517, QStringLiteral("22007"),
                                            QStringLiteral("Al agregar un valor a una columna 'datetime' se "
                                                           "produjo un desbordamiento."))});
        ValorSql::deTexto(r.almacenada()).devolver(ctx);
    } catch (const ado::FallaMotor& e) {
        devolverError(ctx, e);
    }
}

qint64 marca(const FechaHora& f, int p)
{
    const qint64 jd = QDate(f.anio, f.mes, f.dia).toJulianDay();
    switch (p) {
    case parte::Anio:
        return f.anio;
    case parte::Trimestre:
        return f.anio * 4LL + (f.mes - 1) / 3;
    case parte::Mes:
        return f.anio * 12LL + f.mes - 1;
    case parte::Semana:
        return (jd + 1) / 7; // weeks begin on Sunday (DATEFIRST 7)
    case parte::Hora:
        return f.milisDesde1900() / 3600000LL -
               (f.milisDesde1900() < 0 && f.milisDesde1900() % 3600000LL ? 1 : 0);
    case parte::Minuto:
        return f.milisDesde1900() / 60000LL;
    case parte::Segundo:
        return f.milisDesde1900() / 1000LL;
    case parte::Milisegundo:
        return f.milisDesde1900();
    default:
        return jd;
    }
}

void fDateDiff(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (esNulo(a[1]) || esNulo(a[2])) {
        sqlite3_result_null(ctx);
        return;
    }
    try {
        const int p = sqlite3_value_int(a[0]);
        sqlite3_result_int64(ctx,
                             marca(fechaDe(a[2], ordenDe(ctx)), p) - marca(fechaDe(a[1], ordenDe(ctx)), p));
    } catch (const ado::FallaMotor& e) {
        devolverError(ctx, e);
    }
}

void fDatePart(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (esNulo(a[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    try {
        const FechaHora f = fechaDe(a[1], ordenDe(ctx));
        const QDate d(f.anio, f.mes, f.dia);
        qint64 r = 0;
        switch (sqlite3_value_int(a[0])) {
        case parte::Anio:
            r = f.anio;
            break;
        case parte::Trimestre:
            r = (f.mes - 1) / 3 + 1;
            break;
        case parte::Mes:
            r = f.mes;
            break;
        case parte::DiaDelAnio:
            r = d.dayOfYear();
            break;
        case parte::Semana: {
            const int primerDia = QDate(f.anio, 1, 1).dayOfWeek() % 7; // Sunday = 0
            r = (d.dayOfYear() - 1 + primerDia) / 7 + 1;
            break;
        }
        case parte::DiaSemana:
            r = d.dayOfWeek() % 7 + 1; // Sunday = 1
            break;
        case parte::Hora:
            r = f.hora;
            break;
        case parte::Minuto:
            r = f.minuto;
            break;
        case parte::Segundo:
            r = f.segundo;
            break;
        case parte::Milisegundo:
            r = f.milis;
            break;
        default:
            r = f.dia;
            break;
        }
        sqlite3_result_int64(ctx, r);
    } catch (const ado::FallaMotor& e) {
        devolverError(ctx, e);
    }
}

void fAhora(sqlite3_context* ctx, int, sqlite3_value**)
{
    FechaHora f = FechaHora::desde(Ahora());
    f.milis = 0;
    ValorSql::deTexto(f.almacenada()).devolver(ctx);
}

} // namespace

void registrarFuncionesFecha(sqlite3* db, const OrdenFecha* orden)
{
    const int det = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    void* o = const_cast<OrdenFecha*>(orden);
    sqlite3_create_function(db, "dalvo_dateadd", 3, det, o, fDateAdd, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_datediff", 3, det, o, fDateDiff, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_datepart", 2, det, o, fDatePart, nullptr, nullptr);
    // Deterministic on purpose: SQLite then evaluates it once per execution, as SQL Server does GETDATE().
    sqlite3_create_function(db, "dalvo_ahora", 0, det, nullptr, fAhora, nullptr, nullptr);
}

} // namespace dalvo::embebido
