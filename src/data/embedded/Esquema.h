#pragma once

#include "data/embedded/TipoSql.h"

#include <QHash>
#include <QString>
#include <vector>

struct sqlite3;

namespace dalvo::embebido {

// The transaction database's name; a session without a database is in master.
inline constexpr const char* kBaseDemo = "dalvoPralMendoza";

struct ColumnaEsquema
{
    QString nombre;
    TipoSql tipo;
    bool ci = false; // compared without regard to case (collation CI_AS)
    bool noNulo = false;
    bool identidad = false; // INTEGER PRIMARY KEY: numbered by the engine, left out of INSERT lists
};

struct TablaEsquema
{
    QString nombre; // as declared
    QString sql;    // how a translated statement names it
    std::vector<ColumnaEsquema> columnas;
    bool catalogo = false;
    bool vista = false;

    int columna(QStringView nombreColumna) const; // -1 when missing
};

// The tables of the transaction database with their SQL Server types, read once from SQLite's own schema
// and read again only when the schema version changes; plus the server catalogue (sysobjects, syscolumns,
// systypes), which lives in TEMP views of every session.
class Esquema
{
public:
    void cargar(sqlite3* db);
    const TablaEsquema* tabla(QStringView nombre) const;
    static const TablaEsquema* catalogo(QStringView nombre, bool master);
    const QHash<QString, TablaEsquema>& tablas() const { return mTablas; }

    // The catalogue views of a session (TEMP: they vanish with the connection).
    static void crearVistasCatalogo(sqlite3* db);

    // Tables of the engine itself: never listed, never reachable by a statement.
    static bool esInterna(QStringView nombre);

private:
    QHash<QString, TablaEsquema> mTablas;
};

} // namespace dalvo::embebido
