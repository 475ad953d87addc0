#include "reports/ItemsReportes.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "reports/CatalogoReportes.h"
#include "reports/ColeccionParametros.h"

#include <QLocale>

namespace dalvo {

namespace {

// Which provider types an item is offered for ("TIPOPRESTADORACTUAL": 1 and 14 are the pharmacies).
enum class Condicion
{
    Siempre,
    NoFarmacia,  // neither 1 nor 14
    Internacion, // 14
    Farmacia,    // 1 or 14
};

struct Oferta
{
    qint16 contexto;
    const char* clave;
    const char* texto; // a template: {KEY:trim} places a parameter
    Condicion condicion = Condicion::Siempre;
};

// clang-format off
const Oferta Ofertas[] = {
    {contextos::Prestadores, "KP1", "Tabla de Valorización para prestador {PRESTADORACTUALNOMBRE:trim}", Condicion::NoFarmacia},
    {contextos::Prestadores, "KP2", "Cierre pendiente para prestador {PRESTADORACTUALNOMBRE:trim}"},
    {contextos::Prestadores, "KP3", "Cierre pendiente de todos los prestadores"},
    {contextos::Prestadores, "KP4", "Total Facturado por {PRESTADORACTUALNOMBRE:trim} detallado por médico prescriptor"},
    {contextos::Prestadores, "KP6", "Total Facturado por {PRESTADORACTUALNOMBRE:trim} detallado por medicamento/práctica"},
    {contextos::Prestadores, "KP7", "Total Facturado por {PRESTADORACTUALNOMBRE:trim} detallado por asociados"},
    {contextos::Prestadores, "KP5", "Total Facturado por prestadores para especialidad {PRESTADORESPECIALIDAD:trim}"},
    {contextos::Prestadores, "KP9", "Total Facturado por {PRESTADORACTUALNOMBRE:trim}"},
    {contextos::Prestadores, "KP10", "Diferencias de precio medicamentos en internación para prestador {PRESTADORACTUALNOMBRE:trim}", Condicion::Internacion},
    {contextos::Prestadores, "KT5", "Tickets para prestador {PRESTADORACTUALNOMBRE:trim} del mes"},
    {contextos::Prestadores, "KC4", "Cierres para prestador {PRESTADORACTUALNOMBRE:trim} del mes"},
    {contextos::Prestadores, "KP11", "Medicamentos sin clasificar para prestador {PRESTADORACTUALNOMBRE:trim}"},
    {contextos::Prestadores, "KP12", "Medicos prescriptores para prestador {PRESTADORACTUALNOMBRE:trim}"},

    {contextos::Afiliados, "KA1", "Listado de Autorizaciones para afiliado {AFILIADOACTUAL:trim}"},
    {contextos::Afiliados, "KA2", "Consumo total de afiliado {AFILIADOACTUAL:trim} detallado por medicamento/práctica"},
    {contextos::Afiliados, "KA3", "Consumo total de afiliado {AFILIADOACTUAL:trim} detallado por médico prescriptor"},
    {contextos::Afiliados, "KA4", "Consumo total de afiliado {AFILIADOACTUAL:trim} detallado por prestador"},
    {contextos::Afiliados, "KA5", "Consumo total de afiliado {AFILIADOACTUAL:trim}"},
    {contextos::Afiliados, "KA6", "Tratamientos Prolongados de afiliado {AFILIADOACTUAL:trim}"},
    {contextos::Afiliados, "KA7", "Total facturado por plan {PLANAFILIADOACTUAL:trim}"},

    {contextos::Medicamentos, "KM1", "Ultimo"},
    {contextos::Medicamentos, "KM2", "Medicamento {MEDICAMENTOACTUAL:trim}"},
    {contextos::Medicamentos, "KM4", "Con nombre parecido a {MEDICAMENTONOMBRE:trim}"},
    {contextos::Medicamentos, "KM5", "Total facturado para {MEDICAMENTONOMBRE:trim} detallado por prescriptor"},
    {contextos::Medicamentos, "KM6", "Total facturado para {MEDICAMENTONOMBRE:trim} detallado por asociado"},
    {contextos::Medicamentos, "KM7", "Total facturado para {MEDICAMENTONOMBRE:trim} detallado por prestador"},
    {contextos::Medicamentos, "KM8", "Total facturado para {MEDICAMENTONOMBRE:trim}"},
    {contextos::Medicamentos, "KM9", "Tratamientos Prolongados con medicamento {MEDICAMENTONOMBRE:trim}"},

    {contextos::Tickets, "KT1", "Ultimo Ticket Efectuado"},
    {contextos::Tickets, "KT2", "Ticket {TICKETACTUAL:trim}"},
    {contextos::Tickets, "KT3", "Entre ticket {TICKETINICIAL:trim} y ticket {TICKETFINAL:trim}"},
    {contextos::Tickets, "KT4", "Para afiliado {AFILIADO:trim}"},
    {contextos::Tickets, "KT5", "Para prestador {PRESTADORACTUALNOMBRE:trim} del mes"},
    {contextos::Tickets, "KT6", "Para Medico Que Receta {MEDICORECETANOMBRE:trim}"},
    {contextos::Tickets, "KA5", "Consumo total de afiliado {AFILIADOACTUAL:trim}"},
    {contextos::Tickets, "KA2", "Consumo total de afiliado {AFILIADOACTUAL:trim} detallado por medicamentos / práctica"},
    {contextos::Tickets, "KA3", "Consumo total de afiliado {AFILIADOACTUAL:trim} detallado por médico prescriptor"},
    {contextos::Tickets, "KA4", "Consumo total de afiliado {AFILIADOACTUAL:trim} detallado por prestador"},
    {contextos::Tickets, "KA6", "Tratamientos Prolongados de afiliado {AFILIADOACTUAL:trim}"},
    {contextos::Tickets, "KG1", "Total facturado por plan "},
    {contextos::Tickets, "KPM", "Medicamentos Dispensados en PMI "},
    {contextos::Tickets, "K31", "Medicamentos Dispensados bajo Res 310/04 "},

    {contextos::Cierres, "KC1", "Ultimo"},
    {contextos::Cierres, "KC2", "Cierre {CIERREACTUAL:trim}"},
    {contextos::Cierres, "KC3", "Entre cierre {CIERREINICIAL:trim} y cierre {CIERREFINAL:trim}"},
    {contextos::Cierres, "KC4", "Para prestador {PRESTADORACTUALNOMBRE:trim} del mes"},
    {contextos::Cierres, "KC5", "Formulario de Cierre para cierre {CIERREACTUAL:trim}", Condicion::Farmacia},
    {contextos::Cierres, "KC15", "Formulario de Cierre para cierre {CIERREACTUAL:trim}", Condicion::NoFarmacia},
    {contextos::Cierres, "KC6", "Total de Cierres para prestador {PRESTADORACTUALNOMBRE:trim}"},
    {contextos::Cierres, "KP2", "Cierre pendiente para prestador {PRESTADORACTUALNOMBRE:trim}"},
    {contextos::Cierres, "KP3", "Cierre pendiente de todos los prestadores"},

    {contextos::Practicas, "KR4", "Total facturado para {PRACTICANOMBRE:trim}"},
    {contextos::Practicas, "KR1", "Total facturado detallado por prescriptor para {PRACTICANOMBRE:trim}"},
    {contextos::Practicas, "KR2", "Total facturado detallado por asociado para {PRACTICANOMBRE:trim}"},
    {contextos::Practicas, "KR3", "Total facturado detallado por prestadores para {PRACTICANOMBRE:trim}"},

    {contextos::Medicos, "KD1", "Total facturado por {MEDICONOMBRE:trim} detallado por medicamentos"},
    {contextos::Medicos, "KD3", "Total facturado por {MEDICONOMBRE:trim} detallado por asociados"},
    {contextos::Medicos, "KD4", "Total facturado por {MEDICONOMBRE:trim} detallado por prestador"},
    {contextos::Medicos, "KD5", "Total facturado por {MEDICONOMBRE:trim}"},

    {contextos::TicketsPrestador, "KTP1", "Ultimo ticket efectuado"},
    {contextos::TicketsPrestador, "KTP2", "Ticket {TICKETACTUAL:trim}"},
    {contextos::TicketsPrestador, "KTP3", "Entre ticket {TICKETINICIAL:trim} y ticket {TICKETFINAL:trim}"},
    {contextos::TicketsPrestador, "KTP4", "Para afiliado {AFILIADO:trim}"},
    {contextos::TicketsPrestador, "KTP5", "Para prestador {PRESTADORACTUALNOMBRE:trim} del mes"},
    {contextos::TicketsPrestador, "KTP6", "Para Medico Que Receta {MEDICORECETANOMBRE:trim}"},
    {contextos::TicketsPrestador, "KA5", "Consumo total de afiliado {AFILIADOACTUAL:trim}"},
    {contextos::TicketsPrestador, "KA2", "Consumo total de afiliado {AFILIADOACTUAL:trim} detallado por medicamentos / práctica"},
    {contextos::TicketsPrestador, "KA3", "Consumo total de afiliado {AFILIADOACTUAL:trim} detallado por médico prescriptor"},
    {contextos::TicketsPrestador, "KA4", "Consumo total de afiliado {AFILIADOACTUAL:trim} detallado por prestador"},
    {contextos::TicketsPrestador, "KA6", "Tratamientos Prolongados de afiliado {AFILIADOACTUAL:trim}"},
    {contextos::TicketsPrestador, "KG1", "Total facturado por plan "},

    {contextos::Acciones, "KAC1", "Medicamentos por acción {ACCIONNOMBRE:trim}"},

    {contextos::Generales, "KP", "Prestadores"},
    {contextos::Generales, "KT", "Ticket"},
    {contextos::Generales, "KG1", "Total facturado por plan"},
    {contextos::Generales, "KG2", "Total facturado por especialidad"},
    {contextos::Generales, "KIM1", "Medicamentos dispensados en internación por medicamentos"},
    {contextos::Generales, "KIA2", "Medicamentos dispensados en internación por afiliado"},
};
// clang-format on

// The provider type compared as a number; a text that is not one is a type mismatch, as it was.
double tipoPrestador(const ColeccionParametros& p)
{
    const QString texto = recortar(p.Item(QStringLiteral("TIPOPRESTADORACTUAL")));
    bool ok = false;
    double tipo = QLocale().toDouble(texto, &ok);
    if (!ok)
        tipo = texto.toDouble(&ok);
    if (!ok)
        throw Falla(errores::TiposNoCoinciden, QStringLiteral("frmReportes"),
                    QStringLiteral("No coinciden los tipos (tipo de prestador \"%1\")").arg(texto));
    return tipo;
}

bool ofrecida(Condicion condicion, const ColeccionParametros& p)
{
    if (condicion == Condicion::Siempre)
        return true;
    const double tipo = tipoPrestador(p);
    const bool farmacia = tipo == 1 || tipo == 14;
    switch (condicion) {
    case Condicion::NoFarmacia:
        return !farmacia;
    case Condicion::Internacion:
        return tipo == 14;
    case Condicion::Farmacia:
        return farmacia;
    case Condicion::Siempre:
        break;
    }
    return true;
}

} // namespace

void itemsReportes(qint16 contexto, const ColeccionParametros& parametros, QList<ItemReporte>& items)
{
    ValoresReporte valores;
    valores.parametros = &parametros;
    for (const Oferta& o : Ofertas) {
        if (o.contexto != contexto || !ofrecida(o.condicion, parametros))
            continue;
        items.append(
            {QString::fromLatin1(o.clave), expandirPlantilla(QString::fromUtf8(o.texto), valores, false)});
    }
}

std::optional<QString> textoItemReporte(const QString& codigo, const ColeccionParametros& parametros)
{
    ValoresReporte valores;
    valores.parametros = &parametros;
    for (const Oferta& o : Ofertas) {
        if (codigo == QLatin1String(o.clave))
            return expandirPlantilla(QString::fromUtf8(o.texto), valores, false);
    }
    return std::nullopt;
}

} // namespace dalvo
