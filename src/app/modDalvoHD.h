#pragma once

#include "data/Empresa.h"

#include <QString>
#include <QStringList>

namespace dalvo {

// The start-up module. Main creates gConexion, runs the log-in and opens the main window; a cancelled
// log-in ends the process without a word. Closing the main window ends it through Terminar.

// The entry procedure: start-up argument, gConexion, the modal log-in, gSeparadorDecimal, gTituloEmpresa,
// and the main window shown modelessly. It returns into the main window's event loop.
void Main();

// The company name of the parameters row, or "" when the table has no single row.
QString LeerNombreEmpresa();

// Releases gConexion (closing the database connection) and ends the process at once.
void Terminar();

// The start-up argument: the whole command line after the program's name, trimmed and upper-cased.
// "KVL" shows the server and database fields at log-in.
QString argumentoInicio(const QStringList& argumentos);

} // namespace dalvo
