#include "consultation/clsQuerys.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "data/cUserConnection.h"

#include <limits>

namespace dalvo {

clsQuerys* gQuerys = nullptr;

namespace {

QString origen(const char* operacion)
{
    return QStringLiteral("clsQuerys.") + QLatin1String(operacion);
}

// Runs one statement; a database error leaves as a Falla of the operation.
std::unique_ptr<ado::Recordset> correr(const QString& sSQL, const QString& sOrigen)
{
    if (!gConexion)
        throw Falla(91, sOrigen, QStringLiteral("Variable de objeto o bloque With no establecida"));
    qint32 SQLError = 0;
    QString SQLDescription;
    auto rs = gConexion->Query(sSQL, SQLError, SQLDescription, true, false);
    if (SQLError != 0)
        throw Falla(SQLError, sOrigen, SQLDescription);
    return rs;
}

// Any other failure inside an operation (a statement without a result set, a missing field) leaves with
// the operation's source and its own number and description.
template <typename Funcion> auto conOrigen(const QString& sOrigen, Funcion&& funcion)
{
    try {
        return funcion();
    } catch (const Falla& f) {
        throw Falla(f.Numero, sOrigen, f.Descripcion);
    }
}

qint32 cuenta(ado::Recordset& rs)
{
    bool ok = false;
    const QVariant valor = rs.Fields(QStringLiteral("Cuenta")).Value();
    const qlonglong n = valor.toLongLong(&ok);
    if (ado::esNulo(valor) || !ok)
        throw Falla(errores::TiposNoCoinciden, QString(), QStringLiteral("No coinciden los tipos"));
    if (n > std::numeric_limits<qint32>::max() || n < std::numeric_limits<qint32>::min())
        throw Falla(errores::Desbordamiento, QString(), QStringLiteral("Desbordamiento"));
    return qint32(n);
}

} // namespace

qint16 clsQuerys::RegistrosAfectados() const
{
    if (mRegistrosAfectados > 32767.0 || mRegistrosAfectados < -32768.0)
        throw Falla(errores::Desbordamiento, origen("RegistrosAfectados"), QStringLiteral("Desbordamiento"));
    return qint16(mRegistrosAfectados);
}

std::unique_ptr<ado::Recordset> clsQuerys::Parametros()
{
    const QString sOrigen = origen("Parametros");
    return conOrigen(sOrigen, [&] {
        auto rs = correr(TextoParametros(), sOrigen);
        const int filas = rs->RecordCount();
        QString nombre = mNombreEmpresa;
        if (filas == 1)
            nombre = Convertir(rs->Fields(QStringLiteral("NombreEmpresa")).Value(), 1, 1).toString();
        mRegistrosAfectados = filas;
        mNombreEmpresa = nombre;
        return rs;
    });
}

std::unique_ptr<ado::Recordset> clsQuerys::Consulta(qint32 pCaso, const QString& ElWhere, bool bCuenta,
                                                    const QString& sDesde, const QString& sHasta)
{
    const QString sOrigen = origen("Consulta");
    return conOrigen(sOrigen, [&] {
        auto rs = correr(TextoConsulta(pCaso, ElWhere, bCuenta, sDesde, sHasta), sOrigen);
        mRegistrosAfectados = rs->RecordCount();
        return rs;
    });
}

std::unique_ptr<ado::Recordset> clsQuerys::BuscarItemsTicket(qint32 pIdTicket, bool pEsFarmacia)
{
    const QString sOrigen = origen("BuscarItemsTicket");
    return conOrigen(sOrigen, [&] {
        auto rs = correr(TextoItemsTicket(pIdTicket, pEsFarmacia), sOrigen);
        mRegistrosAfectados = rs->RecordCount();
        return rs;
    });
}

qint32 clsQuerys::CantidadTransacciones(qint32 pIdPrestador, const QString& sDesdeFecha,
                                        const QString& sHastaFecha)
{
    const QString sOrigen = origen("CantidadTransacciones");
    mRegistrosAfectados = 0;
    return conOrigen(sOrigen, [&] {
        auto farmacia = correr(TextoCantidadFarmacia(pIdPrestador, sDesdeFecha, sHastaFecha), sOrigen);
        const qint32 deFarmacia = cuenta(*farmacia);
        farmacia->Close();
        auto prestador = correr(TextoCantidadPrestador(pIdPrestador, sDesdeFecha, sHastaFecha), sOrigen);
        const qint32 dePrestador = cuenta(*prestador);
        mRegistrosAfectados = prestador->RecordCount();
        prestador->Close();
        const qint64 total = qint64(deFarmacia) + dePrestador;
        if (total > std::numeric_limits<qint32>::max())
            throw Falla(errores::Desbordamiento, sOrigen, QStringLiteral("Desbordamiento"));
        return qint32(total);
    });
}

std::unique_ptr<ado::Recordset> clsQuerys::DatosPrestador(qint32 pIdPrestador)
{
    const QString sOrigen = origen("DatosPrestador");
    mRegistrosAfectados = 0;
    return conOrigen(sOrigen, [&] {
        auto rs = correr(TextoDatosPrestador(pIdPrestador), sOrigen);
        mRegistrosAfectados = rs->RecordCount();
        return rs;
    });
}

} // namespace dalvo
