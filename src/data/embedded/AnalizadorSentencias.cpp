// Statements of batches and stored procedures, and the procedure header.
#include "data/embedded/Analizador.h"
#include "data/embedded/Errores.h"

namespace dalvo::embebido {

namespace {

// T-SQL statements the demo server does not run.
bool esInstruccionNoAdmitida(const Token& t)
{
    static const char* palabras[] = {
        "CREATE", "ALTER",   "DROP",       "TRUNCATE",   "MERGE",       "WITH",     "GOTO",   "WAITFOR",
        "OPEN",   "FETCH",   "CLOSE",      "DEALLOCATE", "THROW",       "BULK",     "GRANT",  "DENY",
        "REVOKE", "DBCC",    "CHECKPOINT", "KILL",       "RECONFIGURE", "SHUTDOWN", "BACKUP", "RESTORE",
        "REVERT", "SETUSER", "READTEXT",   "WRITETEXT",  "UPDATETEXT",  "SAVE"};
    for (const char* p : palabras)
        if (t.es(p))
            return true;
    return false;
}

} // namespace

Analizador::Analizador(const QString& sql) : mFuente(sql), mTokens(tokenizar(sql))
{}

Analizador::Analizador(const QString& sql, std::vector<Token> tokens, std::vector<int> marcas)
    : mFuente(sql), mTokens(std::move(tokens)), mMarcas(std::move(marcas))
{}

const Token& Analizador::siguiente(int k) const
{
    const size_t i = std::min(mPos + size_t(k), mTokens.size() - 1);
    return mTokens[i];
}

bool Analizador::acepta(const char* palabra)
{
    if (actual().es(palabra)) {
        ++mPos;
        return true;
    }
    return false;
}

void Analizador::exige(const char* palabra)
{
    if (!acepta(palabra))
        errorAqui();
}

bool Analizador::esIdentificador() const
{
    return actual().tipo == Tok::IdentCitado || (actual().tipo == Tok::Ident && !esReservada(actual().texto));
}

QString Analizador::identificador()
{
    if (!esIdentificador())
        errorAqui();
    return mTokens[mPos++].texto;
}

void Analizador::errorAqui() const
{
    const Token& t = actual();
    if (t.tipo == Tok::Fin)
        errorSintaxis(mPos > 0 ? mTokens[mPos - 1].texto : QString());
    if (t.tipo == Tok::Ident && esReservada(t.texto))
        errorPalabraClave(t.texto);
    errorSintaxis(t.texto);
}

PNodo Analizador::nodo(ClaseNodo clase, int inicio) const
{
    auto n = std::make_unique<Nodo>();
    n->clase = clase;
    n->inicio = inicio;
    return n;
}

std::vector<PSentencia> Analizador::lote()
{
    return cuerpoHasta(false);
}

std::vector<PSentencia> Analizador::cuerpoHasta(bool bloque)
{
    std::vector<PSentencia> sentencias;
    for (;;) {
        while (acepta(";") || acepta("GO"))
            ;
        if (actual().tipo == Tok::Fin) {
            if (bloque)
                errorAqui();
            break;
        }
        if (bloque && es("END"))
            break;
        sentencias.push_back(sentencia());
    }
    return sentencias;
}

PSentencia Analizador::sentencia()
{
    while (acepta(";"))
        ;
    const int inicio = posicion();
    const int linea = actual().linea;
    PSentencia s;
    auto nueva = [&](ClaseSentencia clase) {
        s = std::make_unique<Sentencia>();
        s->clase = clase;
    };
    if (es("SELECT") || (actual().esSimbolo("(") && siguiente().es("SELECT"))) {
        nueva(ClaseSentencia::Select);
        s->select = select();
    } else if (es("INSERT")) {
        s = sentenciaInsert(inicio);
    } else if (es("UPDATE")) {
        s = sentenciaUpdate(inicio);
    } else if (es("DELETE")) {
        s = sentenciaDelete(inicio);
    } else if (es("EXEC") || es("EXECUTE")) {
        s = sentenciaExec(inicio);
    } else if (es("DECLARE")) {
        s = sentenciaDeclare(inicio);
    } else if (es("SET")) {
        s = sentenciaSet(inicio);
    } else if (es("IF") || es("WHILE")) {
        nueva(es("IF") ? ClaseSentencia::If : ClaseSentencia::While);
        ++mPos;
        s->condicion = expresion();
        s->cuerpo.push_back(sentencia());
        if (s->clase == ClaseSentencia::If) {
            while (acepta(";"))
                ;
            if (acepta("ELSE"))
                s->sino.push_back(sentencia());
        }
    } else if (es("BEGIN")) {
        ++mPos;
        if (acepta("TRAN") || acepta("TRANSACTION")) {
            nueva(ClaseSentencia::Transaccion);
            s->texto = QStringLiteral("BEGIN");
            if (esIdentificador())
                ++mPos;
        } else if (es("TRY") || es("CATCH") || es("DISTRIBUTED")) {
            noSoportado(QStringLiteral("BEGIN %1").arg(actual().texto.toUpper()));
        } else {
            nueva(ClaseSentencia::Bloque);
            s->cuerpo = cuerpoHasta(true);
            exige("END");
        }
    } else if (es("COMMIT") || es("ROLLBACK")) {
        nueva(ClaseSentencia::Transaccion);
        s->texto = actual().texto.toUpper();
        ++mPos;
        if (!acepta("TRAN") && !acepta("TRANSACTION"))
            acepta("WORK");
        if (esIdentificador() && !es("ELSE"))
            ++mPos;
    } else if (es("RETURN")) {
        nueva(ClaseSentencia::Return);
        ++mPos;
        const Token& t = actual();
        const bool conValor =
            t.tipo != Tok::Fin && !t.esSimbolo(";") &&
            !(t.tipo == Tok::Ident && esReservada(t.texto) && !t.es("CASE") && !t.es("NULL") &&
              !((t.es("LEFT") || t.es("RIGHT")) && siguiente().esSimbolo("(")));
        if (conValor)
            s->expresiones.push_back(expresion());
    } else if (es("PRINT")) {
        nueva(ClaseSentencia::Print);
        ++mPos;
        s->expresiones.push_back(expresion());
    } else if (es("RAISERROR")) {
        nueva(ClaseSentencia::Raiserror);
        ++mPos;
        exige("(");
        do
            s->expresiones.push_back(expresion());
        while (acepta(","));
        exige(")");
        if (acepta("WITH")) {
            do
                identificador();
            while (acepta(","));
        }
    } else if (es("USE")) {
        nueva(ClaseSentencia::Use);
        ++mPos;
        s->texto = identificador();
    } else if (es("BREAK") || es("CONTINUE")) {
        nueva(es("BREAK") ? ClaseSentencia::Break : ClaseSentencia::Continue);
        ++mPos;
    } else if (esInstruccionNoAdmitida(actual())) {
        noSoportado(QStringLiteral("la instrucción %1").arg(actual().texto.toUpper()));
    } else {
        errorAqui();
    }
    s->inicio = inicio;
    s->linea = linea;
    s->fin = finAnterior();
    return s;
}

PSentencia Analizador::sentenciaSet(int inicio)
{
    ++mPos;
    auto s = std::make_unique<Sentencia>();
    s->inicio = inicio;
    if (actual().tipo == Tok::Variable) {
        s->clase = ClaseSentencia::SetVariable;
        Asignacion a;
        a.destino = actual().texto;
        ++mPos;
        exige("=");
        a.expr = expresion();
        s->asignaciones.push_back(std::move(a));
        return s;
    }
    s->clase = ClaseSentencia::SetOpcion;
    if (actual().tipo != Tok::Ident)
        errorAqui();
    s->texto = actual().texto.toUpper();
    ++mPos;
    if (s->texto == QLatin1String("TRANSACTION")) {
        exige("ISOLATION");
        exige("LEVEL");
        while (actual().tipo == Tok::Ident && !esReservada(actual().texto))
            ++mPos;
        return s;
    }
    // The value: ON/OFF, a number, a word (DATEFORMAT dmy) or a text.
    const Token& v = actual();
    if (v.tipo == Tok::Fin || v.esSimbolo(";"))
        errorAqui();
    PNodo valor = std::make_unique<Nodo>();
    valor->clase = ClaseNodo::Literal;
    if (v.tipo == Tok::Entero)
        valor->valor = ValorSql::deEntero(v.texto.toLongLong());
    else
        valor->valor = ValorSql::deTexto(v.texto);
    ++mPos;
    s->expresiones.push_back(std::move(valor));
    return s;
}

PSentencia Analizador::sentenciaExec(int inicio)
{
    ++mPos;
    auto s = std::make_unique<Sentencia>();
    s->clase = ClaseSentencia::Exec;
    s->inicio = inicio;
    if (actual().esSimbolo("("))
        noSoportado(QStringLiteral("EXEC de SQL dinámico"));
    if (actual().tipo == Tok::Variable && siguiente().esSimbolo("=")) {
        s->variableRetorno = actual().texto;
        mPos += 2;
    }
    if (actual().tipo == Tok::Variable)
        noSoportado(QStringLiteral("EXEC @variable"));
    s->procedimiento = nombreCompuesto();
    auto iniciaArgumento = [&]() {
        const Token& t = actual();
        switch (t.tipo) {
        case Tok::Cadena:
        case Tok::CadenaN:
        case Tok::Entero:
        case Tok::Decimal:
        case Tok::Real:
        case Tok::Variable:
        case Tok::IdentCitado:
            return true;
        case Tok::Simbolo:
            return t.esSimbolo("-") || t.esSimbolo("+");
        case Tok::Ident:
            return t.es("NULL") || t.es("DEFAULT") || !esReservada(t.texto);
        default:
            return false;
        }
    };
    if (iniciaArgumento()) {
        do {
            Argumento a;
            if (actual().tipo == Tok::Variable && siguiente().esSimbolo("=")) {
                a.nombre = actual().texto;
                mPos += 2;
            }
            if (acepta("DEFAULT")) {
                // null valor: the parameter's default
            } else if (actual().tipo == Tok::Ident && !es("NULL") && !esReservada(actual().texto)) {
                // An unquoted word is a text argument, as SQL Server takes it.
                a.valor = nodo(ClaseNodo::Literal, posicion());
                a.valor->valor = ValorSql::deTexto(actual().texto);
                a.valor->tipo = TipoSql::texto(Familia::NVarChar, int(actual().texto.size()));
                ++mPos;
            } else if (actual().tipo == Tok::IdentCitado) {
                a.valor = nodo(ClaseNodo::Literal, posicion());
                a.valor->valor = ValorSql::deTexto(actual().texto);
                a.valor->tipo =
                    TipoSql::texto(Familia::NVarChar, std::max<int>(1, int(actual().texto.size())));
                ++mPos;
            } else {
                a.valor = unaria();
                if (a.valor->clase != ClaseNodo::Literal && a.valor->clase != ClaseNodo::Variable)
                    errorSintaxis(mFuente.mid(a.valor->inicio, finAnterior() - a.valor->inicio));
            }
            if (acepta("OUTPUT") || acepta("OUT"))
                a.salida = true;
            s->argumentos.push_back(std::move(a));
        } while (acepta(","));
    }
    if (es("WITH") && !siguiente().esSimbolo("("))
        noSoportado(QStringLiteral("EXEC ... WITH %1").arg(siguiente().texto));
    return s;
}

PSentencia Analizador::sentenciaInsert(int inicio)
{
    ++mPos;
    auto s = std::make_unique<Sentencia>();
    s->clase = ClaseSentencia::Insert;
    s->inicio = inicio;
    acepta("INTO");
    s->tabla.nombre = nombreCompuesto();
    if (es("WITH") && siguiente().esSimbolo("(")) {
        ++mPos;
        sugerencias();
    } else if (esInicioSugerencias()) {
        sugerencias();
    }
    if (actual().esSimbolo("(") && !siguiente().es("SELECT")) {
        ++mPos;
        do
            s->columnas << identificador();
        while (acepta(","));
        exige(")");
    }
    if (es("OUTPUT"))
        noSoportado(QStringLiteral("OUTPUT"));
    if (acepta("VALUES")) {
        do {
            exige("(");
            std::vector<PNodo> fila;
            do
                fila.push_back(expresion());
            while (acepta(","));
            exige(")");
            s->filas.push_back(std::move(fila));
        } while (acepta(","));
    } else if (es("SELECT") || actual().esSimbolo("(")) {
        s->select = select();
    } else if (acepta("DEFAULT")) {
        exige("VALUES");
        s->valoresPorDefecto = true;
    } else if (es("EXEC") || es("EXECUTE")) {
        noSoportado(QStringLiteral("INSERT ... EXEC"));
    } else {
        errorAqui();
    }
    return s;
}

PSentencia Analizador::sentenciaUpdate(int inicio)
{
    ++mPos;
    auto s = std::make_unique<Sentencia>();
    s->clase = ClaseSentencia::Update;
    s->inicio = inicio;
    if (es("TOP"))
        noSoportado(QStringLiteral("UPDATE TOP"));
    s->tabla.nombre = nombreCompuesto();
    if (es("WITH") && siguiente().esSimbolo("(")) {
        ++mPos;
        sugerencias();
    } else if (esInicioSugerencias()) {
        sugerencias();
    }
    exige("SET");
    do {
        Asignacion a;
        if (actual().tipo == Tok::Variable)
            noSoportado(QStringLiteral("UPDATE ... SET @variable"));
        a.destino = nombreCompuesto().last();
        exige("=");
        a.expr = expresion();
        s->asignaciones.push_back(std::move(a));
    } while (acepta(","));
    if (es("OUTPUT"))
        noSoportado(QStringLiteral("OUTPUT"));
    if (acepta("FROM"))
        listaDesde(s->desde);
    if (acepta("WHERE")) {
        if (es("CURRENT"))
            noSoportado(QStringLiteral("WHERE CURRENT OF"));
        s->where = expresion();
    }
    return s;
}

PSentencia Analizador::sentenciaDelete(int inicio)
{
    ++mPos;
    auto s = std::make_unique<Sentencia>();
    s->clase = ClaseSentencia::Delete;
    s->inicio = inicio;
    if (es("TOP"))
        noSoportado(QStringLiteral("DELETE TOP"));
    acepta("FROM");
    s->tabla.nombre = nombreCompuesto();
    if (es("WITH") && siguiente().esSimbolo("(")) {
        ++mPos;
        sugerencias();
    } else if (esInicioSugerencias()) {
        sugerencias();
    }
    if (es("OUTPUT"))
        noSoportado(QStringLiteral("OUTPUT"));
    if (acepta("FROM"))
        listaDesde(s->desde);
    if (acepta("WHERE")) {
        if (es("CURRENT"))
            noSoportado(QStringLiteral("WHERE CURRENT OF"));
        s->where = expresion();
    }
    return s;
}

} // namespace dalvo::embebido
