#include "tools/HerramientaSql.h"

#include "common/Falla.h"
#include "data/Despliegue.h"
#include "data/Recordset.h"
#include "data/TextoConexion.h"
#include "data/Traza.h"
#include "data/cUserConnection.h"
#include "tools/OpcionesLinea.h"

#include <QDateTime>
#include <QRegularExpression>

namespace dalvo::herramientas {

namespace {

struct Opciones
{
    QString servidor;
    QString baseDatos;
    QString usuario;
    QString clave;
    QStringList sentencias;
    bool ayuda = false;
    QString error;
};

Opciones leerOpciones(const QStringList& argumentos)
{
    static const QStringList conValor = {QStringLiteral("--server"), QStringLiteral("--database"),
                                         QStringLiteral("--user"), QStringLiteral("--password"),
                                         QStringLiteral("--query")};
    static const QHash<QString, QString> cortas = [] {
        QHash<QString, QString> c = cortasConexion();
        c.insert(QStringLiteral("-Q"), QStringLiteral("--query"));
        return c;
    }();
    Opciones o;
    for (qsizetype i = 0; i < argumentos.size() && o.error.isEmpty(); ++i) {
        const QString& a = argumentos[i];
        if (a == u"-h" || a == u"--help") {
            o.ayuda = true;
            continue;
        }
        const OpcionLeida opcion = leerOpcion(argumentos, i, cortas, conValor);
        if (!opcion.error.isEmpty()) {
            o.error = opcion.error;
            break;
        }
        const QString& nombre = opcion.nombre;
        const QString& valor = opcion.valor;
        if (nombre == u"--server")
            o.servidor = valor;
        else if (nombre == u"--database")
            o.baseDatos = valor;
        else if (nombre == u"--user")
            o.usuario = valor;
        else if (nombre == u"--password")
            o.clave = valor;
        else
            o.sentencias << valor;
    }
    return o;
}

bool esNumero(int tipo)
{
    switch (tipo) {
    case ado::adSmallInt:
    case ado::adInteger:
    case ado::adSingle:
    case ado::adDouble:
    case ado::adCurrency:
    case ado::adDecimal:
    case ado::adTinyInt:
    case ado::adUnsignedTinyInt:
    case ado::adBigInt:
    case ado::adNumeric:
        return true;
    default:
        return false;
    }
}

void imprimirRegistros(const QVector<ado::ErrorAdo>& registros, QTextStream& salida, const QString& clase)
{
    for (const ado::ErrorAdo& e : registros)
        salida << clase << u' ' << e.Number << QLatin1String(" | SQLSTATE ") << e.SQLState
               << QLatin1String(" | ") << e.Description << u'\n';
}

void imprimirFalla(const Falla& f, const ado::Connection* conexion, QTextStream& errores)
{
    if (conexion && !conexion->Errors().isEmpty()) {
        imprimirRegistros(conexion->Errors(), errores, QStringLiteral("Error"));
        return;
    }
    errores << QLatin1String("Error ") << f.Numero << QLatin1String(" (") << f.Origen << QLatin1String("): ")
            << f.Descripcion << u'\n';
}

// Runs one batch and prints what it returned; false when it failed.
bool correrLote(const QString& lote, ado::Connection& conexion, QTextStream& salida, QTextStream& errores)
{
    try {
        auto rs = std::make_unique<ado::Recordset>();
        rs->Open(lote, conexion);
        if (rs->State() == ado::adStateClosed)
            salida << QLatin1String("(sin conjunto de resultados)\n");
        bool primero = true;
        while (rs) {
            if (rs->State() == ado::adStateOpen) {
                if (!primero)
                    salida << u'\n';
                salida << tablaComoTexto(*rs);
                primero = false;
            }
            rs = rs->NextRecordset();
        }
        imprimirRegistros(conexion.Errors(), salida, QStringLiteral("Mensaje"));
        return true;
    } catch (const Falla& f) {
        salida.flush();
        imprimirFalla(f, &conexion, errores);
        return false;
    }
}

} // namespace

QStringList separarLotes(const QString& guion)
{
    static const QRegularExpression go(QStringLiteral("^\\s*go\\s*$"),
                                       QRegularExpression::CaseInsensitiveOption);
    QStringList lotes;
    QStringList actual;
    auto cerrar = [&] {
        const QString lote = actual.join(u'\n');
        if (!lote.trimmed().isEmpty())
            lotes << lote;
        actual.clear();
    };
    const QStringList lineas = guion.split(u'\n');
    for (QString linea : lineas) {
        if (linea.endsWith(u'\r'))
            linea.chop(1);
        if (go.match(linea).hasMatch())
            cerrar();
        else
            actual << linea;
    }
    cerrar();
    return lotes;
}

QString textoValor(const QVariant& valor, int tipo, int escala)
{
    if (ado::esNulo(valor))
        return QStringLiteral("NULL");
    switch (valor.typeId()) {
    case QMetaType::Bool:
        return valor.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::QDateTime:
        return valor.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    case QMetaType::QByteArray:
        return QStringLiteral("0x") + QString::fromLatin1(valor.toByteArray().toHex().toUpper());
    case QMetaType::Double:
        if (tipo == ado::adCurrency)
            return QString::number(valor.toDouble(), 'f', 4);
        if (tipo == ado::adNumeric || tipo == ado::adDecimal)
            return QString::number(valor.toDouble(), 'f', qBound(0, escala, 38));
        return QString::number(valor.toDouble(), 'g', 15);
    default:
        return ado::enUnaLinea(valor.toString());
    }
}

QString tablaComoTexto(ado::Recordset& rs)
{
    const auto campos = rs.Fields();
    const int n = campos.Count();
    QStringList titulos;
    QList<int> anchos;
    QList<bool> derecha;
    for (int c = 0; c < n; ++c) {
        const ado::Field f = campos.Item(c);
        titulos << QStringLiteral("%1 (%2)").arg(f.Name()).arg(f.Type());
        anchos << int(titulos.last().size());
        derecha << esNumero(f.Type());
    }
    QList<QStringList> filas;
    if (rs.RecordCount() > 0)
        rs.MoveFirst();
    for (; !rs.Eof(); rs.MoveNext()) {
        QStringList fila;
        for (int c = 0; c < n; ++c) {
            const ado::Field f = campos.Item(c);
            fila << textoValor(f.Value(), f.Type(), f.NumericScale());
            anchos[c] = std::max(anchos[c], int(fila.last().size()));
        }
        filas << fila;
    }
    auto linea = [&](const QStringList& celdas, bool alinear) {
        QStringList partes;
        for (int c = 0; c < n; ++c)
            partes << (alinear && derecha[c] ? celdas[c].rightJustified(anchos[c])
                                             : celdas[c].leftJustified(anchos[c]));
        QString texto = partes.join(QLatin1String(" | "));
        while (texto.endsWith(u' '))
            texto.chop(1);
        return texto + u'\n';
    };
    QString texto = linea(titulos, false);
    QStringList reglas;
    for (int c = 0; c < n; ++c)
        reglas << QString(anchos[c], u'-');
    texto += reglas.join(QLatin1String("-+-")) + u'\n';
    for (const QStringList& fila : std::as_const(filas))
        texto += linea(fila, true);
    return texto + (filas.size() == 1 ? QStringLiteral("(1 fila)\n")
                                      : QStringLiteral("(%1 filas)\n").arg(filas.size()));
}

QString textoAyuda()
{
    return QStringLiteral(
        "Uso: dalvohd-sql [opciones] [-Q sentencia]...\n"
        "\n"
        "Ejecuta sentencias SQL sobre la base de DalvoHD con la misma conexión que el programa y muestra\n"
        "cada conjunto de resultados como una tabla (nombre y código de tipo ADO de cada columna).\n"
        "Sin -Q lee las sentencias de la entrada estándar; una línea que sólo dice GO separa los lotes.\n"
        "\n"
        "Opciones:\n"
        "  -S, --server <servidor>    demo, sqlite:<archivo>, host, host,puerto o host\\instancia\n"
        "                             (por omisión, el servidor de dalvohd.conf o DALVOHD_SERVER)\n"
        "  -d, --database <base>      base de datos (vacía: la del usuario; si es master, dalvoPralMendoza)\n"
        "  -U, --user <usuario>       usuario (en el servidor demo, operador)\n"
        "  -P, --password <clave>     clave (o la variable DALVOHD_PASSWORD; en el servidor demo, demo)\n"
        "  -Q, --query <sentencia>    sentencia o lote a ejecutar; puede repetirse\n"
        "  -h, --help                 muestra esta ayuda\n"
        "\n"
        "Con DALVOHD_SQL_TRACE=<archivo> cada sentencia queda anotada en ese archivo.\n"
        "Termina con estado 1 si hubo algún error.\n");
}

int ejecutarHerramienta(const QStringList& argumentos, QTextStream& entrada, QTextStream& salida,
                        QTextStream& errores)
{
    Opciones o = leerOpciones(argumentos);
    if (o.ayuda) {
        salida << textoAyuda();
        return 0;
    }
    if (!o.error.isEmpty()) {
        errores << o.error << QLatin1String("\nUse --help para ver las opciones.\n");
        return 1;
    }
    if (const QString falta = completarConexion(o.servidor, o.usuario, o.clave); !falta.isEmpty()) {
        errores << falta << u'\n';
        return 1;
    }

    cUserConnection conexion;
    try {
        conexion.Connect(o.servidor, o.usuario, o.clave, o.baseDatos);
    } catch (const Falla& f) {
        errores << QLatin1String("Error ") << f.Numero << QLatin1String(" (") << f.Origen
                << QLatin1String("):\n") << f.Descripcion << u'\n';
        errores.flush();
        return 1;
    }

    const QStringList lotes = o.sentencias.isEmpty() ? separarLotes(entrada.readAll()) : o.sentencias;
    bool todoBien = true;
    for (const QString& lote : lotes) {
        todoBien = correrLote(lote, *conexion.Connection, salida, errores) && todoBien;
        salida.flush();
        errores.flush();
    }
    return todoBien ? 0 : 1;
}

} // namespace dalvo::herramientas
