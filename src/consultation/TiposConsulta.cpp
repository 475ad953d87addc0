#include "consultation/TiposConsulta.h"

namespace dalvo {

namespace {

TipoConsulta tipo(qint32 caso, const char* titulo, const char* icono, const QStringList& criterios,
                  MenuConsulta menu = MenuConsulta::Ninguno)
{
    return {caso, claveConsulta(caso), QString::fromUtf8(titulo), QString::fromUtf8(icono), criterios, menu};
}

} // namespace

const QList<TipoConsulta>& tiposConsulta()
{
    static const QStringList tickets{"Fecha",  "Clave",   "AuSysT", "Codigo Prestador", "Nombre Prestador",
                                     "Cierre", "Asociado"};
    static const QList<TipoConsulta> tipos{
        tipo(1, "Prestadores", "TERMINAL",
             {"Codigo", "Licencia", "Nombre", "Clave", "Tipo Prestador", "Con Movimientos"},
             MenuConsulta::Prestador),
        tipo(2, "Afiliados", "AFILIADO", {"Numero", "Clave"}),
        tipo(3, "Medicamentos", "MEDICAMENTO", {"Troquel", "Codigo de Barra", "Nombre"}),
        tipo(7, "Practicas", "PRACTICA", {"Codigo", "Nombre"}),
        tipo(8, "Medicos Prescrip.", "MEDICO", {"Matricula", "Clave", "Nombre"}),
        tipo(4, "Tickets de Farmacia", "TICKETFARMACIA", tickets, MenuConsulta::Ticket),
        tipo(9, "Tickets de Prestador", "TICKETPRESTADOR", tickets, MenuConsulta::Ticket),
        tipo(5, "Cierres", "CIERRE", {"Fecha", "Clave", "Prestador"}, MenuConsulta::Cierre),
        tipo(10, "Acciones", "ACCIONES", {"Codigo", "Nombre"}),
        tipo(6, "Errores", "ERROR", {"Clave"}),
    };
    return tipos;
}

const TipoConsulta* tipoConsulta(qint32 caso)
{
    for (const TipoConsulta& tipo : tiposConsulta())
        if (tipo.caso == caso)
            return &tipo;
    return nullptr;
}

const TipoConsulta* tipoConsulta(const QString& clave)
{
    for (const TipoConsulta& tipo : tiposConsulta())
        if (tipo.clave == clave)
            return &tipo;
    return nullptr;
}

QString claveConsulta(qint32 caso)
{
    return QString::number(caso) + u'K';
}

} // namespace dalvo
