#pragma once

#include <QString>

namespace dalvo {

// What the main window remembers of a search kind's last consultation: the kind, and the criterion, value
// and dates of its last successful run, restored when the operator comes back to the kind.
struct clsItemConsulta
{
    qint16 Caso = 0;          // kind number (pCaso)
    qint16 IndexConsulta = 0; // criterion index in cboConsulta of the last successful consultation
    bool ConsultaOk = false;  // the last consultation of this kind loaded a result
    QString Consulta;         // its value, trimmed
    QString DesdeFecha;       // its start date text, trimmed
    QString HastaFecha;       // its end date text, trimmed
};

} // namespace dalvo
