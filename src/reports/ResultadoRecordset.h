#pragma once

#include "reports/GeneracionReportes.h"
#include "reports/ResultadoReporte.h"

namespace dalvo {

class cUserConnection;
namespace ado {
class Recordset;
}

// A recordset of the connection as the report output reads it. A recordset that stays closed (a statement
// without a result set) has no rows.
class ResultadoRecordset : public ResultadoReporte
{
public:
    explicit ResultadoRecordset(std::unique_ptr<ado::Recordset> rs);
    ~ResultadoRecordset() override;

    int RecordCount() const override;
    ado::Tabla tabla() const override; // every row, copied once
    std::unique_ptr<ResultadoReporte> NextRecordset() override;

private:
    std::unique_ptr<ado::Recordset> mRs;
};

// Report SQL run through a connection's Query (bSync true, bRaise false); by default the program's
// gConexion, read at each call.
class OrigenConexion : public OrigenReportes
{
public:
    explicit OrigenConexion(cUserConnection* conexion = nullptr) : mConexion(conexion) {}
    std::unique_ptr<ResultadoReporte> Query(const QString& sSQL, qint32& lError, QString& sError) override;

private:
    cUserConnection* mConexion;
};

} // namespace dalvo
