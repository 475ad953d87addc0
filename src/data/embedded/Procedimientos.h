#pragma once

#include "data/embedded/Arbol.h"

#include <QString>

struct sqlite3;

namespace dalvo::embebido {

// The demo database keeps its stored procedures and functions as T-SQL texts in this table:
//   dalvo_procedimientos(nombre TEXT PRIMARY KEY COLLATE CI_AS, texto TEXT NOT NULL)
// It is internal: no statement can read it and the catalogue does not list it.
inline constexpr const char* kTablaProcedimientos = "dalvo_procedimientos";

// Creates the table when missing and stores (or replaces) one procedure or function. The text is read
// first: a text with errors, or one whose CREATE names another object, is refused with a FallaMotor
// (number 30901) that names the procedure, so the generator stops at the faulty file.
void instalarProcedimiento(sqlite3* db, const QString& nombre, const QString& texto);

// Reads a stored text (CREATE PROCEDURE ... AS ... / CREATE FUNCTION ... RETURNS ... AS ...). Errors name
// the procedure.
Definicion leerDefinicion(const QString& nombre, const QString& texto);

// The stored text of a procedure or function (looked up without regard to case), or a null QString.
QString textoProcedimiento(sqlite3* db, const QString& nombre);

} // namespace dalvo::embebido
