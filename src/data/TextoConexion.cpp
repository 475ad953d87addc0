#include "data/TextoConexion.h"

namespace dalvo::ado {

namespace {

const QString kPrefijoEmbebido = QStringLiteral("sqlite:");

void asignar(DatosConexion& datos, const QString& clave, const QString& valor)
{
    const QString c = clave.trimmed().toLower();
    if (c == u"data source" || c == u"server")
        datos.servidor = valor.trimmed();
    else if (c == u"initial catalog" || c == u"database")
        datos.baseDatos = valor;
    else if (c == u"user id" || c == u"uid")
        datos.usuario = valor;
    else if (c == u"password" || c == u"pwd")
        datos.clave = valor;
}

QString sinCierre(QString clave)
{
    if (clave.endsWith(u" ; "))
        clave.chop(3);
    else if (clave.endsWith(u';'))
        clave.chop(1);
    return clave;
}

// The shape the program builds: each key found after the previous one, each value running up to the ";"
// that opens the next key.
bool leerEnOrden(const QString& texto, DatosConexion& datos)
{
    static const QString claves[] = {QStringLiteral("Data Source="), QStringLiteral(";Initial Catalog="),
                                     QStringLiteral(";User Id="), QStringLiteral(";Password=")};
    qsizetype inicio[4];
    qsizetype fin[4];
    qsizetype desde = 0;
    for (int i = 0; i < 4; ++i) {
        const qsizetype p = texto.indexOf(claves[i], desde, Qt::CaseInsensitive);
        if (p < 0)
            return false;
        if (i == 0 && p > 0 && texto.at(p - 1) != u';')
            return false;
        if (i > 0)
            fin[i - 1] = p;
        inicio[i] = p + claves[i].size();
        desde = inicio[i];
    }
    fin[3] = texto.size();
    datos.servidor = texto.mid(inicio[0], fin[0] - inicio[0]).trimmed();
    datos.baseDatos = texto.mid(inicio[1], fin[1] - inicio[1]);
    datos.usuario = texto.mid(inicio[2], fin[2] - inicio[2]);
    datos.clave = sinCierre(texto.mid(inicio[3]));
    return true;
}

} // namespace

DatosConexion leerTextoConexion(const QString& texto)
{
    DatosConexion datos;
    if (leerEnOrden(texto, datos))
        return datos;
    const auto partes = texto.split(u';');
    for (const QString& parte : partes) {
        const qsizetype igual = parte.indexOf(u'=');
        if (igual > 0)
            asignar(datos, parte.left(igual), parte.mid(igual + 1).trimmed());
    }
    return datos;
}

ClaseServidor claseServidor(const QString& servidor)
{
    const QString s = servidor.trimmed();
    if (s.compare(u"demo", Qt::CaseInsensitive) == 0)
        return ClaseServidor::Demo;
    if (s.startsWith(kPrefijoEmbebido, Qt::CaseInsensitive))
        return ClaseServidor::Embebido;
    return ClaseServidor::SqlServer;
}

QString rutaEmbebida(const QString& servidor)
{
    const QString s = servidor.trimmed();
    return s.startsWith(kPrefijoEmbebido, Qt::CaseInsensitive) ? s.mid(kPrefijoEmbebido.size()) : QString();
}

} // namespace dalvo::ado
