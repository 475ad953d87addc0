#include "consultation/CondicionConsulta.h"

#include "common/FuncionesGenerales.h"

#include <QLocale>

namespace dalvo {

namespace {

bool esBlanco(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool esDigito(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool esSigno(QChar c)
{
    return c == u'+' || c == u'-';
}

// Builds the texts of one consultation. v is the value as typed, t the trimmed value; their quoted forms
// are for literals.
class Armador
{
public:
    explicit Armador(const PedidoConsulta& pedido) : p(pedido) { tomarValor(pedido.valor); }

    CondicionConsulta armar()
    {
        switch (p.caso) {
        case 1:
            prestadores();
            break;
        case 2:
            afiliados();
            break;
        case 3:
            medicamentos();
            break;
        case 4:
            tickets(QStringLiteral("T.Fecha_Prestacion"), QStringLiteral("T.num_Afil"));
            break;
        case 5:
            cierres();
            break;
        case 6:
            errores();
            break;
        case 7:
            practicas();
            break;
        case 8:
            medicos();
            break;
        case 9:
            tickets(QStringLiteral("T.FechaDePractica"), QStringLiteral("T.Asociado"));
            break;
        case 10:
            acciones();
            break;
        default:
            break;
        }
        return r;
    }

private:
    void tomarValor(const QString& valor)
    {
        v = valor;
        t = recortar(valor);
    }
    QString vq() const { return ComillasSql(v); }
    QString tq() const { return ComillasSql(t); }

    bool es(const char* nombre) const { return criterio == QLatin1String(nombre); }

    void poner(const QString& descripcion, const QString& condicion)
    {
        r.descripcion = descripcion;
        r.condicion = condicion;
    }

    // Criteria that need a number set nothing when the value is not one.
    bool numero()
    {
        if (EsNumero(v))
            return true;
        r.numeroValido = false;
        return false;
    }

    QString desde() const { return FechaSQL(p.desde, false, false).toString(); }
    QString hasta() const { return FechaSQL(p.hasta, true, false).toString(); }
    QString entre(const QString& columna) const
    {
        return columna + QStringLiteral(" BETWEEN '") + desde() + QStringLiteral("' AND '") + hasta() + u'\'';
    }
    QString fechasTexto() const { return p.desde + QStringLiteral(" y el ") + p.hasta; }

    QString igual(const QString& columna) const { return columna + QStringLiteral(" = '") + vq() + u'\''; }
    QString contiene(const QString& columna) const
    {
        return columna + QStringLiteral(" LIKE '%") + vq() + QStringLiteral("%'");
    }
    QString empieza(const QString& columna) const
    {
        return columna + QStringLiteral(" LIKE '") + vq() + QStringLiteral("%'");
    }
    // Exact or partial: "igual a" with =, "parecido a" with LIKE '%...%'.
    void igualOParecido(const QString& igualA, const QString& parecidoA, const QString& columna)
    {
        if (p.exacto)
            poner(igualA + t, igual(columna));
        else
            poner(parecidoA + t, contiene(columna));
    }

    void prestadores()
    {
        if (es("CODIGO"))
            poner(QStringLiteral("Prestadores con código ") + t, contiene(QStringLiteral("P.Prestador_OS")));
        if (es("LICENCIA"))
            poner(QStringLiteral("Prestadores con licencia ") + t, contiene(QStringLiteral("P.Licencia")));
        if (es("NOMBRE"))
            igualOParecido(QStringLiteral("Prestadores con nombre igual a "),
                           QStringLiteral("Prestadores con nombre parecido a "), QStringLiteral("P.Nombre"));
        if (es("CLAVE") && numero())
            poner(QStringLiteral("Prestador ") + t, QStringLiteral(" P.IdPrestador = ") + v);
        if (es("TIPO PRESTADOR"))
            poner(QStringLiteral("Prestadores con nombre igual a ") + t,
                  empieza(QStringLiteral("TP.TipoPrestador")));
        if (es("CON MOVIMIENTOS"))
            poner(QStringLiteral("Prestadores con movimientos entre el ") + fechasTexto(),
                  QStringLiteral(
                      " (SELECT COUNT(*) FROM Tickets T (NOLOCK) WHERE T.IdPrestador = P.IdPrestador") +
                      QStringLiteral(" AND ") + entre(QStringLiteral("T.Fecha_Prestacion")) +
                      QStringLiteral(") > 0"));
    }

    void afiliados()
    {
        if (es("NUMERO") || es("CLAVE"))
            igualOParecido(QStringLiteral("Afiliados con número igual a "),
                           QStringLiteral("Afiliados con número parecido a "), QStringLiteral("Num_Afil"));
    }

    void medicamentos()
    {
        if (es("TROQUEL") && numero())
            igualOParecido(QStringLiteral("Medicamentos con troquel igual a "),
                           QStringLiteral("Medicamentos con troquel parecido a "),
                           QStringLiteral("M.Troquel"));
        if (es("CODIGO DE BARRA") && numero())
            igualOParecido(QStringLiteral("Medicamentos con código de barra igual a "),
                           QStringLiteral("Medicamentos con código de barra parecido a "),
                           QStringLiteral("M.Barra"));
        if (es("NOMBRE"))
            igualOParecido(QStringLiteral("Medicamentos con nombre igual a "),
                           QStringLiteral("Medicamentos con nombre parecido a "), QStringLiteral("M.Nombre"));
    }

    void practicas()
    {
        if (es("CODIGO") && numero())
            igualOParecido(QStringLiteral("Prácticas con código igual a "),
                           QStringLiteral("Prácticas con código parecido a "),
                           QStringLiteral("P.PracticaOS"));
        // An exact name is a prefix.
        if (es("NOMBRE")) {
            if (p.exacto)
                poner(QStringLiteral("Práctica con nombre igual a ") + t,
                      empieza(QStringLiteral("P.Descripcion")));
            else
                poner(QStringLiteral("Práctica con nombre parecido a ") + t,
                      contiene(QStringLiteral("P.Descripcion")));
        }
    }

    void medicos()
    {
        if (es("MATRICULA") && numero()) {
            if (p.exacto)
                poner(QStringLiteral("Medico con matrícula igual a ") + t,
                      igual(QStringLiteral("M.Matricula")));
            else
                poner(QStringLiteral("Medicos con matrícula parecida a ") + t,
                      contiene(QStringLiteral("M.Matricula")));
        }
        if (es("CLAVE") && numero())
            poner(QStringLiteral("Médico con clave igual a ") + t, igual(QStringLiteral("M.idMedico")));
        if (es("NOMBRE")) {
            if (p.exacto)
                poner(QStringLiteral("Médicos con nombre igual a ") + t, empieza(QStringLiteral("M.Nombre")));
            else
                poner(QStringLiteral("Médicos con nombre parecido a ") + t,
                      contiene(QStringLiteral("M.Nombre")));
        }
    }

    // Pharmacy and provider tickets differ only in their date and member columns.
    void tickets(const QString& fecha, const QString& asociado)
    {
        const QString rango = QStringLiteral(" AND ") + entre(fecha);
        const QString fechas = QStringLiteral(", entre el ") + fechasTexto();
        if (es("FECHA"))
            poner(QStringLiteral("Tickets entre el ") + fechasTexto(), u' ' + entre(fecha));
        if (es("CLAVE") && numero())
            poner(QStringLiteral("Ticket número ") + t, QStringLiteral("T.IdTicket = ") + v);
        if (es("AUSYST") && numero())
            poner(QStringLiteral("Ticket AuSysT ") + t, QStringLiteral("T.AuSysT = ") + v);
        if (es("CODIGO PRESTADOR")) {
            igualOParecido(QStringLiteral("Tickets para codigo de prestador igual a "),
                           QStringLiteral("Tickets para codigo de prestador parecido a "),
                           QStringLiteral("P.Prestador_OS"));
            agregar(fechas, rango);
        }
        if (es("NOMBRE PRESTADOR")) {
            igualOParecido(QStringLiteral("Tickets para nombre de prestador igual a "),
                           QStringLiteral("Tickets para nombre de prestador parecido a "),
                           QStringLiteral("P.Nombre"));
            agregar(fechas, rango);
        }
        if (es("CIERRE") && numero())
            poner(QStringLiteral("Tickets del cierre ") + t, QStringLiteral("T.idCierre = ") + v);
        // The member's number as a prefix, trimmed.
        if (es("ASOCIADO"))
            poner(QStringLiteral("Tickets del asociado ") + t,
                  asociado + QStringLiteral(" LIKE '") + tq() + QStringLiteral("%'") + rango);
    }

    void cierres()
    {
        const QString rango = QStringLiteral(" AND ") + entre(QStringLiteral("C.FechaServer"));
        if (es("FECHA"))
            poner(QStringLiteral("Cierres entre el ") + fechasTexto(),
                  u' ' + entre(QStringLiteral("C.FechaServer")));
        if (es("CLAVE") && numero())
            poner(QStringLiteral("Cierre número ") + t, QStringLiteral("C.IdCierre = ") + v);
        if (es("PRESTADOR")) {
            igualOParecido(QStringLiteral("Cierres para nombre de prestador igual a "),
                           QStringLiteral("Cierres para nombre de prestador parecido a "),
                           QStringLiteral("P.Nombre"));
            agregar(QStringLiteral(", entre el ") + fechasTexto(), rango);
        }
    }

    void acciones()
    {
        if (es("CODIGO") && numero()) {
            if (p.exacto) {
                // Action codes are four digits: the typed number is written back padded (or cut) to four.
                const QString codigo = (QStringLiteral("0000") + t).right(4);
                r.valorReescrito = codigo;
                tomarValor(codigo);
                poner(QStringLiteral("Acciones con código igual a ") + t,
                      igual(QStringLiteral("A.CodigoAccion")));
            } else {
                poner(QStringLiteral("Medicamentos con código parecido a ") + t,
                      contiene(QStringLiteral("A.CodigoAccion")));
            }
        }
        if (es("NOMBRE"))
            igualOParecido(QStringLiteral("Acciones con nombre igual a "),
                           QStringLiteral("Acciones con nombre parecido a "),
                           QStringLiteral("A.Descripcion"));
    }

    void errores()
    {
        r.descripcion = QStringLiteral("Lista de Errores");
        if (es("CLAVE") && numero())
            poner(QStringLiteral("Error número ") + t, QStringLiteral(" NumeroErrorSYS = ") + v);
    }

    void agregar(const QString& descripcion, const QString& condicion)
    {
        r.descripcion = r.descripcion.value_or(QString()) + descripcion;
        r.condicion += condicion;
    }

    const PedidoConsulta& p;
    const QString criterio = p.criterio.toUpper();
    QString v;
    QString t;
    CondicionConsulta r;
};

} // namespace

CondicionConsulta ArmarCondicion(const PedidoConsulta& pedido)
{
    return Armador(pedido).armar();
}

bool EsNumero(const QString& valor)
{
    const QString decimal = QLocale().decimalPoint();
    const QChar separador = decimal.size() == 1 ? decimal.front() : QChar(u'.');
    qsizetype i = 0;
    const qsizetype n = valor.size();
    while (i < n && esBlanco(valor[i]))
        ++i;
    if (i < n && esSigno(valor[i]))
        ++i;
    int digitos = 0;
    while (i < n && esDigito(valor[i])) {
        ++i;
        ++digitos;
    }
    if (i < n && valor[i] == separador) {
        ++i;
        while (i < n && esDigito(valor[i])) {
            ++i;
            ++digitos;
        }
    }
    if (digitos == 0)
        return false;
    if (i < n && (valor[i] == u'e' || valor[i] == u'E')) {
        ++i;
        if (i < n && esSigno(valor[i]))
            ++i;
        int exponente = 0;
        while (i < n && esDigito(valor[i])) {
            ++i;
            ++exponente;
        }
        if (exponente == 0)
            return false;
    }
    while (i < n && esBlanco(valor[i]))
        ++i;
    return i == n;
}

QString ComillasSql(const QString& valor)
{
    QString doble = valor;
    return doble.replace(u'\'', QStringLiteral("''"));
}

} // namespace dalvo
