#include "data/Connection.h"

#include "data/AdoInterno.h"
#include "data/FabricaMotor.h"
#include "data/Recordset.h"
#include "data/TextoConexion.h"
#include "data/Traza.h"

#include <QElapsedTimer>
#include <QStringList>
#include <algorithm>

namespace dalvo::ado {

namespace detalle {

void fallaAdo(qint32 numero, const QString& origen)
{
    QString texto;
    switch (numero) {
    case kSinRegistroActual:
        texto = QStringLiteral("El valor de BOF o EOF es True, o el registro actual se eliminó. La operación "
                               "solicitada requiere un registro actual.");
        break;
    case kElementoNoEncontrado:
        texto = QStringLiteral("No se encontró el elemento en la colección que corresponde con el nombre o "
                               "el ordinal solicitado.");
        break;
    case kObjetoCerrado:
        texto = QStringLiteral("No se permite realizar la operación si el objeto está cerrado.");
        break;
    case kObjetoAbierto:
        texto = QStringLiteral("No se permite realizar la operación si el objeto está abierto.");
        break;
    default:
        texto =
            QStringLiteral("No se puede usar la conexión para realizar esta operación. Está cerrada o no es "
                           "válida en este contexto.");
        break;
    }
    throw Falla(numero, origen, texto);
}

Falla fallaDeRegistros(const QVector<ErrorAdo>& registros, const QString& origen)
{
    QStringList descripciones;
    for (const ErrorAdo& e : registros)
        descripciones << e.Description;
    return Falla(registros.isEmpty() ? 0 : registros.first().Number, origen,
                 descripciones.join(QLatin1String("\r\n")));
}

Falla Sesion::registrarFallo(QVector<ErrorAdo> registros, const QString& origen)
{
    if (registros.isEmpty())
        registros.append(
            {0, QStringLiteral("HY000"), QStringLiteral("HY000 El servidor informó un error sin detalle.")});
    const bool yaDicho = std::any_of(registros.cbegin(), registros.cend(), [](const ErrorAdo& e) {
        return e.Number > 9999 && e.Description.startsWith(QLatin1String("08S01"));
    });
    if (!yaDicho && motor && motor->conexionPerdida())
        registros.prepend({kNumeroEnlacePerdido, QStringLiteral("08S01"),
                           QStringLiteral("08S01 Se perdió la comunicación con el servidor.")});
    errores = registros;
    return fallaDeRegistros(errores, origen);
}

qint64 filasDelLote(const Lote& lote)
{
    qint64 filas = 0;
    for (const Tabla& t : lote.tablas)
        filas += t.filas();
    return filas;
}

} // namespace detalle

using namespace detalle;

Connection::Connection() : mSesion(std::make_shared<Sesion>())
{}

Connection::~Connection()
{
    Close();
}

void Connection::Open(const QString& connectionString)
{
    const QString origen = QStringLiteral("ADODB.Connection");
    if (mAbierta)
        fallaAdo(kObjetoAbierto, origen);
    DatosConexion datos = leerTextoConexion(connectionString);
    datos.segundosLogin = ConnectionTimeout;
    const QString traza = QStringLiteral("-- conexión: servidor %1, base %2, usuario %3")
                              .arg(datos.servidor, datos.baseDatos, datos.usuario);
    QElapsedTimer reloj;
    reloj.start();
    mSesion->errores.clear();
    try {
        if (datos.servidor.isEmpty())
            throw FallaMotor(
                {{0, QStringLiteral("08001"), QStringLiteral("08001 No se indicó el servidor.")}});
        mSesion->motor = crearMotor(datos);
        mSesion->motor->abrir(datos);
    } catch (const FallaMotor& f) {
        // A session that never opened has no link to ask about.
        mSesion->motor.reset();
        const Falla falla = mSesion->registrarFallo(f.errores(), origen);
        trazar(traza, reloj.elapsed(), 0, falla.Numero);
        throw falla;
    }
    mAbierta = true;
    trazar(traza, reloj.elapsed(), 0, 0);
}

void Connection::Close()
{
    if (mSesion->motor)
        mSesion->motor->cerrar();
    mSesion->motor.reset();
    mAbierta = false;
}

int Connection::State() const
{
    return mAbierta ? adStateOpen : adStateClosed;
}

const QVector<ErrorAdo>& Connection::Errors() const
{
    return mSesion->errores;
}

std::unique_ptr<Recordset> Connection::Execute(const QString& commandText)
{
    auto rs = std::make_unique<Recordset>();
    rs->Open(commandText, *this);
    return rs;
}

Lote Connection::correr(const QString& textoTraza, const QString& origen,
                        const std::function<Lote(Motor&)>& llamada)
{
    if (!mAbierta || !mSesion->motor)
        fallaAdo(kConexionNoValida, origen);
    QElapsedTimer reloj;
    reloj.start();
    try {
        Lote lote = llamada(*mSesion->motor);
        mSesion->errores = lote.avisos;
        trazar(textoTraza, reloj.elapsed(), filasDelLote(lote),
               lote.errorFinal.isEmpty() ? 0 : lote.errorFinal.first().Number);
        return lote;
    } catch (const FallaMotor& f) {
        const Falla falla = mSesion->registrarFallo(f.errores(), origen);
        trazar(textoTraza, reloj.elapsed(), 0, falla.Numero);
        throw falla;
    }
}

std::weak_ptr<Sesion> Connection::sesion() const
{
    return mSesion;
}

} // namespace dalvo::ado
