#include "reports/ResultadoRecordset.h"

#include "common/Falla.h"
#include "data/Connection.h"
#include "data/Recordset.h"
#include "data/cUserConnection.h"

namespace dalvo {

ResultadoRecordset::ResultadoRecordset(std::unique_ptr<ado::Recordset> rs) : mRs(std::move(rs))
{}

ResultadoRecordset::~ResultadoRecordset()
{
    if (mRs && mRs->State() == ado::adStateOpen)
        mRs->Close();
}

int ResultadoRecordset::RecordCount() const
{
    return mRs->State() == ado::adStateOpen ? mRs->RecordCount() : 0;
}

ado::Tabla ResultadoRecordset::tabla() const
{
    ado::Tabla t;
    if (mRs->State() != ado::adStateOpen)
        return t;
    const ado::FieldCollection campos = mRs->Fields();
    const int n = campos.Count();
    for (int i = 0; i < n; ++i) {
        const ado::Field f = campos.Item(i);
        ado::Columna c;
        c.nombre = f.Name();
        c.tipo = f.Type();
        c.tamanoDefinido = f.DefinedSize();
        c.precision = f.Precision();
        c.escala = f.NumericScale();
        t.columnas.append(c);
    }
    if (mRs->RecordCount() == 0)
        return t;
    t.celdas.reserve(static_cast<qsizetype>(mRs->RecordCount()) * n);
    for (mRs->MoveFirst(); !mRs->Eof(); mRs->MoveNext()) {
        for (int i = 0; i < n; ++i)
            t.celdas.append(mRs->Fields(i).Value());
    }
    return t;
}

std::unique_ptr<ResultadoReporte> ResultadoRecordset::NextRecordset()
{
    std::unique_ptr<ado::Recordset> siguiente = mRs->NextRecordset();
    if (!siguiente)
        return nullptr;
    return std::make_unique<ResultadoRecordset>(std::move(siguiente));
}

std::unique_ptr<ResultadoReporte> OrigenConexion::Query(const QString& sSQL, qint32& lError, QString& sError)
{
    cUserConnection* conexion = mConexion ? mConexion : gConexion;
    if (!conexion)
        throw Falla(91, QStringLiteral("frmReportes"),
                    QStringLiteral("Variable de objeto o bloque With no establecida"));
    std::unique_ptr<ado::Recordset> rs = conexion->Query(sSQL, lError, sError, true, false);
    if (!rs)
        return nullptr;
    return std::make_unique<ResultadoRecordset>(std::move(rs));
}

} // namespace dalvo
