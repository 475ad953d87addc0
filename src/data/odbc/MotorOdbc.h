#pragma once

#include "data/Motor.h"

#include <QString>

namespace dalvo::ado {

// SQL Server through unixODBC and FreeTDS. Every diagnostic record of a failed call is read into the
// error list (native number, SQLSTATE, "SQLSTATE text"); every result set of a batch is fetched through
// SQLMoreResults; text travels as UTF-16 (the wide ODBC calls), so characters outside the server's code
// page survive in both directions.
class MotorOdbc : public Motor
{
public:
    // controlador: a driver name registered with odbcinst, or the path of the driver library;
    // llavesDobles: the driver reads "}}" inside a braced value as "}" (CadenaOdbc.h).
    explicit MotorOdbc(QString controlador, bool llavesDobles = false);
    ~MotorOdbc() override;
    MotorOdbc(const MotorOdbc&) = delete;
    MotorOdbc& operator=(const MotorOdbc&) = delete;

    void abrir(const DatosConexion& datos) override;
    void cerrar() override;
    bool abierta() const override { return mConectada; }
    Lote ejecutar(const QString& sql, int segundosEspera) override;
    // Sent as "{? = call name(?,...)}", the ODBC call syntax that FreeTDS turns into an RPC: only that form
    // brings output parameters back.
    Lote llamar(const QString& procedimiento, QVector<ParametroMotor>& parametros,
                int segundosEspera) override;
    bool conexionPerdida() override;

    static QString textoLlamada(const QString& procedimiento, int cantidadParametros);

private:
    void* mEntorno = nullptr; // SQLHENV
    void* mEnlace = nullptr;  // SQLHDBC
    bool mConectada = false;
    QString mControlador;
    bool mLlavesDobles;
};

} // namespace dalvo::ado
