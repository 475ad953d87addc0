#include "data/odbc/MotorOdbc.h"

#include "data/odbc/CadenaOdbc.h"
#include "data/odbc/OdbcInterno.h"

#include <algorithm>

namespace dalvo::ado {

using namespace odbc;

namespace {

SQLHENV env(void* h)
{
    return static_cast<SQLHENV>(h);
}

SQLHDBC dbc(void* h)
{
    return static_cast<SQLHDBC>(h);
}

SQLPOINTER comoPuntero(SQLULEN valor)
{
    return reinterpret_cast<SQLPOINTER>(valor);
}

class Sentencia
{
public:
    explicit Sentencia(SQLHDBC enlace)
    {
        const SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_STMT, enlace, &mHandle);
        if (!exito(rc))
            fallar(SQL_HANDLE_DBC, enlace, rc);
    }
    ~Sentencia() { SQLFreeHandle(SQL_HANDLE_STMT, mHandle); }
    Sentencia(const Sentencia&) = delete;
    Sentencia& operator=(const Sentencia&) = delete;

    SQLHSTMT handle() const { return mHandle; }

    void esperar(int segundos)
    {
        const SQLRETURN rc =
            SQLSetStmtAttr(mHandle, SQL_ATTR_QUERY_TIMEOUT, comoPuntero(SQLULEN(std::max(segundos, 0))), 0);
        if (!exito(rc))
            fallar(SQL_HANDLE_STMT, mHandle, rc);
    }

private:
    SQLHSTMT mHandle = SQL_NULL_HSTMT;
};

[[noreturn]] void sinConexion()
{
    throw FallaMotor({{0, QStringLiteral("08003"), QStringLiteral("08003 La conexión no está abierta.")}});
}

} // namespace

MotorOdbc::MotorOdbc(QString controlador, bool llavesDobles)
    : mControlador(std::move(controlador)), mLlavesDobles(llavesDobles)
{}

MotorOdbc::~MotorOdbc()
{
    cerrar();
    if (mEntorno)
        SQLFreeHandle(SQL_HANDLE_ENV, env(mEntorno));
}

QString MotorOdbc::textoLlamada(const QString& procedimiento, int cantidadParametros)
{
    QString texto = QStringLiteral("{? = call ") + procedimiento;
    if (cantidadParametros > 0) {
        QStringList marcas;
        for (int i = 0; i < cantidadParametros; ++i)
            marcas << QStringLiteral("?");
        texto += u'(' + marcas.join(u',') + u')';
    }
    return texto + u'}';
}

void MotorOdbc::abrir(const DatosConexion& datos)
{
    cerrar();
    if (!mEntorno) {
        SQLHENV nuevo = SQL_NULL_HENV;
        if (!exito(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &nuevo)))
            throw FallaMotor(
                {{0, QStringLiteral("HY001"), QStringLiteral("HY001 No se pudo iniciar ODBC.")}});
        mEntorno = nuevo;
        SQLSetEnvAttr(nuevo, SQL_ATTR_ODBC_VERSION, comoPuntero(SQL_OV_ODBC3), 0);
    }
    std::vector<SQLWCHAR> cadena = ancho(cadenaConexionOdbc(datos, mControlador, mLlavesDobles));
    SQLHDBC enlace = SQL_NULL_HDBC;
    SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_DBC, env(mEntorno), &enlace);
    if (!exito(rc))
        fallar(SQL_HANDLE_ENV, env(mEntorno), rc);
    SQLSetConnectAttr(enlace, SQL_ATTR_LOGIN_TIMEOUT, comoPuntero(SQLULEN(std::max(datos.segundosLogin, 0))),
                      0);

    SQLSMALLINT largoSalida = 0;
    rc = SQLDriverConnectW(enlace, nullptr, cadena.data(), SQL_NTS, nullptr, 0, &largoSalida,
                           SQL_DRIVER_NOPROMPT);
    std::fill(cadena.begin(), cadena.end(), SQLWCHAR(0)); // the password does not linger in memory
    if (!exito(rc)) {
        const QVector<ErrorAdo> registros = registrosDelFallo(SQL_HANDLE_DBC, enlace, rc);
        SQLFreeHandle(SQL_HANDLE_DBC, enlace);
        throw FallaMotor(registros);
    }
    mEnlace = enlace;
    mConectada = true;
}

void MotorOdbc::cerrar()
{
    if (!mEnlace)
        return;
    if (mConectada)
        SQLDisconnect(dbc(mEnlace));
    SQLFreeHandle(SQL_HANDLE_DBC, dbc(mEnlace));
    mEnlace = nullptr;
    mConectada = false;
}

Lote MotorOdbc::ejecutar(const QString& sql, int segundosEspera)
{
    if (!mConectada)
        sinConexion();
    Sentencia st(dbc(mEnlace));
    st.esperar(segundosEspera);
    std::vector<SQLWCHAR> texto = ancho(sql);
    const SQLRETURN rc = SQLExecDirectW(st.handle(), texto.data(), SQL_NTS);
    return leerResultados(st.handle(), rc);
}

Lote MotorOdbc::llamar(const QString& procedimiento, QVector<ParametroMotor>& parametros, int segundosEspera)
{
    if (!mConectada)
        sinConexion();
    Sentencia st(dbc(mEnlace));
    st.esperar(segundosEspera);

    // Position 1 is the RETURN value; the buffers must not move until the last result is read.
    std::vector<Enlace> enlaces(size_t(parametros.size()) + 1);
    enlaces[0].datos.assign(sizeof(SQLINTEGER), 0);
    enlaces[0].indicador = SQL_NULL_DATA;
    SQLRETURN rc = SQLBindParameter(st.handle(), 1, SQL_PARAM_OUTPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0,
                                    enlaces[0].datos.data(), 0, &enlaces[0].indicador);
    if (!exito(rc))
        fallar(SQL_HANDLE_STMT, st.handle(), rc);
    for (qsizetype i = 0; i < parametros.size(); ++i)
        enlazarParametro(st.handle(), SQLUSMALLINT(i + 2), parametros[i], enlaces[size_t(i) + 1]);

    std::vector<SQLWCHAR> texto = ancho(textoLlamada(procedimiento, int(parametros.size())));
    rc = SQLExecDirectW(st.handle(), texto.data(), SQL_NTS);
    Lote lote = leerResultados(st.handle(), rc);

    // Output values arrive with the last result; after an error in between they never come.
    if (lote.errorFinal.isEmpty()) {
        ParametroMotor retorno;
        retorno.tipo = adInteger;
        const QVariant valorRetorno = leerSalida(retorno, enlaces[0]);
        lote.valorRetorno = esNulo(valorRetorno) ? 0 : valorRetorno.toInt();
        for (qsizetype i = 0; i < parametros.size(); ++i)
            if (parametros[i].direccion != Direccion::Entrada)
                parametros[i].valor = leerSalida(parametros[i], enlaces[size_t(i) + 1]);
    }
    return lote;
}

bool MotorOdbc::conexionPerdida()
{
    if (!mConectada)
        return false;
    SQLUINTEGER muerta = SQL_CD_FALSE;
    const SQLRETURN rc = SQLGetConnectAttr(dbc(mEnlace), SQL_ATTR_CONNECTION_DEAD, &muerta, 0, nullptr);
    return exito(rc) && muerta == SQL_CD_TRUE;
}

} // namespace dalvo::ado
