#include "data/Command.h"

#include "data/AdoInterno.h"
#include "data/Connection.h"
#include "data/Recordset.h"

#include <QDateTime>
#include <QStringList>

namespace dalvo::ado {

using namespace detalle;

namespace {

const QString kOrigenComando = QStringLiteral("ADODB.Command");
const QString kOrigenParametros = QStringLiteral("ADODB.Parameters");

QString sinArroba(const QString& nombre)
{
    return nombre.startsWith(u'@') ? nombre.mid(1) : nombre;
}

bool esSalida(Direccion d)
{
    return d == Direccion::Salida || d == Direccion::EntradaSalida;
}

QString literal(const QVariant& v)
{
    if (esNulo(v))
        return QStringLiteral("NULL");
    switch (v.typeId()) {
    case QMetaType::QString:
        return u'\'' + v.toString().replace(u'\'', QLatin1String("''")) + u'\'';
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("''yyyy-MM-dd hh:mm:ss''"));
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default:
        return v.toString();
    }
}

} // namespace

void ParameterCollection::Append(Parameter parametro)
{
    mLista.push_back(std::move(parametro));
}

int ParameterCollection::buscar(const QString& nombre) const
{
    const QString buscado = sinArroba(nombre);
    for (size_t i = 0; i < mLista.size(); ++i)
        if (sinArroba(mLista[i].Name).compare(buscado, Qt::CaseInsensitive) == 0)
            return int(i);
    fallaAdo(kElementoNoEncontrado, kOrigenParametros);
}

Parameter& ParameterCollection::Item(int indice)
{
    if (indice < 0 || size_t(indice) >= mLista.size())
        fallaAdo(kElementoNoEncontrado, kOrigenParametros);
    return mLista[size_t(indice)];
}

Parameter& ParameterCollection::Item(const QString& nombre)
{
    return mLista[size_t(buscar(nombre))];
}

const Parameter& ParameterCollection::Item(int indice) const
{
    if (indice < 0 || size_t(indice) >= mLista.size())
        fallaAdo(kElementoNoEncontrado, kOrigenParametros);
    return mLista[size_t(indice)];
}

const Parameter& ParameterCollection::Item(const QString& nombre) const
{
    return mLista[size_t(buscar(nombre))];
}

Parameter Command::CreateParameter(const QString& name, int type, Direccion direction, int size,
                                   const QVariant& value)
{
    Parameter p;
    p.Name = name;
    p.Type = type;
    p.Direction = direction;
    p.Size = size;
    p.Value = value;
    return p;
}

QString Command::textoLlamada() const
{
    if (CommandType != adCmdStoredProc)
        return CommandText;
    QStringList argumentos;
    for (const Parameter& p : mParametros.mLista) {
        if (p.Direction == Direccion::Retorno)
            continue;
        argumentos << (esSalida(p.Direction) ? u'@' + sinArroba(p.Name) + QStringLiteral(" OUTPUT")
                                             : literal(p.Value));
    }
    return QStringLiteral("EXEC ") + CommandText +
           (argumentos.isEmpty() ? QString() : u' ' + argumentos.join(QLatin1String(", ")));
}

std::unique_ptr<Recordset> Command::Execute()
{
    if (!ActiveConnection)
        fallaAdo(kConexionNoValida, kOrigenComando);
    Connection& conexion = *ActiveConnection;
    const int espera = CommandTimeout >= 0 ? CommandTimeout : conexion.CommandTimeout;
    auto rs = std::make_unique<Recordset>();

    if (CommandType != adCmdStoredProc) {
        Lote lote = conexion.correr(CommandText, kOrigenComando,
                                    [&](Motor& motor) { return motor.ejecutar(CommandText, espera); });
        rs->cargar(std::make_shared<const Lote>(std::move(lote)), 0, conexion.sesion());
        return rs;
    }

    // The engines take the parameters by position; the RETURN value comes back apart.
    QVector<ParametroMotor> enviados;
    std::vector<Parameter*> destinos;
    Parameter* retorno = nullptr;
    for (Parameter& p : mParametros.mLista) {
        if (p.Direction == Direccion::Retorno) {
            retorno = &p;
            continue;
        }
        enviados.append(ParametroMotor{sinArroba(p.Name), p.Type, p.Direction, p.Size, p.Value});
        destinos.push_back(&p);
    }
    Lote lote = conexion.correr(textoLlamada(), kOrigenComando,
                                [&](Motor& motor) { return motor.llamar(CommandText, enviados, espera); });
    for (size_t i = 0; i < destinos.size(); ++i)
        if (esSalida(destinos[i]->Direction))
            destinos[i]->Value = enviados[qsizetype(i)].valor;
    if (retorno)
        retorno->Value = lote.valorRetorno;
    rs->cargar(std::make_shared<const Lote>(std::move(lote)), 0, conexion.sesion());
    return rs;
}

} // namespace dalvo::ado
