#include "data/MotorFalso.h"

namespace dalvo::pruebas {

void MotorFalso::abrir(const ado::DatosConexion& datos)
{
    mGuion->aperturas.append(datos);
    if (!mGuion->falloApertura.isEmpty())
        throw ado::FallaMotor(mGuion->falloApertura);
    mDatos = datos;
    mAbierta = true;
}

void MotorFalso::cerrar()
{
    ++mGuion->cierres;
    mAbierta = false;
}

ado::Lote MotorFalso::ejecutar(const QString& sql, int segundosEspera)
{
    mGuion->sentencias.append(sql);
    mGuion->esperas.append(segundosEspera);
    return mGuion->responder ? mGuion->responder(sql, mDatos) : ado::Lote{};
}

ado::Lote MotorFalso::llamar(const QString& procedimiento, QVector<ado::ParametroMotor>& parametros,
                             int segundosEspera)
{
    mGuion->procedimientos.append(procedimiento);
    mGuion->llamadas.append(parametros);
    mGuion->esperas.append(segundosEspera);
    return mGuion->responderLlamada ? mGuion->responderLlamada(procedimiento, parametros) : ado::Lote{};
}

bool MotorFalso::conexionPerdida()
{
    ++mGuion->preguntasEnlace;
    return mGuion->enlacePerdido;
}

ConMotorFalso::ConMotorFalso()
    : mSustituto([g = guion](ado::DatosConexion&) { return std::make_unique<MotorFalso>(g); })
{}

Responder servidorSimulado(std::function<ado::Lote(const QString& sql)> resto, bool siempreMaster)
{
    return [resto, siempreMaster](const QString& sql, const ado::DatosConexion& d) -> ado::Lote {
        if (sql == u"SELECT @@VERSION AS Version")
            return lote({tabla({columna("Version", ado::adVarWChar, 300)}, {{"Microsoft SQL Server 2019"}})});
        if (sql == u"SELECT DB_NAME() AS BaseDatos") {
            const QString base =
                d.baseDatos.isEmpty() || siempreMaster ? QStringLiteral("master") : d.baseDatos;
            return lote({tabla({columna("BaseDatos", ado::adVarWChar, 128)}, {{base}})});
        }
        return resto ? resto(sql) : ado::Lote{};
    };
}

ado::Columna columna(const QString& nombre, int tipo, int tamano, int escala)
{
    ado::Columna c;
    c.nombre = nombre;
    c.tipo = tipo;
    c.tamanoDefinido = tamano;
    c.escala = escala;
    return c;
}

ado::Tabla tabla(const QVector<ado::Columna>& columnas, const QVector<QVector<QVariant>>& filas)
{
    ado::Tabla t;
    t.columnas = columnas;
    for (const auto& fila : filas)
        t.celdas += fila;
    return t;
}

ado::Lote lote(std::vector<ado::Tabla> tablas, QVector<ado::ErrorAdo> errorFinal)
{
    ado::Lote l;
    l.tablas = std::move(tablas);
    l.errorFinal = std::move(errorFinal);
    return l;
}

void fallar(QVector<ado::ErrorAdo> registros)
{
    throw ado::FallaMotor(std::move(registros));
}

ado::ErrorAdo registro(qint32 numero, const QString& sqlState, const QString& texto)
{
    return {numero, sqlState, sqlState + u' ' + texto};
}

} // namespace dalvo::pruebas
