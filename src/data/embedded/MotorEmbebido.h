#pragma once

#include "data/Motor.h"

#include <memory>

namespace dalvo::embebido {

class Sesion;

// The embedded demo server: a SQLite demo database behind a T-SQL dialect layer, answering as a
// Spanish-language SQL Server reached through FreeTDS would.
//  - abrir: servidor "sqlite:<path>"; logins "operador"/"demo" and "supervisor"/"super" (user names in any
//    case); the login's default database is master; the transaction database is "dalvoPralMendoza".
//  - ejecutar: a T-SQL statement or batch; every result set typed as SQL Server types it.
//  - llamar: a stored procedure of the demo database with typed input and output parameters.
// Errors are FallaMotor records with SQL Server's numbers, SQLSTATEs and Spanish texts.
class MotorEmbebido : public ado::Motor
{
public:
    MotorEmbebido();
    ~MotorEmbebido() override;

    void abrir(const ado::DatosConexion& datos) override;
    void cerrar() override;
    bool abierta() const override;
    ado::Lote ejecutar(const QString& sql, int segundosEspera) override;
    ado::Lote llamar(const QString& procedimiento, QVector<ado::ParametroMotor>& parametros,
                     int segundosEspera) override;
    bool conexionPerdida() override;

    // For support and benchmarks: the SQLite text each SELECT/INSERT/UPDATE/DELETE of a batch becomes, and
    // SQLite's query plan of those statements (EXPLAIN QUERY PLAN detail lines).
    QStringList traduccion(const QString& sql);
    QStringList planDeConsulta(const QString& sql);

    // The session's current database ("master" or "dalvoPralMendoza"); empty when closed.
    QString baseDatos() const;

    // True for a demo login and its password (names without regard to case, passwords exactly).
    static bool credencialesValidas(const QString& usuario, const QString& clave);

private:
    void revisarEnlace();

    std::unique_ptr<Sesion> mSesion;
    quint64 mEpoca = 0;
    bool mPerdida = false;
};

} // namespace dalvo::embebido
