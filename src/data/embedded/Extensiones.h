#pragma once

#include <QDateTime>
#include <QString>

struct sqlite3;

namespace dalvo::embebido {

enum class OrdenFecha : unsigned char;

// Name of the collation that text columns of the demo database declare: letter case and trailing blanks
// do not count, for accented letters too, as in SQL Server's case-insensitive collations.
inline constexpr const char* kColacion = "CI_AS";

// Registers the collation and the functions the T-SQL dialect relies on (LIKE with SQL Server's rules
// among them). Every connection to a demo database (the engine's and the generator's) must call it before
// touching the tables. orden, when given, is the session's DATEFORMAT, read at each conversion.
void registrarExtensiones(sqlite3* db, const OrdenFecha* orden = nullptr);

// Only the collation (enough to create or read the tables).
void registrarColacion(sqlite3* db);

// The collation's comparison, for tests and for code that sorts outside SQLite.
int compararCI(const char* a, int largoA, const char* b, int largoB);

// LIKE as a case-insensitive, accent-sensitive SQL Server collation matches: % _ [abc] [a-z] [^a], the
// value's trailing blanks ignored, escape (when not null) quoting the next pattern character.
bool coincideLike(QStringView valor, QStringView patron, QChar escape = QChar());

// How the demo stores a datetime: "yyyy-mm-dd hh:mm:ss" (whole seconds; ".mmm" is added only for
// milliseconds). The generator writes dates so, the engine reads them so.
QString textoFechaHora(const QDateTime& momento);

// sysobjects.id of a table, the same in every session: object_id('name') gives it too.
qint32 idObjeto(QStringView nombre);

} // namespace dalvo::embebido
