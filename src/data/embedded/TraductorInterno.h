#pragma once

// Pieces shared by the translator's source files.

#include "data/embedded/Traductor.h"

namespace dalvo::embebido {

// A table or derived table of a FROM clause, as its columns are reached.
struct FuenteLigada
{
    QString expuesto; // alias, or the table name
    bool tieneAlias = false;
    QString nombreTabla;
    QString sqlRef; // qualifier of its columns in the SQLite text
    const TablaEsquema* tabla = nullptr;
    std::vector<ColumnaEsquema> propias; // a derived table's columns

    const std::vector<ColumnaEsquema>& columnas() const { return tabla ? tabla->columnas : propias; }
    int buscar(QStringView nombre) const;
};

struct Traductor::Ambito
{
    std::vector<FuenteLigada> fuentes;
    Ambito* padre = nullptr;
    bool agrupado = false;     // GROUP BY, HAVING or an aggregate in the select list
    int enAgregado = 0;        // inside an aggregate's argument
    bool sinAgregados = false; // WHERE, ON: no aggregate may appear
    // Columns referred to outside aggregates by the select item being translated: (SQLite text, name).
    std::vector<std::pair<QString, QString>>* sueltas = nullptr;
};

struct Traductor::SelectTraducido
{
    QString sql;
    QString cabeza; // "SELECT [DISTINCT] " (simple selects only)
    QString cola;   // from FROM on
    std::vector<Expr> items;
    QStringList nombres;
};

// Makes a scope the current one for its lifetime.
class EntrarAmbito
{
public:
    EntrarAmbito(Traductor::Ambito*& actual, Traductor::Ambito* nuevo) : mActual(actual), mAnterior(actual)
    {
        mActual = nuevo;
    }
    ~EntrarAmbito() { mActual = mAnterior; }
    EntrarAmbito(const EntrarAmbito&) = delete;
    EntrarAmbito& operator=(const EntrarAmbito&) = delete;

private:
    Traductor::Ambito*& mActual;
    Traductor::Ambito* mAnterior;
};

// True when the select list holds an aggregate of this query (subqueries not counted).
bool tieneAgregado(const Nodo& n);

// Is the source the one a qualifier (T, Tickets, dbo.Tickets) names?
bool califica(const FuenteLigada& f, const QStringList& partes);

// 8117: an operand type an operator does not take.
[[noreturn]] void operandoInvalido(const TipoSql& t, const QString& operador);

} // namespace dalvo::embebido
