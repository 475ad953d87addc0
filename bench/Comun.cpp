#include "Comun.h"

#include "common/Falla.h"
#include "data/embedded/Extensiones.h"
#include "data/embedded/Lexico.h"
#include "data/embedded/Plantilla.h"

#include <QFile>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace dalvo::banco {

double mediana(QVector<double> valores)
{
    if (valores.isEmpty())
        return 0;
    std::sort(valores.begin(), valores.end());
    const qsizetype n = valores.size();
    return n % 2 ? valores[n / 2] : (valores[n / 2 - 1] + valores[n / 2]) / 2;
}

double medir(const std::function<void()>& accion)
{
    QElapsedTimer reloj;
    reloj.start();
    accion();
    return double(reloj.nsecsElapsed()) / 1e6;
}

Par medirPar(int veces, const std::function<void()>& medido, const std::function<void()>& piso,
             const std::function<void()>& preparar)
{
    const auto antes = [&] {
        if (preparar)
            preparar();
    };
    // One untimed round first: caches, prepared statements and fonts warm for both.
    antes();
    medido();
    antes();
    piso();
    QVector<double> a, b;
    for (int i = 0; i < veces; ++i) {
        antes();
        a << medir(medido);
        antes();
        b << medir(piso);
    }
    return {mediana(a), mediana(b)};
}

void imprimir(const Fila& f)
{
    const QString linea = QStringLiteral("FILA\t%1\t%2\t%3\t%4\t%5\t%6\t%7\t%8\t%9\n")
                              .arg(f.grupo, f.caso, f.filas, f.medido, f.piso,
                                   f.razon > 0 ? QString::number(f.razon, 'f', 2) : QStringLiteral("-"),
                                   f.meta, f.cumple, f.nota);
    std::fputs(linea.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

QString ms(double milisegundos)
{
    return QString::number(milisegundos, 'f', milisegundos < 10 ? 2 : 1);
}

Fila filaRazon(const QString& grupo, const QString& caso, const QString& filas, const Par& par, double limite,
               const QString& nota)
{
    Fila f;
    f.grupo = grupo;
    f.caso = caso;
    f.filas = filas;
    f.medido = ms(par.ms);
    f.piso = ms(par.pisoMs);
    f.razon = par.razon();
    if (limite > 0) {
        f.meta = QStringLiteral("<= ") + QString::number(limite, 'f', 1);
        f.cumple = par.razon() <= limite ? QStringLiteral("sí") : QStringLiteral("no");
    }
    f.nota = nota;
    return f;
}

PisoSqlite::PisoSqlite(const QString& base)
{
    const QByteArray ruta = QFile::encodeName(base);
    if (sqlite3_open_v2(ruta.constData(), &mDb, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw Falla(30902, QStringLiteral("PisoSqlite"), QString::fromUtf8(sqlite3_errmsg(mDb)));
    embebido::registrarExtensiones(mDb);
}

PisoSqlite::~PisoSqlite()
{
    sqlite3_close(mDb);
}

PisoSqlite::Sentencia PisoSqlite::preparar(embebido::MotorEmbebido& motor, const QString& tsql) const
{
    const QStringList textos = motor.traduccion(tsql);
    if (textos.size() != 1)
        throw Falla(30900, QStringLiteral("PisoSqlite"),
                    QStringLiteral("Se esperaba una sentencia: ") + tsql);
    Sentencia s;
    s.sql = textos.first().toUtf8();
    const embebido::Plantilla plantilla = embebido::armarPlantilla(tsql, embebido::tokenizar(tsql));
    for (const embebido::ValorSql& v : plantilla.valores) {
        s.clase << int(v.clase);
        switch (v.clase) {
        case embebido::ValorSql::Entero:
            s.texto << QByteArray::number(v.entero);
            break;
        case embebido::ValorSql::Real:
            s.texto << QByteArray::number(v.real, 'g', 17);
            break;
        default:
            s.texto << v.texto.toUtf8();
        }
    }
    return s;
}

qint64 PisoSqlite::correr(const Sentencia& s) const
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(mDb, s.sql.constData(), int(s.sql.size()), &st, nullptr) != SQLITE_OK)
        throw Falla(30902, QStringLiteral("PisoSqlite"), QString::fromUtf8(sqlite3_errmsg(mDb)));
    const int cuantos = sqlite3_bind_parameter_count(st);
    for (int i = 1; i <= cuantos; ++i) {
        const int k = embebido::numeroParametro(sqlite3_bind_parameter_name(st, i));
        if (k <= 0 || k > s.clase.size())
            continue;
        const QByteArray& t = s.texto[k - 1];
        switch (s.clase[k - 1]) {
        case embebido::ValorSql::Entero:
            sqlite3_bind_int64(st, i, t.toLongLong());
            break;
        case embebido::ValorSql::Real:
            sqlite3_bind_double(st, i, t.toDouble());
            break;
        case embebido::ValorSql::Texto:
            sqlite3_bind_text(st, i, t.constData(), int(t.size()), SQLITE_STATIC);
            break;
        default:
            sqlite3_bind_null(st, i);
        }
    }
    qint64 filas = 0;
    const int columnas = sqlite3_column_count(st);
    static volatile qint64 bytes = 0; // keeps the fetch from being optimised away
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++filas;
        for (int j = 0; j < columnas; ++j) {
            if (sqlite3_column_text(st, j))
                bytes = bytes + sqlite3_column_bytes(st, j);
        }
    }
    sqlite3_finalize(st);
    return filas;
}

void abrirMotor(embebido::MotorEmbebido& motor, const QString& base)
{
    ado::DatosConexion datos;
    datos.servidor = QStringLiteral("sqlite:") + base;
    datos.baseDatos = QStringLiteral("dalvoPralMendoza");
    datos.usuario = QStringLiteral("operador");
    datos.clave = QStringLiteral("demo");
    motor.abrir(datos);
}

qint64 memoriaPicoKb()
{
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& linea : estado.readAll().split('\n')) {
        if (linea.startsWith("VmHWM:"))
            return linea.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

QString fechaOperador(QDate dia)
{
    return dia.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace dalvo::banco
