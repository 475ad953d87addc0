#pragma once

// A thin layer over the SQLite C API for the generator: every failure becomes a dalvo::Falla, statements are
// prepared once and bound by position.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace dalvo::demo {

class Conexion
{
public:
    // Opens (or creates) the file, registers the engine's collation and functions.
    Conexion(const QString& ruta, bool soloLectura);
    ~Conexion();
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;

    sqlite3* db() const { return mDb; }
    void ejecutar(const char* sql);
    void ejecutar(const QString& sql) { ejecutar(sql.toUtf8().constData()); }
    // First column of the first row as an integer (0 when there is no row).
    qint64 entero(const QString& sql);
    // First column of the first row as text (empty when there is no row or it is null).
    QString texto(const QString& sql);
    void cerrar();

    [[noreturn]] void fallar(const QString& que) const;

private:
    sqlite3* mDb = nullptr;
};

// The placeholder for a SQL NULL among the values of Sentencia::insertar.
struct Nulo
{};
inline constexpr Nulo kNulo{};

class Sentencia
{
public:
    Sentencia(Conexion& conexion, const char* sql);
    ~Sentencia();
    Sentencia(const Sentencia&) = delete;
    Sentencia& operator=(const Sentencia&) = delete;

    void ligar(int i, Nulo);
    void ligar(int i, int valor) { ligar(i, static_cast<qint64>(valor)); }
    void ligar(int i, qint64 valor);
    void ligar(int i, double valor);
    void ligar(int i, std::string_view texto);
    void ligar(int i, const char* texto) { ligar(i, std::string_view(texto)); }
    void ligar(int i, const std::string& texto) { ligar(i, std::string_view(texto)); }
    void ligar(int i, const QByteArray& texto)
    {
        ligar(i, std::string_view(texto.constData(), texto.size()));
    }
    void ligar(int i, const QString& texto) { ligar(i, texto.toUtf8()); }
    template <class T> void ligar(int i, const std::optional<T>& valor)
    {
        if (valor)
            ligar(i, *valor);
        else
            ligar(i, kNulo);
    }

    // Binds the values to ?1, ?2 ... in order, runs the statement and resets it.
    template <class... V> void insertar(const V&... valores)
    {
        int i = 0;
        (ligar(++i, valores), ...);
        ejecutar();
    }
    void ejecutar();

    // Row by row reading: true while there is a row.
    bool siguiente();
    qint64 columnaEntero(int i) const;
    double columnaReal(int i) const;
    bool columnaNula(int i) const;
    QByteArray columnaTexto(int i) const;
    int columnas() const;

private:
    Conexion& mConexion;
    sqlite3_stmt* mSt = nullptr;
};

// Money is kept in whole cents while generating, so that totals add up exactly.
inline double pesos(qint64 centavos)
{
    return static_cast<double>(centavos) / 100.0;
}

} // namespace dalvo::demo
