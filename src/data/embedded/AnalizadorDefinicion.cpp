// DECLARE and the header of stored procedures and functions.
#include "data/embedded/Analizador.h"
#include "data/embedded/Errores.h"

namespace dalvo::embebido {

PSentencia Analizador::sentenciaDeclare(int inicio)
{
    ++mPos;
    auto s = std::make_unique<Sentencia>();
    s->clase = ClaseSentencia::Declare;
    s->inicio = inicio;
    if (actual().tipo != Tok::Variable) {
        if (siguiente().es("CURSOR") || siguiente().es("INSENSITIVE") || siguiente().es("SCROLL"))
            noSoportado(QStringLiteral("cursores"));
        errorAqui();
    }
    do {
        if (actual().tipo != Tok::Variable)
            errorAqui();
        Declaracion d;
        d.nombre = actual().texto;
        ++mPos;
        acepta("AS");
        if (es("TABLE"))
            noSoportado(QStringLiteral("variables de tabla"));
        if (es("CURSOR"))
            noSoportado(QStringLiteral("cursores"));
        d.tipo = tipoDeDatos(false);
        if (acepta("="))
            d.inicial = expresion();
        s->declaraciones.push_back(std::move(d));
    } while (acepta(","));
    return s;
}

Parametro Analizador::parametro()
{
    if (actual().tipo != Tok::Variable)
        errorAqui();
    Parametro p;
    p.nombre = actual().texto;
    ++mPos;
    acepta("AS");
    p.tipo = tipoDeDatos(false);
    acepta("VARYING");
    if (acepta("=")) {
        PNodo v;
        if (actual().tipo == Tok::Ident && !es("NULL") && !esReservada(actual().texto)) {
            p.defecto = ValorSql::deTexto(actual().texto);
            p.tipoDefecto = TipoSql::texto(Familia::NVarChar, int(actual().texto.size()));
            ++mPos;
        } else {
            v = unaria();
            if (v->clase != ClaseNodo::Literal)
                errorSintaxis(mFuente.mid(v->inicio, finAnterior() - v->inicio));
            p.defecto = v->valor;
            p.tipoDefecto = v->tipo;
        }
        p.conDefecto = true;
    }
    if (acepta("OUTPUT") || acepta("OUT"))
        p.salida = true;
    if (es("READONLY"))
        noSoportado(QStringLiteral("parámetros READONLY"));
    return p;
}

Definicion Analizador::definicion()
{
    Definicion d;
    if (!acepta("CREATE"))
        exige("ALTER");
    if (acepta("PROCEDURE") || acepta("PROC")) {
        d.esFuncion = false;
    } else if (acepta("FUNCTION")) {
        d.esFuncion = true;
    } else {
        errorAqui();
    }
    d.nombre = nombreCompuesto().last();
    const bool entreParentesis = acepta("(");
    if (!(entreParentesis && actual().esSimbolo(")")) && actual().tipo == Tok::Variable) {
        do
            d.parametros.push_back(parametro());
        while (acepta(","));
    }
    if (entreParentesis)
        exige(")");
    else if (d.esFuncion)
        errorAqui();
    if (d.esFuncion) {
        exige("RETURNS");
        if (es("TABLE") || actual().tipo == Tok::Variable)
            noSoportado(QStringLiteral("funciones con valores de tabla"));
        d.retorno = tipoDeDatos(false);
    }
    if (acepta("WITH")) {
        do {
            identificador();
            if (acepta("AS"))
                identificador();
        } while (acepta(","));
    }
    exige("AS");
    d.cuerpo = cuerpoHasta(false);
    return d;
}

} // namespace dalvo::embebido
