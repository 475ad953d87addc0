// Procedure and function calls: EXEC statements and the calls the engine makes for its caller.
#include "data/embedded/Errores.h"
#include "data/embedded/Interprete.h"

namespace dalvo::embebido {

namespace {

const QString k42000 = QStringLiteral("42000");

} // namespace

void Ejecucion::exec(const Sentencia& s)
{
    if (!mLote)
        lanzar(557, k42000,
               QStringLiteral(
                   "Solo se pueden ejecutar funciones y algunos procedimientos almacenados extendidos desde "
                   "una función."));
    std::vector<ArgumentoLlamada> args;
    for (const Argumento& a : s.argumentos) {
        ArgumentoLlamada al;
        al.nombre = a.nombre;
        al.salida = a.salida;
        if (!a.valor) {
            al.porDefecto = true;
        } else if (a.valor->clase == ClaseNodo::Literal) {
            if (a.salida)
                lanzar(179, k42000,
                       QStringLiteral(
                           "No se puede usar la opción OUTPUT al pasar una constante a un procedimiento "
                           "almacenado."));
            al.valor = a.valor->valor;
            al.tipo = a.valor->tipo;
        } else {
            const QString nombre = a.valor->texto.toLower();
            const auto t = mPrograma.tipos.constFind(nombre);
            if (t == mPrograma.tipos.constEnd())
                lanzar(num::VariableSinDeclarar, k42000,
                       QStringLiteral("Debe declarar la variable escalar \"%1\".").arg(a.valor->texto));
            al.valor = valores.value(nombre);
            al.tipo = *t;
        }
        args.push_back(std::move(al));
    }
    const QStringList& partes = s.procedimiento;
    const QString nombreCompleto = partes.join(QLatin1Char('.'));
    const bool otraBase =
        partes.size() >= 3 && partes[0].compare(QLatin1String(kBaseDemo), Qt::CaseInsensitive) != 0;
    const QString esquema = partes.size() >= 2 ? partes[partes.size() - 2] : QString();
    std::shared_ptr<Programa> proc;
    size_t primero = 0; // arguments that go to the procedure
    if (partes.last().compare(QLatin1String("sp_executesql"), Qt::CaseInsensitive) == 0 &&
        (esquema.isEmpty() || esquema.compare(QLatin1String("sys"), Qt::CaseInsensitive) == 0 ||
         esquema.compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0)) {
        // sp_executesql @stmt, @params, @P1 = ..., as the ODBC driver sends parameterised statements.
        if (args.empty() || args[0].valor.clase != ValorSql::Texto)
            lanzar(214, k42000,
                   QStringLiteral(
                       "El procedimiento espera el parámetro '@statement' de tipo 'ntext/nchar/nvarchar'."));
        const QString declaraciones =
            args.size() > 1 && args[1].valor.clase == ValorSql::Texto ? args[1].valor.texto : QString();
        proc = mSesion.programaDinamico(args[0].valor.texto, declaraciones);
        primero = std::min<size_t>(args.size(), 2);
    } else {
        const bool otroEsquema =
            !esquema.isEmpty() && esquema.compare(QLatin1String("dbo"), Qt::CaseInsensitive) != 0;
        proc = (otraBase || otroEsquema) ? nullptr : mSesion.procedimiento(partes.last());
    }
    if (!proc || proc->def.esFuncion)
        lanzar(num::ProcedimientoNoEncontrado, k42000,
               QStringLiteral("No se encontró el procedimiento almacenado '%1'.").arg(nombreCompleto));
    std::vector<ArgumentoLlamada> pasados(std::make_move_iterator(args.begin() + long(primero)),
                                          std::make_move_iterator(args.end()));
    const int rc = invocar(mSesion, *proc, pasados, *mLote);
    for (size_t i = 0; i < pasados.size(); ++i)
        args[primero + i] = std::move(pasados[i]);
    for (size_t i = 0; i < args.size(); ++i) {
        if (!args[i].salida)
            continue;
        const QString nombre = s.argumentos[i].valor->texto.toLower();
        valores.insert(nombre,
                       paraVariable(args[i].devuelto, args[i].tipoDevuelto, mPrograma.tipos.value(nombre)));
    }
    if (!s.variableRetorno.isEmpty()) {
        const QString nombre = s.variableRetorno.toLower();
        if (!mPrograma.tipos.contains(nombre))
            lanzar(num::VariableSinDeclarar, k42000,
                   QStringLiteral("Debe declarar la variable escalar \"%1\".").arg(s.variableRetorno));
        valores.insert(nombre, paraVariable(ValorSql::deEntero(rc), TipoSql::de(Familia::Int),
                                            mPrograma.tipos.value(nombre)));
    }
}

int invocar(Sesion& sesion, Programa& proc, std::vector<ArgumentoLlamada>& args, ado::Lote& lote)
{
    int& profundidad = sesion.profundidad();
    if (profundidad >= 32)
        lanzar(217, k42000,
               QStringLiteral(
                   "Se superó el nivel máximo de anidamiento de procedimientos almacenados, funciones, "
                   "desencadenadores o vistas (límite 32)."));
    struct Nivel
    {
        int& p;
        explicit Nivel(int& x) : p(x) { ++p; }
        ~Nivel() { --p; }
    } nivel(profundidad);

    const auto& params = proc.def.parametros;
    std::vector<int> asignado(params.size(), -1);
    size_t posicion = 0;
    bool nombrados = false;
    for (size_t k = 0; k < args.size(); ++k) {
        if (args[k].nombre.isEmpty()) {
            if (nombrados)
                lanzar(119, k42000,
                       QStringLiteral(
                           "Debe pasarse el parámetro número %1 y los parámetros siguientes como '@nombre = "
                           "valor'. Después de usar '@nombre = valor', todos los parámetros siguientes "
                           "deben pasarse como '@nombre = valor'.")
                           .arg(k + 1));
            if (posicion >= params.size())
                lanzar(num::DemasiadosArgumentos, k42000,
                       QStringLiteral(
                           "El procedimiento o la función %1 tiene demasiados argumentos especificados.")
                           .arg(proc.def.nombre));
            asignado[posicion++] = int(k);
            continue;
        }
        nombrados = true;
        size_t i = 0;
        while (i < params.size() && params[i].nombre.compare(args[k].nombre, Qt::CaseInsensitive) != 0)
            ++i;
        if (i == params.size())
            lanzar(num::NoEsParametro, k42000,
                   QStringLiteral("%1 no es un parámetro para el procedimiento %2.")
                       .arg(args[k].nombre, proc.def.nombre));
        asignado[i] = int(k);
    }
    Ejecucion e(sesion, proc, &lote);
    for (size_t i = 0; i < params.size(); ++i) {
        const Parametro& p = params[i];
        const int k = asignado[i];
        ValorSql v;
        if (k >= 0 && args[size_t(k)].salida && !p.salida)
            lanzar(8162, k42000,
                   QStringLiteral(
                       "El parámetro formal \"%1\" no se declaró como parámetro OUTPUT, pero el parámetro "
                       "real se pasó en la salida solicitada.")
                       .arg(p.nombre));
        if (k >= 0 && !args[size_t(k)].porDefecto)
            v = e.paraVariable(args[size_t(k)].valor, args[size_t(k)].tipo, p.tipo);
        else if (p.conDefecto)
            v = e.paraVariable(p.defecto, p.tipoDefecto, p.tipo);
        else
            lanzar(num::FaltaParametro, k42000,
                   QStringLiteral("El procedimiento o la función '%1' espera el parámetro '%2', que no se ha "
                                  "proporcionado.")
                       .arg(proc.def.nombre, p.nombre));
        e.valores.insert(p.nombre.toLower(), v);
    }
    e.correr();
    for (size_t i = 0; i < params.size(); ++i) {
        const int k = asignado[i];
        if (k >= 0 && args[size_t(k)].salida) {
            args[size_t(k)].devuelto = e.valores.value(params[i].nombre.toLower());
            args[size_t(k)].tipoDevuelto = params[i].tipo;
        }
    }
    return e.retorno;
}

ValorSql invocarFuncion(Sesion& sesion, Programa& funcion, const std::vector<ValorSql>& argumentos)
{
    int& profundidad = sesion.profundidad();
    if (profundidad >= 32)
        lanzar(217, k42000,
               QStringLiteral(
                   "Se superó el nivel máximo de anidamiento de procedimientos almacenados, funciones, "
                   "desencadenadores o vistas (límite 32)."));
    ++profundidad;
    struct Baja
    {
        int& p;
        ~Baja() { --p; }
    } baja{profundidad};
    Ejecucion e(sesion, funcion, nullptr);
    const auto& params = funcion.def.parametros;
    for (size_t i = 0; i < params.size() && i < argumentos.size(); ++i)
        e.valores.insert(params[i].nombre.toLower(),
                         e.paraVariable(argumentos[i], params[i].tipo, params[i].tipo));
    e.correr();
    return e.valorFuncion;
}

} // namespace dalvo::embebido
