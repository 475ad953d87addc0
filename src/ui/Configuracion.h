#pragma once

#include <QString>

namespace dalvo::ui {

// The per-user settings store, addressed by application (the executable's name), section and key; values
// are text. On Linux the store is the INI file <config>/DalvoHD/dalvohd.ini with one [section] per section.
QString leerConfiguracion(const QString& seccion, const QString& clave, const QString& porDefecto = {});
void guardarConfiguracion(const QString& seccion, const QString& clave, const QString& valor);

// Where the store lives (for docs and diagnostics).
QString archivoConfiguracion();

} // namespace dalvo::ui
