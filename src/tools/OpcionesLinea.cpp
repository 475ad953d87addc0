#include "tools/OpcionesLinea.h"

#include "data/Despliegue.h"
#include "data/TextoConexion.h"

namespace dalvo::herramientas {

OpcionLeida leerOpcion(const QStringList& argumentos, qsizetype& i, const QHash<QString, QString>& cortas,
                       const QStringList& conValor)
{
    const QString& a = argumentos[i];
    OpcionLeida o;
    o.nombre = a;
    bool tieneValor = false;
    if (const qsizetype igual = a.indexOf(u'='); a.startsWith(QLatin1String("--")) && igual > 0) {
        o.nombre = a.left(igual);
        o.valor = a.mid(igual + 1);
        tieneValor = true;
    }
    o.nombre = cortas.value(o.nombre, o.nombre);
    if (!conValor.contains(o.nombre)) {
        o.error = QStringLiteral("Opción desconocida: %1").arg(a);
    } else if (!tieneValor) {
        if (i + 1 >= argumentos.size())
            o.error = QStringLiteral("Falta el valor de %1").arg(a);
        else
            o.valor = argumentos[++i];
    }
    return o;
}

QString completarConexion(QString& servidor, QString& usuario, QString& clave)
{
    if (servidor.isEmpty())
        servidor = ado::servidorPredeterminado();
    if (clave.isEmpty())
        clave = qEnvironmentVariable("DALVOHD_PASSWORD");
    if (ado::claseServidor(servidor) == ado::ClaseServidor::Demo) {
        if (usuario.isEmpty())
            usuario = QStringLiteral("operador");
        if (clave.isEmpty())
            clave = QStringLiteral("demo");
    }
    return usuario.isEmpty() ? QStringLiteral("Falta el usuario (--user).") : QString();
}

QHash<QString, QString> cortasConexion()
{
    return {{QStringLiteral("-S"), QStringLiteral("--server")},
            {QStringLiteral("-d"), QStringLiteral("--database")},
            {QStringLiteral("-U"), QStringLiteral("--user")},
            {QStringLiteral("-P"), QStringLiteral("--password")}};
}

} // namespace dalvo::herramientas
