#pragma once

#include "data/Connection.h"
#include "data/Recordset.h"

#include <QString>
#include <memory>

namespace dalvo {

// The single row of the table Parametros, and the keep-alive query on it. Both run through gConexion;
// failures are raised with sources "clsParametros" and "clsParametros.chkConnect" and leave every member
// as it was.
class clsParametros
{
public:
    std::shared_ptr<ado::Connection> Connection; // set by the creator to gConexion->Connection
    qint32 RegistrosLeidos = 0;
    QString NombreEmpresa;
    qint16 Periodo_Prox_Consumo = 0;
    QString Mensaje_Ticket;
    qint16 Medicamentos_por_RDP = 0;
    qint16 Dias_Validez_Receta = 0;
    QString Directorio_TXT;
    QString Directorio_FMT;
    QString Directorio_LOG;
    QString DirectorioTramites;
    QString FechaTTAccion;
    QString FechaAccion;
    QString DirectorioTXTINMedicamentos;
    QString DirectotioTXTOUTMedicamentos; // spelled as the database spells the column

    // Reads the row into the members (only when there is exactly one) and returns the open result set.
    std::unique_ptr<ado::Recordset> Buscar();
    // The keep-alive query; its row count goes to RegistrosLeidos.
    std::unique_ptr<ado::Recordset> chkConnect();

    static QString TextoBuscar();
    static QString TextoChkConnect();
};

} // namespace dalvo
