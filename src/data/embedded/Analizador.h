#pragma once

#include "data/embedded/Arbol.h"
#include "data/embedded/Lexico.h"

namespace dalvo::embebido {

// Reads T-SQL into the syntax tree. Syntax errors are thrown as SQL Server reports them (102, 156); valid
// T-SQL that the demo server does not know is thrown as NoSoportado with the construct named.
class Analizador
{
public:
    explicit Analizador(const QString& sql);
    // Tokens already read, with the literals that stand for parameters marked (see Plantilla).
    Analizador(const QString& sql, std::vector<Token> tokens, std::vector<int> marcas);

    // A batch: statements one after another, ';' optional, lines holding GO skipped.
    std::vector<PSentencia> lote();
    // CREATE PROCEDURE / CREATE FUNCTION text.
    Definicion definicion();

    const QString& fuente() const { return mFuente; }

private:
    // statements (AnalizadorSentencias.cpp)
    PSentencia sentencia();
    std::vector<PSentencia> cuerpoHasta(bool bloque);
    PSentencia sentenciaSet(int inicio);
    PSentencia sentenciaExec(int inicio);
    PSentencia sentenciaInsert(int inicio);
    PSentencia sentenciaUpdate(int inicio);
    PSentencia sentenciaDelete(int inicio);
    PSentencia sentenciaDeclare(int inicio);
    Parametro parametro();

    // SELECT and expressions (AnalizadorExpresiones.cpp)
public:
    std::unique_ptr<Select> select();
    PNodo expresion();

private:
    std::unique_ptr<Select> selectSimple();
    void listaDesde(std::vector<Union>& desde);
    Fuente fuente();
    void sugerencias();
    bool esInicioSugerencias() const;
    PNodo o();
    PNodo y();
    PNodo no();
    PNodo predicado();
    PNodo aditiva();
    PNodo multiplicativa();
    PNodo unaria();
    PNodo primaria();
    PNodo funcion(QStringList nombre, int inicio);
    PNodo caso(int inicio);
    TipoSql tipoDeDatos(bool enConvert);
    QStringList nombreCompuesto();
    QString aliasOpcional(bool permiteCadena);

    // tokens
    const Token& actual() const { return mTokens[mPos]; }
    const Token& siguiente(int k = 1) const;
    bool es(const char* palabra) const { return actual().es(palabra); }
    bool acepta(const char* palabra);
    void exige(const char* palabra);
    QString identificador(); // plain or bracketed name
    bool esIdentificador() const;
    [[noreturn]] void errorAqui() const;
    PNodo nodo(ClaseNodo clase, int inicio) const;
    int posicion() const { return actual().inicio; }
    int finAnterior() const { return mPos > 0 ? mTokens[mPos - 1].fin : 0; }

    QString mFuente;
    std::vector<Token> mTokens;
    std::vector<int> mMarcas;
    size_t mPos = 0;
    int marca() const { return mPos < mMarcas.size() ? mMarcas[mPos] : 0; }
};

// True for the aggregate functions SQL Server knows.
bool esAgregado(const QString& nombreFuncion);

} // namespace dalvo::embebido
