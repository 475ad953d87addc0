#include "adhoc/SentenciasConsultas.h"

#include "common/FuncionesGenerales.h"

#include <QDate>
#include <QRegularExpression>

namespace dalvo::adhoc {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool esUnoDe(const QString& tipo, std::initializer_list<const char*> nombres)
{
    for (const char* nombre : nombres) {
        if (tipo.compare(QLatin1String(nombre), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString rechazoNumero(const QString& columna)
{
    return QStringLiteral("El valor para ") + columna + QStringLiteral(" debe ser un número");
}

QString rechazoFecha(const QString& columna)
{
    return QStringLiteral("El valor para ") + columna +
           QStringLiteral(" debe ser una fecha de ocho cifras: año, mes y día (aaaammdd)");
}

// The day as eight digits, year first: typed so, or a date as the result list shows it (dd/mm/yyyy and
// perhaps a time), which is what picking a value from a row brings. Empty when it is neither.
QString diaEnOchoCifras(const QString& valor)
{
    static const QRegularExpression ocho(QStringLiteral("^\\d{8}$"));
    if (ocho.match(valor).hasMatch())
        return valor;
    static const QRegularExpression lista(
        QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})( \\d{1,2}:\\d{2}(:\\d{2})?)?$"));
    const QRegularExpressionMatch m = lista.match(valor);
    if (!m.hasMatch())
        return {};
    const QDate dia(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    return dia.isValid() ? dia.toString(QStringLiteral("yyyyMMdd")) : QString();
}

// A plain number as the server reads it: digits, perhaps a sign and one decimal separator (the point, or
// the comma the result list shows in a locale that writes it), sent with a point. Empty when the value is
// anything else, so that nothing but a number can reach the statement unquoted.
QString numeroPlano(const QString& valor, const QString& tipo)
{
    if (tipo.compare(QLatin1String("bit"), Qt::CaseInsensitive) == 0) {
        // The result list writes a bit as the locale's words.
        for (const char* si : {"Verdadero", "True"}) {
            if (valor.compare(QLatin1String(si), Qt::CaseInsensitive) == 0)
                return QStringLiteral("1");
        }
        for (const char* no : {"Falso", "False"}) {
            if (valor.compare(QLatin1String(no), Qt::CaseInsensitive) == 0)
                return QStringLiteral("0");
        }
    }
    static const QRegularExpression numero(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    if (!numero.match(valor).hasMatch())
        return {};
    QString plano = valor;
    plano.replace(QLatin1Char(','), QLatin1Char('.'));
    return plano;
}

} // namespace

ClaseColumna claseColumna(const QString& tipo)
{
    if (esUnoDe(tipo, {"char", "varchar", "nchar", "nvarchar", "text", "ntext", "sysname"}))
        return ClaseColumna::Texto;
    if (esUnoDe(tipo, {"datetime", "smalldatetime"}))
        return ClaseColumna::Fecha;
    return ClaseColumna::Numero;
}

qint32 filtroValor(const QString& tipo)
{
    return claseColumna(tipo) == ClaseColumna::Texto ? 0 : 1;
}

QString sqlTablas()
{
    return QStringLiteral("SELECT Name As Tabla From sysobjects where type='U' ORDER BY Tabla");
}

QString sqlFormatoTabla(const QString& sNombreTabla)
{
    // The catalogue's old outer join (c.usertype *= t.usertype) written as the LEFT JOIN it means, which
    // current servers accept.
    return QStringLiteral("SELECT ") + QStringLiteral("    c.colid AS Numero,") +
           QStringLiteral("    c.name AS Columna,") + QStringLiteral("    t.name AS Tipo,") +
           QStringLiteral("    c.length AS Longitud,") + QStringLiteral("    c.scale AS Decimales") +
           QStringLiteral("    FROM syscolumns c LEFT JOIN systypes t ON c.usertype = t.usertype") +
           QStringLiteral("    WHERE c.id = (select id from sysobjects where id = object_id('") +
           textoLiteral(sNombreTabla) + QStringLiteral("'))");
}

QString lineaCampo(const QString& nombreColumna, const QString& valor)
{
    if (valor.isEmpty())
        return nombreColumna;
    return nombreColumna + QStringLiteral(" [") + valor + QLatin1Char(']');
}

QString textoLiteral(const QString& valor)
{
    QString doblado = valor;
    doblado.replace(QLatin1Char('\''), QStringLiteral("''"));
    return doblado;
}

Comparacion comparacion(const clsItemDato& dato)
{
    const QString valor = comoTexto(dato.Valor);
    const QString& columna = dato.NombreColumna;
    switch (claseColumna(dato.Tipo)) {
    case ClaseColumna::Texto:
        return {columna + QStringLiteral(" LIKE '") + textoLiteral(valor) + QStringLiteral("%'"), {}};
    case ClaseColumna::Fecha: {
        const QString dia = diaEnOchoCifras(valor);
        if (dia.isEmpty())
            return {{}, rechazoFecha(columna)};
        return {QStringLiteral("CONVERT(Char(8), ") + columna + QStringLiteral(",112)") +
                    QStringLiteral(" = '") + dia + QLatin1Char('\''),
                {}};
    }
    case ClaseColumna::Numero:
        break;
    }
    const QString numero = numeroPlano(valor, dato.Tipo);
    if (numero.isEmpty())
        return {{}, rechazoNumero(columna)};
    return {columna + QStringLiteral(" = ") + numero, {}};
}

Consulta armarConsulta(const QString& sTabla, const QList<clsItemDato>& columnas)
{
    QString lista = QStringLiteral("SELECT ");
    for (qsizetype i = 0; i < columnas.size(); ++i) {
        lista += kCrLf + columnas[i].NombreColumna;
        if (i < columnas.size() - 1)
            lista += QLatin1Char(',');
    }

    QString condicion;
    for (const clsItemDato& dato : columnas) {
        if (comoTexto(dato.Valor).isEmpty())
            continue;
        const Comparacion c = comparacion(dato);
        if (!c.rechazo.isEmpty())
            return {{}, {}, c.rechazo};
        condicion +=
            condicion.isEmpty() ? kCrLf + QStringLiteral(" WHERE ") + kCrLf : kCrLf + QStringLiteral(" AND ");
        condicion += c.texto;
    }

    const QString tabla = kCrLf + QStringLiteral(" FROM ") + sTabla + QStringLiteral(" (nolock)");
    return {lista + tabla + condicion, QStringLiteral("SELECT COUNT(*) AS Cuenta ") + tabla + condicion, {}};
}

Decision decidirPorCuenta(qint64 filas)
{
    if (filas <= 0)
        return Decision::SinResultado;
    if (filas <= kFilasSinPregunta)
        return Decision::Correr;
    if (filas <= kFilasMaximas)
        return Decision::Confirmar;
    return Decision::Rechazar;
}

void agregarValores(ColeccionSeleccion& seleccion, const QStringList& encabezados, const QStringList& textos)
{
    for (qsizetype i = 0; i < encabezados.size(); ++i) {
        const auto numero = qint16(seleccion.size() + 1);
        clsItemSeleccion item;
        item.NumeroSeleccion = numero;
        item.Campo = encabezados[i];
        item.Valor = recortar(textos.value(i));
        item.Marcado = true;
        item.Clave = QString::number(numero) + QLatin1Char('K');
        seleccion.append(item);
    }
}

QList<LineaCampo> aplicarSeleccion(const ColeccionSeleccion& seleccion, QList<clsItemDato>& columnas)
{
    QList<LineaCampo> lineas;
    for (const clsItemSeleccion& item : seleccion) {
        if (!item.Marcado)
            continue;
        for (clsItemDato& dato : columnas) {
            if (dato.NombreColumna.compare(item.Campo, Qt::CaseInsensitive) != 0)
                continue;
            dato.Valor = item.Valor;
            lineas.append({dato.NumeroColumna - 1, lineaCampo(dato.NombreColumna, comoTexto(item.Valor))});
        }
    }
    return lineas;
}

} // namespace dalvo::adhoc
