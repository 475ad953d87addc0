#pragma once

#include <QString>

namespace dalvo {

// What the main window remembers of the last consultation of one search kind, so that choosing the kind
// again restores its criterion, value and dates.
class clsItemConsulta
{
public:
    qint16 Caso = 0;          // the kind number (pCaso)
    qint16 IndexConsulta = 0; // criterion index in cboConsulta of the last successful consultation
    bool ConsultaOk = false;  // the last consultation of the kind loaded a result
    QString Consulta;         // trimmed value of that consultation
    QString DesdeFecha;       // trimmed date texts of that consultation
    QString HastaFecha;
};

} // namespace dalvo
