#include "data/embedded/FuncionesSql.h"

#include "data/embedded/Errores.h"
#include "data/embedded/Extensiones.h"
#include "data/embedded/Valor.h"

#include <cmath>
#include <cstdio>
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

void devolverError(sqlite3_context* ctx, qint32 numero, const char* estado, const QString& texto)
{
    devolverError(ctx, ado::FallaMotor({errorAdo(numero, QString::fromLatin1(estado), texto)}));
}

bool esNulo(sqlite3_value* v)
{
    return sqlite3_value_type(v) == SQLITE_NULL;
}

int caracteresUtf8(const unsigned char* s, int bytes)
{
    int n = 0;
    for (int i = 0; i < bytes; ++i)
        n += (s[i] & 0xC0) != 0x80;
    return n;
}

TipoSql tipoDeArgs(sqlite3_value** a)
{
    TipoSql t;
    t.familia = static_cast<Familia>(sqlite3_value_int(a[0]));
    t.longitud = sqlite3_value_int(a[1]);
    t.precision = sqlite3_value_int(a[2]);
    t.escala = sqlite3_value_int(a[3]);
    return t;
}

void devolverTexto(sqlite3_context* ctx, const char* t, int n, int longitud)
{
    if (longitud >= 0 && n > longitud)
        n = longitud;
    sqlite3_result_text(ctx, t, n, SQLITE_TRANSIENT);
}

// The conversions the program's statements make on every row, done on the bytes.
bool convertirRapido(sqlite3_context* ctx, sqlite3_value* x, const TipoSql& destino, int estilo,
                     const TipoSql& origen)
{
    if (!destino.esTexto())
        return false;
    if (origen.esFecha() && sqlite3_value_type(x) == SQLITE_TEXT) {
        const auto f =
            leerAlmacenada(reinterpret_cast<const char*>(sqlite3_value_text(x)), sqlite3_value_bytes(x));
        if (!f)
            return false;
        char b[32];
        int n = 0;
        switch (estilo) {
        case 103:
            n = std::snprintf(b, sizeof b, "%02d/%02d/%04d", f->dia, f->mes, f->anio);
            break;
        case 112:
            n = std::snprintf(b, sizeof b, "%04d%02d%02d", f->anio, f->mes, f->dia);
            break;
        case 120:
            n = std::snprintf(b, sizeof b, "%04d-%02d-%02d %02d:%02d:%02d", f->anio, f->mes, f->dia, f->hora,
                              f->minuto, f->segundo);
            break;
        case 23:
            n = std::snprintf(b, sizeof b, "%04d-%02d-%02d", f->anio, f->mes, f->dia);
            break;
        default:
            return false;
        }
        devolverTexto(ctx, b, n, destino.longitud);
        return true;
    }
    if (origen.esEntero() && sqlite3_value_type(x) == SQLITE_INTEGER) {
        char b[32];
        const int n = std::snprintf(b, sizeof b, "%lld", static_cast<long long>(sqlite3_value_int64(x)));
        if (destino.longitud >= 0 && n > destino.longitud)
            sqlite3_result_text(ctx, "*", 1, SQLITE_STATIC);
        else
            sqlite3_result_text(ctx, b, n, SQLITE_TRANSIENT);
        return true;
    }
    return false;
}

void fConvertir(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (esNulo(a[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const TipoSql destino = tipoDeArgs(a + 1);
    const int estilo = sqlite3_value_int(a[5]);
    TipoSql origen = TipoSql::de(static_cast<Familia>(sqlite3_value_int(a[6])));
    origen.escala = sqlite3_value_int(a[7]);
    if (convertirRapido(ctx, a[0], destino, estilo, origen))
        return;
    try {
        convertir(ValorSql::leer(a[0]), origen, destino, estilo, ordenDe(ctx)).devolver(ctx);
    } catch (const ado::FallaMotor& f) {
        devolverError(ctx, f);
    }
}

void fPad(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (esNulo(a[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* t = sqlite3_value_text(a[0]);
    const int bytes = sqlite3_value_bytes(a[0]);
    const int faltan = sqlite3_value_int(a[1]) - caracteresUtf8(t, bytes);
    if (faltan <= 0) {
        sqlite3_result_value(ctx, a[0]);
        return;
    }
    QByteArray r(reinterpret_cast<const char*>(t), bytes);
    r.append(faltan, ' ');
    sqlite3_result_text(ctx, r.constData(), int(r.size()), SQLITE_TRANSIENT);
}

void fAjustar(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (sqlite3_value_type(a[0]) != SQLITE_TEXT) {
        sqlite3_result_value(ctx, a[0]);
        return;
    }
    const auto* t = sqlite3_value_text(a[0]);
    int bytes = sqlite3_value_bytes(a[0]);
    int sinBlancos = bytes;
    while (sinBlancos > 0 && t[sinBlancos - 1] == ' ')
        --sinBlancos;
    const int longitud = sqlite3_value_int(a[1]);
    if (longitud >= 0 && caracteresUtf8(t, sinBlancos) > longitud) {
        devolverError(ctx, num::Truncado, "22001",
                      QStringLiteral("Los datos de cadena o binarios se truncarían."));
        return;
    }
    if (sqlite3_value_int(a[2]))
        bytes = sinBlancos;
    sqlite3_result_text(ctx, reinterpret_cast<const char*>(t), bytes, SQLITE_TRANSIENT);
}

void fNoCero(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (!esNulo(a[0]) && sqlite3_value_double(a[0]) == 0.0) {
        devolverError(ctx, num::DivisionPorCero, "22012",
                      QStringLiteral("Se encontró un error de división entre cero."));
        return;
    }
    sqlite3_result_value(ctx, a[0]);
}

struct Unico
{
    sqlite3_value* valor;
    qint64 filas;
};

void fUnicoPaso(sqlite3_context* ctx, int, sqlite3_value** a)
{
    auto* u = static_cast<Unico*>(sqlite3_aggregate_context(ctx, sizeof(Unico)));
    if (!u)
        return;
    if (++u->filas == 1)
        u->valor = sqlite3_value_dup(a[0]);
}

void fUnicoFinal(sqlite3_context* ctx)
{
    auto* u = static_cast<Unico*>(sqlite3_aggregate_context(ctx, 0));
    if (!u || u->filas == 0) {
        sqlite3_result_null(ctx);
        return;
    }
    if (u->filas > 1)
        devolverError(
            ctx, num::SubconsultaVariosValores, "21000",
            QStringLiteral("La subconsulta ha devuelto más de un valor, lo que no es correcto cuando va a "
                           "continuación de =, !=, <, <=, >, >= o cuando se utiliza como expresión."));
    else
        sqlite3_result_value(ctx, u->valor);
    sqlite3_value_free(u->valor);
}

QString textoDe(sqlite3_value* v)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
}

void fObjId(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (esNulo(a[0]))
        sqlite3_result_null(ctx);
    else
        sqlite3_result_int(ctx, idObjeto(textoDe(a[0])));
}

void fTipo(sqlite3_context* ctx, int, sqlite3_value** a)
{
    const TipoSql t = tipoDeclarado(textoDe(a[0]));
    switch (sqlite3_value_int(a[1])) {
    case campoTipo::Usertype:
        sqlite3_result_int(ctx, t.usertype());
        break;
    case campoTipo::Longitud:
        sqlite3_result_int(ctx, t.longitudCatalogo());
        break;
    case campoTipo::Escala:
        if (t.familia == Familia::Numeric)
            sqlite3_result_int(ctx, t.escala);
        else
            sqlite3_result_null(ctx);
        break;
    case campoTipo::Precision:
        sqlite3_result_int(ctx, t.esTexto() ? 0 : t.precisionAdo());
        break;
    case campoTipo::Xtype:
        sqlite3_result_int(ctx, t.xtype());
        break;
    default:
        ValorSql::deTexto(t.nombre()).devolver(ctx);
        break;
    }
}

void fMayusMinus(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (esNulo(a[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const bool mayus = sqlite3_user_data(ctx) != nullptr;
    const QString t = textoDe(a[0]);
    ValorSql::deTexto(mayus ? t.toUpper() : t.toLower()).devolver(ctx);
}

void fCharIndex(sqlite3_context* ctx, int argc, sqlite3_value** a)
{
    if (esNulo(a[0]) || esNulo(a[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString buscar = textoDe(a[0]).toCaseFolded();
    const QString en = textoDe(a[1]).toCaseFolded();
    const qsizetype desde =
        argc > 2 && !esNulo(a[2]) ? std::max<qsizetype>(sqlite3_value_int(a[2]) - 1, 0) : 0;
    sqlite3_result_int64(ctx, buscar.isEmpty() ? 0 : en.indexOf(buscar, desde) + 1);
}

void fReplace(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (esNulo(a[0]) || esNulo(a[1]) || esNulo(a[2])) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString buscar = textoDe(a[1]);
    QString t = textoDe(a[0]);
    if (!buscar.isEmpty())
        t.replace(buscar, textoDe(a[2]), Qt::CaseInsensitive);
    ValorSql::deTexto(t).devolver(ctx);
}

// The fixed beginning of a LIKE pattern (cual 0), or the first text past every text that begins so (cual 1).
void fPrefijo(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (esNulo(a[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString patron = textoDe(a[0]);
    qsizetype largo = 0;
    while (largo < patron.size() && patron[largo] != u'%' && patron[largo] != u'_' && patron[largo] != u'[')
        ++largo;
    QString r = patron.left(largo);
    if (sqlite3_value_int(a[1]) != 0)
        r += QChar(0xFFFF);
    ValorSql::deTexto(r).devolver(ctx);
}

// '+' between values of unknown type: texts concatenate, anything else adds.
void fMas(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (esNulo(a[0]) || esNulo(a[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    if (sqlite3_value_type(a[0]) == SQLITE_TEXT || sqlite3_value_type(a[1]) == SQLITE_TEXT) {
        QByteArray t(reinterpret_cast<const char*>(sqlite3_value_text(a[0])), sqlite3_value_bytes(a[0]));
        t.append(reinterpret_cast<const char*>(sqlite3_value_text(a[1])), sqlite3_value_bytes(a[1]));
        sqlite3_result_text(ctx, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    } else if (sqlite3_value_type(a[0]) == SQLITE_INTEGER && sqlite3_value_type(a[1]) == SQLITE_INTEGER) {
        sqlite3_result_int64(ctx, sqlite3_value_int64(a[0]) + sqlite3_value_int64(a[1]));
    } else {
        sqlite3_result_double(ctx, sqlite3_value_double(a[0]) + sqlite3_value_double(a[1]));
    }
}

void fReplicate(sqlite3_context* ctx, int, sqlite3_value** a)
{
    if (esNulo(a[0]) || esNulo(a[1]) || sqlite3_value_int(a[1]) < 0) {
        sqlite3_result_null(ctx);
        return;
    }
    ValorSql::deTexto(textoDe(a[0]).repeated(sqlite3_value_int(a[1]))).devolver(ctx);
}

void fRound(sqlite3_context* ctx, int argc, sqlite3_value** a)
{
    if (esNulo(a[0]) || esNulo(a[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const bool truncar = argc > 2 && sqlite3_value_int(a[2]) != 0;
    const double factor = std::pow(10.0, sqlite3_value_int(a[1]));
    const double x = sqlite3_value_double(a[0]) * factor;
    const double r = (truncar ? std::trunc(x) : std::round(x)) / factor;
    if (sqlite3_value_type(a[0]) == SQLITE_INTEGER)
        sqlite3_result_int64(ctx, qint64(r));
    else
        sqlite3_result_double(ctx, r);
}

} // namespace

void registrarFuncionesSql(sqlite3* db, const OrdenFecha* orden)
{
    const int det = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    void* o = const_cast<OrdenFecha*>(orden);
    sqlite3_create_function(db, "dalvo_convertir", 8, det, o, fConvertir, nullptr, nullptr);
    registrarFuncionesFecha(db, orden);
    sqlite3_create_function(db, "dalvo_pad", 2, det, nullptr, fPad, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_ajustar", 3, det, nullptr, fAjustar, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_nocero", 1, det, nullptr, fNoCero, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_unico", 1, det, nullptr, nullptr, fUnicoPaso, fUnicoFinal);
    sqlite3_create_function(db, "dalvo_objid", 1, det, nullptr, fObjId, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_tipo", 2, det, nullptr, fTipo, nullptr, nullptr);
    static int marcaMayus = 1;
    sqlite3_create_function(db, "upper", 1, det, &marcaMayus, fMayusMinus, nullptr, nullptr);
    sqlite3_create_function(db, "lower", 1, det, nullptr, fMayusMinus, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_charindex", 2, det, nullptr, fCharIndex, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_charindex", 3, det, nullptr, fCharIndex, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_mas", 2, det, nullptr, fMas, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_prefijo", 2, det, nullptr, fPrefijo, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_replace", 3, det, nullptr, fReplace, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_replicate", 2, det, nullptr, fReplicate, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_round", 2, det, nullptr, fRound, nullptr, nullptr);
    sqlite3_create_function(db, "dalvo_round", 3, det, nullptr, fRound, nullptr, nullptr);
}

} // namespace dalvo::embebido
