#include "reports/CatalogoReportes.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "reports/ColeccionParametros.h"

namespace dalvo {

namespace {

constexpr bool Consulta = false;
constexpr bool Procedimiento = true;

#define DESDE_HASTA_FECHA "BETWEEN '{FECHADESDE:from}' AND '{FECHAHASTA:to}'"
#define DESDE_HASTA_YMD "'{FECHADESDE:ymd}', '{FECHAHASTA:ymd}'"

// clang-format off
const EntradaCatalogo Catalogo[] = {
    // Reports fed by a query file: the SQL is the condition added to Reportes/<report>.SQL.
    {"KC1", "Cierres", "LISTADO DE CIERRES", "{*item}", Consulta,
     " Cierres.idCierre = (SELECT MAX(C.idCierre) FROM Cierres C)"},
    {"KC2", "Cierres", "LISTADO DE CIERRES", "{*item}", Consulta, " Cierres.IdCierre={CIERREACTUAL}"},
    {"KC3", "Cierres", "LISTADO DE CIERRES", "{*item}", Consulta,
     " Cierres.IdCierre BETWEEN {CIERREINICIAL} AND {CIERREFINAL}"},
    {"KC4", "Cierres", "LISTADO DE CIERRES", "{*item}", Consulta,
     " Cierres.IdPrestador = {PRESTADORACTUAL} AND Cierres.FechaServer " DESDE_HASTA_FECHA},
    {"KM1", "Medicamentos1", "MEDICAMENTOS", "Ultimo", Consulta,
     " Medicamentos.Troquel = (SELECT MAX(M.Troquel) FROM Medicamentos M)"},
    {"KM2", "Medicamentos1", "MEDICAMENTOS", ".", Consulta, " Medicamentos.Troquel='{MEDICAMENTOACTUAL}'"},
    {"KM4", "Medicamentos1", "MEDICAMENTOS", "{*item}", Consulta,
     " Medicamentos.Nombre LIKE '%{MEDICAMENTONOMBRE}%'"},
    {"KM9", "TrPrAfiliado", "TRATAMIENTOS PROLONGADOS PARA MEDICAMENTOS", "{*item}", Consulta,
     " TrPrMedicamento.Troquel='{MEDICAMENTOACTUAL}'"},
    {"KPM", "MedicamentosDetalles", "Registros de Medicamentos Dispensados en PM y PMI", "{*rango}", Consulta,
     " Item_Tickets.OrigenDescuento = 10  AND Tickets.Fecha_Prestacion " DESDE_HASTA_FECHA},
    {"K31", "MedicamentosDetalles", "Registros de Medicamentos Dispensados bajo Res 310/04", "{*rango}", Consulta,
     " Item_Tickets.OrigenDescuento IN ( 6, 7)  AND Tickets.Fecha_Prestacion " DESDE_HASTA_FECHA},
    {"KA1", "AfiliadoAutorizaciones", "LISTADO DE AUTORIZACIONES", "{*item}", Consulta,
     " Autorizaciones.Num_Afil = '{AFILIADOACTUAL:trim}'"},
    {"KA6", "TrPrAfiliado", "TRATAMIENTOS PROLONGADOS PARA AFILIADO", "{*item}", Consulta,
     " TrPrAfiliado.Num_Afil='{AFILIADOACTUAL}'"},
    {"KP", "Prestadores", "PRESTADORES", "", Consulta, ""},
    {"KP1", "PrestadorPracticas", "TABLA DE VALORIZACION", "{*item}", Consulta,
     " Prestadores.IdPrestador = {PRESTADORACTUAL}"},
    {"KP10", "DiferenciaPrecioInternacion", "DIFERENCIAS DE PRECIO MEDICAMENTOS EN INTERNACION",
     "prestador: {PRESTADORACTUALNOMBRE:trim} entre el {FECHADESDE} y el {FECHAHASTA}", Consulta,
     " Tickets.IdPrestador = {PRESTADORACTUAL} AND Tickets.Fecha_Prestacion " DESDE_HASTA_FECHA},
    {"KIM1", "MedicamentosInterPorTroquel", "Dispensa de Medicamentos en Internación por Troquel", "{*rango}",
     Consulta, " TK.Fecha_Prestacion " DESDE_HASTA_FECHA},
    {"KIA2", "MedicamentosInterPorAfiliado", "Dispensa de Medicamentos en Internación por Afiliado", "{*rango}",
     Consulta, " T.Fecha_Prestacion " DESDE_HASTA_FECHA},
    {"KAC1", "MedicamentosPorAccion", "Listado de Medicamentos con Acción {ACCIONNOMBRE:trim} ({ACCIONACTUAL:trim})",
     "", Consulta, " AM.CodigoAccion = {ACCIONACTUAL:trim}"},

    // Reports fed by a stored procedure: the SQL is the whole call.
    {"KC5", "FormularioCierre", "", "{*item}", Procedimiento,
     "EXECUTE spConsultaCierre 0, {CIERREACTUAL}, 0, NULL, NULL, NULL"},
    {"KC15", "FormularioCierre", "", "{*item}", Procedimiento,
     "EXECUTE spConsultaCierrePrestador 0, {CIERREACTUAL}, 0, NULL, NULL, NULL"},
    {"KC6", "TotalCierresPrestador", "", "{*item}", Procedimiento,
     "EXECUTE spRptTotalCierresPrestador null, '{FECHADESDE:from}', '{FECHAHASTA:to}', {PRESTADORACTUAL}"},
    {"KT1", "Tickets1", "TICKETS", "{*item}", Procedimiento,
     "EXECUTE spRptTickets NULL, NULL, NULL, NULL, NULL, NULL, NULL"},
    {"KTP1", "Tickets1", "TICKETS", "{*item}", Procedimiento,
     "EXECUTE spRptTicketsPrestador NULL, NULL, NULL, NULL, NULL, NULL, NULL"},
    {"KT2", "Tickets1", "TICKETS", "{*item}", Procedimiento,
     "EXECUTE spRptTickets NULL, NULL, {TICKETACTUAL}, NULL, NULL, NULL, NULL"},
    {"KTP2", "Tickets1", "TICKETS", "{*item}", Procedimiento,
     "EXECUTE spRptTicketsPrestador NULL, NULL, {TICKETACTUAL}, NULL, NULL, NULL, NULL"},
    {"KT3", "Tickets1", "TICKETS", "{*item}", Procedimiento,
     "EXECUTE spRptTickets NULL, NULL, {TICKETINICIAL}, {TICKETFINAL}, NULL, NULL, NULL"},
    {"KTP3", "Tickets1", "TICKETS", "{*item}", Procedimiento,
     "EXECUTE spRptTicketsPrestador NULL, NULL, {TICKETINICIAL}, {TICKETFINAL}, NULL, NULL, NULL"},
    {"KT4", "Tickets1", "TICKETS", "{*item}", Procedimiento,
     "EXECUTE spRptTickets '{FECHADESDE:from}', '{FECHAHASTA:to}', NULL, NULL, '{AFILIADO}', NULL, NULL"},
    {"KTP4", "Tickets1", "TICKETS", "{*item}", Procedimiento,
     "EXECUTE spRptTicketsPrestador '{FECHADESDE:from}', '{FECHAHASTA:to}', NULL, NULL, '{AFILIADO}', NULL, NULL"},
    {"KT5", "Tickets1", "CUPONES", "Para: {PRESTADORACTUALNOMBRE:trim}{*rango}", Procedimiento,
     "EXECUTE spRptTickets '{FECHADESDE:from}', '{FECHAHASTA:to}', NULL, NULL, NULL, {PRESTADORACTUAL}, NULL"},
    {"KTP5", "Tickets1", "CUPONES", "Para: {PRESTADORACTUALNOMBRE:trim}{*rango}", Procedimiento,
     "EXECUTE spRptTicketsPrestador '{FECHADESDE:from}', '{FECHAHASTA:to}', NULL, NULL, NULL, {PRESTADORACTUAL}, NULL"},
    {"KT6", "Tickets1", "TICKETS", "{*item}", Procedimiento,
     "EXECUTE spRptTickets '{FECHADESDE:from}', '{FECHAHASTA:to}', NULL, NULL, NULL, NULL, {MEDICORECETA}"},
    {"KTP6", "Tickets1", "TICKETS", "{*item}", Procedimiento,
     "EXECUTE spRptTicketsPrestador '{FECHADESDE:from}', '{FECHAHASTA:to}', NULL, NULL, NULL, NULL, {MEDICORECETA}"},
    {"KM5", "CodigoMedPrescriptores", "MEDICAMENTO DETALLADO POR MEDICO PRESCRIPTOR", "{*rango}", Procedimiento,
     "EXECUTE sprptCodigoMedPrescriptores '{MEDICAMENTOACTUAL}', " DESDE_HASTA_YMD},
    {"KM6", "MedicamentosSocios", "MEDICAMENTO DETALLADO POR SOCIO", "{*rango}", Procedimiento,
     "EXECUTE sprptMedicamentosSocios '{MEDICAMENTOACTUAL}', " DESDE_HASTA_YMD},
    {"KM7", "CodigoMedPrestador", "MEDICAMENTO DETALLADO POR PRESTADOR", "{*rango}", Procedimiento,
     "EXECUTE sprptCodigoMedPrestadores '{MEDICAMENTOACTUAL}', " DESDE_HASTA_YMD},
    {"KM8", "TotalMedicamentos", "TOTAL FACTURADO PARA MEDICAMENTO", "{*rango}", Procedimiento,
     "EXECUTE sprptTotalMedicamentos '{MEDICAMENTOACTUAL}', " DESDE_HASTA_YMD},
    {"KR1", "CodigoPracticasPrescriptor", "TOTAL FACTURADO PARA PRACTICA POR PRESCRIPTOR", "{*rango}",
     Procedimiento, "EXECUTE sprptCodigoPrescriptores '{PRACTICAACTUAL}', " DESDE_HASTA_YMD},
    {"KR2", "PracticasSocios", "TOTAL FACTURADO PARA PRACTICA POR SOCIO", "{*rango}", Procedimiento,
     "EXECUTE sprptPracticasSocios '{PRACTICAACTUAL}', " DESDE_HASTA_YMD},
    {"KR3", "CodigoPractPrestadores", "TOTAL FACTURADO PARA PRACTICA POR PRESTADOR", "{*rango}", Procedimiento,
     "EXECUTE sprptCodigoPrestadores '{PRACTICAACTUAL}', " DESDE_HASTA_YMD},
    {"KR4", "TotalPracticas", "TOTAL FACTURADO PARA PRACTICA", "{*rango}", Procedimiento,
     "EXECUTE sprptTotalPracticas '{PRACTICAACTUAL}', " DESDE_HASTA_YMD},
    {"KD1", "MedicoMedicamentos", "TOTAL FACTURADO POR MEDICO DETALLADO POR MEDICAMENTOS", "{*rango}",
     Procedimiento, "EXECUTE sprptMedicoMedicamentos '{MEDICOACTUAL}', " DESDE_HASTA_YMD},
    {"KD3", "PrescriptorSocio", "TOTAL FACTURADO POR MEDICO DETALLADO POR ASOCIADO", "{*rango}", Procedimiento,
     "EXECUTE sprptMedicoSocio '{MEDICOACTUAL}', " DESDE_HASTA_YMD},
    {"KD4", "PrescriptorPrestador", "TOTAL FACTURADO POR MEDICO DETALLADO POR PRESTADOR", "{*rango}",
     Procedimiento, "EXECUTE sprptPrescriptorPrestador '{MEDICOACTUAL}', NULL, " DESDE_HASTA_YMD},
    {"KD5", "TotalPrescriptor", "TOTAL FACTURADO POR MEDICO", "{*rango}", Procedimiento,
     "EXECUTE sprptTotalPrescriptor '{MEDICOACTUAL}', null,'{FECHADESDE:ymd}', '{FECHAHASTA:ymd}'"},
    {"KA2", "SocioMedPract", "TOTAL FACTURADO POR SOCIO DETALLADO POR MEDICAMENTO / PRACTICA", "{*rango}",
     Procedimiento, "EXECUTE sprptSocioMedPract '{AFILIADOACTUAL}', " DESDE_HASTA_YMD},
    {"KA3", "SocioMedicoPrescriptor", "TOTAL FACTURADO POR SOCIO DETALLADO POR MEDICO PRESCRITOR", "{*rango}",
     Procedimiento, "EXECUTE sprptSocioMedicos '{AFILIADOACTUAL}', " DESDE_HASTA_YMD},
    {"KA4", "SocioPrestadores", "TOTAL FACTURADO POR SOCIO DETALLADO POR PRESTADOR", "{*rango}", Procedimiento,
     "EXECUTE sprptSocioPrestadores '{AFILIADOACTUAL}', " DESDE_HASTA_YMD},
    {"KA5", "TotalAfiliado", "TOTAL FACTURADO POR SOCIO", "{*rango}", Procedimiento,
     "EXECUTE sprptTotalAfiliado '{AFILIADOACTUAL}', " DESDE_HASTA_YMD},
    {"KA7", "TotalPlan", "FACTURADO POR PLAN", "{*rango}", Procedimiento,
     "EXECUTE sprptTotalPlan " DESDE_HASTA_YMD ", '{PLANAFILIADOACTUAL}'"},
    {"KG1", "TotalPlan", "FACTURADO POR PLAN", "{*rango}", Procedimiento, "EXECUTE sprptTotalPlan " DESDE_HASTA_YMD},
    {"KG2", "TipoPrestador", "FACTURACION POR TIPO DE PRESTADOR", "{*rango}", Procedimiento,
     "EXECUTE sprptTipoPrestador " DESDE_HASTA_YMD},
    {"KP2", "CierresPendientes", "CIERRE PENDIENTE", "{*item}", Procedimiento,
     "EXECUTE AuxCierresPendientes {PRESTADORACTUAL}"},
    {"KP3", "CierresPendientes", "CIERRES PENDIENTES", "{*item}", Procedimiento, "EXECUTE AuxCierresPendientes 0"},
    {"KP4", "PrestadorMedicoPrescr", "FACTURADO POR MEDICO PRESCRIPTOR", "{*rango}", Procedimiento,
     "EXECUTE sprptPrestadorMedicoPrescr '{CODIGOPRESTADORACTUAL}', " DESDE_HASTA_YMD ", {PRESTADORACTUAL}"},
    {"KP5", "PrestadoresEspecialidad", "FACTURADO POR ESPECIALIDAD", "{*rango}", Procedimiento,
     "EXECUTE sprptPrestadoresEspecialidad '{PRESTADORESPECIALIDAD:trim}', " DESDE_HASTA_YMD},
    {"KP6", "PrestadorMedicamentos", "FACTURADO POR MEDICAMENTOS", "{*rango}", Procedimiento,
     "EXECUTE sprptPrestadorMedicamentos '{CODIGOPRESTADORACTUAL}', " DESDE_HASTA_YMD ", {PRESTADORACTUAL}"},
    {"KP7", "PrestadorSocios", "FACTURADO POR SOCIOS", "{*rango}", Procedimiento,
     "EXECUTE sprptPrestadorSocios " DESDE_HASTA_YMD ", '{CODIGOPRESTADORACTUAL}', {PRESTADORACTUAL}"},
    {"KP9", "TotalPrestador", "FACTURACION DE PRESTADOR", "{*rango}", Procedimiento,
     "EXECUTE spRptTotalPrestador '{CODIGOPRESTADORACTUAL}', " DESDE_HASTA_YMD ", {PRESTADORACTUAL}"},
    {"KP11", "MedicamentosSinClasificar", "MEDICAMENTOS SIN CLASIFICAR DE PRESTADOR", "{*rango}", Procedimiento,
     "EXECUTE sprptMedicamentosSinClasificar {PRESTADORACTUAL}, " DESDE_HASTA_YMD},
    {"KP12", "PrescriptoresPorPrestador", "MEDICOS PRESCRIPTORES DE PRESTADOR", "{*rango}", Procedimiento,
     "EXECUTE sprptPrescriptoresPorPresatador {PRESTADORACTUAL}, " DESDE_HASTA_YMD},
    {"KT", "Ticket", "Ticket Nº {*ticket}", "", Procedimiento, "EXECUTE spgetDetalleTicket 0, {*ticket} ,1"},
};
// clang-format on

#undef DESDE_HASTA_FECHA
#undef DESDE_HASTA_YMD

// One value form: the parameter read and shaped as the form says.
QString valorDe(const QString& forma, const ValoresReporte& v)
{
    if (forma == QLatin1String("*item"))
        return v.textoItem;
    if (forma == QLatin1String("*rango"))
        return v.subtituloRango;
    if (forma == QLatin1String("*ticket"))
        return v.ticket;
    const qsizetype dosPuntos = forma.indexOf(QLatin1Char(':'));
    const QString clave = forma.left(dosPuntos);
    const QString modo = dosPuntos < 0 ? QString() : forma.mid(dosPuntos + 1);
    if (!v.parametros)
        throw Falla(5, QStringLiteral("CatalogoReportes"), QStringLiteral("Sin colección de parámetros"));
    const QString valor = v.parametros->Item(clave);
    if (modo.isEmpty())
        return valor;
    if (modo == QLatin1String("trim"))
        return recortar(valor);
    if (modo == QLatin1String("from") || modo == QLatin1String("to"))
        return FechaSQL(valor, modo == QLatin1String("to"), true).toString(); // null: nothing
    if (modo == QLatin1String("ymd")) {
        if (recortar(valor).isEmpty())
            return {};
        const auto fecha = textoAFecha(valor);
        return fecha ? fecha->toString(QStringLiteral("yyyyMMdd")) : valor;
    }
    throw Falla(5, QStringLiteral("CatalogoReportes"),
                QStringLiteral("Forma de valor desconocida: ") + forma);
}

} // namespace

QList<EntradaCatalogo> catalogoReportes()
{
    return QList<EntradaCatalogo>(std::begin(Catalogo), std::end(Catalogo));
}

const EntradaCatalogo* buscarReporte(const QString& codigo)
{
    for (const EntradaCatalogo& e : Catalogo) {
        if (codigo == QLatin1String(e.codigo))
            return &e;
    }
    return nullptr;
}

QString expandirPlantilla(const QString& plantilla, const ValoresReporte& valores, bool sql)
{
    QString r;
    bool enLiteral = false;
    qsizetype desde = 0;
    while (desde < plantilla.size()) {
        const qsizetype abre = plantilla.indexOf(QLatin1Char('{'), desde);
        const qsizetype cierra = abre < 0 ? -1 : plantilla.indexOf(QLatin1Char('}'), abre);
        const QString literal = plantilla.mid(desde, (cierra < 0 ? plantilla.size() : abre) - desde);
        enLiteral ^= (literal.count(QLatin1Char('\'')) % 2) == 1;
        r += literal;
        if (cierra < 0)
            break;
        QString valor = valorDe(plantilla.mid(abre + 1, cierra - abre - 1), valores);
        if (sql && enLiteral)
            valor.replace(QLatin1Char('\''), QStringLiteral("''"));
        r += valor;
        desde = cierra + 1;
    }
    return r;
}

void resolverReporte(const QString& codigo, const ValoresReporte& valores, TrabajoReporte& t)
{
    const EntradaCatalogo* e = buscarReporte(codigo);
    if (!e)
        return;
    t.conocido = true;
    t.reporte = QString::fromUtf8(e->reporte);
    t.titulo = expandirPlantilla(QString::fromUtf8(e->titulo), valores, false);
    t.subtitulo = expandirPlantilla(QString::fromUtf8(e->subtitulo), valores, false);
    t.procedimiento = e->procedimiento;
    const QString sql = expandirPlantilla(QString::fromUtf8(e->sql), valores, true);
    if (t.procedimiento)
        t.sql = sql;
    else
        t.condicion = sql;
}

QString subtituloRango(const ColeccionParametros& parametros)
{
    return QStringLiteral(" entre el ") + parametros.Item(QStringLiteral("FECHADESDE")) +
           QStringLiteral(" y el ") + parametros.Item(QStringLiteral("FECHAHASTA"));
}

} // namespace dalvo
