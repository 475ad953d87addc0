#pragma once

#include "data/embedded/TipoSql.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

struct sqlite3_value;
struct sqlite3_context;
struct sqlite3_stmt;

namespace dalvo::embebido {

// A value as SQLite holds it. How it reads depends on the SQL Server type that goes with it: a datetime is
// text in the storage format, a bit or an int is an integer, money and numeric are reals.
struct ValorSql
{
    enum Clase : unsigned char
    {
        Nulo,
        Entero,
        Real,
        Texto,
    };
    Clase clase = Nulo;
    qint64 entero = 0;
    double real = 0;
    QString texto;

    static ValorSql deEntero(qint64 v);
    static ValorSql deReal(double v);
    static ValorSql deTexto(QString v);
    bool esNulo() const { return clase == Nulo; }
    double comoReal() const;

    static ValorSql leer(sqlite3_value* v);
    static ValorSql leerColumna(sqlite3_stmt* s, int columna);
    void devolver(sqlite3_context* c) const;
    int enlazar(sqlite3_stmt* s, int indice) const;
};

// How a date without a four-digit year in front is read (SET DATEFORMAT).
enum class OrdenFecha : unsigned char
{
    mdy,
    dmy,
    ymd,
};

// A datetime with SQL Server's range (1753-9999) and millisecond precision.
struct FechaHora
{
    int anio = 1900, mes = 1, dia = 1, hora = 0, minuto = 0, segundo = 0, milis = 0;

    // The demo's storage format: "yyyy-mm-dd hh:mm:ss", with ".mmm" only when there are milliseconds.
    QString almacenada() const;
    QDateTime comoQDateTime() const;
    static FechaHora desde(const QDateTime& d);
    qint64 milisDesde1900() const;
    static FechaHora desdeMilis1900(qint64 milis);
};

// Reads the storage format fast; nothing when the text is not in it.
std::optional<FechaHora> leerAlmacenada(const char* utf8, int largo);

// Reads a date text as SQL Server does (month first under mdy, yyyymmdd, ISO 8601, month names, "" =
// 01/01/1900, an optional time with AM/PM). Throws 241 for a text that is no date and 242 for a date out
// of range. estilo: 0 = the session's order, 101/1 month first, 103/3 day first, 112/12 ymd...
FechaHora leerFecha(QStringView texto, OrdenFecha orden, int estilo = 0);

// CONVERT(varchar, datetime, estilo). Throws 281 for a style SQL Server does not have.
QString formatearFecha(const FechaHora& f, int estilo);

// CONVERT(destino, valor of type origen [, estilo]) with SQL Server's rules and errors (245, 8114, 235,
// 241, 242, 8115, 220). Text results are not padded (char(n) is padded where the value leaves the server).
ValorSql convertir(const ValorSql& v, const TipoSql& origen, const TipoSql& destino, int estilo = -1,
                   OrdenFecha orden = OrdenFecha::mdy);

// The value the program receives (Motor.h): char(n) padded, datetime as QDateTime, money as double...
QVariant aVariant(const ValorSql& v, const TipoSql& tipo);
// The other way, for parameters handed in by the caller.
ValorSql desdeVariant(const QVariant& v);
// The SQL Server type a value of a caller's parameter has before it is converted.
TipoSql tipoDeVariant(const QVariant& v);

} // namespace dalvo::embebido
