#include "closings/clsCierres.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"

#include <QComboBox>
#include <QDate>
#include <QRegularExpression>

namespace dalvo {

namespace {

const QString kOrigen = QStringLiteral("clsCierres");
const QString kFinLinea = QStringLiteral("\r\n");

// What opening an empty statement raises (OLE DB's "no command text").
constexpr qint32 kSinTextoDeComando = -2147217908;

[[noreturn]] void sinConexion(const QString& origen)
{
    throw Falla(91, origen, QStringLiteral("Variable de objeto o bloque With no establecida"));
}

QString numero(qint64 n)
{
    return QString::number(n);
}

// A value that ends up inside a quoted literal.
QString citado(const QString& texto)
{
    return QLatin1Char('\'') + QString(texto).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

struct ParametroSp
{
    const char* nombre;
    int tipo;
    ado::Direccion direccion;
    int tamano;
};

using ado::Direccion;
constexpr ParametroSp kProcesaTramites[] = {
    {"pFechaDesde", ado::adChar, Direccion::Entrada, 8},
    {"pFechaHasta", ado::adChar, Direccion::Entrada, 8},
    {"Database", ado::adVarChar, Direccion::Entrada, 30},
    {"oError", ado::adInteger, Direccion::Salida, 0},
    {"pEjecutoBcp", ado::adBoolean, Direccion::Entrada, 0},
};
constexpr ParametroSp kGeneraCierre[] = {
    {"pNumeroEjecucionSys", ado::adInteger, Direccion::Entrada, 0},
    {"pIDPrestador", ado::adInteger, Direccion::Entrada, 0},
    {"pFechaDesde", ado::adChar, Direccion::Entrada, 8},
    {"pFechaHasta", ado::adChar, Direccion::Entrada, 8},
    {"oIdCierre", ado::adInteger, Direccion::Salida, 0},
    {"oError", ado::adInteger, Direccion::Salida, 0},
    {"oComentario", ado::adChar, Direccion::Salida, 30},
};
constexpr ParametroSp kActualizaTickets[] = {
    {"pIDPrestador", ado::adInteger, Direccion::Entrada, 0},
    {"pIdTicket", ado::adInteger, Direccion::Entrada, 0},
    {"oError", ado::adInteger, Direccion::Salida, 0},
    {"oComentario", ado::adChar, Direccion::Salida, 30},
};

template <std::size_t N>
std::unique_ptr<ado::Command> comando(const std::shared_ptr<ado::Connection>& conexion,
                                      const char* procedimiento, const ParametroSp (&parametros)[N])
{
    try {
        if (!conexion)
            sinConexion(kOrigen);
        auto c = std::make_unique<ado::Command>();
        c->ActiveConnection = conexion;
        c->CommandText = QLatin1String(procedimiento);
        c->CommandType = ado::adCmdStoredProc;
        for (const ParametroSp& p : parametros)
            c->Parameters().Append(
                ado::Command::CreateParameter(QLatin1String(p.nombre), p.tipo, p.direccion, p.tamano));
        return c;
    } catch (const Falla& f) {
        throw Falla(f.Numero, kOrigen, QLatin1String(procedimiento) + kFinLinea);
    }
}

} // namespace

void clsCierres::CrearSpQuery()
{
    mProcesaTramites = comando(LaConexion, "spProcesaTramites", kProcesaTramites);
    mGeneraCierre = comando(LaConexion, "spGeneraCierre", kGeneraCierre);
    mGeneraCierrePrestador = comando(LaConexion, "spGeneraCierrePrestador", kGeneraCierre);
    mActualizaTickets = comando(LaConexion, "spActualizaTickets", kActualizaTickets);
}

QString clsCierres::FechaProcedimiento(const QString& fecha)
{
    const QString t = recortar(fecha);
    static const QRegularExpression ochoDigitos(QStringLiteral("^\\d{8}$"));
    if (ochoDigitos.match(t).hasMatch() && QDate::fromString(t, QStringLiteral("yyyyMMdd")).isValid())
        return t;
    if (const auto f = textoAFecha(t))
        return f->toString(QStringLiteral("yyyyMMdd"));
    throw Falla(errores::TiposNoCoinciden, kOrigen, QStringLiteral("Fecha no válida: ") + fecha);
}

qint32 clsCierres::GenerarCierre(qint16 pIdPrestador, const QString& pDesde, const QString& pHasta,
                                 bool bFarmacia)
{
    const QString origen = QStringLiteral("clsCierres.GeneraCierre");
    try {
        Error = 0;
        Comentrario.clear();
        ado::Command* c = bFarmacia ? mGeneraCierre.get() : mGeneraCierrePrestador.get();
        if (!c)
            sinConexion(origen);
        c->Parameters(QStringLiteral("pNumeroEjecucionSys")).Value = 0;
        c->Parameters(QStringLiteral("pIdPrestador")).Value = int(pIdPrestador);
        c->Parameters(QStringLiteral("pFechaDesde")).Value = FechaProcedimiento(pDesde);
        c->Parameters(QStringLiteral("pFechaHasta")).Value = FechaProcedimiento(pHasta);
        c->Execute();
        const qint32 error = aEntero32(c->Parameters(QStringLiteral("oError")).Value, origen);
        if (error != 0) {
            Error = aEntero16(error, origen);
            Comentrario = recortar(comoTexto(c->Parameters(QStringLiteral("oComentario")).Value));
            return 0;
        }
        return aEntero32(c->Parameters(QStringLiteral("oIdCierre")).Value, origen);
    } catch (const Falla& f) {
        throw Falla(f.Numero, origen, f.Descripcion);
    }
}

QString clsCierres::TextoBuscar(const QString& condicion)
{
    return QStringLiteral("SELECT  C.IdCierre,") + QStringLiteral("    C.idPrestador,") +
           QStringLiteral("    C.Cant_transac,") + QStringLiteral("    C.TTicket,") +
           QStringLiteral("    C.TAfilia,") + QStringLiteral("    C.TDPrestador,") +
           QStringLiteral("    C.BPRAL,") + QStringLiteral("    C.NumeroTramite,") +
           QStringLiteral("    C.FechaServer,") + QStringLiteral("    P.Nombre,") +
           QStringLiteral("    P.Prestador_OS") + QStringLiteral("    FROM Cierres C (NOLOCK)") +
           QStringLiteral("    LEFT JOIN Prestadores P (NOLOCK) ON P.IdPrestador = C.IdPrestador") +
           condicion + QStringLiteral(" ORDER BY C.FechaServer Desc");
}

std::optional<QString> clsCierres::CondicionBuscar(const QString& sWhere, qint16 pIdPrestador,
                                                   qint32 pIdCierre, qint32 pOpcion, bool pTodos)
{
    QString condicion;
    if (!sWhere.isEmpty()) {
        condicion = sWhere.toUpper().contains(QStringLiteral("WHERE")) ? QStringLiteral(" ") + sWhere
                                                                       : QStringLiteral(" WHERE ") + sWhere;
    } else {
        // Each step replaces what an earlier one set: a closing number wins over the provider.
        if (pIdPrestador != 0)
            condicion = QStringLiteral(" WHERE C.IdPrestador=") + numero(pIdPrestador);
        if (pIdCierre != 0 && pOpcion == 1)
            condicion = QStringLiteral(" WHERE C.IdCierre=") + numero(pIdCierre);
        if (pIdCierre != 0 && pOpcion == 4)
            condicion =
                QStringLiteral(" WHERE C.IdCierre=(SELECT MIN(X.IdCierre) FROM Cierres X (NOLOCK) WHERE "
                               "X.IdCierre > ") +
                numero(pIdCierre) + QStringLiteral(")");
        if (pIdCierre != 0 && pOpcion == 3)
            condicion =
                QStringLiteral(" WHERE C.IdCierre=(SELECT MAX(X.IdCierre) FROM Cierres X (NOLOCK) WHERE "
                               "X.IdCierre < ") +
                numero(pIdCierre) + QStringLiteral(")");
        if (pIdCierre == 0 && pOpcion == 2)
            condicion = QStringLiteral(" WHERE C.IdCierre=(SELECT MIN(X.IdCierre) FROM Cierres X (NOLOCK) )");
        if (pIdCierre == 0 && pOpcion == 5)
            condicion = QStringLiteral(" WHERE C.IdCierre=(SELECT MAX(X.IdCierre) FROM Cierres X (NOLOCK) )");
        if (condicion.isEmpty())
            return std::nullopt;
    }
    if (!pTodos)
        condicion += QLatin1String(kVentanaTresMeses);
    return condicion;
}

std::unique_ptr<ado::Recordset> clsCierres::Buscar(const QString& sWhere, qint16 pIdPrestador,
                                                   qint32 pIdCierre, qint32 pOpcion, bool pTodos)
{
    try {
        const std::optional<QString> condicion =
            CondicionBuscar(sWhere, pIdPrestador, pIdCierre, pOpcion, pTodos);
        if (!condicion)
            return nullptr;
        auto rs = abrir(TextoBuscar(*condicion));
        // Read into a copy first, so that a failure halfway leaves the members as they were.
        clsCierres leido;
        leido.CantidadItems = rs->RecordCount();
        if (leido.CantidadItems == 1) {
            auto campo = [&](const char* nombre) { return rs->Fields(QLatin1String(nombre)).Value(); };
            auto importe = [&](const char* nombre) { return Convertir(campo(nombre), 2, 2).toDouble(); };
            leido.idCierre = aEntero32(campo("IdCierre"), kOrigen);
            leido.IdPrestador = aEntero32(campo("idPrestador"), kOrigen);
            leido.Cant_transac = aEntero16(importe("Cant_transac"), kOrigen);
            leido.TTicket = importe("TTicket");
            leido.TAfilia = importe("TAfilia");
            leido.TDPrestador = importe("TDPrestador");
            leido.BPRAL = importe("BPRAL");
            leido.NumeroTramite = aEntero32(campo("NumeroTramite"), kOrigen);
            leido.FechaServer = Convertir(campo("FechaServer"), 1, 1).toString();
            leido.Nombre = Convertir(campo("Nombre"), 1, 1).toString();
            idCierre = leido.idCierre;
            IdPrestador = leido.IdPrestador;
            Cant_transac = leido.Cant_transac;
            TTicket = leido.TTicket;
            TAfilia = leido.TAfilia;
            TDPrestador = leido.TDPrestador;
            BPRAL = leido.BPRAL;
            NumeroTramite = leido.NumeroTramite;
            FechaServer = leido.FechaServer;
            Nombre = leido.Nombre;
        }
        CantidadItems = leido.CantidadItems;
        return rs;
    } catch (const Falla& f) {
        throw Falla(f.Numero, kOrigen, f.Descripcion + kFinLinea);
    }
}

QString clsCierres::TextoBuscarLogTramites()
{
    return QStringLiteral("SELECT  ISNULL(Archivo,'') AS Archivo,") +
           QStringLiteral("    Convert(varchar(6),isnull(CantidadRegistros,0)) AS CantidadRegistros,") +
           QStringLiteral("    ISNULL(NumeroTramite,'0') AS NumeroTramite") +
           QStringLiteral("    FROM tteLog (NOLOCK)") + QStringLiteral(" ORDER BY NumeroTramite");
}

std::unique_ptr<ado::Recordset> clsCierres::BuscarLogTramites()
{
    try {
        auto rs = abrir(TextoBuscarLogTramites());
        CantidadItems = rs->RecordCount();
        return rs;
    } catch (const Falla& f) {
        throw Falla(f.Numero, kOrigen, f.Descripcion + kFinLinea);
    }
}

QString clsCierres::TextoDatosCierre(qint16 pIdPrestador, qint32 pIdCierre, const QString& pFechaDesde,
                                     const QString& pFechaHasta)
{
    const QString fechas = QStringLiteral(",") + citado(pFechaDesde) + QStringLiteral(",") +
                           citado(pFechaHasta) + QStringLiteral(",2");
    const QString inicio = QStringLiteral("Execute spDatosCierre 0, ");
    if (pIdCierre != 0 && pIdPrestador != 0)
        return inicio + numero(pIdCierre) + QStringLiteral(", ") + numero(pIdPrestador) + fechas;
    if (pIdCierre != 0)
        return inicio + numero(pIdCierre) + QStringLiteral(", null, ") + fechas.mid(1);
    if (pIdPrestador != 0)
        return inicio + QStringLiteral("null, ") + numero(pIdPrestador) + fechas;
    return {};
}

std::unique_ptr<ado::Recordset> clsCierres::BuscarDatosCierre(qint16 pIdPrestador, qint32 pIdCierre,
                                                              const QString& pFechaDesde,
                                                              const QString& pFechaHasta)
{
    try {
        return abrir(TextoDatosCierre(pIdPrestador, pIdCierre, pFechaDesde, pFechaHasta));
    } catch (const Falla& f) {
        throw Falla(f.Numero, QStringLiteral("clsCierres.BuscarDatosCierre"), f.Descripcion + kFinLinea);
    }
}

// No handler of its own: a failure reaches the caller as Buscar or the conversion raised it.
void clsCierres::CargarCombo(QComboBox& ElCombo, qint32 pIdPrestador)
{
    ElCombo.clear();
    auto rs = Buscar({}, aEntero16(pIdPrestador, kOrigen), 0, 1, false);
    if (!rs || CantidadItems <= 0)
        return;
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        ElCombo.addItem(
            CodigoDescripcion(rs->Fields(QStringLiteral("IdCierre")).Value(),
                              Convertir(rs->Fields(QStringLiteral("FechaServer")).Value(), 1, 1).toString()));
    ElCombo.setCurrentIndex(0);
}

QString clsCierres::TextoAnularCierre(qint32 pIdCierre, qint32 pIdPrestador)
{
    if (pIdCierre == 0 || pIdPrestador == 0)
        return {};
    return QStringLiteral("Execute spAnularCierre ") + numero(pIdPrestador) + QStringLiteral(", ") +
           numero(pIdCierre);
}

QString clsCierres::TextoAnularTicket(qint32 pIdTicket, qint32 pIdCierre)
{
    if (pIdTicket == 0 || pIdCierre == 0)
        return {};
    return QStringLiteral("Execute spAnulaTicketCerrado ") + numero(pIdCierre) + QStringLiteral(", ") +
           numero(pIdTicket);
}

bool clsCierres::AnularCierre(qint32 pIdCierre, qint32 pIdPrestador)
{
    try {
        return primeraColumnaNoCero(TextoAnularCierre(pIdCierre, pIdPrestador));
    } catch (const Falla& f) {
        throw Falla(f.Numero, QStringLiteral("clsCierres.AnularCierre"), f.Descripcion + kFinLinea);
    }
}

bool clsCierres::AnularTicket(qint32 pIdTicket, qint32 pIdCierre)
{
    try {
        return primeraColumnaNoCero(TextoAnularTicket(pIdTicket, pIdCierre));
    } catch (const Falla& f) {
        throw Falla(f.Numero, QStringLiteral("clsCierres.AnularTicket"), f.Descripcion + kFinLinea);
    }
}

bool clsCierres::ActualizarValorTickets(qint32 pIdPrestador, qint32 pIdTicket)
{
    try {
        if (pIdTicket == 1)
            pIdTicket = 0;
        if (pIdPrestador == 1)
            pIdPrestador = 0;
        if (pIdPrestador == 0)
            return false;
        CrearSpQuery();
        ado::Command& c = *mActualizaTickets;
        c.Parameters(QStringLiteral("pIdPrestador")).Value = pIdPrestador;
        c.Parameters(QStringLiteral("pIdTicket")).Value = pIdTicket;
        c.Execute();
        const qint32 error = aEntero32(c.Parameters(QStringLiteral("oError")).Value, kOrigen);
        if (error != 0)
            throw Falla(error, kOrigen, QStringLiteral("Error en actualización de tickets"));
        return true;
    } catch (const Falla& f) {
        throw Falla(f.Numero, QStringLiteral("clsCierres.ActualizarValorTickets"), f.Descripcion + kFinLinea);
    }
}

std::unique_ptr<ado::Recordset> clsCierres::abrir(const QString& sql)
{
    if (!LaConexion)
        sinConexion(kOrigen);
    if (sql.isEmpty())
        throw Falla(kSinTextoDeComando, QStringLiteral("ADODB.Recordset"),
                    QStringLiteral("No se ha establecido el texto del comando para el objeto de comando."));
    auto rs = std::make_unique<ado::Recordset>();
    rs->Open(sql, *LaConexion);
    return rs;
}

bool clsCierres::primeraColumnaNoCero(const QString& sql)
{
    auto rs = abrir(sql);
    const QVariant valor = rs->Fields(0).Value();
    rs->Close();
    return !ado::esNulo(valor) && valor.toDouble() != 0;
}

} // namespace dalvo
