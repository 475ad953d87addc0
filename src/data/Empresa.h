#pragma once

#include <QString>

namespace dalvo {

// The company name texts of the process. gTituloEmpresa is read by the start-up from the parameters row and
// ends the main window's caption; gNombreEmpresa is read by the main window's load through the query
// catalogue and heads the reports. Both stay empty when the parameters table has no single row.
extern QString gTituloEmpresa;
extern QString gNombreEmpresa;

} // namespace dalvo
