#include "tools/HerramientaReporte.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "data/Despliegue.h"
#include "data/TextoConexion.h"
#include "data/cUserConnection.h"
#include "data/clsParametros.h"
#include "reports/CatalogoReportes.h"
#include "reports/ColeccionParametros.h"
#include "reports/FuncionesReportes.h"
#include "reports/Informe.h"
#include "reports/ItemsReportes.h"
#include "reports/ResultadoRecordset.h"
#include "reports/SalidaInforme.h"
#include "tools/OpcionesLinea.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace dalvo::herramientas {

namespace {

struct Opciones
{
    QString servidor, baseDatos, usuario, clave;
    QString salida, ticket, texto, empresa, carpeta;
    bool conTexto = false, conEmpresa = false;
    QString codigo;
    QStringList parametros; // CLAVE=VALOR
    bool ayuda = false;
    QString error;
};

const QStringList ConValor = {
    QStringLiteral("--server"),   QStringLiteral("--database"), QStringLiteral("--user"),
    QStringLiteral("--password"), QStringLiteral("--salida"),   QStringLiteral("--ticket"),
    QStringLiteral("--texto"),    QStringLiteral("--empresa"),  QStringLiteral("--carpeta")};

const QHash<QString, QString>& cortas()
{
    static const QHash<QString, QString> todas = [] {
        QHash<QString, QString> c = cortasConexion();
        c.insert(QStringLiteral("-o"), QStringLiteral("--salida"));
        c.insert(QStringLiteral("-t"), QStringLiteral("--ticket"));
        return c;
    }();
    return todas;
}

Opciones leerOpciones(const QStringList& argumentos)
{
    Opciones o;
    for (qsizetype i = 0; i < argumentos.size() && o.error.isEmpty(); ++i) {
        const QString& a = argumentos[i];
        if (a == u"-h" || a == u"--help") {
            o.ayuda = true;
            continue;
        }
        if (!a.startsWith(u'-')) {
            if (o.codigo.isEmpty())
                o.codigo = a;
            else if (a.contains(u'='))
                o.parametros << a;
            else
                o.error = QStringLiteral("Parámetro sin valor: %1 (se espera CLAVE=VALOR)").arg(a);
            continue;
        }
        const OpcionLeida opcion = leerOpcion(argumentos, i, cortas(), ConValor);
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
        else if (nombre == u"--salida")
            o.salida = valor;
        else if (nombre == u"--ticket")
            o.ticket = valor;
        else if (nombre == u"--texto")
            o.texto = valor;
        else if (nombre == u"--empresa")
            o.empresa = valor;
        else
            o.carpeta = valor;
        o.conTexto = o.conTexto || nombre == u"--texto";
        o.conEmpresa = o.conEmpresa || nombre == u"--empresa";
    }
    if (o.error.isEmpty() && !o.ayuda) {
        if (o.codigo.isEmpty())
            o.error = QStringLiteral("Falta el código del reporte (por ejemplo KC2).");
        else if (o.salida.isEmpty())
            o.error = QStringLiteral("Falta el archivo PDF de salida (--salida).");
    }
    return o;
}

// The collection the report window would lend: the dates (completed as the window completes them, empty when
// not given) and every CLAVE=VALOR.
ColeccionParametros coleccion(const QStringList& parametros)
{
    ColeccionParametros p;
    for (const QString& par : parametros) {
        const QString clave = par.section(u'=', 0, 0).trimmed().toUpper();
        QString valor = par.section(u'=', 1);
        const bool fecha = clave == u"FECHADESDE" || clave == u"FECHAHASTA";
        if (fecha && !valor.isEmpty()) {
            QVariant v = valor;
            if (!ValidarFecha(v))
                throw Falla(13, QStringLiteral("dalvohd-report"),
                            QStringLiteral("Fecha inválida: %1").arg(par));
            valor = v.toString();
        }
        p.Add(clave, valor);
    }
    for (const char* fecha : {"FECHADESDE", "FECHAHASTA"}) {
        if (!p.contiene(QString::fromLatin1(fecha)))
            p.Add(QString::fromLatin1(fecha), QString());
    }
    return p;
}

QString empresaDeLaBase()
{
    clsParametros parametros;
    parametros.Connection = gConexion->Connection;
    try {
        if (auto rs = parametros.Buscar())
            rs->Close();
    } catch (const Falla&) {
        return {}; // the layout's own text stands
    }
    return parametros.NombreEmpresa;
}

// The report: built, run, rendered and written. Returns the message of a failure, or empty text.
QString producir(const Opciones& o, QTextStream& salida)
{
    const ColeccionParametros p = coleccion(o.parametros);
    const QString carpeta =
        o.carpeta.isEmpty() ? CarpetaReportes()
                            : QDir::toNativeSeparators(QDir(o.carpeta).absolutePath()) + QDir::separator();
    QString textoItem = o.texto;
    if (!o.conTexto) {
        try {
            textoItem = textoItemReporte(o.codigo, p).value_or(QString());
        } catch (const Falla&) {
            // The window's item names a value this report does not need: the subtitle is the layout's.
        }
    }
    ValoresReporte valores{&p, textoItem, subtituloRango(p), o.ticket};
    TrabajoReporte t;
    resolverReporte(o.codigo, valores, t);
    if (!t.conocido)
        return QStringLiteral("Código de reporte desconocido: %1").arg(o.codigo);
    static const QRegularExpression numero(QStringLiteral("^ *\\d{1,10} *$"));
    if (o.codigo == u"KT" && !numero.match(o.ticket).hasMatch())
        return QStringLiteral("Debe seleccionar el numero de ticket a imprimir (--ticket)");
    if (!t.procedimiento)
        t.sql = ArmarConsultaReporte(carpeta + t.reporte + QStringLiteral(".SQL"), t.condicion);
    const QString enReporte = QStringLiteral(" (Reporte: ") + carpeta + t.reporte + u')';
    if (t.sql.isEmpty())
        return QStringLiteral("Archivo de consuta vacio") + enReporte;

    qint32 error = 0;
    QString descripcion;
    std::unique_ptr<ResultadoReporte> rs = OrigenConexion().Query(t.sql, error, descripcion);
    if (error != 0)
        return QStringLiteral("Error %1: %2").arg(error).arg(descripcion) + enReporte;
    ResultadoEnMemoria vacio{ado::Tabla()};
    const QString empresa = o.conEmpresa ? o.empresa : empresaDeLaBase();
    QString marcador;
    const InformePreparado inf =
        PrepararInforme(t.reporte, rs ? *rs : vacio, carpeta, empresa, t.titulo, t.subtitulo, marcador);
    if (inf.estado == InformePreparado::SinDatos)
        return QStringLiteral("No hay datos para generar reporte");
    if (inf.estado == InformePreparado::SinDiseno)
        return QStringLiteral("Archivo de reportes ") + inf.rutaDiseno + QStringLiteral(" no encontrado.");
    reportes::exportarPdf(*inf.informe, o.salida);
    salida << QStringLiteral("Reporte: %1\nFilas: %2\nPáginas: %3\nArchivo: %4\n")
                  .arg(t.reporte)
                  .arg(inf.informe->filas())
                  .arg(inf.informe->cantidadPaginas())
                  .arg(QDir::toNativeSeparators(QFileInfo(o.salida).absoluteFilePath()));
    return {};
}

} // namespace

QString textoAyudaReporte()
{
    return QStringLiteral(
        "Uso: dalvohd-report [opciones] CODIGO [CLAVE=VALOR]... --salida archivo.pdf\n"
        "\n"
        "Genera un reporte del catálogo (KC2, KT1, KM5 ...) en un archivo PDF, con la misma conexión,\n"
        "consulta y diseño que la ventana de reportes. Los parámetros son los de la ventana:\n"
        "FECHADESDE y FECHAHASTA como las escribe el operador (010308, 01032008 o 01/03/2008),\n"
        "CIERREACTUAL, PRESTADORACTUAL, AFILIADOACTUAL, MEDICAMENTOACTUAL ... (ver docs/reports.md).\n"
        "\n"
        "Opciones:\n"
        "  -o, --salida <archivo.pdf>  archivo a escribir (obligatorio)\n"
        "  -t, --ticket <número>       número de ticket del reporte KT\n"
        "      --texto <texto>         texto del ítem (subtítulo de muchos reportes); por omisión, el de la "
        "ventana\n"
        "      --empresa <nombre>      empresa del encabezado; por omisión, la de Parametros\n"
        "      --carpeta <carpeta>     carpeta de diseños y consultas; por omisión, Reportes junto al "
        "programa\n"
        "  -S, --server <servidor>     demo, sqlite:<archivo>, host, host,puerto o host\\instancia\n"
        "  -d, --database <base>       base de datos\n"
        "  -U, --user <usuario>        usuario (en el servidor demo, operador)\n"
        "  -P, --password <clave>      clave (o la variable DALVOHD_PASSWORD; en el servidor demo, demo)\n"
        "  -h, --help                  muestra esta ayuda\n"
        "\n"
        "Muestra el nombre del reporte, las filas y las páginas. Termina con estado 1 y el motivo si no hay\n"
        "datos, falta el diseño o la consulta falla.\n");
}

int ejecutarReporte(const QStringList& argumentos, QTextStream& salida, QTextStream& errores)
{
    Opciones o = leerOpciones(argumentos);
    if (o.ayuda) {
        salida << textoAyudaReporte();
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
    cUserConnection* anterior = gConexion;
    QString fallo;
    try {
        conexion.Connect(o.servidor, o.usuario, o.clave, o.baseDatos);
        gConexion = &conexion;
        fallo = producir(o, salida);
    } catch (const Falla& f) {
        fallo = QStringLiteral("Error %1 (%2): %3").arg(f.Numero).arg(f.Origen, f.Descripcion);
    }
    gConexion = anterior;
    salida.flush();
    if (!fallo.isEmpty()) {
        errores << fallo << u'\n';
        errores.flush();
        return 1;
    }
    return 0;
}

} // namespace dalvo::herramientas
