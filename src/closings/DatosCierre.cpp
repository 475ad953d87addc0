#include "closings/DatosCierre.h"

#include "closings/Valores.h"
#include "closings/clsCierres.h"
#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "data/Recordset.h"
#include "data/cUserConnection.h"

namespace dalvo {

namespace {

const QString kOrigen = QStringLiteral("frmCierres.CargarCierre");

QString texto(const QVariant& v)
{
    return Convertir(v, 1, 1).toString();
}

QString fecha(const QVariant& v)
{
    return Convertir(v, 1, 3).toString();
}

// Through Convertir as a number, then "####0" (entero) or "##,##0.00".
QString numero(const QVariant& v, bool entero)
{
    return FormatoNumero(Convertir(v, 2, 2).toDouble(), entero ? 2 : 1);
}

// The next result set, which must be there.
std::unique_ptr<ado::Recordset> siguiente(ado::Recordset& rs)
{
    auto proximo = rs.NextRecordset();
    if (!proximo)
        throw Falla(3704, kOrigen,
                    QStringLiteral("El procedimiento no devolvió todos los datos del cierre."));
    return proximo;
}

void leerTickets(ado::Recordset& rs, QVector<FilaTicketCierre>& filas)
{
    for (; !rs.Eof(); rs.MoveNext()) {
        FilaTicketCierre f;
        f.ticket = textoDelValor(rs.Fields(QStringLiteral("IdTicket")).Value(), kOrigen);
        f.afiliado = textoDelValor(rs.Fields(QStringLiteral("Num_Afil")).Value(), kOrigen);
        f.cantidad = numero(rs.Fields(QStringLiteral("CantidadMedicamentos")).Value(), true);
        f.total = numero(rs.Fields(QStringLiteral("Total")).Value(), false);
        f.tipo = textoDelValor(rs.Fields(QStringLiteral("Tipo")).Value(), kOrigen);
        filas.append(f);
    }
}

void leerDescuentos(ado::Recordset& rs, const QString& tipo, QVector<FilaDescuentoCierre>& filas)
{
    for (; !rs.Eof(); rs.MoveNext()) {
        FilaDescuentoCierre f;
        f.columnas[0] = tipo;
        f.columnas[1] = textoDelValor(rs.Fields(QStringLiteral("Desc_OS")).Value(), kOrigen);
        const char* importes[] = {"TotalDescuento", "CargoAfiliado", "BonifAPRAL", "BonifFarmacia"};
        for (int i = 0; i < 4; ++i)
            f.columnas[i + 2] = numero(rs.Fields(QLatin1String(importes[i])).Value(), false);
        filas.append(f);
    }
}

} // namespace

QString DatosCierre::aviso() const
{
    return QString::number(error) + QStringLiteral("\r\n") + comentario;
}

DatosCierre LeerDatosCierre(ado::Recordset& cabecera, bool conCierre)
{
    DatosCierre d;
    auto campo = [&](const char* nombre) { return cabecera.Fields(QLatin1String(nombre)).Value(); };
    d.error = aEntero32(campo("Error"), kOrigen);
    if (d.error != 0) {
        d.comentario = comoTexto(campo("Comentario"));
        return d;
    }
    const QVariant tipo = campo("TipoPrestador");
    const double tipoPrestador = Convertir(tipo, 2, 2).toDouble();
    d.farmacia = tipoPrestador == 1 || tipoPrestador == 14;
    d.prestadorId = texto(campo("Prestador"));
    d.prestador = texto(campo("NombreFarmacia"));
    d.fechaCierre = fecha(campo("FechaCierre"));
    d.fechaDesde = fecha(campo("FechaDesde"));
    d.horaDesde = texto(campo("HoraDesde"));
    d.fechaHasta = fecha(campo("FechaHasta"));
    d.horaHasta = texto(campo("HoraHasta"));
    d.cantTickets = numero(campo("CantTickets"), true);
    d.cantDevueltos = numero(campo("CantDevueltos"), true);
    d.cantAnulados = numero(campo("CantAnulados"), true);
    d.total = numero(campo("TotalTicket"), false);
    d.bonificacion = numero(campo("TBonificacion"), false);
    d.bonificacionP = numero(campo("PorcBonificacion"), false);
    d.dscOS = numero(campo("TDctoPRAL"), false);
    d.descuentoP = numero(campo("PorcDescuento"), false);
    d.aPagar = numero(campo("APagarPorPRAL"), false);
    if (conCierre)
        d.nroTramite = textoDelValor(campo("NumeroTramite"), kOrigen);
    d.idCierre = numero(campo("Cierre"), true);
    const QString yyyymmdd = recortar(comoTexto(campo("FechaCierre")));
    d.fecha = QDateTime(QDate::fromString(yyyymmdd, QStringLiteral("yyyyMMdd")), QTime(0, 0));

    auto tickets = siguiente(cabecera);
    leerTickets(*tickets, d.tickets);
    auto obligatorios = siguiente(*tickets);
    leerDescuentos(*obligatorios, QStringLiteral("Obligatorio"), d.descuentos);
    auto otrosTickets = siguiente(*obligatorios);
    leerTickets(*otrosTickets, d.tickets);
    auto directos = siguiente(*otrosTickets);
    leerDescuentos(*directos, QStringLiteral("Directo"), d.descuentos);
    return d;
}

DatosCierre CargarDatosCierre(qint32 pIdPrestador, qint32 pIdCierre)
{
    if (!gConexion)
        throw Falla(91, kOrigen, QStringLiteral("Variable de objeto o bloque With no establecida"));
    clsCierres cierres;
    cierres.LaConexion = gConexion->Connection;
    auto rs = cierres.BuscarDatosCierre(aEntero16(pIdPrestador, kOrigen), pIdCierre);
    DatosCierre d = LeerDatosCierre(*rs, pIdCierre != 0);
    rs->Close();
    return d;
}

} // namespace dalvo
