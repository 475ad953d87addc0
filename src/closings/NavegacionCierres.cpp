#include "closings/NavegacionCierres.h"

#include "closings/clsCierres.h"
#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "data/cUserConnection.h"

#include <QRegularExpression>

namespace dalvo {

std::optional<CierreEncontrado> BuscarCierre(Navegacion accion, qint32 cierreActual)
{
    if (!gConexion)
        throw Falla(91, QStringLiteral("frmCierres"),
                    QStringLiteral("Variable de objeto o bloque With no establecida"));
    const qint32 opcion = static_cast<qint32>(accion);
    const bool porNumero =
        accion == Navegacion::Este || accion == Navegacion::Anterior || accion == Navegacion::Siguiente;
    if (porNumero && cierreActual == 0)
        return std::nullopt;
    clsCierres cierres;
    cierres.LaConexion = gConexion->Connection;
    auto rs = cierres.Buscar({}, 0, porNumero ? cierreActual : 0, opcion, true);
    if (!rs || cierres.CantidadItems != 1)
        return std::nullopt;
    rs->Close();
    return CierreEncontrado{cierres.IdPrestador, cierres.idCierre};
}

QString AvisoSinCierre(Navegacion accion, qint32 cierre)
{
    switch (accion) {
    case Navegacion::Este:
        return QStringLiteral("No existe el cierre %1.").arg(cierre);
    case Navegacion::Anterior:
        if (cierre == 0)
            break;
        return QStringLiteral("No hay un cierre anterior al %1.").arg(cierre);
    case Navegacion::Siguiente:
        if (cierre == 0)
            break;
        return QStringLiteral("No hay un cierre posterior al %1.").arg(cierre);
    case Navegacion::Primero:
    case Navegacion::Ultimo:
        break;
    }
    return QStringLiteral("No hay cierres.");
}

std::optional<qint32> NumeroDeCierre(const QString& texto)
{
    static const QRegularExpression digitos(QStringLiteral("^\\d{1,9}$"));
    const QString t = recortar(texto);
    if (!digitos.match(t).hasMatch() || t.toInt() == 0)
        return std::nullopt;
    return t.toInt();
}

} // namespace dalvo
