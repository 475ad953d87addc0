#include "consultation/TiposConsulta.h"

namespace dalvo {

namespace {

TipoConsulta tipo(qint32 caso, const QStringList& criterios, MenuConsulta menu = MenuConsulta::Ninguno)
{
    return {caso, claveConsulta(caso), criterios, menu};
}

} // namespace

const QList<TipoConsulta>& tiposConsulta()
{
    static const QStringList tickets{"Fecha",  "Clave",   "AuSysT", "Codigo Prestador", "Nombre Prestador",
                                     "Cierre", "Asociado"};
    static const QList<TipoConsulta> tipos{
        tipo(1, {"Codigo", "Licencia", "Nombre", "Clave", "Tipo Prestador", "Con Movimientos"},
             MenuConsulta::Prestador),
        tipo(2, {"Numero", "Clave"}),
        tipo(3, {"Troquel", "Codigo de Barra", "Nombre"}),
        tipo(7, {"Codigo", "Nombre"}),
        tipo(8, {"Matricula", "Clave", "Nombre"}),
        tipo(4, tickets, MenuConsulta::Ticket),
        tipo(9, tickets, MenuConsulta::Ticket),
        tipo(5, {"Fecha", "Clave", "Prestador"}, MenuConsulta::Cierre),
        tipo(10, {"Codigo", "Nombre"}),
        tipo(6, {"Clave"}),
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
