#include "reports/Diseno.h"

#include "common/Falla.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>

namespace dalvo::reportes {

namespace {

const QString Origen = QStringLiteral("Diseno");

// Reading one layout: every fault names the file and where in it.
class Lector
{
public:
    explicit Lector(QString nombre) : mNombre(std::move(nombre)) {}

    [[noreturn]] void falla(const QString& donde, const QString& problema) const
    {
        throw Falla(fallas::DisenoInvalido, Origen,
                    QStringLiteral("Diseño de reporte %1 no válido (%2): %3").arg(mNombre, donde, problema));
    }

    // Unknown keys are refused: a misspelt key in a hand-edited layout would otherwise go unnoticed.
    void soloClaves(const QJsonObject& o, const QString& donde, const QStringList& validas) const
    {
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (!validas.contains(it.key()))
                falla(donde, QStringLiteral("clave desconocida \"%1\"").arg(it.key()));
        }
    }

    QString texto(const QJsonObject& o, const QString& clave, const QString& donde, bool obligatoria = false,
                  const QString& porDefecto = {}) const
    {
        const QJsonValue v = o.value(clave);
        if (v.isUndefined()) {
            if (obligatoria)
                falla(donde, QStringLiteral("falta \"%1\"").arg(clave));
            return porDefecto;
        }
        if (!v.isString())
            falla(donde, QStringLiteral("\"%1\" debe ser un texto").arg(clave));
        return v.toString();
    }

    double numero(const QJsonObject& o, const QString& clave, const QString& donde, double porDefecto,
                  double minimo, double maximo) const
    {
        const QJsonValue v = o.value(clave);
        if (v.isUndefined())
            return porDefecto;
        if (!v.isDouble() || v.toDouble() < minimo || v.toDouble() > maximo)
            falla(
                donde,
                QStringLiteral("\"%1\" debe ser un número entre %2 y %3").arg(clave).arg(minimo).arg(maximo));
        return v.toDouble();
    }

    bool logico(const QJsonObject& o, const QString& clave, const QString& donde, bool porDefecto) const
    {
        const QJsonValue v = o.value(clave);
        if (v.isUndefined())
            return porDefecto;
        if (!v.isBool())
            falla(donde, QStringLiteral("\"%1\" debe ser true o false").arg(clave));
        return v.toBool();
    }

    QJsonObject objeto(const QJsonObject& o, const QString& clave, const QString& donde) const
    {
        const QJsonValue v = o.value(clave);
        if (!v.isUndefined() && !v.isObject())
            falla(donde, QStringLiteral("\"%1\" debe ser un objeto { }").arg(clave));
        return v.toObject();
    }

    QJsonArray lista(const QJsonObject& o, const QString& clave, const QString& donde) const
    {
        const QJsonValue v = o.value(clave);
        if (!v.isUndefined() && !v.isArray())
            falla(donde, QStringLiteral("\"%1\" debe ser una lista [ ]").arg(clave));
        return v.toArray();
    }

    QStringList textos(const QJsonObject& o, const QString& clave, const QString& donde) const
    {
        QStringList r;
        for (const QJsonValue& v : lista(o, clave, donde)) {
            if (!v.isString())
                falla(donde, QStringLiteral("\"%1\" debe ser una lista de nombres de campo").arg(clave));
            r.append(v.toString());
        }
        return r;
    }

    Formato formato(const QJsonObject& o, const QString& donde) const
    {
        const QString f = texto(o, QStringLiteral("formato"), donde);
        if (const auto formato = formatoDeNombre(f))
            return *formato;
        falla(
            donde,
            QStringLiteral("formato \"%1\" desconocido (##,##0.00, ####0, fecha, fechahora, texto)").arg(f));
    }

    // The formats written in placeholders ("{FechaDesde:fecha}") must be known ones.
    void validarMarcadores(const QString& texto, const QString& donde) const
    {
        for (const Marcador& m : marcadores(texto)) {
            if (!formatoDeNombre(m.formato))
                falla(donde, QStringLiteral("formato \"%1\" desconocido en {%2:%1}").arg(m.formato, m.campo));
        }
    }

    Qt::Alignment alineacion(const QJsonObject& o, const QString& donde) const
    {
        const QString a = texto(o, QStringLiteral("alineacion"), donde);
        if (a.isEmpty())
            return {};
        if (a == QLatin1String("izquierda"))
            return Qt::AlignLeft;
        if (a == QLatin1String("derecha"))
            return Qt::AlignRight;
        if (a == QLatin1String("centro"))
            return Qt::AlignHCenter;
        falla(donde, QStringLiteral("alineación \"%1\" desconocida (izquierda, derecha, centro)").arg(a));
    }

    void pagina(const QJsonObject& o, Diseno& d) const
    {
        const QString donde = QStringLiteral("pagina");
        soloClaves(o, donde,
                   {QStringLiteral("tamano"), QStringLiteral("orientacion"), QStringLiteral("margenes")});
        const QString tamano = texto(o, QStringLiteral("tamano"), donde, false, QStringLiteral("A4"));
        if (tamano == QLatin1String("A4"))
            d.tamano = QPageSize::A4;
        else if (tamano == QLatin1String("Carta"))
            d.tamano = QPageSize::Letter;
        else if (tamano == QLatin1String("Oficio"))
            d.tamano = QPageSize::Legal;
        else
            falla(donde, QStringLiteral("tamaño \"%1\" desconocido (A4, Carta, Oficio)").arg(tamano));
        const QString orientacion =
            texto(o, QStringLiteral("orientacion"), donde, false, QStringLiteral("vertical"));
        if (orientacion == QLatin1String("vertical"))
            d.orientacion = QPageLayout::Portrait;
        else if (orientacion == QLatin1String("horizontal"))
            d.orientacion = QPageLayout::Landscape;
        else
            falla(donde,
                  QStringLiteral("orientación \"%1\" desconocida (vertical, horizontal)").arg(orientacion));
        const QJsonObject m = objeto(o, QStringLiteral("margenes"), donde);
        const QString dondeM = QStringLiteral("pagina.margenes");
        soloClaves(m, dondeM,
                   {QStringLiteral("izquierdo"), QStringLiteral("superior"), QStringLiteral("derecho"),
                    QStringLiteral("inferior")});
        d.margenes = QMarginsF(numero(m, QStringLiteral("izquierdo"), dondeM, d.margenes.left(), 5, 60),
                               numero(m, QStringLiteral("superior"), dondeM, d.margenes.top(), 5, 60),
                               numero(m, QStringLiteral("derecho"), dondeM, d.margenes.right(), 5, 60),
                               numero(m, QStringLiteral("inferior"), dondeM, d.margenes.bottom(), 5, 60));
    }

    ColumnaDiseno columna(const QJsonValue& v, int i) const
    {
        const QString donde = QStringLiteral("columnas[%1]").arg(i);
        if (!v.isObject())
            falla(donde, QStringLiteral("cada columna es un objeto { }"));
        const QJsonObject o = v.toObject();
        soloClaves(o, donde,
                   {QStringLiteral("campo"), QStringLiteral("titulo"), QStringLiteral("ancho"),
                    QStringLiteral("alineacion"), QStringLiteral("formato"), QStringLiteral("multilinea")});
        ColumnaDiseno c;
        c.campo = texto(o, QStringLiteral("campo"), donde, true);
        c.titulo = texto(o, QStringLiteral("titulo"), donde, false, c.campo);
        c.ancho = numero(o, QStringLiteral("ancho"), donde, c.ancho, 1, 400);
        c.alineacion = alineacion(o, donde);
        c.formato = formato(o, donde);
        c.multilinea = logico(o, QStringLiteral("multilinea"), donde, false);
        return c;
    }

    GrupoDiseno grupo(const QJsonValue& v, int i) const
    {
        const QString donde = QStringLiteral("grupos[%1]").arg(i);
        if (!v.isObject())
            falla(donde, QStringLiteral("cada grupo es un objeto { }"));
        const QJsonObject o = v.toObject();
        soloClaves(o, donde,
                   {QStringLiteral("campo"), QStringLiteral("encabezado"), QStringLiteral("pie"),
                    QStringLiteral("subtotales"), QStringLiteral("saltoPagina")});
        GrupoDiseno g;
        g.campo = texto(o, QStringLiteral("campo"), donde, true);
        g.encabezado = texto(o, QStringLiteral("encabezado"), donde, false,
                             QLatin1Char('{') + g.campo + QLatin1Char('}'));
        g.pie = texto(o, QStringLiteral("pie"), donde, false, QStringLiteral("Subtotal"));
        g.subtotales = textos(o, QStringLiteral("subtotales"), donde);
        g.saltoPagina = logico(o, QStringLiteral("saltoPagina"), donde, false);
        validarMarcadores(g.encabezado + g.pie, donde);
        return g;
    }

    BloqueFormulario bloque(const QJsonValue& v, int i) const
    {
        const QString donde = QStringLiteral("formulario.bloques[%1]").arg(i);
        if (!v.isObject())
            falla(donde, QStringLiteral("cada bloque es un objeto { }"));
        const QJsonObject o = v.toObject();
        soloClaves(o, donde,
                   {QStringLiteral("titulo"), QStringLiteral("campos"), QStringLiteral("anchoCompleto")});
        BloqueFormulario b;
        b.titulo = texto(o, QStringLiteral("titulo"), donde);
        b.anchoCompleto = logico(o, QStringLiteral("anchoCompleto"), donde, false);
        const QJsonArray campos = lista(o, QStringLiteral("campos"), donde);
        for (int j = 0; j < campos.size(); ++j) {
            const QString dondeC = donde + QStringLiteral(".campos[%1]").arg(j);
            if (!campos[j].isObject())
                falla(dondeC, QStringLiteral("cada campo es un objeto { }"));
            const QJsonObject c = campos[j].toObject();
            soloClaves(c, dondeC,
                       {QStringLiteral("etiqueta"), QStringLiteral("campo"), QStringLiteral("texto"),
                        QStringLiteral("formato")});
            CampoFormulario campo;
            campo.etiqueta = texto(c, QStringLiteral("etiqueta"), dondeC);
            campo.campo = texto(c, QStringLiteral("campo"), dondeC);
            campo.texto = texto(c, QStringLiteral("texto"), dondeC);
            campo.formato = formato(c, dondeC);
            if (campo.campo.isEmpty() == campo.texto.isEmpty())
                falla(dondeC, QStringLiteral("lleva \"campo\" o \"texto\", uno de los dos"));
            validarMarcadores(campo.texto, dondeC);
            b.campos.append(campo);
        }
        return b;
    }

    void formulario(const QJsonObject& o, Diseno& d) const
    {
        const QString donde = QStringLiteral("formulario");
        soloClaves(o, donde,
                   {QStringLiteral("columnas"), QStringLiteral("anchoEtiqueta"), QStringLiteral("bloques")});
        d.formulario.columnas = static_cast<int>(numero(o, QStringLiteral("columnas"), donde, 2, 1, 4));
        d.formulario.anchoEtiqueta = numero(o, QStringLiteral("anchoEtiqueta"), donde, 0.42, 0.1, 0.9);
        const QJsonArray bloques = lista(o, QStringLiteral("bloques"), donde);
        for (int i = 0; i < bloques.size(); ++i)
            d.formulario.bloques.append(bloque(bloques[i], i));
    }

    void totales(const QJsonObject& o, Diseno& d) const
    {
        const QString donde = QStringLiteral("totales");
        soloClaves(o, donde, {QStringLiteral("etiqueta"), QStringLiteral("columnas")});
        d.totales.presente = true;
        d.totales.etiqueta =
            texto(o, QStringLiteral("etiqueta"), donde, false, QStringLiteral("Total general"));
        d.totales.columnas = textos(o, QStringLiteral("columnas"), donde);
        validarMarcadores(d.totales.etiqueta, donde);
    }

    Diseno leer(const QByteArray& contenido) const
    {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(contenido, &error);
        if (error.error != QJsonParseError::NoError) {
            const int linea = static_cast<int>(contenido.left(error.offset).count('\n')) + 1;
            falla(QStringLiteral("línea %1").arg(linea), error.errorString());
        }
        if (!doc.isObject())
            falla(QStringLiteral("inicio"), QStringLiteral("el diseño es un objeto { }"));
        const QJsonObject raiz = doc.object();
        const QString donde = QStringLiteral("raíz");
        soloClaves(raiz, donde,
                   {QStringLiteral("pagina"), QStringLiteral("fuente"), QStringLiteral("cebra"),
                    QStringLiteral("formulas"), QStringLiteral("formulario"), QStringLiteral("columnas"),
                    QStringLiteral("grupos"), QStringLiteral("totales"), QStringLiteral("sinDatos")});
        Diseno d;
        d.nombre = mNombre;
        pagina(objeto(raiz, QStringLiteral("pagina"), donde), d);
        const QJsonObject fuente = objeto(raiz, QStringLiteral("fuente"), donde);
        soloClaves(fuente, QStringLiteral("fuente"), {QStringLiteral("familia"), QStringLiteral("tamano")});
        d.familia = texto(fuente, QStringLiteral("familia"), QStringLiteral("fuente"), false, d.familia);
        d.tamanoFuente =
            numero(fuente, QStringLiteral("tamano"), QStringLiteral("fuente"), d.tamanoFuente, 5, 14);
        d.cebra = logico(raiz, QStringLiteral("cebra"), donde, d.cebra);
        d.textoSinDatos = texto(raiz, QStringLiteral("sinDatos"), donde, false, d.textoSinDatos);

        const QJsonObject formulas = objeto(raiz, QStringLiteral("formulas"), donde);
        for (auto it = formulas.begin(); it != formulas.end(); ++it) {
            if (!it.value().isString())
                falla(QStringLiteral("formulas"), QStringLiteral("\"%1\" debe ser un texto").arg(it.key()));
            d.formulas.append({it.key(), it.value().toString()});
        }
        if (raiz.contains(QStringLiteral("formulario")))
            formulario(objeto(raiz, QStringLiteral("formulario"), donde), d);
        const QJsonArray columnas = lista(raiz, QStringLiteral("columnas"), donde);
        for (int i = 0; i < columnas.size(); ++i)
            d.columnas.append(columna(columnas[i], i));
        const QJsonArray grupos = lista(raiz, QStringLiteral("grupos"), donde);
        for (int i = 0; i < grupos.size(); ++i)
            d.grupos.append(grupo(grupos[i], i));
        if (raiz.contains(QStringLiteral("totales")))
            totales(objeto(raiz, QStringLiteral("totales"), donde), d);

        if (d.columnas.isEmpty() && d.formulario.bloques.isEmpty())
            falla(donde, QStringLiteral("el diseño no tiene columnas ni formulario"));
        if (d.columnas.isEmpty() && (!d.grupos.isEmpty() || d.totales.presente))
            falla(donde, QStringLiteral("grupos y totales necesitan columnas"));
        validarSumas(d);
        return d;
    }

    // Subtotals and totals are printed under their column, so each must name one.
    void validarSumas(const Diseno& d) const
    {
        auto esColumna = [&d](const QString& campo) {
            return std::any_of(d.columnas.begin(), d.columnas.end(), [&campo](const ColumnaDiseno& c) {
                return c.campo.compare(campo, Qt::CaseInsensitive) == 0;
            });
        };
        for (int i = 0; i < d.grupos.size(); ++i) {
            for (const QString& campo : d.grupos[i].subtotales) {
                if (!esColumna(campo))
                    falla(QStringLiteral("grupos[%1]").arg(i),
                          QStringLiteral("el subtotal \"%1\" no es una de las columnas").arg(campo));
            }
        }
        for (const QString& campo : d.totales.columnas) {
            if (!esColumna(campo))
                falla(QStringLiteral("totales"),
                      QStringLiteral("el total \"%1\" no es una de las columnas").arg(campo));
        }
    }

private:
    QString mNombre;
};

} // namespace

std::optional<Formato> formatoDeNombre(const QString& nombre)
{
    if (nombre.isEmpty())
        return Formato::Automatico;
    if (nombre == QLatin1String("##,##0.00"))
        return Formato::Importe;
    if (nombre == QLatin1String("####0"))
        return Formato::Entero;
    if (nombre == QLatin1String("fecha"))
        return Formato::Fecha;
    if (nombre == QLatin1String("fechahora"))
        return Formato::FechaHora;
    if (nombre == QLatin1String("texto"))
        return Formato::Texto;
    return std::nullopt;
}

Marcador leerMarcador(const QString& dentroDeLlaves)
{
    const qsizetype dosPuntos = dentroDeLlaves.indexOf(QLatin1Char(':'));
    if (dosPuntos < 0)
        return {dentroDeLlaves.trimmed(), {}};
    return {dentroDeLlaves.left(dosPuntos).trimmed(), dentroDeLlaves.mid(dosPuntos + 1).trimmed()};
}

QVector<Marcador> marcadores(const QString& texto)
{
    static const QRegularExpression marcador(QStringLiteral("\\{([^{}]+)\\}"));
    QVector<Marcador> r;
    for (auto it = marcador.globalMatch(texto); it.hasNext();)
        r.append(leerMarcador(it.next().captured(1)));
    return r;
}

QStringList Diseno::camposNombrados() const
{
    QStringList r;
    auto agregar = [&r](const QString& campo) {
        if (campo.compare(QLatin1String("cantidad"), Qt::CaseInsensitive) != 0 &&
            !r.contains(campo, Qt::CaseInsensitive))
            r.append(campo);
    };
    for (const ColumnaDiseno& c : columnas)
        agregar(c.campo);
    for (const GrupoDiseno& g : grupos) {
        agregar(g.campo);
        for (const Marcador& m : marcadores(g.encabezado) + marcadores(g.pie))
            agregar(m.campo);
    }
    for (const Marcador& m : marcadores(totales.etiqueta))
        agregar(m.campo);
    for (const BloqueFormulario& b : formulario.bloques) {
        for (const CampoFormulario& c : b.campos) {
            if (!c.campo.isEmpty())
                agregar(c.campo);
            for (const Marcador& m : marcadores(c.texto))
                agregar(m.campo);
        }
    }
    return r;
}

Diseno disenoDeTexto(const QByteArray& texto, const QString& nombre)
{
    return Lector(nombre).leer(texto);
}

Diseno leerDiseno(const QString& ruta)
{
    QFile archivo(ruta);
    const QString nombre = QFileInfo(ruta).completeBaseName();
    if (!archivo.open(QIODevice::ReadOnly))
        Lector(nombre).falla(ruta, archivo.errorString());
    return disenoDeTexto(archivo.readAll(), nombre);
}

} // namespace dalvo::reportes
