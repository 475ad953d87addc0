#pragma once

#include <QString>
#include <QVariant>

namespace dalvo {

// One column of the table chosen in the ad-hoc query window, as the server's catalogue describes it, with
// the criterion typed or picked for it.
struct clsItemDato
{
    QString NombreColumna;
    QString Tipo; // the server's type name: "char", "varchar", "int", "datetime" ...
    qint16 Longitud = 0;
    qint16 Decimales = 0;
    QVariant Nullable;        // not read from the catalogue
    qint16 NumeroColumna = 0; // the catalogue's column number (syscolumns.colid)
    QVariant Valor;           // empty: no criterion for this column
};

} // namespace dalvo
