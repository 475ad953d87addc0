#include "data/odbc/CadenaOdbc.h"

#include <sql.h>
#include <sqlext.h>

namespace dalvo::ado {

ServidorSql leerServidorSql(const QString& servidor)
{
    ServidorSql s;
    const QString t = servidor.trimmed();
    const qsizetype coma = t.lastIndexOf(u',');
    if (coma >= 0) {
        s.host = t.left(coma).trimmed();
        s.puerto = t.mid(coma + 1).trimmed();
    } else {
        s.host = t;
    }
    return s;
}

QString entreLlaves(const QString& valor, bool llavesDobles)
{
    QString v = valor;
    if (llavesDobles)
        v.replace(u'}', QLatin1String("}}"));
    return u'{' + v + u'}';
}

QString cadenaConexionOdbc(const DatosConexion& datos, const QString& controlador, bool llavesDobles)
{
    auto valor = [llavesDobles](const QString& texto, const QString& que) {
        if (!llavesDobles && texto.contains(QLatin1String("};")))
            throw FallaMotor(
                {{0, QStringLiteral("08001"),
                  QStringLiteral("08001 %1 contiene \"};\", que el controlador ODBC no admite.").arg(que)}});
        return entreLlaves(texto, llavesDobles);
    };
    const ServidorSql servidor = leerServidorSql(datos.servidor);
    QString cadena = QStringLiteral("DRIVER=") + valor(controlador, QStringLiteral("El controlador")) +
                     QStringLiteral(";SERVER=") + valor(servidor.host, QStringLiteral("El servidor"));
    if (!servidor.puerto.isEmpty())
        cadena += QStringLiteral(";PORT=") + valor(servidor.puerto, QStringLiteral("El puerto"));
    cadena += QStringLiteral(";UID=") + valor(datos.usuario, QStringLiteral("El usuario")) +
              QStringLiteral(";PWD=") + valor(datos.clave, QStringLiteral("La clave"));
    if (!datos.baseDatos.isEmpty())
        cadena += QStringLiteral(";DATABASE=") + valor(datos.baseDatos, QStringLiteral("La base de datos"));
    cadena += QStringLiteral(";TDS_Version=7.4;ClientCharset=UTF-8;APP={DalvoHD}");
    return cadena;
}

int tipoAdoDeSql(int tipoSql, int precision, int escala, const QString& nombreTipo)
{
    switch (tipoSql) {
    case SQL_CHAR:
        return adChar;
    case SQL_VARCHAR:
        return adVarChar;
    case SQL_LONGVARCHAR:
        return adLongVarChar;
    case SQL_WCHAR:
        return adWChar;
    case SQL_WVARCHAR:
        return adVarWChar;
    case SQL_WLONGVARCHAR:
        return adLongVarWChar;
    case SQL_INTEGER:
        return adInteger;
    case SQL_SMALLINT:
        return adSmallInt;
    case SQL_TINYINT:
        return adUnsignedTinyInt; // tinyint is unsigned in SQL Server
    case SQL_BIGINT:
        return adBigInt;
    case SQL_BIT:
        return adBoolean;
    case SQL_DECIMAL:
    case SQL_NUMERIC: {
        const QString nombre = nombreTipo.trimmed().toLower();
        if (nombre == u"money" || nombre == u"smallmoney")
            return adCurrency;
        if (nombre.isEmpty() && escala == 4 && (precision == 19 || precision == 10))
            return adCurrency;
        return adNumeric;
    }
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return adDouble;
    case SQL_REAL:
        return adSingle;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
        return adDBTimeStamp;
    case SQL_TYPE_DATE:
    case SQL_DATE:
        return adDBDate;
    case SQL_BINARY:
        return adBinary;
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        return adVarBinary;
    default:
        return adVarWChar; // anything else (uniqueidentifier, time, xml, sql_variant) is read as text
    }
}

} // namespace dalvo::ado
