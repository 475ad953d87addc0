#include "data/clsParametros.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "data/cUserConnection.h"

#include <cmath>

namespace dalvo {

namespace {

const QString kOrigenBuscar = QStringLiteral("clsParametros");
const QString kOrigenChk = QStringLiteral("clsParametros.chkConnect");

// Direct conversion to a 16-bit integer, with the errors of the original platform's CInt: a null is an
// invalid use of Null, a text that is no number a type mismatch, and halves round to even.
qint16 entero16(const QVariant& valor)
{
    const QString origen = QStringLiteral("CInt");
    if (ado::esNulo(valor))
        throw Falla(errores::UsoInvalidoDeNull, origen, QStringLiteral("Uso no válido de Null"));
    bool ok = true;
    const double d = valor.typeId() == QMetaType::Bool ? (valor.toBool() ? -1.0 : 0.0) : valor.toDouble(&ok);
    if (!ok)
        throw Falla(errores::TiposNoCoinciden, origen, QStringLiteral("No coinciden los tipos"));
    const double redondeado = std::nearbyint(d);
    if (!(redondeado >= -32768.0 && redondeado <= 32767.0))
        throw Falla(errores::Desbordamiento, origen, QStringLiteral("Desbordamiento"));
    return qint16(redondeado);
}

std::unique_ptr<ado::Recordset> consultar(const QString& sql, const QString& origen)
{
    if (!gConexion)
        throw Falla(91, origen, QStringLiteral("Variable de objeto o bloque With no establecida"));
    qint32 numero = 0;
    QString descripcion;
    auto rs = gConexion->Query(sql, numero, descripcion, true, false);
    if (numero != 0)
        throw Falla(numero, origen, descripcion);
    return rs;
}

} // namespace

QString clsParametros::TextoBuscar()
{
    return QStringLiteral("SELECT  NombreEmpresa,") + QStringLiteral("    Periodo_Prox_Consumo,") +
           QStringLiteral("    Mensaje_Ticket,") + QStringLiteral("    Medicamentos_por_RDP,") +
           QStringLiteral("    Dias_Validez_Receta,") + QStringLiteral("    Directorio_TXT,") +
           QStringLiteral("    Directorio_FMT,") + QStringLiteral("    Directorio_LOG,") +
           QStringLiteral("    DirectorioTramites,") + QStringLiteral("    FechaTTAccion,") +
           QStringLiteral("    FechaAccion,") + QStringLiteral("    DirectorioTXTINMedicamentos,") +
           QStringLiteral("    DirectotioTXTOUTMedicamentos") + QStringLiteral("    FROM Parametros(NOLOCK)");
}

QString clsParametros::TextoChkConnect()
{
    return QStringLiteral("SELECT  Medicamentos_por_RDP AS Chek ") +
           QStringLiteral("    FROM Parametros(NOLOCK)");
}

std::unique_ptr<ado::Recordset> clsParametros::Buscar()
{
    try {
        auto rs = consultar(TextoBuscar(), kOrigenBuscar);
        const qint32 leidos = rs->RecordCount();
        // Everything is read into a copy first, so that a failure halfway leaves the members untouched.
        clsParametros nuevo = *this;
        nuevo.RegistrosLeidos = leidos;
        if (leidos == 1) {
            auto texto = [&](const char* campo) {
                return Convertir(rs->Fields(QLatin1String(campo)).Value(), 1, 1).toString();
            };
            auto entero = [&](const char* campo) {
                return entero16(rs->Fields(QLatin1String(campo)).Value());
            };
            nuevo.NombreEmpresa = texto("NombreEmpresa");
            nuevo.Periodo_Prox_Consumo = entero("Periodo_Prox_Consumo");
            nuevo.Mensaje_Ticket = texto("Mensaje_Ticket");
            nuevo.Medicamentos_por_RDP = entero("Medicamentos_por_RDP");
            nuevo.Dias_Validez_Receta = entero("Dias_Validez_Receta");
            nuevo.Directorio_TXT = texto("Directorio_TXT");
            nuevo.Directorio_FMT = texto("Directorio_FMT");
            nuevo.Directorio_LOG = texto("Directorio_LOG");
            nuevo.DirectorioTramites = texto("DirectorioTramites");
            nuevo.FechaTTAccion = texto("FechaTTAccion");
            nuevo.FechaAccion = texto("FechaAccion");
            nuevo.DirectorioTXTINMedicamentos = texto("DirectorioTXTINMedicamentos");
            nuevo.DirectotioTXTOUTMedicamentos = texto("DirectotioTXTOUTMedicamentos");
        }
        *this = nuevo;
        return rs;
    } catch (const Falla& f) {
        throw Falla(f.Numero, kOrigenBuscar, f.Descripcion);
    }
}

std::unique_ptr<ado::Recordset> clsParametros::chkConnect()
{
    try {
        auto rs = consultar(TextoChkConnect(), kOrigenChk);
        RegistrosLeidos = rs->RecordCount();
        return rs;
    } catch (const Falla& f) {
        throw Falla(f.Numero, kOrigenChk, f.Descripcion);
    }
}

} // namespace dalvo
