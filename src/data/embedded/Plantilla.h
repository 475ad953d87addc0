#pragma once

#include "data/embedded/Lexico.h"
#include "data/embedded/Valor.h"

#include <vector>

namespace dalvo::embebido {

// The program sends the same statements again and again with other values in their conditions (a ticket
// number, a name, a date range). Literals in value positions (the right side of a comparison, a LIKE
// pattern, BETWEEN bounds) become parameters: statements that differ only there share one translation and
// one prepared statement. The key keeps everything else, and the shape of each parameter (text, whole
// number, decimal scale, LIKE pattern with or without a fixed prefix), which is what a translation depends
// on.
struct Plantilla
{
    QString clave;
    std::vector<int> marcas;       // per token: 0, or the parameter's number (1-based)
    std::vector<ValorSql> valores; // parameter k is valores[k - 1]
};

Plantilla armarPlantilla(const QString& sql, const std::vector<Token>& tokens);

// The SQLite parameter name of parameter k, and back.
QByteArray nombreParametro(int k);
int numeroParametro(const QByteArray& nombre); // 0 when the name is not one

} // namespace dalvo::embebido
