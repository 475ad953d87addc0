#include "data/GrabarLog.h"

#include "common/Programa.h"
#include "common/Reloj.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace dalvo {

namespace {

const QByteArray FinDeLinea = QByteArrayLiteral("\r\n");

// The log is read with the tools of the system's 8-bit code page: characters outside Latin-1 become "?".
QByteArray linea(const QString& texto)
{
    return texto.toLatin1() + FinDeLinea;
}

void borrarLogsAnteriores(const QDir& carpeta)
{
    const QStringList viejos = carpeta.entryList({QStringLiteral("*.log")}, QDir::Files);
    for (const QString& nombre : viejos)
        QFile::remove(
            carpeta.filePath(nombre)); // a file that cannot go stays; the new line is written anyway
}

void escribir(const QString& sTexto, const QString& sProcedimiento)
{
    const QDateTime ahora = Ahora();
    const QDir carpeta(carpetaLog());
    const QString archivo =
        carpeta.filePath(ahora.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".log"));
    const QString sello = selloLog(ahora);

    QByteArray texto;
    if (!QFileInfo::exists(archivo)) {
        borrarLogsAnteriores(carpeta);
        texto += linea(QStringLiteral("INICIO: ") + sello);
        texto += linea(QStringLiteral("APP.: ") + QString::fromLatin1(NombreEjecutable) +
                       QStringLiteral(" - Version ") + versionPrograma());
    }
    texto += linea(sello + QStringLiteral(" | ") + sTexto + QStringLiteral(" | ") + sProcedimiento);

    QFile log(archivo);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write(texto);
}

} // namespace

QString carpetaLog()
{
    const QString programa = CarpetaPrograma();
    const QFileInfo info(programa);
    if (info.isDir() && info.isWritable())
        return programa;
    const QString usuario = CarpetaDatosUsuario();
    QDir().mkpath(usuario);
    return usuario;
}

QString selloLog(const QDateTime& momento)
{
    QString mes = QLocale().monthName(momento.date().month(), QLocale::ShortFormat);
    if (mes.endsWith(QLatin1Char('.')))
        mes.chop(1);
    return momento.toString(QStringLiteral("dd/")) + mes + momento.toString(QStringLiteral("/yyyy HH:mm:ss"));
}

void GrabarLog(const QString& sTexto, const QString& sProcedimiento)
{
    try {
        escribir(sTexto, sProcedimiento);
    } catch (const std::exception&) {
        // Logging must never break the operation that logs: the event is lost.
    }
}

} // namespace dalvo
