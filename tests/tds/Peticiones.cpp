#include "tds/Peticiones.h"

#include <QRegularExpression>
#include <QStringList>
#include <array>

namespace dalvo::tds {

namespace {

// Offsets of the login record's variable-length fields (offset, length in characters) in their order.
enum CampoLogin
{
    Equipo,
    Usuario,
    Clave,
    Aplicacion,
    Servidor,
    Extension,
    Biblioteca,
    Idioma,
    BaseDatos,
    kCamposLogin
};
constexpr int kInicioCampos = 36;

void saltarCabeceras(Lector& l)
{
    const quint32 total = l.u32();
    if (total < 4 || total - 4 > quint32(l.quedan()))
        throw ErrorProtocolo("cabeceras de largo " + std::to_string(total));
    l.saltar(total - 4);
}

// The login record hides the password by swapping the nibbles of each byte and XOR-ing it with 0xA5.
QString desofuscarClave(const QByteArray& b)
{
    QByteArray claro(b.size(), '\0');
    for (qsizetype i = 0; i < b.size(); ++i) {
        const quint8 x = quint8(b[i]) ^ 0xA5;
        claro[i] = char(quint8((x << 4) | (x >> 4)));
    }
    return deUtf16(claro);
}

} // namespace

Login7 leerLogin7(const QByteArray& datos)
{
    Lector l(datos);
    const quint32 largo = l.u32();
    if (largo > quint32(datos.size()) || largo < kInicioCampos + 4 * kCamposLogin)
        throw ErrorProtocolo("registro de login de largo " + std::to_string(largo));
    Login7 lg;
    lg.versionTds = l.u32();
    lg.tamanoPaquete = l.u32();
    l.irA(kInicioCampos);
    std::array<std::pair<quint16, quint16>, kCamposLogin> campos{};
    for (auto& [inicio, cuenta] : campos) {
        inicio = l.u16();
        cuenta = l.u16();
    }
    auto texto = [&](CampoLogin c) {
        const auto [inicio, cuenta] = campos[c];
        if (c == Extension || inicio + 2 * cuenta > int(largo))
            return QString();
        l.irA(inicio);
        return c == Clave ? desofuscarClave(l.bytes(2 * cuenta)) : l.utf16(cuenta);
    };
    lg.usuario = texto(Usuario);
    lg.clave = texto(Clave);
    lg.baseDatos = texto(BaseDatos);
    return lg;
}

QString leerLote(const QByteArray& datos, bool conCabeceras)
{
    Lector l(datos);
    if (conCabeceras)
        saltarCabeceras(l);
    return l.utf16(l.quedan() / 2);
}

QString LlamadaRpc::nombre() const
{
    if (!procedimiento.isEmpty())
        return procedimiento;
    return idProcedimiento == kSpExecuteSql
               ? QStringLiteral("sp_executesql")
               : QStringLiteral("procedimiento del sistema %1").arg(idProcedimiento);
}

QVector<LlamadaRpc> leerRpc(const QByteArray& datos, bool conCabeceras)
{
    Lector l(datos);
    if (conCabeceras)
        saltarCabeceras(l);
    QVector<LlamadaRpc> llamadas;
    while (!l.fin()) {
        LlamadaRpc c;
        const quint16 largo = l.u16();
        if (largo == 0xFFFF)
            c.idProcedimiento = l.u16();
        else
            c.procedimiento = l.utf16(largo);
        l.u16(); // option flags
        // Parameters run to the end of the message or to the flag that starts the next call.
        while (!l.fin()) {
            const quint8 siguiente = quint8(l.datos()[l.posicion()]);
            if (siguiente == 0x80 || siguiente == 0xFF || siguiente == 0xFE)
                break;
            ParametroRpc p;
            p.nombre = l.bVarchar();
            p.salida = (l.u8() & 0x01) != 0;
            p.tipo = leerTipo(l);
            p.valor = leerValor(l, p.tipo);
            c.parametros.append(p);
        }
        llamadas.append(c);
        if (!l.fin())
            l.u8();
    }
    return llamadas;
}

QString literalSql(const TipoTds& tipo, const QVariant& valor)
{
    if (ado::esNulo(valor))
        return QStringLiteral("NULL");
    if (tipo.esTexto()) {
        QString s = valor.toString();
        s.replace(u'\'', QStringLiteral("''"));
        return (tipo.esUnicode() ? QStringLiteral("N'") : QStringLiteral("'")) + s + u'\'';
    }
    switch (valor.typeId()) {
    case QMetaType::Bool:
        return valor.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
        if (tipo.tipo == tipo::DECIMALN || tipo.tipo == tipo::NUMERICN)
            return QString::number(valor.toDouble(), 'f', tipo.escala);
        if (tipo.tipo == tipo::MONEYN)
            return QString::number(valor.toDouble(), 'f', 4);
        return QString::number(valor.toDouble(), 'g', 17);
    case QMetaType::QDateTime: {
        const QDateTime f = valor.toDateTime();
        const QString formato = f.time().msec() == 0 ? QStringLiteral("yyyy-MM-dd hh:mm:ss")
                                                     : QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz");
        return u'\'' + f.toString(formato) + u'\'';
    }
    default:
        return valor.toString();
    }
}

QString sentenciaDeExecuteSql(const LlamadaRpc& llamada)
{
    if (llamada.parametros.isEmpty())
        return {};
    const QString sentencia = llamada.parametros[0].valor.toString();
    if (llamada.parametros.size() < 3)
        return sentencia;
    // Names in the order the declaration lists them; a named parameter keeps its own name.
    static const QRegularExpression kNombre(QStringLiteral(R"(@(\w+))"));
    QStringList declarados;
    for (auto it = kNombre.globalMatch(llamada.parametros[1].valor.toString()); it.hasNext();)
        declarados << it.next().captured(1).toLower();
    QHash<QString, QString> literales;
    for (qsizetype i = 2; i < llamada.parametros.size(); ++i) {
        const ParametroRpc& p = llamada.parametros[i];
        QString nombre = p.nombre.startsWith(u'@') ? p.nombre.mid(1).toLower() : p.nombre.toLower();
        if (nombre.isEmpty() && i - 2 < declarados.size())
            nombre = declarados[i - 2];
        literales.insert(nombre, literalSql(p.tipo, p.valor));
    }
    // Replace @name outside quotes, bracketed names and comments.
    QString salida;
    for (qsizetype i = 0; i < sentencia.size();) {
        const QChar c = sentencia[i];
        qsizetype fin = i + 1;
        if (c == u'\'' || c == u'[' || c == u'"') {
            const QChar cierre = c == u'[' ? u']' : c;
            while (fin < sentencia.size() && sentencia[fin] != cierre)
                ++fin;
            fin = std::min(fin + 1, sentencia.size());
        } else if (c == u'-' && sentencia.mid(i, 2) == QLatin1String("--")) {
            fin = sentencia.indexOf(u'\n', i);
            fin = fin < 0 ? sentencia.size() : fin;
        } else if (c == u'@') {
            while (fin < sentencia.size() && (sentencia[fin].isLetterOrNumber() || sentencia[fin] == u'_'))
                ++fin;
            const auto it = literales.constFind(sentencia.mid(i + 1, fin - i - 1).toLower());
            if (it != literales.constEnd()) {
                salida += *it;
                i = fin;
                continue;
            }
        }
        salida += sentencia.mid(i, fin - i);
        i = fin;
    }
    return salida;
}

bool soloOpcionesDeSesion(const QString& sql)
{
    // Options that change nothing a test looks at. Options that would change results (DATEFORMAT,
    // ROWCOUNT, FMTONLY ...) are not among them: those reach the engine, which refuses what it cannot run.
    static const QRegularExpression kSentencia(QStringLiteral(R"([;\r\n]+|(?=\bSET\b))"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression kOpcion(
        QStringLiteral(R"(^SET\s+(TEXTSIZE\s+-?\d+|(ANSI_\w+|QUOTED_IDENTIFIER|CONCAT_NULL_YIELDS_NULL|)"
                       R"(ARITHABORT|NUMERIC_ROUNDABORT|NOCOUNT|CURSOR_CLOSE_ON_COMMIT)\s+(ON|OFF)|)"
                       R"(IMPLICIT_TRANSACTIONS\s+OFF|LANGUAGE\s+us_english|)"
                       R"(TRANSACTION\s+ISOLATION\s+LEVEL\s+READ\s+COMMITTED)$)"),
        QRegularExpression::CaseInsensitiveOption);
    bool alguna = false;
    for (const QString& parte : sql.split(kSentencia, Qt::SkipEmptyParts)) {
        const QString s = parte.simplified();
        if (s.isEmpty())
            continue;
        if (!kOpcion.match(s).hasMatch())
            return false;
        alguna = true;
    }
    return alguna;
}

} // namespace dalvo::tds
