#pragma once

#include <QString>

namespace dalvo {

// Product constants: the product name of the about box, the executable's name (settings key, log header)
// and the default title of message boxes.
inline constexpr char NombreProducto[] = "DalvoHDL";
inline constexpr char NombreEjecutable[] = "dalvohd";
inline constexpr char TituloAplicacion[] = "DalvoHD";

// Version-information texts of the executable (deployment data shown by the about box).
inline constexpr char NombreCompania[] = "Dalvo Sistemas S.A.";
inline constexpr char AvisoLegal[] = "Copyright © 2026 Dalvo Sistemas S.A. Todos los derechos reservados.";
inline constexpr char Comentarios[] = "Consola de mesa de ayuda del servicio de transacciones de farmacias y "
                                      "prestadores.";

// "major.minor.revision" as plain decimal numbers.
QString versionPrograma();

// The folder that holds the executable: log files and the "Reportes" folder live there. Tests point it
// elsewhere with setCarpetaPrograma (an empty text goes back to the executable's folder).
QString CarpetaPrograma();
void setCarpetaPrograma(const QString& carpeta);

// Per-user data folder (demo database, log files when the program folder cannot be written).
QString CarpetaDatosUsuario();

// Organisation and application names of the process, which place the per-user folders and settings.
void nombrarAplicacion();

} // namespace dalvo
