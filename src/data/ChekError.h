#pragma once

#include "data/ChekConexion.h"

#include <QString>

namespace dalvo {

class Falla;

// The error driver that every window's error trap calls. It logs the failure in the day's log and shows it
// in a critical box titled "Error":
//  - lNumero up to 9999 (negative numbers too): logged as "n description " under sOrigen, shown as the
//    three lines number, origin, description;
//  - above 9999 (database errors): gConexion's error list decides. A lost connection (08S01, 08001, 08003)
//    is re-established with the stored credentials: the first attempt without a question, then
//    "¿ Reintenta ?" (Retry/Cancel, Cancel by default) before each further one; Cancel logs
//    "Cancelación de reintentos de conección" and ends the process. Otherwise the box shows sOrigen and
//    "RDO Error:" with the list, or "VB Error:" with sDescripcion when the list is empty.
// The failed operation is not repeated: the operator repeats it.
void ChekError(qint32 lNumero, QString sDescripcion, QString sOrigen);
void ChekError(const Falla& falla);

// True while a ChekError call is running (its box or the reconnection is on screen). The keep-alive stays
// out of the driver meanwhile.
bool ChekErrorEnCurso();

// The statement that proves a re-established connection.
inline constexpr char kVerificacionConexion[] = "SELECT COUNT(*) FROM Master..systypes (NOLOCK)";

} // namespace dalvo
