#include "app/VigiaConexion.h"

#include "common/Falla.h"
#include "data/ChekError.h"
#include "data/cUserConnection.h"
#include "data/clsParametros.h"

namespace dalvo {

void VigiaConexion::latido()
{
    if (mEnCurso || ChekErrorEnCurso() || !gConexion)
        return;
    mEnCurso = true;
    struct Liberar
    {
        bool& b;
        ~Liberar() { b = false; }
    } liberar{mEnCurso};

    try {
        clsParametros parametros;
        parametros.Connection = gConexion->Connection;
        auto rs = parametros.chkConnect();
        if (rs)
            rs->Close();
        mFallaAvisada = false;
    } catch (const Falla& f) {
        QString errores;
        QString ultimo;
        const bool perdida = f.Numero > 9999 && ChekConexion(errores, ultimo);
        if (!perdida) {
            if (mFallaAvisada)
                return;
            mFallaAvisada = true;
        }
        ChekError(f.Numero, f.Descripcion, QString::fromLatin1(kOrigen));
    }
}

IntervaloChequeo intervaloChequeo(const QString& guardado)
{
    bool ok = false;
    const int valor = guardado.trimmed().toInt(&ok);
    // Not a number, negative or beyond 32 bits: the default, written back so the store is mended.
    if (!ok || valor < 0)
        return {kChequeoPredeterminado, QString::number(kChequeoPredeterminado)};
    // 0 turns the keep-alive off, as a stopped timer would.
    if (valor == 0)
        return {0, QStringLiteral("0")};
    // A few milliseconds would flood the server with keep-alive queries.
    const int usado = std::max(valor, kChequeoMinimo);
    return {usado, QString::number(usado)};
}

} // namespace dalvo
