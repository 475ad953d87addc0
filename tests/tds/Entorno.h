#pragma once

// What every TDS test program does first: no FreeTDS environment variable may redirect the driver or
// tsql (they override the connection string), and no freetds.conf entry is needed. TDSDUMP stays: it
// writes the protocol log that helps to read a failure.

#include <QtGlobal>

namespace dalvo::tds::prueba {

inline void limpiarEntornoFreeTds()
{
    for (const char* variable : {"TDSVER", "TDSPORT", "TDSHOST", "TDSQUERY", "DSQUERY", "FREETDSCONF",
                                 "FREETDS", "SYBASE", "TDSDUMP"})
        qunsetenv(variable);
}

} // namespace dalvo::tds::prueba
