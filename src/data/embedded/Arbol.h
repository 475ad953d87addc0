#pragma once

// The syntax tree of the T-SQL the demo server reads: expressions, SELECT, the data statements and the
// few control statements of batches and stored procedures.

#include "data/embedded/TipoSql.h"
#include "data/embedded/Valor.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace dalvo::embebido {

struct Select;

enum class ClaseNodo : unsigned char
{
    Literal,     // valor, tipo
    Columna,     // partes: [qualifier...,] name
    Variable,    // texto: @name
    Global,      // texto: @@name
    Funcion,     // texto: name as written, partes: schema parts, hijos: arguments, distinto, estrella
    Convertir,   // tipo: target; hijos[0] = value, hijos[1] = style (optional); texto: "CAST" or "CONVERT"
    Unario,      // texto: - + ~
    Binario,     // texto: + - * / % & | ^
    Comparacion, // texto: = <> < > <= >= (normalised)
    Y,
    O,
    No,
    Entre,       // hijos: value, low, high; negado
    En,          // hijos: value, list...; or sub; negado
    Como,        // hijos: value, pattern[, escape]; negado
    EsNulo,      // hijos[0]; negado
    Existe,      // sub
    Subconsulta, // sub (a scalar)
    Caso,        // hijos: [base], when, then, when, then..., [else]; tieneBase, tieneElse
    ParteFecha,  // texto: a DATEADD/DATEDIFF/DATEPART part name
};

struct Nodo;
using PNodo = std::unique_ptr<Nodo>;

struct Nodo
{
    ClaseNodo clase = ClaseNodo::Literal;
    QString texto;
    QStringList partes;
    ValorSql valor;
    TipoSql tipo;
    std::vector<PNodo> hijos;
    std::unique_ptr<Select> sub;
    bool negado = false;
    bool distinto = false;
    bool estrella = false;
    bool tieneBase = false;
    bool tieneElse = false;
    int inicio = 0; // source span, for messages
    int fin = 0;
    int parametro = 0; // a literal standing for parameter n of a shared statement (0: a constant)
};

struct ItemSelect
{
    PNodo expr;           // null for * and T.*
    QStringList estrella; // the qualifier of T.* (empty list with expr null = *)
    QString alias;
    bool conAlias = false;
    QString variable; // SELECT @v = expr
};

struct Fuente
{
    QStringList nombre; // parts as written: [database, schema,] table
    QString alias;
    std::unique_ptr<Select> sub; // a derived table
    int inicio = 0;
};

enum class TipoJoin : unsigned char
{
    Primera,
    Coma,
    Interna,
    Izquierda,
    Derecha,
    Completa,
    Cruzada,
};

struct Union
{
    TipoJoin tipo = TipoJoin::Primera;
    Fuente fuente;
    PNodo on;
};

struct Orden
{
    PNodo expr;
    bool descendente = false;
};

struct Select
{
    bool distinto = false;
    PNodo top;
    std::vector<ItemSelect> items;
    std::vector<Union> desde;
    PNodo where;
    std::vector<PNodo> agrupar;
    PNodo having;
    std::vector<Orden> orden;
    struct Compuesto
    {
        QString operador; // UNION, UNION ALL, EXCEPT, INTERSECT
        std::unique_ptr<Select> select;
    };
    std::vector<Compuesto> compuestos;
};

enum class ClaseSentencia : unsigned char
{
    Select,
    Insert,
    Update,
    Delete,
    Exec,
    Declare,
    SetVariable,
    SetOpcion,
    If,
    While,
    Bloque,
    Return,
    Print,
    Raiserror,
    Transaccion, // texto: BEGIN, COMMIT or ROLLBACK
    Use,
    Break,
    Continue,
};

struct Sentencia;
using PSentencia = std::unique_ptr<Sentencia>;

struct Argumento
{
    QString nombre; // @name = value (empty: positional)
    PNodo valor;    // null: DEFAULT
    bool salida = false;
};

struct Declaracion
{
    QString nombre;
    TipoSql tipo;
    PNodo inicial;
};

struct Asignacion
{
    QString destino; // column or @variable
    PNodo expr;
};

struct Sentencia
{
    ClaseSentencia clase = ClaseSentencia::Select;
    int linea = 1;
    int inicio = 0;
    int fin = 0;
    QString texto; // option name (SET), transaction verb, database (USE)

    std::unique_ptr<Select> select; // SELECT; INSERT ... SELECT

    // INSERT / UPDATE / DELETE
    Fuente tabla;
    QStringList columnas;
    std::vector<std::vector<PNodo>> filas;
    bool valoresPorDefecto = false;
    std::vector<Asignacion> asignaciones; // UPDATE SET; SET @v = expr (one)
    std::vector<Union> desde;
    PNodo where;

    // EXEC
    QStringList procedimiento;
    std::vector<Argumento> argumentos;
    QString variableRetorno;

    std::vector<Declaracion> declaraciones;

    // IF / WHILE / blocks / RETURN / PRINT / RAISERROR
    PNodo condicion;
    std::vector<PSentencia> cuerpo;
    std::vector<PSentencia> sino;
    std::vector<PNodo> expresiones;
};

struct Parametro
{
    QString nombre; // with @
    TipoSql tipo;
    bool salida = false;
    bool conDefecto = false;
    ValorSql defecto;
    TipoSql tipoDefecto;
};

// A stored procedure or scalar function as stored in the procedures table.
struct Definicion
{
    bool esFuncion = false;
    QString nombre;
    std::vector<Parametro> parametros;
    TipoSql retorno;
    std::vector<PSentencia> cuerpo;
};

} // namespace dalvo::embebido
