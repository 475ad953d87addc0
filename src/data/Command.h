#pragma once

#include "data/Motor.h"

#include <QString>
#include <QVariant>
#include <deque>
#include <memory>

namespace dalvo::ado {

class Connection;
class Recordset;

enum TipoComando : int
{
    adCmdText = 1,
    adCmdStoredProc = 4,
};

struct Parameter
{
    QString Name; // with or without "@"
    int Type = adInteger;
    Direccion Direction = Direccion::Entrada;
    int Size = 0; // characters for text types
    QVariant Value;
    int Precision = 0;
    int NumericScale = 0;
};

// Parameters in the order they were appended; found by name without regard to letter case or a leading
// "@" (pIdPrestador finds pIDPrestador). A name or position that is not there raises ADO's error 3265.
class ParameterCollection
{
public:
    void Append(Parameter parametro);
    int Count() const { return int(mLista.size()); }
    Parameter& Item(int indice);
    Parameter& Item(const QString& nombre);
    const Parameter& Item(int indice) const;
    const Parameter& Item(const QString& nombre) const;
    void Clear() { mLista.clear(); }

private:
    friend class Command;
    int buscar(const QString& nombre) const;
    std::deque<Parameter> mLista; // references stay valid while more are appended
};

// A stored procedure call with typed parameters (or, with adCmdText, a plain statement). Execute fills
// the output parameters (and a parameter of direction Retorno with the procedure's RETURN value) and
// returns the first result set, or a closed recordset when the call returned none.
class Command
{
public:
    std::shared_ptr<Connection> ActiveConnection;
    QString CommandText;
    int CommandType = adCmdText;
    int CommandTimeout = -1; // seconds; -1 takes the connection's CommandTimeout

    static Parameter CreateParameter(const QString& name, int type, Direccion direction, int size = 0,
                                     const QVariant& value = {});

    ParameterCollection& Parameters() { return mParametros; }
    const ParameterCollection& Parameters() const { return mParametros; }
    Parameter& Parameters(const QString& nombre) { return mParametros.Item(nombre); }
    Parameter& Parameters(int indice) { return mParametros.Item(indice); }

    std::unique_ptr<Recordset> Execute();

    // How the trace shows the call: EXEC name 25, 'texto', NULL, @oError OUTPUT
    QString textoLlamada() const;

private:
    ParameterCollection mParametros;
};

} // namespace dalvo::ado
