#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace dalvo {

class ColeccionParametros;

// One report the report window offers: the report code (the item's key) and the text the operator reads.
struct ItemReporte
{
    QString clave;
    QString texto;

    bool operator==(const ItemReporte&) const = default;
};

// Context codes of the report window.
namespace contextos {
inline constexpr qint16 Prestadores = 1;
inline constexpr qint16 Afiliados = 2;
inline constexpr qint16 Medicamentos = 3;
inline constexpr qint16 Tickets = 4;
inline constexpr qint16 Cierres = 5;
inline constexpr qint16 Practicas = 7;
inline constexpr qint16 Medicos = 8;
inline constexpr qint16 TicketsPrestador = 9;
inline constexpr qint16 Acciones = 10;
inline constexpr qint16 Generales = 20;
} // namespace contextos

// Appends the reports of a context, in order, with the parameters trimmed into their texts. A context with
// no reports adds none. Raises Falla for a parameter the collection lacks (5) or a provider type that is not
// a number (13); the items appended before the failure stay.
void itemsReportes(qint16 contexto, const ColeccionParametros& parametros, QList<ItemReporte>& items);

// The text the report window gives a code's item, from the first context that offers it (whatever the
// provider type); nothing for a code no context offers. Raises Falla (5) for a parameter it lacks.
std::optional<QString> textoItemReporte(const QString& codigo, const ColeccionParametros& parametros);

} // namespace dalvo
