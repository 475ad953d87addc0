#pragma once

#include "data/embedded/Sesion.h"

namespace dalvo::embebido {

// An argument of a procedure call, already evaluated.
struct ArgumentoLlamada
{
    QString nombre;          // @name = value; empty when positional
    bool porDefecto = false; // DEFAULT, or a parameter the caller left out
    ValorSql valor;
    TipoSql tipo;
    bool salida = false;
    ValorSql devuelto; // the OUTPUT parameter's value after the call
    TipoSql tipoDevuelto;
};

// Runs the statements of a batch or procedure: SELECT (a result set each), INSERT/UPDATE/DELETE, DECLARE,
// SET, SELECT @v = ..., IF/ELSE, WHILE, BEGIN...END, RETURN, EXEC, PRINT, RAISERROR, transactions, USE.
class Ejecucion
{
public:
    Ejecucion(Sesion& sesion, Programa& programa, ado::Lote* lote);

    void correr();

    QHash<QString, ValorSql> valores;                  // lower-case name with @
    const std::vector<ValorSql>* parametros = nullptr; // the values of a shared batch's literals
    int retorno = 0;
    ValorSql valorFuncion;
    qint64 filas = 0;

    // A value stored into a variable of type destino: converted, char(n) padded to n.
    ValorSql paraVariable(const ValorSql& v, const TipoSql& origen, const TipoSql& destino) const;

private:
    enum class Flujo
    {
        Sigue,
        Rompe,
        Continua,
        Devuelve,
    };
    Flujo bloque(const std::vector<PSentencia>& sentencias);
    Flujo sentencia(const Sentencia& s);
    Flujo ejecutarSentencia(const Sentencia& s);
    void resultado(const Sentencia& s);
    void asignacion(const Sentencia& s);
    void modificacion(const Sentencia& s);
    void exec(const Sentencia& s);
    void setOpcion(const Sentencia& s);
    void raiserror(const Sentencia& s);
    ValorSql evaluar(const Nodo& n, const void* clave, TipoSql* tipo, const TipoSql* destino = nullptr);
    bool condicion(const Nodo& n);
    void enlazar(Preparada& p);
    int paso(Preparada& p);

    Sesion& mSesion;
    Programa& mPrograma;
    ado::Lote* mLote;
};

// Builds a program's variable table (parameters and every DECLARE, as T-SQL scopes them: from the
// declaration to the end of the body).
void prepararPrograma(Programa& p);

// Calls a stored procedure: arguments matched to parameters by position, then by name (any case);
// defaults for the missing ones (201 when there is none); result sets appended to lote; OUTPUT values and
// the RETURN value handed back.
int invocar(Sesion& sesion, Programa& procedimiento, std::vector<ArgumentoLlamada>& argumentos,
            ado::Lote& lote);

// Calls a scalar function with arguments already of its parameters' types.
ValorSql invocarFuncion(Sesion& sesion, Programa& funcion, const std::vector<ValorSql>& argumentos);

// A cell as the program receives it (Motor.h).
QVariant leerCelda(sqlite3_stmt* s, int columna, const TipoSql& tipo);

} // namespace dalvo::embebido
