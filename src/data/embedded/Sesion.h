#pragma once

#include "data/Motor.h"
#include "data/embedded/Arbol.h"
#include "data/embedded/Esquema.h"
#include "data/embedded/Traductor.h"

#include <QElapsedTimer>
#include <QHash>
#include <functional>
#include <memory>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace dalvo::embebido {

// A statement translated and prepared once, run many times.
struct Preparada
{
    Compilada c;
    sqlite3_stmt* stmt = nullptr;
    std::vector<QByteArray> parametros; // SQLite parameter names (@name), by index - 1
    bool enUso = false;
    ~Preparada();
};

// A batch or a stored procedure/function, read once, with its statements prepared as they first run.
struct Programa
{
    QString nombre; // empty for a batch
    QString texto;
    Definicion def;
    QHash<QString, TipoSql> tipos; // every variable and parameter (lower-case name with @)
    std::unordered_map<const void*, std::unique_ptr<Preparada>> preparadas;
    quint64 sello = 0; // the session context the preparations belong to
};

// One open connection to a demo database: the SQLite handle, the schema as SQL Server types it, the
// translated statements, the session options and the current database.
class Sesion
{
public:
    Sesion(sqlite3* db, QString usuario, bool enMaster);
    ~Sesion();
    Sesion(const Sesion&) = delete;
    Sesion& operator=(const Sesion&) = delete;

    ado::Lote ejecutar(const QString& sql, int segundosEspera);
    ado::Lote llamar(const QString& procedimiento, QVector<ado::ParametroMotor>& parametros,
                     int segundosEspera);

    // The SQLite text of each SELECT/INSERT/UPDATE/DELETE of a batch, and SQLite's plan for each.
    QStringList traducir(const QString& sql);
    QStringList plan(const QString& sql);

    const QString& baseDatos() const { return mBaseDatos; }
    bool enMaster() const { return mEnMaster; }
    void usar(const QString& base);
    void fijarOrdenFecha(OrdenFecha orden);
    OrdenFecha ordenFecha() const { return mOrden; }
    const QString& usuario() const { return mUsuario; }

    // For the interpreter.
    sqlite3* db() const { return mDb; }
    Preparada& preparar(Programa& p, const void* clave, const std::function<Compilada(Traductor&)>& traducir);
    // verificar: read the stored text again (a procedure may have been installed since); without it a
    // procedure already read is reused, as the functions called on every row need.
    std::shared_ptr<Programa> procedimiento(const QString& nombre, bool verificar = true);
    // The statement of an sp_executesql call, with its declared parameters ("@P1 int, @P2 char(8) OUTPUT").
    std::shared_ptr<Programa> programaDinamico(const QString& texto, const QString& declaraciones);
    bool vencido() const;
    [[noreturn]] void fallaSqlite(int rc);
    int& nivelTransaccion() { return mNivelTransaccion; }
    int& profundidad() { return mProfundidad; }
    void transaccion(const char* sql);

private:
    void comenzar(int segundosEspera);
    void terminar(const ado::FallaMotor* falla);
    void revisarEsquema();
    EntornoTraduccion entorno(Programa& p);

    sqlite3* mDb;
    QString mUsuario;
    bool mEnMaster;
    QString mBaseDatos;
    OrdenFecha mOrden = OrdenFecha::mdy;
    Esquema mEsquema;
    int mVersionEsquema = -1;
    quint64 mSello = 1;
    QHash<QString, std::shared_ptr<Programa>> mLotes;
    QHash<QString, std::shared_ptr<Programa>> mProcedimientos;
    int mNivelTransaccion = 0;
    int mProfundidad = 0;
    QElapsedTimer mReloj;
    qint64 mLimite = -1; // ms on mReloj; -1 = no limit
    sqlite3_stmt* mVersionStmt = nullptr;
};

} // namespace dalvo::embebido
