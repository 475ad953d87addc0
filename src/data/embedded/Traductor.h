#pragma once

#include "data/Motor.h"
#include "data/embedded/Arbol.h"
#include "data/embedded/Esquema.h"

#include <QByteArray>
#include <functional>

namespace dalvo::embebido {

// One statement turned into SQLite's dialect, with the SQL Server description of what it returns.
struct Compilada
{
    QByteArray sql;
    std::vector<TipoSql> tipos;     // one per result column (empty: no result set)
    QVector<ado::Columna> columnas; // what the program sees
};

// What the translation of a statement depends on besides its text.
struct EntornoTraduccion
{
    const Esquema* esquema = nullptr;
    bool enMaster = false;
    QString baseDatos;
    QString usuario;
    QString version; // @@VERSION
    OrdenFecha orden = OrdenFecha::mdy;
    // The declared type of a variable (name with @, any case), or null when it is not declared.
    std::function<const TipoSql*(const QString&)> tipoVariable;
    // A user function of the procedures table, or null.
    std::function<const Definicion*(const QString&)> funcion;
};

// Binds names to the schema, types every expression as SQL Server would and writes SQLite SQL:
//  - columns resolved through their aliases, with 207/208/209/4104 for what does not resolve;
//  - CONVERT/CAST, ISNULL, RIGHT ... written with SQLite functions or the engine's dalvo_* functions;
//  - '+' between texts written as ||; literals converted to the type they are compared with;
//  - comparisons of texts without regard to case (collation CI_AS), LIKE with SQL Server's rules;
//  - TOP n as LIMIT, hints and dbo./Master.. prefixes dropped.
// Variables become SQLite parameters named @lowercase; @@ROWCOUNT is @__filas, @@TRANCOUNT @__trancount.
class Traductor
{
public:
    explicit Traductor(const EntornoTraduccion& entorno);
    ~Traductor();

    Compilada select(const Select& s);
    // SELECT @a = x, @b = y FROM ...: the values in order; tipos holds each item's type.
    Compilada asignaciones(const Select& s);
    Compilada insert(const Sentencia& s);
    Compilada update(const Sentencia& s);
    Compilada borrar(const Sentencia& s);
    // SELECT <expression>, optionally converted to a type (SET @v = ..., RETURN ..., arguments).
    Compilada expresion(const Nodo& n, const TipoSql* destino = nullptr);
    // SELECT CASE WHEN <condition> THEN 1 ELSE 0 END (IF, WHILE).
    Compilada condicion(const Nodo& n);

    struct Ambito;
    struct Expr;
    struct SelectTraducido;

private:
    // Traductor.cpp: SELECT, FROM, scopes, INSERT/UPDATE/DELETE
    SelectTraducido traducirSelect(const Select& s, Ambito* padre, bool unicoEscalar);
    SelectTraducido selectSimple(const Select& s, Ambito* padre, bool unicoEscalar,
                                 const std::vector<Orden>* orden);
    QString traducirDesde(const std::vector<Union>& desde, Ambito& amb, QString* condiciones = nullptr,
                          int omitir = -1);
    int buscarDestino(const Sentencia& s) const;
    void ligarFuente(const Fuente& f, Ambito& amb, QString& sql);
    const TablaEsquema& resolverTabla(const QStringList& nombre, bool paraModificar);
    QString ordenar(const std::vector<Orden>& orden, const SelectTraducido& st, Ambito* amb);
    Compilada resultado(const SelectTraducido& st);
    Expr valorParaColumna(Expr e, const ColumnaEsquema& c);

    // TraductorExpresiones.cpp
public:
    Expr traducir(const Nodo& n);

private:
    Expr columna(const Nodo& n);
    Expr variable(const Nodo& n);
    Expr global(const Nodo& n);
    Expr binario(const Nodo& n);
    Expr comparar(Expr a, Expr b, const QString& op);
    Expr entre(const Nodo& n);
    Expr en(const Nodo& n);
    Expr como(const Nodo& n);
    Expr caso(const Nodo& n);
    Expr subconsulta(const Nodo& n);
    void unificar(Expr& a, Expr& b);
    QString conColacion(const Expr& a, const Expr& b) const;

    // TraductorFunciones.cpp
    Expr funcion(const Nodo& n);
    Expr agregado(const Nodo& n, const QString& nombre);
    Expr funcionUsuario(const Nodo& n);
    Expr convertirExplicito(const Nodo& n);
    int parteFecha(const Nodo& n);

public:
    Expr aTipo(Expr e, const TipoSql& destino, int estilo = -1);
    static Expr literal(const ValorSql& v, const TipoSql& tipo);
    static QString citar(const QString& identificador);
    static QString cadena(const QString& texto);

private:
    const EntornoTraduccion& mEntorno;
    Ambito* mAmbito = nullptr;
};

struct Traductor::Expr
{
    QString sql;
    TipoSql tipo;
    bool ci = false;      // a column compared without regard to case
    bool columna = false; // a plain column reference
    bool constante = false;
    bool predicado = false; // a condition, not a value
    ValorSql valor;
    QString nombre; // the column name SQL Server gives it (a column's name; empty for expressions)
};

} // namespace dalvo::embebido
