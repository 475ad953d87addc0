#pragma once

// What every benchmark shares: the clock, medians, the table rows, the raw SQLite floor, the demo server
// opened directly (translations and plans), and the process's peak memory.

#include "data/embedded/MotorEmbebido.h"

#include <QDate>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

struct sqlite3;

namespace dalvo::banco {

// Options of one bench run.
struct Opciones
{
    QString base;       // the bench database
    QDate hoy;          // the day the database was generated for
    int veces = 5;      // runs per case; the median is reported
    QString ejecutable; // this program, for the runs in a process of their own
};

double mediana(QVector<double> valores);

// Milliseconds one call takes.
double medir(const std::function<void()>& accion);

// Runs the measured action and its floor one after the other, `veces` times, and gives both medians: the
// machine's noise then hits both alike.
struct Par
{
    double ms = 0;
    double pisoMs = 0;
    double razon() const { return pisoMs > 0 ? ms / pisoMs : 0; }
};
// preparar (untimed, may be empty) runs before each timed call.
Par medirPar(int veces, const std::function<void()>& medido, const std::function<void()>& piso,
             const std::function<void()>& preparar = {});

// One line of the table: the measured figure, its floor and their ratio; meta and cumple say the target
// ("<= 1.5", "< 150 MB") and whether it holds ("sí", "no"), both "-" when the line is for information.
struct Fila
{
    QString grupo;
    QString caso;
    QString filas;
    QString medido;
    QString piso;
    double razon = 0;
    QString meta = QStringLiteral("-");
    QString cumple = QStringLiteral("-");
    QString nota;
};
void imprimir(const Fila& fila); // one tab-separated line that bench/run.sh turns into the table

// A line of milliseconds against a floor; limite <= 0: no target.
Fila filaRazon(const QString& grupo, const QString& caso, const QString& filas, const Par& par, double limite,
               const QString& nota = {});
QString ms(double milisegundos);

// The floor of a statement: the demo server's own SQLite translation, run with the SQLite C API on a
// connection of its own (prepared each time, every value bound as the server binds it, every row and
// column fetched as text).
class PisoSqlite
{
public:
    explicit PisoSqlite(const QString& base);
    ~PisoSqlite();
    PisoSqlite(const PisoSqlite&) = delete;
    PisoSqlite& operator=(const PisoSqlite&) = delete;

    struct Sentencia
    {
        QByteArray sql;
        QVector<QByteArray> texto; // per parameter number - 1: the value as bound (text)
        QVector<int> clase;        // 0 null, 1 integer, 2 real, 3 text
    };
    // Translation (untimed) of one T-SQL statement through the demo server.
    Sentencia preparar(embebido::MotorEmbebido& motor, const QString& tsql) const;
    // Runs it; returns the rows fetched.
    qint64 correr(const Sentencia& s) const;

private:
    sqlite3* mDb = nullptr;
};

// A session with the demo server on the bench database, logged in to the transaction database.
void abrirMotor(embebido::MotorEmbebido& motor, const QString& base);

// The process's peak resident memory (VmHWM) in kB; 0 when unknown.
qint64 memoriaPicoKb();

// Dates as the operator types them.
QString fechaOperador(QDate dia);

} // namespace dalvo::banco
