#include "data/embedded/Interprete.h"

#include "data/embedded/Errores.h"
#include "data/embedded/Plantilla.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace dalvo::embebido {

namespace {

const QString k42000 = QStringLiteral("42000");

// Resets a prepared statement when its use ends, however it ends.
class Uso
{
public:
    explicit Uso(Preparada& p) : mP(p) { mP.enUso = true; }
    ~Uso()
    {
        sqlite3_reset(mP.stmt);
        sqlite3_clear_bindings(mP.stmt);
        mP.enUso = false;
    }
    Uso(const Uso&) = delete;
    Uso& operator=(const Uso&) = delete;

private:
    Preparada& mP;
};

void declarar(const std::vector<PSentencia>& cuerpo, QHash<QString, TipoSql>& tipos)
{
    for (const PSentencia& s : cuerpo) {
        for (const Declaracion& d : s->declaraciones)
            tipos.insert(d.nombre.toLower(), d.tipo);
        declarar(s->cuerpo, tipos);
        declarar(s->sino, tipos);
    }
}

QString extracto(const QString& texto, const Sentencia& s)
{
    QString e = texto.mid(s.inicio, s.fin - s.inicio).simplified();
    if (e.size() > 80)
        e = e.left(77) + QStringLiteral("...");
    return e;
}

} // namespace

void prepararPrograma(Programa& p)
{
    p.tipos.clear();
    for (const Parametro& par : p.def.parametros)
        p.tipos.insert(par.nombre.toLower(), par.tipo);
    declarar(p.def.cuerpo, p.tipos);
}

QVariant leerCelda(sqlite3_stmt* s, int i, const TipoSql& tipo)
{
    const int clase = sqlite3_column_type(s, i);
    if (clase == SQLITE_NULL)
        return {};
    switch (tipo.familia) {
    case Familia::Char:
    case Familia::NChar: {
        QString t = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)),
                                      sqlite3_column_bytes(s, i));
        if (t.size() < tipo.longitud)
            t.resize(tipo.longitud, QLatin1Char(' '));
        return t;
    }
    case Familia::VarChar:
    case Familia::NVarChar:
    case Familia::Text:
    case Familia::NText:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)),
                                 sqlite3_column_bytes(s, i));
    case Familia::Bit:
        return sqlite3_column_int64(s, i) != 0;
    case Familia::TinyInt:
    case Familia::SmallInt:
    case Familia::Int:
    case Familia::Nulo:
        return int(sqlite3_column_int64(s, i));
    case Familia::BigInt:
        return qlonglong(sqlite3_column_int64(s, i));
    case Familia::DateTime:
    case Familia::SmallDateTime:
        if (clase == SQLITE_TEXT) {
            const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
            if (auto f = leerAlmacenada(t, sqlite3_column_bytes(s, i)))
                return f->comoQDateTime();
        }
        return aVariant(ValorSql::leerColumna(s, i), tipo);
    default:
        return aVariant(ValorSql::leerColumna(s, i), tipo);
    }
}

Ejecucion::Ejecucion(Sesion& sesion, Programa& programa, ado::Lote* lote)
    : mSesion(sesion), mPrograma(programa), mLote(lote)
{}

void Ejecucion::correr()
{
    bloque(mPrograma.def.cuerpo);
}

ValorSql Ejecucion::paraVariable(const ValorSql& v, const TipoSql& origen, const TipoSql& destino) const
{
    ValorSql r = convertir(v, origen, destino, -1, mSesion.ordenFecha());
    const bool esChar = destino.familia == Familia::Char || destino.familia == Familia::NChar;
    if (esChar && r.clase == ValorSql::Texto && destino.longitud > r.texto.size())
        r.texto.resize(destino.longitud, QLatin1Char(' '));
    return r;
}

Ejecucion::Flujo Ejecucion::bloque(const std::vector<PSentencia>& sentencias)
{
    for (const PSentencia& s : sentencias) {
        const Flujo f = sentencia(*s);
        if (f != Flujo::Sigue)
            return f;
    }
    return Flujo::Sigue;
}

Ejecucion::Flujo Ejecucion::sentencia(const Sentencia& s)
{
    if (mSesion.vencido())
        throw ado::FallaMotor(erroresTiempoAgotado());
    try {
        return ejecutarSentencia(s);
    } catch (const ado::FallaMotor& f) {
        if (mPrograma.nombre.isEmpty())
            throw;
        QVector<ado::ErrorAdo> errores = f.errores();
        ado::ErrorAdo& e = errores.first();
        const bool delEnlace =
            e.SQLState.startsWith(QLatin1String("HY")) || e.SQLState.startsWith(QLatin1String("08"));
        if (delEnlace || e.Description.contains(QLatin1String("(procedimiento ")))
            throw;
        // The program shows the description only: it names the procedure and the statement that failed.
        e.Description += QStringLiteral(" (procedimiento %1, línea %2: %3)")
                             .arg(mPrograma.nombre)
                             .arg(s.linea)
                             .arg(extracto(mPrograma.texto, s));
        throw ado::FallaMotor(errores);
    }
}

Ejecucion::Flujo Ejecucion::ejecutarSentencia(const Sentencia& s)
{
    switch (s.clase) {
    case ClaseSentencia::Select: {
        bool asigna = false;
        for (const ItemSelect& it : s.select->items)
            asigna = asigna || !it.variable.isEmpty();
        if (asigna)
            asignacion(s);
        else
            resultado(s);
        return Flujo::Sigue;
    }
    case ClaseSentencia::Insert:
    case ClaseSentencia::Update:
    case ClaseSentencia::Delete:
        modificacion(s);
        return Flujo::Sigue;
    case ClaseSentencia::Exec:
        exec(s);
        return Flujo::Sigue;
    case ClaseSentencia::Declare:
        for (const Declaracion& d : s.declaraciones) {
            if (!d.inicial)
                continue;
            TipoSql tipo;
            const ValorSql v = evaluar(*d.inicial, &d, &tipo);
            valores.insert(d.nombre.toLower(), paraVariable(v, tipo, d.tipo));
        }
        return Flujo::Sigue;
    case ClaseSentencia::SetVariable: {
        const Asignacion& a = s.asignaciones.front();
        const QString nombre = a.destino.toLower();
        const auto it = mPrograma.tipos.constFind(nombre);
        if (it == mPrograma.tipos.constEnd())
            lanzar(num::VariableSinDeclarar, k42000,
                   QStringLiteral("Debe declarar la variable escalar \"%1\".").arg(a.destino));
        TipoSql tipo;
        const ValorSql v = evaluar(*a.expr, &a, &tipo);
        valores.insert(nombre, paraVariable(v, tipo, *it));
        return Flujo::Sigue;
    }
    case ClaseSentencia::SetOpcion:
        setOpcion(s);
        return Flujo::Sigue;
    case ClaseSentencia::If:
        if (condicion(*s.condicion))
            return bloque(s.cuerpo);
        return s.sino.empty() ? Flujo::Sigue : bloque(s.sino);
    case ClaseSentencia::While:
        while (condicion(*s.condicion)) {
            if (mSesion.vencido())
                throw ado::FallaMotor(erroresTiempoAgotado());
            const Flujo f = bloque(s.cuerpo);
            if (f == Flujo::Rompe)
                break;
            if (f == Flujo::Devuelve)
                return f;
        }
        return Flujo::Sigue;
    case ClaseSentencia::Bloque:
        return bloque(s.cuerpo);
    case ClaseSentencia::Return:
        if (!s.expresiones.empty()) {
            TipoSql tipo;
            if (mPrograma.def.esFuncion) {
                valorFuncion = evaluar(*s.expresiones.front(), &s, &tipo, &mPrograma.def.retorno);
                valorFuncion = paraVariable(valorFuncion, tipo, mPrograma.def.retorno);
            } else {
                const TipoSql entero = TipoSql::de(Familia::Int);
                const ValorSql v = evaluar(*s.expresiones.front(), &s, &tipo, &entero);
                retorno = v.esNulo() ? 0 : int(v.entero);
            }
        }
        return Flujo::Devuelve;
    case ClaseSentencia::Print: {
        TipoSql tipo;
        const TipoSql texto = TipoSql::texto(Familia::VarChar, 8000);
        const ValorSql v = evaluar(*s.expresiones.front(), &s, &tipo, &texto);
        if (mLote)
            mLote->avisos.push_back(errorAdo(0, QStringLiteral("01000"), v.texto));
        return Flujo::Sigue;
    }
    case ClaseSentencia::Raiserror:
        raiserror(s);
        return Flujo::Sigue;
    case ClaseSentencia::Transaccion: {
        int& nivel = mSesion.nivelTransaccion();
        if (s.texto == QLatin1String("BEGIN")) {
            if (nivel++ == 0)
                mSesion.transaccion("BEGIN");
        } else if (nivel == 0) {
            const bool commit = s.texto == QLatin1String("COMMIT");
            lanzar(
                commit ? num::CommitSinBegin : num::RollbackSinBegin, QStringLiteral("25000"),
                QStringLiteral("La solicitud %1 TRANSACTION no tiene la correspondiente BEGIN TRANSACTION.")
                    .arg(commit ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK")));
        } else if (s.texto == QLatin1String("COMMIT")) {
            if (--nivel == 0)
                mSesion.transaccion("COMMIT");
        } else {
            nivel = 0;
            mSesion.transaccion("ROLLBACK");
        }
        return Flujo::Sigue;
    }
    case ClaseSentencia::Use:
        if (!mPrograma.nombre.isEmpty())
            lanzar(154, k42000,
                   QStringLiteral(
                       "No se permite una instrucción USE en un procedimiento, función o desencadenador."));
        mSesion.usar(s.texto);
        return Flujo::Sigue;
    case ClaseSentencia::Break:
        return Flujo::Rompe;
    case ClaseSentencia::Continue:
        return Flujo::Continua;
    }
    return Flujo::Sigue;
}

void Ejecucion::enlazar(Preparada& p)
{
    for (size_t i = 0; i < p.parametros.size(); ++i) {
        const QByteArray& n = p.parametros[i];
        const int indice = int(i) + 1;
        if (n == "@__filas")
            sqlite3_bind_int64(p.stmt, indice, filas);
        else if (n == "@__trancount")
            sqlite3_bind_int(p.stmt, indice, mSesion.nivelTransaccion());
        else if (const int k = numeroParametro(n); k > 0 && parametros && size_t(k) <= parametros->size())
            (*parametros)[size_t(k - 1)].enlazar(p.stmt, indice);
        else
            valores.value(QString::fromUtf8(n)).enlazar(p.stmt, indice);
    }
}

int Ejecucion::paso(Preparada& p)
{
    const int rc = sqlite3_step(p.stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        mSesion.fallaSqlite(rc);
    return rc;
}

void Ejecucion::resultado(const Sentencia& s)
{
    if (!mLote)
        lanzar(
            444, k42000,
            QStringLiteral(
                "Las instrucciones SELECT incluidas en una función no pueden devolver datos a un cliente."));
    Preparada& p = mSesion.preparar(mPrograma, &s, [&](Traductor& t) { return t.select(*s.select); });
    Uso uso(p);
    enlazar(p);
    ado::Tabla tabla;
    tabla.columnas = p.c.columnas;
    const int n = int(p.c.tipos.size());
    qint64 cuenta = 0;
    while (paso(p) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i)
            tabla.celdas.push_back(leerCelda(p.stmt, i, p.c.tipos[size_t(i)]));
        ++cuenta;
    }
    filas = cuenta;
    mLote->tablas.push_back(std::move(tabla));
}

void Ejecucion::asignacion(const Sentencia& s)
{
    std::vector<std::pair<QString, TipoSql>> destinos;
    for (const ItemSelect& it : s.select->items) {
        const QString nombre = it.variable.toLower();
        const auto t = mPrograma.tipos.constFind(nombre);
        if (!it.variable.isEmpty() && t == mPrograma.tipos.constEnd())
            lanzar(num::VariableSinDeclarar, k42000,
                   QStringLiteral("Debe declarar la variable escalar \"%1\".").arg(it.variable));
        destinos.emplace_back(nombre, t == mPrograma.tipos.constEnd() ? TipoSql{} : *t);
    }
    Preparada& p = mSesion.preparar(mPrograma, &s, [&](Traductor& t) { return t.asignaciones(*s.select); });
    Uso uso(p);
    enlazar(p);
    qint64 cuenta = 0;
    while (paso(p) == SQLITE_ROW) {
        for (size_t i = 0; i < destinos.size(); ++i)
            valores.insert(destinos[i].first, paraVariable(ValorSql::leerColumna(p.stmt, int(i)),
                                                           p.c.tipos[i], destinos[i].second));
        ++cuenta;
    }
    filas = cuenta;
}

void Ejecucion::modificacion(const Sentencia& s)
{
    Preparada& p = mSesion.preparar(mPrograma, &s, [&](Traductor& t) {
        return s.clase == ClaseSentencia::Insert   ? t.insert(s)
               : s.clase == ClaseSentencia::Update ? t.update(s)
                                                   : t.borrar(s);
    });
    Uso uso(p);
    enlazar(p);
    while (paso(p) == SQLITE_ROW)
        ;
    filas = sqlite3_changes64(mSesion.db());
}

ValorSql Ejecucion::evaluar(const Nodo& n, const void* clave, TipoSql* tipo, const TipoSql* destino)
{
    Preparada& p = mSesion.preparar(mPrograma, clave, [&](Traductor& t) { return t.expresion(n, destino); });
    Uso uso(p);
    enlazar(p);
    ValorSql v;
    if (paso(p) == SQLITE_ROW)
        v = ValorSql::leerColumna(p.stmt, 0);
    *tipo = p.c.tipos.front();
    return v;
}

bool Ejecucion::condicion(const Nodo& n)
{
    Preparada& p = mSesion.preparar(mPrograma, &n, [&](Traductor& t) { return t.condicion(n); });
    Uso uso(p);
    enlazar(p);
    return paso(p) == SQLITE_ROW && sqlite3_column_int(p.stmt, 0) != 0;
}

void Ejecucion::setOpcion(const Sentencia& s)
{
    if (!mLote)
        lanzar(443, k42000,
               QStringLiteral("Uso no válido de un operador con efectos secundarios 'SET' en una función."));
    const QString& opcion = s.texto;
    const QString valor = s.expresiones.empty() ? QString()
                          : s.expresiones.front()->valor.clase == ValorSql::Entero
                              ? QString::number(s.expresiones.front()->valor.entero)
                              : s.expresiones.front()->valor.texto.toUpper();
    if (opcion == QLatin1String("DATEFORMAT")) {
        if (valor == QLatin1String("MDY"))
            mSesion.fijarOrdenFecha(OrdenFecha::mdy);
        else if (valor == QLatin1String("DMY"))
            mSesion.fijarOrdenFecha(OrdenFecha::dmy);
        else if (valor == QLatin1String("YMD"))
            mSesion.fijarOrdenFecha(OrdenFecha::ymd);
        else
            noSoportado(QStringLiteral("SET DATEFORMAT %1").arg(valor.toLower()));
        return;
    }
    static const QStringList ignoradas = {
        QStringLiteral("NOCOUNT"),
        QStringLiteral("ANSI_NULLS"),
        QStringLiteral("ANSI_WARNINGS"),
        QStringLiteral("ANSI_PADDING"),
        QStringLiteral("ANSI_NULL_DFLT_ON"),
        QStringLiteral("ANSI_NULL_DFLT_OFF"),
        QStringLiteral("ANSI_DEFAULTS"),
        QStringLiteral("QUOTED_IDENTIFIER"),
        QStringLiteral("CONCAT_NULL_YIELDS_NULL"),
        QStringLiteral("ARITHABORT"),
        QStringLiteral("ARITHIGNORE"),
        QStringLiteral("NUMERIC_ROUNDABORT"),
        QStringLiteral("XACT_ABORT"),
        QStringLiteral("TEXTSIZE"),
        QStringLiteral("LOCK_TIMEOUT"),
        QStringLiteral("CURSOR_CLOSE_ON_COMMIT"),
        QStringLiteral("DEADLOCK_PRIORITY"),
        QStringLiteral("TRANSACTION"),
        QStringLiteral("QUERY_GOVERNOR_COST_LIMIT"),
        QStringLiteral("NO_BROWSETABLE"),
    };
    if (ignoradas.contains(opcion))
        return;
    const bool apagada = valor == QLatin1String("OFF") || valor == QLatin1String("0");
    if ((opcion == QLatin1String("ROWCOUNT") && valor == QLatin1String("0")) ||
        (opcion == QLatin1String("DATEFIRST") && valor == QLatin1String("7")) ||
        (opcion == QLatin1String("LANGUAGE") &&
         (valor == QLatin1String("US_ENGLISH") || valor == QLatin1String("ENGLISH"))) ||
        ((opcion == QLatin1String("IMPLICIT_TRANSACTIONS") || opcion == QLatin1String("FMTONLY") ||
          opcion == QLatin1String("NOEXEC") || opcion == QLatin1String("PARSEONLY") ||
          opcion.startsWith(QLatin1String("SHOWPLAN"))) &&
         apagada))
        return;
    static const QStringList conocidas = {
        QStringLiteral("ROWCOUNT"),  QStringLiteral("DATEFIRST"),
        QStringLiteral("LANGUAGE"),  QStringLiteral("IMPLICIT_TRANSACTIONS"),
        QStringLiteral("FMTONLY"),   QStringLiteral("NOEXEC"),
        QStringLiteral("PARSEONLY"), QStringLiteral("STATISTICS"),
    };
    if (conocidas.contains(opcion) || opcion.startsWith(QLatin1String("SHOWPLAN")))
        noSoportado(QStringLiteral("SET %1 %2").arg(opcion, valor));
    lanzar(num::FuncionDesconocida, k42000,
           QStringLiteral("'%1' no es una opción SET reconocida.").arg(opcion));
}

void Ejecucion::raiserror(const Sentencia& s)
{
    if (s.expresiones.size() < 3)
        errorSintaxis(QStringLiteral(")"));
    const TipoSql texto = TipoSql::texto(Familia::VarChar, 8000);
    const TipoSql entero = TipoSql::de(Familia::Int);
    TipoSql tipo;
    QString mensaje = evaluar(*s.expresiones[0], s.expresiones[0].get(), &tipo, &texto).texto;
    const ValorSql severidad = evaluar(*s.expresiones[1], s.expresiones[1].get(), &tipo, &entero);
    for (size_t i = 3; i < s.expresiones.size(); ++i) {
        const ValorSql v = evaluar(*s.expresiones[i], s.expresiones[i].get(), &tipo, &texto);
        const qsizetype marca = mensaje.indexOf(QRegularExpression(QStringLiteral("%[sdi]")));
        if (marca >= 0)
            mensaje.replace(marca, 2, v.texto);
    }
    if (severidad.entero <= 10) {
        mLote->avisos.push_back(errorAdo(num::Usuario, QStringLiteral("01000"), mensaje));
        return;
    }
    lanzar(num::Usuario, k42000, mensaje);
}

} // namespace dalvo::embebido
