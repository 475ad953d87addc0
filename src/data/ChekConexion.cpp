#include "data/ChekConexion.h"

#include "data/cUserConnection.h"

namespace dalvo {

bool esConexionPerdida(const QString& descripcion)
{
    const QString estado = descripcion.left(5);
    return estado == u"08001" || estado == u"08S01" || estado == u"08003";
}

bool ChekConexion(const QVector<ado::ErrorAdo>& errores, QString& sErrores, QString& sUltimo)
{
    sErrores.clear();
    bool perdida = false;
    int cuenta = 0;
    for (const ado::ErrorAdo& error : errores) {
        if (++cuenta > 1)
            sErrores += QStringLiteral("\r\n");
        sErrores += error.Description;
        sUltimo = error.Description;
        if (esConexionPerdida(error.Description))
            perdida = true;
    }
    return perdida;
}

bool ChekConexion(QString& sErrores, QString& sUltimo)
{
    if (!gConexion || !gConexion->Connection)
        return ChekConexion({}, sErrores, sUltimo);
    return ChekConexion(gConexion->Connection->Errors(), sErrores, sUltimo);
}

} // namespace dalvo
