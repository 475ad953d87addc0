#include "data/embedded/Sesion.h"

#include "Version.h"
#include "data/embedded/Analizador.h"
#include "data/embedded/Errores.h"
#include "data/embedded/Extensiones.h"
#include "data/embedded/Interprete.h"
#include "data/embedded/Plantilla.h"
#include "data/embedded/Procedimientos.h"

#include <sqlite3.h>

namespace dalvo::embebido {

namespace {

const QString k42000 = QStringLiteral("42000");

int progreso(void* sesion)
{
    return static_cast<Sesion*>(sesion)->vencido() ? 1 : 0;
}

void funcionUsuario(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    auto* sesion = static_cast<Sesion*>(sqlite3_user_data(ctx));
    try {
        const QString nombre = ValorSql::leer(argv[0]).texto;
        auto f = sesion->procedimiento(nombre, false);
        if (!f || !f->def.esFuncion)
            lanzar(
                4121, k42000,
                QStringLiteral("No se encuentra la función definida por el usuario \"dbo.%1\".").arg(nombre));
        std::vector<ValorSql> args;
        for (int i = 1; i < argc; ++i)
            args.push_back(ValorSql::leer(argv[i]));
        invocarFuncion(*sesion, *f, args).devolver(ctx);
    } catch (const ado::FallaMotor& e) {
        const QByteArray t = codificarError(e.errores().value(0));
        sqlite3_result_error(ctx, t.constData(), int(t.size()));
    }
}

// The SQL Server type a caller's parameter describes (ADO type and size).
TipoSql tipoDeAdo(int tipo, int tamano)
{
    using namespace ado;
    switch (tipo) {
    case adChar:
        return TipoSql::texto(Familia::Char, tamano > 0 ? tamano : 1);
    case adVarChar:
    case adLongVarChar:
        return TipoSql::texto(Familia::VarChar, tamano > 0 ? tamano : -1);
    case adWChar:
        return TipoSql::texto(Familia::NChar, tamano > 0 ? tamano : 1);
    case adVarWChar:
    case adLongVarWChar:
        return TipoSql::texto(Familia::NVarChar, tamano > 0 ? tamano : -1);
    case adInteger:
        return TipoSql::de(Familia::Int);
    case adSmallInt:
        return TipoSql::de(Familia::SmallInt);
    case adTinyInt:
    case adUnsignedTinyInt:
        return TipoSql::de(Familia::TinyInt);
    case adBigInt:
        return TipoSql::de(Familia::BigInt);
    case adBoolean:
        return TipoSql::de(Familia::Bit);
    case adCurrency:
        return TipoSql::de(Familia::Money);
    case adSingle:
        return TipoSql::de(Familia::Real);
    case adDouble:
    case adNumeric:
    case adDecimal:
        return TipoSql::de(Familia::Float);
    case adDate:
    case adDBDate:
    case adDBTimeStamp:
        return TipoSql::de(Familia::DateTime);
    default:
        return TipoSql{};
    }
}

} // namespace

Preparada::~Preparada()
{
    sqlite3_finalize(stmt);
}

Sesion::Sesion(sqlite3* db, QString usuario, bool enMaster)
    : mDb(db), mUsuario(std::move(usuario)), mEnMaster(enMaster),
      mBaseDatos(enMaster ? QStringLiteral("master") : QString::fromLatin1(kBaseDemo))
{
    mReloj.start();
    try {
        registrarExtensiones(mDb, &mOrden);
        sqlite3_create_function(mDb, "dalvo_fn", -1, SQLITE_UTF8, this, funcionUsuario, nullptr, nullptr);
        sqlite3_progress_handler(mDb, 1000, progreso, this);
        if (sqlite3_prepare_v3(mDb, "PRAGMA main.schema_version", -1, SQLITE_PREPARE_PERSISTENT,
                               &mVersionStmt, nullptr) != SQLITE_OK)
            fallaSqlite(sqlite3_errcode(mDb));
        revisarEsquema();
        Esquema::crearVistasCatalogo(mDb);
    } catch (...) {
        // The handle belongs to the session: a session that does not come to be closes it.
        sqlite3_finalize(mVersionStmt);
        sqlite3_close_v2(mDb);
        throw;
    }
}

Sesion::~Sesion()
{
    mLotes.clear();
    mProcedimientos.clear();
    sqlite3_finalize(mVersionStmt);
    sqlite3_close_v2(mDb);
}

bool Sesion::vencido() const
{
    return mLimite >= 0 && mReloj.elapsed() > mLimite;
}

void Sesion::fallaSqlite(int rc)
{
    if ((rc & 0xff) == SQLITE_INTERRUPT)
        throw ado::FallaMotor(erroresTiempoAgotado());
    throw ado::FallaMotor({errorDeSqlite(mDb, rc, sqlite3_errmsg(mDb))});
}

void Sesion::transaccion(const char* sql)
{
    const int rc = sqlite3_exec(mDb, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fallaSqlite(rc);
}

void Sesion::revisarEsquema()
{
    const int rc = sqlite3_step(mVersionStmt);
    const int version = rc == SQLITE_ROW ? sqlite3_column_int(mVersionStmt, 0) : -1;
    sqlite3_reset(mVersionStmt);
    if (rc != SQLITE_ROW)
        fallaSqlite(rc);
    if (version == mVersionEsquema)
        return;
    mEsquema.cargar(mDb);
    mVersionEsquema = version;
    ++mSello;
    mLotes.clear();
    mProcedimientos.clear();
}

void Sesion::usar(const QString& base)
{
    if (base.compare(QLatin1String("master"), Qt::CaseInsensitive) == 0) {
        mEnMaster = true;
        mBaseDatos = QStringLiteral("master");
    } else if (base.compare(QLatin1String(kBaseDemo), Qt::CaseInsensitive) == 0) {
        mEnMaster = false;
        mBaseDatos = QString::fromLatin1(kBaseDemo);
    } else {
        lanzar(num::BaseDesconocida, QStringLiteral("08004"),
               QStringLiteral(
                   "No se encontró la entrada de la base de datos '%1'. Asegúrese de que el nombre se ha "
                   "escrito correctamente.")
                   .arg(base));
    }
    ++mSello;
}

void Sesion::fijarOrdenFecha(OrdenFecha orden)
{
    if (orden != mOrden) {
        mOrden = orden;
        ++mSello;
    }
}

EntornoTraduccion Sesion::entorno(Programa& p)
{
    EntornoTraduccion e;
    e.esquema = &mEsquema;
    e.enMaster = mEnMaster;
    e.baseDatos = mBaseDatos;
    e.usuario = mUsuario;
    e.version = QStringLiteral("Servidor de demostración DalvoHD %1 (dialecto T-SQL sobre SQLite %2)")
                    .arg(QLatin1String(version::texto), QLatin1String(sqlite3_libversion()));
    e.orden = mOrden;
    e.tipoVariable = [&p](const QString& nombre) -> const TipoSql* {
        const auto it = p.tipos.constFind(nombre.toLower());
        return it == p.tipos.constEnd() ? nullptr : &*it;
    };
    e.funcion = [this](const QString& nombre) -> const Definicion* {
        const auto f = procedimiento(nombre, false);
        return f ? &f->def : nullptr;
    };
    return e;
}

Preparada& Sesion::preparar(Programa& p, const void* clave,
                            const std::function<Compilada(Traductor&)>& traducir)
{
    if (p.sello != mSello) {
        p.preparadas.clear();
        p.sello = mSello;
    }
    std::unique_ptr<Preparada>& lugar = p.preparadas[clave];
    if (lugar) {
        if (lugar->enUso)
            noSoportado(QStringLiteral("la recursión de procedimientos y funciones"));
        return *lugar;
    }
    const EntornoTraduccion e = entorno(p);
    Traductor t(e);
    auto nueva = std::make_unique<Preparada>();
    nueva->c = traducir(t);
    const int rc = sqlite3_prepare_v3(mDb, nueva->c.sql.constData(), int(nueva->c.sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &nueva->stmt, nullptr);
    if (rc != SQLITE_OK)
        fallaSqlite(rc);
    const int cuantos = sqlite3_bind_parameter_count(nueva->stmt);
    for (int i = 1; i <= cuantos; ++i)
        nueva->parametros.emplace_back(sqlite3_bind_parameter_name(nueva->stmt, i));
    lugar = std::move(nueva);
    return *lugar;
}

std::shared_ptr<Programa> Sesion::procedimiento(const QString& nombre, bool verificar)
{
    if (mEnMaster)
        return nullptr;
    const QString clave = nombre.toCaseFolded();
    const auto it = mProcedimientos.constFind(clave);
    if (it != mProcedimientos.constEnd() && !verificar)
        return *it;
    const QString texto = textoProcedimiento(mDb, nombre);
    if (texto.isNull())
        return nullptr;
    if (it != mProcedimientos.constEnd() && (*it)->texto == texto)
        return *it;
    auto p = std::make_shared<Programa>();
    p->texto = texto;
    p->def = leerDefinicion(nombre, texto);
    p->nombre = p->def.nombre;
    prepararPrograma(*p);
    mProcedimientos.insert(clave, p);
    return p;
}

std::shared_ptr<Programa> Sesion::programaDinamico(const QString& texto, const QString& declaraciones)
{
    const QString clave = QChar(2) + declaraciones + QChar(2) + texto;
    if (auto p = mLotes.value(clave))
        return p;
    auto p = std::make_shared<Programa>();
    p->texto = texto;
    // The declarations read as a procedure's parameter list; the statement as a batch.
    p->def = Analizador(QStringLiteral("CREATE PROCEDURE sp_executesql ") + declaraciones +
                        QStringLiteral(" AS RETURN"))
                 .definicion();
    p->def.cuerpo = Analizador(texto).lote();
    prepararPrograma(*p);
    if (mLotes.size() >= 128)
        mLotes.clear();
    mLotes.insert(clave, p);
    return p;
}

void Sesion::comenzar(int segundosEspera)
{
    mLimite = segundosEspera > 0 ? mReloj.elapsed() + qint64(segundosEspera) * 1000 : -1;
    revisarEsquema();
}

void Sesion::terminar(const ado::FallaMotor* falla)
{
    mLimite = -1;
    mProfundidad = 0;
    if (falla && mNivelTransaccion > 0) {
        // A failed call leaves no transaction open behind it.
        sqlite3_exec(mDb, "ROLLBACK", nullptr, nullptr, nullptr);
        mNivelTransaccion = 0;
    }
}

QStringList Sesion::traducir(const QString& sql)
{
    comenzar(0);
    // Translated as ejecutar translates it: literals in conditions are parameters (@__p1...).
    std::vector<Token> tokens = tokenizar(sql);
    const Plantilla plantilla = armarPlantilla(sql, tokens);
    Programa programa;
    programa.texto = sql;
    programa.def.cuerpo = Analizador(sql, std::move(tokens), plantilla.marcas).lote();
    prepararPrograma(programa);
    const EntornoTraduccion e = entorno(programa);
    QStringList textos;
    for (const PSentencia& s : programa.def.cuerpo) {
        Traductor t(e);
        switch (s->clase) {
        case ClaseSentencia::Select:
            textos << QString::fromUtf8(t.select(*s->select).sql);
            break;
        case ClaseSentencia::Insert:
            textos << QString::fromUtf8(t.insert(*s).sql);
            break;
        case ClaseSentencia::Update:
            textos << QString::fromUtf8(t.update(*s).sql);
            break;
        case ClaseSentencia::Delete:
            textos << QString::fromUtf8(t.borrar(*s).sql);
            break;
        default:
            break;
        }
    }
    terminar(nullptr);
    return textos;
}

QStringList Sesion::plan(const QString& sql)
{
    QStringList lineas;
    for (const QString& texto : traducir(sql)) {
        sqlite3_stmt* s = nullptr;
        const QByteArray consulta = (QStringLiteral("EXPLAIN QUERY PLAN ") + texto).toUtf8();
        if (sqlite3_prepare_v2(mDb, consulta.constData(), int(consulta.size()), &s, nullptr) != SQLITE_OK) {
            sqlite3_finalize(s);
            fallaSqlite(sqlite3_errcode(mDb));
        }
        while (sqlite3_step(s) == SQLITE_ROW)
            lineas << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 3)));
        sqlite3_finalize(s);
    }
    return lineas;
}

ado::Lote Sesion::ejecutar(const QString& sql, int segundosEspera)
{
    ado::Lote lote;
    try {
        comenzar(segundosEspera);
        std::vector<Token> tokens = tokenizar(sql);
        const Plantilla plantilla = armarPlantilla(sql, tokens);
        std::shared_ptr<Programa> programa = mLotes.value(plantilla.clave);
        if (!programa) {
            programa = std::make_shared<Programa>();
            programa->texto = sql;
            programa->def.cuerpo = Analizador(sql, std::move(tokens), plantilla.marcas).lote();
            prepararPrograma(*programa);
            if (mLotes.size() >= 128)
                mLotes.clear();
            mLotes.insert(plantilla.clave, programa);
        }
        Ejecucion e(*this, *programa, &lote);
        e.parametros = &plantilla.valores;
        e.correr();
    } catch (const ado::FallaMotor& f) {
        terminar(&f);
        if (lote.tablas.empty())
            throw;
        lote.errorFinal = f.errores();
        return lote;
    }
    terminar(nullptr);
    return lote;
}

ado::Lote Sesion::llamar(const QString& procedimiento, QVector<ado::ParametroMotor>& parametros,
                         int segundosEspera)
{
    ado::Lote lote;
    try {
        comenzar(segundosEspera);
        QStringList partes = procedimiento.split(QLatin1Char('.'));
        for (QString& p : partes)
            if (p.startsWith(QLatin1Char('[')) && p.endsWith(QLatin1Char(']')))
                p = p.mid(1, p.size() - 2);
        auto proc = this->procedimiento(partes.last(), true);
        if (!proc || proc->def.esFuncion)
            lanzar(num::ProcedimientoNoEncontrado, k42000,
                   QStringLiteral("No se encontró el procedimiento almacenado '%1'.").arg(procedimiento));
        std::vector<ArgumentoLlamada> args;
        std::vector<int> origen; // index in parametros of each argument
        for (int i = 0; i < parametros.size(); ++i) {
            const ado::ParametroMotor& pm = parametros[i];
            if (pm.direccion == ado::Direccion::Retorno)
                continue;
            ArgumentoLlamada a;
            if (!pm.nombre.isEmpty())
                a.nombre = pm.nombre.startsWith(QLatin1Char('@')) ? pm.nombre : QLatin1Char('@') + pm.nombre;
            a.salida =
                pm.direccion == ado::Direccion::Salida || pm.direccion == ado::Direccion::EntradaSalida;
            if (pm.direccion != ado::Direccion::Salida) {
                a.valor = desdeVariant(pm.valor);
                const TipoSql declarado = tipoDeAdo(pm.tipo, pm.tamano);
                a.tipo = declarado.familia == Familia::Variante ? tipoDeVariant(pm.valor) : declarado;
                if (a.valor.clase == ValorSql::Texto && !a.tipo.esTexto())
                    a.tipo = TipoSql::texto(Familia::NVarChar, -1); // a text that the parameter's type reads
                if (a.tipo.esFecha() && pm.valor.typeId() != QMetaType::QDateTime &&
                    pm.valor.typeId() != QMetaType::QDate)
                    a.tipo = TipoSql::texto(Familia::NVarChar, -1);
            }
            args.push_back(std::move(a));
            origen.push_back(i);
        }
        const int rc = invocar(*this, *proc, args, lote);
        for (size_t k = 0; k < args.size(); ++k)
            if (args[k].salida)
                parametros[origen[k]].valor = aVariant(args[k].devuelto, args[k].tipoDevuelto);
        for (ado::ParametroMotor& pm : parametros)
            if (pm.direccion == ado::Direccion::Retorno)
                pm.valor = rc;
        lote.valorRetorno = rc;
    } catch (const ado::FallaMotor& f) {
        terminar(&f);
        if (lote.tablas.empty())
            throw;
        lote.errorFinal = f.errores();
        return lote;
    }
    terminar(nullptr);
    return lote;
}

} // namespace dalvo::embebido
