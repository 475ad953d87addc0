#pragma once

struct sqlite3;

namespace dalvo::embebido {

// Name of the collation that text columns of the demo database declare: letter case and trailing blanks
// do not count, for accented letters too, as in SQL Server's case-insensitive collations.
inline constexpr const char* kColacion = "CI_AS";

// Registers the collation and the functions the T-SQL dialect relies on. Every connection to a demo
// database (the engine's and the generator's) must call it before touching the tables.
void registrarExtensiones(sqlite3* db);

// The collation's comparison, for tests and for code that sorts outside SQLite.
int compararCI(const char* a, int largoA, const char* b, int largoB);

} // namespace dalvo::embebido
