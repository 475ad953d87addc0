#pragma once

#include "data/embedded/MotorEmbebido.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace dalvo::prueba {

// A small demo database in a temporary folder: the tables the program's statements name, declared with
// SQL Server type names and CI_AS text columns, with a few rows each.
class BaseDePrueba
{
public:
    BaseDePrueba();

    QString ruta() const;
    QString servidor() const { return QStringLiteral("sqlite:") + ruta(); }

    // A session as the program opens it (the transaction database unless told otherwise).
    std::unique_ptr<embebido::MotorEmbebido> abrir(const QString& base = QStringLiteral("dalvoPralMendoza"),
                                                   const QString& usuario = QStringLiteral("operador"),
                                                   const QString& clave = QStringLiteral("demo")) const;

    void instalar(const QString& nombre, const QString& texto) const;
    void sqlite(const QString& sql) const; // SQLite's own SQL on the file, for set-up

private:
    QTemporaryDir mCarpeta;
};

// The only result set of a statement (fails the test otherwise).
ado::Tabla unaTabla(ado::Motor& motor, const QString& sql);
// The value of the first column of the first row.
QVariant unValor(ado::Motor& motor, const QString& sql);
// The records of the FallaMotor the call throws (empty when it throws none).
QVector<ado::ErrorAdo> errores(const std::function<void()>& llamada);

} // namespace dalvo::prueba
