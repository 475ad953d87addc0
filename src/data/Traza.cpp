#include "data/Traza.h"

#include "common/Reloj.h"

#include <QFile>

namespace dalvo::ado {

namespace {

QString archivoTraza()
{
    return qEnvironmentVariable(kVariableTraza).trimmed();
}

} // namespace

QString enUnaLinea(const QString& texto)
{
    QString linea = texto;
    linea.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : linea)
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    return linea;
}

void trazar(const QString& sentencia, qint64 milisegundos, qint64 filas, qint32 numeroError)
{
    const QString archivo = archivoTraza();
    if (archivo.isEmpty())
        return;
    const QString linea = QStringLiteral("%1 | %2 ms | %3 filas | error %4 | %5\n")
                              .arg(Ahora().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")))
                              .arg(milisegundos)
                              .arg(filas)
                              .arg(numeroError)
                              .arg(enUnaLinea(sentencia));
    // The trace is a support aid: a trace file that cannot be written must not stop the statement.
    QFile f(archivo);
    if (f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        f.write(linea.toUtf8());
}

} // namespace dalvo::ado
