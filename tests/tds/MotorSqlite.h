#pragma once

// Stand-in engine for tds-servidor-prueba until the embedded demo engine can be served: it runs the
// statements as SQLite reads them (no T-SQL dialect, no procedures) on a demo file, so that a developer can
// watch a client talk to the server by hand. Tests use their own fake engine.

#include "data/Motor.h"

struct sqlite3;

namespace dalvo::tds {

class MotorSqlite : public ado::Motor
{
public:
    // clave: the password every login must give; empty accepts any.
    explicit MotorSqlite(QString clave);
    ~MotorSqlite() override;

    void abrir(const ado::DatosConexion& datos) override;
    void cerrar() override;
    bool abierta() const override { return mDb != nullptr; }
    ado::Lote ejecutar(const QString& sql, int segundosEspera) override;
    ado::Lote llamar(const QString& procedimiento, QVector<ado::ParametroMotor>& parametros,
                     int segundosEspera) override;
    bool conexionPerdida() override { return false; }

private:
    QString mClave;
    sqlite3* mDb = nullptr;
};

} // namespace dalvo::tds
