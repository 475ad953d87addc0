#pragma once

#include <QString>

namespace dalvo {

class Falla;

// Where the closings windows hand a failure: the error driver (log, "Error" box, reconnection).
void informarFalla(qint32 numero, const QString& descripcion, const QString& origen);
void informarFalla(const Falla& falla);

} // namespace dalvo
