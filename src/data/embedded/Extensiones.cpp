#include "data/embedded/Extensiones.h"

#include <QString>
#include <sqlite3.h>

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

int compararAscii(const char* a, int la, const char* b, int lb)
{
    const int n = la < lb ? la : lb;
    for (int i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<unsigned char>(ca + 32);
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<unsigned char>(cb + 32);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return la == lb ? 0 : (la < lb ? -1 : 1);
}

int colacion(void*, int la, const void* a, int lb, const void* b)
{
    return compararCI(static_cast<const char*>(a), la, static_cast<const char*>(b), lb);
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

void registrarExtensiones(sqlite3* db)
{
    sqlite3_create_collation(db, kColacion, SQLITE_UTF8, nullptr, colacion);
}

} // namespace dalvo::embebido
