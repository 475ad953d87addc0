#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace dalvo {

// One value picked from a result row, offered for review in the selection window.
struct clsItemSeleccion
{
    qint16 NumeroSeleccion = 0; // running number within the selection
    QString Campo;              // the field the value was taken from
    QVariant Valor;
    bool Marcado = false; // taken when the selection is applied
    QString Clave;        // the item's key in its collection
};

// A selection: items in the order they were added, each found by its key. The caller owns it; the
// selection window changes only the Marcado fields.
using ColeccionSeleccion = QList<clsItemSeleccion>;

inline clsItemSeleccion* buscarItemSeleccion(ColeccionSeleccion& coleccion, const QString& clave)
{
    for (clsItemSeleccion& item : coleccion) {
        if (item.Clave == clave)
            return &item;
    }
    return nullptr;
}

} // namespace dalvo
