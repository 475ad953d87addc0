#include "tds/MotorFalso.h"

namespace dalvo::tds::prueba {

namespace {

class MotorFalso : public ado::Motor
{
public:
    explicit MotorFalso(Guion& guion) : mGuion(guion) {}

    void abrir(const ado::DatosConexion& datos) override
    {
        {
            std::lock_guard bloqueo(mGuion.mutex);
            mGuion.mAperturas.append(datos);
        }
        if (datos.usuario != mGuion.usuario || datos.clave != mGuion.clave)
            throw ado::FallaMotor({error(18456, QStringLiteral("42000"),
                                         QStringLiteral("Login failed for user '%1'.").arg(datos.usuario))});
        if (!mGuion.baseDatos.isEmpty() && !datos.baseDatos.isEmpty() && datos.baseDatos != mGuion.baseDatos)
            throw ado::FallaMotor({error(
                4060, QStringLiteral("42000"),
                QStringLiteral("Cannot open database \"%1\" requested by the login.").arg(datos.baseDatos))});
        mAbierta = true;
    }
    void cerrar() override { mAbierta = false; }
    bool abierta() const override { return mAbierta; }

    ado::Lote ejecutar(const QString& sql, int) override
    {
        {
            std::lock_guard bloqueo(mGuion.mutex);
            mGuion.mSentencias.append(sql);
        }
        if (mGuion.alEjecutar)
            return mGuion.alEjecutar(sql);
        throw ado::FallaMotor(
            {error(208, QStringLiteral("42S02"), QStringLiteral("Invalid object name 'x'."))});
    }

    ado::Lote llamar(const QString& procedimiento, QVector<ado::ParametroMotor>& parametros, int) override
    {
        {
            std::lock_guard bloqueo(mGuion.mutex);
            mGuion.mLlamadas.append({procedimiento, parametros});
        }
        if (mGuion.alLlamar)
            return mGuion.alLlamar(procedimiento, parametros);
        throw ado::FallaMotor(
            {error(2812, QStringLiteral("42000"),
                   QStringLiteral("Could not find stored procedure '%1'.").arg(procedimiento))});
    }

    bool conexionPerdida() override { return false; }

private:
    Guion& mGuion;
    bool mAbierta = false;
};

} // namespace

QVector<ado::DatosConexion> Guion::aperturas() const
{
    std::lock_guard bloqueo(mutex);
    return mAperturas;
}

QStringList Guion::sentencias() const
{
    std::lock_guard bloqueo(mutex);
    return mSentencias;
}

QVector<Guion::Llamada> Guion::llamadas() const
{
    std::lock_guard bloqueo(mutex);
    return mLlamadas;
}

FabricaMotor Guion::fabrica()
{
    return [this] { return std::make_unique<MotorFalso>(*this); };
}

ado::ErrorAdo error(qint32 numero, const QString& estado, const QString& texto)
{
    return {numero, estado, estado + u' ' + texto};
}

ado::Tabla tabla(const QVector<ado::Columna>& columnas, const QVector<QVariant>& celdas)
{
    ado::Tabla t;
    t.columnas = columnas;
    t.celdas = celdas;
    return t;
}

ado::Columna columna(const QString& nombre, int tipo, int tamano, int precision, int escala)
{
    ado::Columna c;
    c.nombre = nombre;
    c.tipo = tipo;
    c.tamanoDefinido = tamano;
    c.precision = precision;
    c.escala = escala;
    return c;
}

} // namespace dalvo::tds::prueba
