#include "closings/TotalesCierres.h"

#include "common/FuncionesGenerales.h"
#include "data/Recordset.h"

namespace dalvo {

QString TextoTotalesCierres(const QString& condicion)
{
    QString sql = QStringLiteral("SELECT  COUNT(C.idCierre) 'Cuenta', ") +
                  QStringLiteral("   SUM(C.Cant_transac) 'CantidadCupones', ") +
                  QStringLiteral("   SUM(C.TTicket) 'TotalCierre', ") +
                  QStringLiteral("   SUM(C.TAfilia) 'TotalAfiliado', ") +
                  QStringLiteral("   SUM(C.BPRAL) 'Bonificacion' ") +
                  QStringLiteral(" FROM Cierres C (NOLOCK)") +
                  QStringLiteral("    INNER JOIN Prestadores P (NOLOCK) ON") +
                  QStringLiteral("        P.IdPrestador = C.IdPrestador");
    if (!condicion.isEmpty())
        sql += QStringLiteral("    WHERE ") + condicion;
    return sql;
}

TotalesCierres LeerTotalesCierres(ado::Recordset& rs)
{
    auto campo = [&](const char* nombre) { return rs.Fields(QLatin1String(nombre)).Value(); };
    const QVariant cuenta = campo("Cuenta");
    const QVariant cupones = campo("CantidadCupones");
    const QVariant total = campo("TotalCierre");
    const QVariant afiliado = campo("TotalAfiliado");
    const QVariant bonificacion = campo("Bonificacion");
    auto importe = [](const QVariant& v) {
        return v.isValid() ? Convertir(v, 2, 1).toString() : FormatoNumero(0, 1);
    };
    TotalesCierres t;
    t.cantidadCierres = cuenta.isValid() ? comoTexto(cuenta) : QStringLiteral("0");
    t.cantidadCupones = cupones.isValid() ? comoTexto(cupones) : QStringLiteral("0");
    t.totalCierres = importe(total);
    t.aCargoAfiliado = importe(afiliado);
    t.bonificacion = importe(bonificacion);
    t.aPagar = FormatoNumero(total.toDouble() - afiliado.toDouble() - bonificacion.toDouble(), 1);
    return t;
}

} // namespace dalvo
