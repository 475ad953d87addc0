#include "data/embedded/Procedimientos.h"

#include "data/embedded/Analizador.h"
#include "data/embedded/Errores.h"
#include "data/embedded/Extensiones.h"

#include <QSet>
#include <sqlite3.h>

namespace dalvo::embebido {

namespace {

[[noreturn]] void definicionInvalida(const QString& nombre, const QString& detalle)
{
    lanzar(num::DefinicionInvalida, QStringLiteral("42000"),
           QStringLiteral("El procedimiento %1 no se puede leer: %2").arg(nombre, detalle));
}

void ejecutar(sqlite3* db, const char* sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString texto = QString::fromUtf8(error ? error : "");
        sqlite3_free(error);
        lanzar(num::ErrorInterno, QStringLiteral("HY000"), texto);
    }
}

// A variable declared twice in one body is an error in SQL Server (134); so is a parameter declared again.
void revisarDeclaraciones(const std::vector<PSentencia>& cuerpo, QSet<QString>& vistas)
{
    for (const PSentencia& s : cuerpo) {
        for (const Declaracion& d : s->declaraciones) {
            const QString clave = d.nombre.toLower();
            if (vistas.contains(clave))
                lanzar(num::VariableRepetida, QStringLiteral("42000"),
                       QStringLiteral(
                           "El nombre de variable '%1' ya se ha declarado. Los nombres de variable deben "
                           "ser únicos en un lote de consultas o procedimiento almacenado.")
                           .arg(d.nombre));
            vistas.insert(clave);
        }
        revisarDeclaraciones(s->cuerpo, vistas);
        revisarDeclaraciones(s->sino, vistas);
    }
}

} // namespace

Definicion leerDefinicion(const QString& nombre, const QString& texto)
{
    try {
        Analizador a(texto);
        Definicion d = a.definicion();
        QSet<QString> vistas;
        for (const Parametro& p : d.parametros) {
            if (vistas.contains(p.nombre.toLower()))
                lanzar(num::VariableRepetida, QStringLiteral("42000"),
                       QStringLiteral("El nombre de variable '%1' ya se ha declarado.").arg(p.nombre));
            vistas.insert(p.nombre.toLower());
        }
        revisarDeclaraciones(d.cuerpo, vistas);
        return d;
    } catch (const ado::FallaMotor& f) {
        const ado::ErrorAdo e = f.errores().value(0);
        // "42000 Sintaxis incorrecta..." -> keep the server's text after the SQLSTATE.
        definicionInvalida(nombre, e.Description.mid(e.SQLState.size() + 1));
    }
}

void instalarProcedimiento(sqlite3* db, const QString& nombreDado, const QString& texto)
{
    // "dbo.getValorNomenclador" and "getValorNomenclador" name the same object.
    const QString nombre = nombreDado.section(QLatin1Char('.'), -1);
    const Definicion d = leerDefinicion(nombre, texto);
    if (d.nombre.compare(nombre, Qt::CaseInsensitive) != 0)
        definicionInvalida(nombre, QStringLiteral("el texto crea '%1'.").arg(d.nombre));
    registrarColacion(db);
    ejecutar(db, "CREATE TABLE IF NOT EXISTS dalvo_procedimientos("
                 "nombre TEXT PRIMARY KEY COLLATE CI_AS, texto TEXT NOT NULL)");
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "INSERT OR REPLACE INTO dalvo_procedimientos(nombre, texto) VALUES(?, ?)", -1,
                           &s, nullptr) != SQLITE_OK)
        lanzar(num::ErrorInterno, QStringLiteral("HY000"), QString::fromUtf8(sqlite3_errmsg(db)));
    const QByteArray n = nombre.toUtf8();
    const QByteArray t = texto.toUtf8();
    sqlite3_bind_text(s, 1, n.constData(), int(n.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(s, 2, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(s);
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE)
        lanzar(num::ErrorInterno, QStringLiteral("HY000"), QString::fromUtf8(sqlite3_errmsg(db)));
}

QString textoProcedimiento(sqlite3* db, const QString& nombre)
{
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT texto FROM main.dalvo_procedimientos WHERE nombre = ?", -1, &s,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(s);
        return QString(); // no procedures table: nothing is stored
    }
    const QByteArray n = nombre.toUtf8();
    sqlite3_bind_text(s, 1, n.constData(), int(n.size()), SQLITE_TRANSIENT);
    QString texto;
    if (sqlite3_step(s) == SQLITE_ROW)
        texto = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)),
                                  sqlite3_column_bytes(s, 0));
    sqlite3_finalize(s);
    return texto;
}

} // namespace dalvo::embebido
