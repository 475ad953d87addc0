#pragma once

#include "closings/Valores.h"
#include "data/Command.h"
#include "data/Connection.h"
#include "data/Recordset.h"

#include <QString>
#include <memory>
#include <optional>

class QComboBox;

namespace dalvo {

// The closing service: generation, look-up, full data, cancellation and re-valuation of provider closings
// (table Cierres) through statements and the closing stored procedures. It never shows anything: every
// operation raises dalvo::Falla with its own source (CargarCombo lets a failure through unchanged).
//
// Set LaConexion first (gConexion->Connection); CrearSpQuery before GenerarCierre. Provider numbers are
// 16-bit, as the service has always held them: convert with aEntero16, which refuses a number out of range
// instead of wrapping it.
class clsCierres
{
public:
    std::shared_ptr<ado::Connection> LaConexion;
    qint32 CantidadItems = 0; // rows of the last Buscar or BuscarLogTramites
    // The current closing: filled by Buscar only when its result has exactly one row.
    qint32 idCierre = 0;
    qint32 IdPrestador = 0;
    qint16 Cant_transac = 0;
    double TTicket = 0;
    double TAfilia = 0;
    double TDPrestador = 0;
    double BPRAL = 0;
    qint32 NumeroTramite = 0;
    QString FechaServer;
    QString Nombre;
    // The refusal of the last GenerarCierre (0 and empty when it generated).
    qint16 Error = 0;
    QString Comentrario; // spelled as the service has always spelled it

    // (Re)builds the four prepared commands: spProcesaTramites, spGeneraCierre, spGeneraCierrePrestador and
    // spActualizaTickets, with their parameters in the procedures' order.
    void CrearSpQuery();

    // Generates the closing of a provider for a period given as two dates (dd/mm/yyyy; sent as yyyymmdd).
    // Returns the new closing's number, or 0 with the procedure's refusal in Error and Comentrario.
    qint32 GenerarCierre(qint16 pIdPrestador, const QString& pDesde, const QString& pHasta,
                         bool bFarmacia = false);

    // Looks closings up (with the provider's name and code), newest first. With sWhere, that condition; else
    // the provider's closings, or by closing number with pOpcion 1 (this one), 2 (the first), 3 (the one
    // before), 4 (the one after) or 5 (the last). Without pTodos only closings of the last three months come
    // back. Nothing to look for: no query, nullptr, members unchanged.
    std::unique_ptr<ado::Recordset> Buscar(const QString& sWhere = {}, qint16 pIdPrestador = 0,
                                           qint32 pIdCierre = 0, qint32 pOpcion = 0, bool pTodos = false);

    // The processing log (tteLog), by processing number.
    std::unique_ptr<ado::Recordset> BuscarLogTramites();

    // spDatosCierre's five result sets for a closing, a closing of a provider, or a provider's tickets not
    // yet closed.
    std::unique_ptr<ado::Recordset> BuscarDatosCierre(qint16 pIdPrestador = 0, qint32 pIdCierre = 0,
                                                      const QString& pFechaDesde = {},
                                                      const QString& pFechaHasta = {});

    // The provider's closings of the last three months as "number . server date", the first one selected.
    void CargarCombo(QComboBox& ElCombo, qint32 pIdPrestador);

    // Cancel a closing, or take one ticket out of its closing: true when the procedure did it.
    bool AnularCierre(qint32 pIdCierre, qint32 pIdPrestador);
    bool AnularTicket(qint32 pIdTicket, qint32 pIdCierre);

    // Re-values the provider's tickets not yet closed (pIdTicket 0: all; 1 is taken as 0). Provider 0 (or
    // 1) does nothing and returns false.
    bool ActualizarValorTickets(qint32 pIdPrestador, qint32 pIdTicket = 0);

    // --- The statements, as the operations send them ---
    static QString TextoBuscar(const QString& condicion);
    // The condition Buscar adds to its statement; nullopt when there is nothing to look for.
    static std::optional<QString> CondicionBuscar(const QString& sWhere, qint16 pIdPrestador,
                                                  qint32 pIdCierre, qint32 pOpcion, bool pTodos);
    static QString TextoBuscarLogTramites();
    // Empty when neither number is given.
    static QString TextoDatosCierre(qint16 pIdPrestador, qint32 pIdCierre, const QString& pFechaDesde,
                                    const QString& pFechaHasta);
    static QString TextoAnularCierre(qint32 pIdCierre, qint32 pIdPrestador);
    static QString TextoAnularTicket(qint32 pIdTicket, qint32 pIdCierre);

    // A date typed or shown as day/month/year (or already yyyymmdd) as the procedures' yyyymmdd; raises a
    // type mismatch (13) for a text that is no date.
    static QString FechaProcedimiento(const QString& fecha);

    static constexpr const char* kVentanaTresMeses =
        " AND C.FechaServer BETWEEN  DATEADD(M,-3,GETDATE()) AND GETDATE()";

private:
    std::unique_ptr<ado::Command> mProcesaTramites;
    std::unique_ptr<ado::Command> mGeneraCierre;
    std::unique_ptr<ado::Command> mGeneraCierrePrestador;
    std::unique_ptr<ado::Command> mActualizaTickets;

    std::unique_ptr<ado::Recordset> abrir(const QString& sql);
    bool primeraColumnaNoCero(const QString& sql);
};

} // namespace dalvo
