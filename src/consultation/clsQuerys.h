#pragma once

#include "data/Connection.h"
#include "data/Recordset.h"

#include <QString>
#include <memory>

namespace dalvo {

// The catalogue of the consultation console's read-only statements: the result list and the row count of
// each of the ten search kinds (pCaso 1 to 10), the items of a ticket, a provider's record and transaction
// counts, and the company name. Callers hand in a finished condition (without WHERE) and dates; the
// catalogue adds nothing to them and checks neither. Every statement runs through gConexion->Query; the
// caller owns and closes each returned result set. Failures are raised as dalvo::Falla with the source
// "clsQuerys." + the operation's name; nothing is shown.
class clsQuerys
{
public:
    // Given by the creator (gConexion->Connection); the statements go through gConexion all the same.
    std::shared_ptr<ado::Connection> Connection;

    // The company name's statement; NombreEmpresa takes the row's value when there is exactly one.
    std::unique_ptr<ado::Recordset> Parametros();

    // The row statement of a kind, or its count statement (one row, one column "Cuenta") when bCuenta.
    // sDesde and sHasta (typed day/month/year) are used only by the providers' rows. A kind outside 1 to 10
    // sends no catalogue text and fails as the server answers.
    std::unique_ptr<ado::Recordset> Consulta(qint32 pCaso, const QString& ElWhere, bool bCuenta = false,
                                             const QString& sDesde = {}, const QString& sHasta = {});

    // The items of a pharmacy ticket (pEsFarmacia) or of a provider ticket.
    std::unique_ptr<ado::Recordset> BuscarItemsTicket(qint32 pIdTicket, bool pEsFarmacia);

    // A provider's pharmacy tickets plus its provider tickets of operations "11" and "31" in a range; the
    // dates are SQL texts ("mm/dd/yyyy hh:mm:ss") inserted as they are.
    qint32 CantidadTransacciones(qint32 pIdPrestador, const QString& sDesdeFecha, const QString& sHastaFecha);

    // The provider's one row (every join is a LEFT JOIN).
    std::unique_ptr<ado::Recordset> DatosPrestador(qint32 pIdPrestador);

    // Rows of the last result set produced (see each operation). Read as a 16-bit number: a count above
    // 32767 raises the overflow error 6.
    qint16 RegistrosAfectados() const;
    QString NombreEmpresa() const { return mNombreEmpresa; }

    // The statement texts, exactly as they are sent.
    static QString TextoConsulta(qint32 pCaso, const QString& ElWhere, bool bCuenta = false,
                                 const QString& sDesde = {}, const QString& sHasta = {});
    static QString TextoItemsTicket(qint32 pIdTicket, bool pEsFarmacia);
    static QString TextoDatosPrestador(qint32 pIdPrestador);
    static QString TextoCantidadFarmacia(qint32 pIdPrestador, const QString& sDesdeFecha,
                                         const QString& sHastaFecha);
    static QString TextoCantidadPrestador(qint32 pIdPrestador, const QString& sDesdeFecha,
                                          const QString& sHastaFecha);
    static QString TextoParametros();

private:
    double mRegistrosAfectados = 0; // kept wide: only the read narrows it
    QString mNombreEmpresa;
};

// The process's catalogue: created by the main window's load, released when it unloads.
extern clsQuerys* gQuerys;

} // namespace dalvo
