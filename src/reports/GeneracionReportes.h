#pragma once

// The generation of the report window's selected reports (cmdGenerar), and the seams it reaches the
// database, the error driver and the company name through.

#include "reports/FuncionesReportes.h"
#include "reports/ItemsReportes.h"

#include <QString>
#include <functional>
#include <memory>

namespace dalvo {

class ColeccionParametros;

// How a report's SQL reaches the database: gConexion.Query with bSync true and bRaise false.
class OrigenReportes
{
public:
    virtual ~OrigenReportes() = default;
    // The result set; or null with the error number and text (lError not 0). A statement that returns no
    // result set gives null with lError 0. May raise Falla (no connection, a lost link).
    virtual std::unique_ptr<ResultadoReporte> Query(const QString& sSQL, qint32& lError, QString& sError) = 0;
};

// The origin in use: the program's connection gConexion unless replaced (tests, tools).
OrigenReportes& origenReportes();
std::unique_ptr<OrigenReportes> setOrigenReportes(std::unique_ptr<OrigenReportes> origen);

// The error driver as the report window calls it: ChekError (src/data/ChekError.h) unless another one is
// given (tests).
using ManejadorErrores =
    std::function<void(qint32 lNumero, const QString& sDescripcion, const QString& sOrigen)>;
void ChekErrorReportes(qint32 lNumero, const QString& sDescripcion, const QString& sOrigen);
ManejadorErrores setChekErrorReportes(ManejadorErrores manejador);

using EmisorReportes =
    std::function<void(const QString& sNombreReporte, ResultadoReporte& rs, const QString& sCarpeta,
                       const QString& sEmpresa, const QString& sTitulo, const QString& sSubTitulo)>;

// One press of "Generar".
struct PedidoReportes
{
    QList<ItemReporte> seleccionados; // in list order
    QString ticket;                   // txtTicket as typed (report "KT")
    const ColeccionParametros* parametros = nullptr;
    QString subtituloRango;
    QString carpeta; // the report folder, ending with a separator
    QString empresa;
};

// Produces the selected reports one after the other: each code looked up in the catalogue (unknown codes
// skipped), its SQL built and run, its rows handed to the emitter (EmitirReporte: a preview). An empty query
// or a query error is logged and shown, and the next report still comes; "KT" without a ticket number, or
// any other failure, stops the whole generation.
void GenerarReportes(const PedidoReportes& pedido, OrigenReportes& origen,
                     const EmisorReportes& emitir = EmitirReporte);

} // namespace dalvo
