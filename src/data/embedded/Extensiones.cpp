#include "data/embedded/Extensiones.h"

#include "data/embedded/FuncionesSql.h"
#include "data/embedded/Valor.h"

#include <QString>
#include <sqlite3.h>
#include <vector>

namespace dalvo::embebido {

namespace {

int largoSinBlancosFinales(const char* s, int largo)
{
    while (largo > 0 && s[largo - 1] == ' ')
        --largo;
    return largo;
}

bool esAscii(const char* s, int largo)
{
    for (int i = 0; i < largo; ++i)
        if (static_cast<unsigned char>(s[i]) >= 0x80)
            return false;
    return true;
}

unsigned char minuscula(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

int compararAscii(const char* a, int la, const char* b, int lb)
{
    const int n = la < lb ? la : lb;
    for (int i = 0; i < n; ++i) {
        const unsigned char ca = minuscula(static_cast<unsigned char>(a[i]));
        const unsigned char cb = minuscula(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return la == lb ? 0 : (la < lb ? -1 : 1);
}

int colacion(void*, int la, const void* a, int lb, const void* b)
{
    return compararCI(static_cast<const char*>(a), la, static_cast<const char*>(b), lb);
}

// The pattern walker, shared by the byte path (ASCII) and the UTF-16 path (anything else); both work on
// case-folded characters.
template <typename C> class Patron
{
public:
    Patron(const C* p, qsizetype np, C escape, bool hayEscape)
        : mP(p), mN(np), mEscape(escape), mHayEscape(hayEscape)
    {}

    bool coincide(const C* s, qsizetype ns) const
    {
        qsizetype i = 0; // pattern
        qsizetype j = 0; // value
        qsizetype estrella = -1;
        qsizetype tras = 0;
        while (j < ns) {
            if (i < mN && mP[i] == C('%')) {
                estrella = ++i;
                tras = j;
                continue;
            }
            qsizetype siguiente = 0;
            if (i < mN && uno(i, s[j], siguiente)) {
                i = siguiente;
                ++j;
                continue;
            }
            if (estrella < 0)
                return false;
            i = estrella;
            j = ++tras;
        }
        while (i < mN && mP[i] == C('%'))
            ++i;
        return i == mN;
    }

private:
    // Does the pattern element at i match c? siguiente = where the next element begins.
    bool uno(qsizetype i, C c, qsizetype& siguiente) const
    {
        if (mHayEscape && mP[i] == mEscape && i + 1 < mN) {
            siguiente = i + 2;
            return mP[i + 1] == c;
        }
        if (mP[i] == C('%'))
            return false;
        if (mP[i] == C('_')) {
            siguiente = i + 1;
            return true;
        }
        if (mP[i] == C('[')) {
            qsizetype k = i + 1;
            bool niega = false;
            if (k < mN && mP[k] == C('^')) {
                niega = true;
                ++k;
            }
            bool esta = false;
            const qsizetype inicio = k;
            while (k < mN && (mP[k] != C(']') || k == inicio)) {
                if (k + 2 < mN && mP[k + 1] == C('-') && mP[k + 2] != C(']')) {
                    esta = esta || (c >= mP[k] && c <= mP[k + 2]);
                    k += 3;
                } else {
                    esta = esta || c == mP[k];
                    ++k;
                }
            }
            if (k >= mN) { // no closing bracket: a plain '['
                siguiente = i + 1;
                return c == C('[');
            }
            siguiente = k + 1;
            return esta != niega;
        }
        siguiente = i + 1;
        return mP[i] == c;
    }

    const C* mP;
    qsizetype mN;
    C mEscape;
    bool mHayEscape;
};

bool likeAscii(const char* v, int nv, const char* p, int np, char escape, bool hayEscape)
{
    // Lower-case copies on the stack for the usual short texts.
    char pilaV[256];
    char pilaP[256];
    std::vector<char> grandeV;
    std::vector<char> grandeP;
    char* bv = pilaV;
    char* bp = pilaP;
    if (nv > 256) {
        grandeV.resize(size_t(nv));
        bv = grandeV.data();
    }
    if (np > 256) {
        grandeP.resize(size_t(np));
        bp = grandeP.data();
    }
    for (int i = 0; i < nv; ++i)
        bv[i] = char(minuscula(static_cast<unsigned char>(v[i])));
    for (int i = 0; i < np; ++i)
        bp[i] = char(minuscula(static_cast<unsigned char>(p[i])));
    const char esc = char(minuscula(static_cast<unsigned char>(escape)));
    return Patron<char>(bp, np, esc, hayEscape).coincide(bv, nv);
}

void funcionLike(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    // SQLite calls like(pattern, value[, escape]).
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL ||
        (argc == 3 && sqlite3_value_type(argv[2]) == SQLITE_NULL)) {
        sqlite3_result_null(ctx);
        return;
    }
    const char* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int np = sqlite3_value_bytes(argv[0]);
    const char* v = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const int nv = largoSinBlancosFinales(v, sqlite3_value_bytes(argv[1]));
    const char* e = argc == 3 ? reinterpret_cast<const char*>(sqlite3_value_text(argv[2])) : nullptr;
    const int ne = argc == 3 ? sqlite3_value_bytes(argv[2]) : 0;
    if (argc == 3 && ne == 0) {
        sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
        return;
    }
    if (esAscii(p, np) && esAscii(v, nv) && (!e || esAscii(e, ne))) {
        sqlite3_result_int(ctx, likeAscii(v, nv, p, np, e ? e[0] : 0, e != nullptr) ? 1 : 0);
        return;
    }
    const QString escape = e ? QString::fromUtf8(e, ne) : QString();
    sqlite3_result_int(ctx, coincideLike(QString::fromUtf8(v, nv), QString::fromUtf8(p, np),
                                         escape.isEmpty() ? QChar() : escape.at(0))
                                ? 1
                                : 0);
}

} // namespace

int compararCI(const char* a, int largoA, const char* b, int largoB)
{
    largoA = largoSinBlancosFinales(a, largoA);
    largoB = largoSinBlancosFinales(b, largoB);
    if (esAscii(a, largoA) && esAscii(b, largoB))
        return compararAscii(a, largoA, b, largoB);
    const QString qa = QString::fromUtf8(a, largoA).toCaseFolded();
    const QString qb = QString::fromUtf8(b, largoB).toCaseFolded();
    const int r = qa.compare(qb);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool coincideLike(QStringView valor, QStringView patron, QChar escape)
{
    while (!valor.isEmpty() && valor.back() == u' ')
        valor.chop(1);
    const QString v = valor.toString().toCaseFolded();
    const QString p = patron.toString().toCaseFolded();
    const QChar e = escape.isNull() ? QChar() : escape.toCaseFolded();
    return Patron<QChar>(p.constData(), p.size(), e, !escape.isNull()).coincide(v.constData(), v.size());
}

QString textoFechaHora(const QDateTime& momento)
{
    return FechaHora::desde(momento).almacenada();
}

qint32 idObjeto(QStringView nombre)
{
    // FNV-1a over the case-folded name: stable across sessions and files, positive like SQL Server's ids.
    quint32 h = 2166136261u;
    const QString n = nombre.toString().toCaseFolded();
    for (QChar c : n) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return qint32(h & 0x7fffffff) | 0x100;
}

void registrarColacion(sqlite3* db)
{
    sqlite3_create_collation(db, kColacion, SQLITE_UTF8, nullptr, colacion);
}

void registrarExtensiones(sqlite3* db, const OrdenFecha* orden)
{
    registrarColacion(db);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "like", 2, flags, nullptr, funcionLike, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, flags, nullptr, funcionLike, nullptr, nullptr);
    registrarFuncionesSql(db, orden);
}

} // namespace dalvo::embebido
