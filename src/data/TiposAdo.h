#pragma once

// Sizes that ADO reports for the fixed-size types: DefinedSize of such a column, and ActualSize of a
// non-null value in it. Header-only so that the engines can fill Columna::tamanoDefinido with the same
// numbers without linking the connection.

#include "data/Motor.h"

namespace dalvo::ado {

// Bytes of a value of a fixed-size ADO type; 0 for the types whose size depends on the value (text,
// binary) or that ADO does not size.
inline int bytesTipoFijo(int tipo)
{
    switch (tipo) {
    case adTinyInt:
    case adUnsignedTinyInt:
        return 1;
    case adSmallInt:
    case adBoolean: // VARIANT_BOOL
        return 2;
    case adInteger:
    case adSingle:
        return 4;
    case adBigInt:
    case adDouble:
    case adCurrency:
    case adDate:
        return 8;
    case adDBDate:
        return 6;
    case adDBTimeStamp:
        return 16; // DBTIMESTAMP
    case adDecimal:
    case adNumeric:
        return 19; // DB_NUMERIC
    default:
        return 0;
    }
}

inline bool esTipoTexto(int tipo)
{
    switch (tipo) {
    case adChar:
    case adVarChar:
    case adLongVarChar:
    case adWChar:
    case adVarWChar:
    case adLongVarWChar:
        return true;
    default:
        return false;
    }
}

} // namespace dalvo::ado
