#pragma once

#include <QHash>
#include <QStringList>

namespace dalvo::herramientas {

// One option that takes a value, read from a command line as "--name value", "--name=value" or through a
// short alias ("-S value"). On return i points at the last argument used.
struct OpcionLeida
{
    QString nombre; // the long name
    QString valor;
    QString error; // Spanish, empty when the option was read
};

OpcionLeida leerOpcion(const QStringList& argumentos, qsizetype& i, const QHash<QString, QString>& cortas,
                       const QStringList& conValor);

// Fills what the command line left out as the program would: the default server, the password from
// DALVOHD_PASSWORD, and on the demo server the demo login. Returns the Spanish complaint when the user is
// still missing, else an empty text.
QString completarConexion(QString& servidor, QString& usuario, QString& clave);

// The connection's short aliases shared by the tools: -S, -d, -U, -P.
QHash<QString, QString> cortasConexion();

} // namespace dalvo::herramientas
