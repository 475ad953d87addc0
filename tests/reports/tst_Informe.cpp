#include "DatosPrueba.h"
#include "EntornoPrueba.h"
#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "common/Reloj.h"
#include "reports/FormatoCelda.h"
#include "reports/Informe.h"

#include <QTest>
#include <memory>

using namespace dalvo;
using namespace dalvo::reportes;

namespace {

Diseno disenoCierres()
{
    return leerDiseno(prueba::carpetaReportesFuente() + QStringLiteral("/Cierres.rpt"));
}

QStringList textos(const QVector<Elemento>& elementos, Fuente fuente)
{
    QStringList r;
    for (const Elemento& e : elementos) {
        if (e.tipo == Elemento::Texto && e.fuente == fuente)
            r.append(e.texto);
    }
    return r;
}

// The texts of the first column's cells of a page (the closing numbers of Cierres.rpt).
QStringList primeraColumna(const Informe& informe, int pagina)
{
    const double x = mmAUnidades(informe.diseno().margenes.left());
    QStringList r;
    for (const Elemento& e : informe.elementosPagina(pagina)) {
        if (e.tipo == Elemento::Texto && e.fuente == Fuente::Cuerpo && qAbs(e.rect.left() - x) < 1)
            r.append(e.texto);
    }
    return r;
}

const char* DisenoAgrupado = R"({
    "formulas": { "Empresa": "EMPRESA", "Titulo": "TITULO", "SubTitulo": "" },
    "columnas": [ { "campo": "IdCierre", "titulo": "Cierre", "ancho": 15 },
        { "campo": "Nombre", "titulo": "Prestador", "ancho": 60 }, { "campo": "TTicket", "titulo": "Total", "ancho": 25 } ],
    "grupos": [ { "campo": "IdPrestador", "encabezado": "Prestador {Prestador_OS}", "pie": "Total {Prestador_OS}: {cantidad}", "subtotales": ["TTicket"] } ],
    "totales": { "columnas": ["TTicket"] }
})";

// Layouts with one fault each, and what the message must say (moc reads raw strings poorly inside a class).
struct DisenoMalo
{
    const char* caso;
    const char* texto;
    const char* dice;
};
const DisenoMalo DisenosMalos[] = {
    {"json roto", "{\n  \"columnas\": [\n  { \"campo\": }\n]}", "(línea 3)"},
    {"clave mal escrita", R"({ "columna": [] })", "clave desconocida \"columna\""},
    {"columna sin campo", R"({ "columnas": [ { "titulo": "X" } ] })", "(columnas[0]): falta \"campo\""},
    {"subtotal que no es columna",
     R"({ "columnas": [ { "campo": "A" } ], "grupos": [ { "campo": "B", "subtotales": ["C"] } ] })",
     "el subtotal \"C\" no es una de las columnas"},
    {"vacio", "{ }", "no tiene columnas ni formulario"},
};

} // namespace

class TstInforme : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<RelojFijo> mReloj;

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mReloj = std::make_unique<RelojFijo>(QDateTime(QDate(2008, 4, 2), QTime(9, 15)));
    }
    void cleanup()
    {
        mReloj.reset();
        mEntorno.reset();
    }

    // Headings and page footers on every page, every row once and in order, and the grand totals on the
    // last page.
    void cadaPaginaConEncabezadosFilasEnOrdenYTotales_data()
    {
        QTest::addColumn<int>("filas");
        QTest::newRow("una") << 1;
        QTest::newRow("justo mas de una pagina") << 40;
        QTest::newRow("miles") << 2345;
    }
    void cadaPaginaConEncabezadosFilasEnOrdenYTotales()
    {
        QFETCH(int, filas);
        const ado::Tabla datos = prueba::tablaCierres(filas);
        const Informe informe(disenoCierres(), datos);
        const int paginas = informe.cantidadPaginas();
        QVERIFY(paginas >= 1);
        int siguiente = 1;
        for (int p = 0; p < paginas; ++p) {
            const QVector<Elemento> e = informe.elementosPagina(p);
            for (const ColumnaDiseno& c : informe.diseno().columnas)
                QVERIFY2(textos(e, Fuente::Negrita).contains(c.titulo), qPrintable(c.titulo));
            QVERIFY(
                textos(e, Fuente::Pie).contains(QStringLiteral("Página %1 de %2").arg(p + 1).arg(paginas)));
            QVERIFY(textos(e, Fuente::Pie).contains(QStringLiteral("Impreso el 02/04/2008 09:15")));
            const QStringList numeros = primeraColumna(informe, p);
            QVERIFY(p == paginas - 1 || !numeros.isEmpty());
            for (const QString& n : numeros)
                QCOMPARE(n.toInt(), siguiente++);
        }
        QCOMPARE(siguiente, filas + 1);
        QCOMPARE(paginas == 2, filas == 40);
        double suma = 0;
        int transacciones = 0;
        for (qsizetype i = 0; i < datos.filas(); ++i) {
            suma += datos.celda(i, 6).toDouble();
            transacciones += datos.celda(i, 5).toInt();
        }
        QCOMPARE(informe.total(QStringLiteral("TTicket")), suma);
        const QStringList ultima = textos(informe.elementosPagina(paginas - 1), Fuente::Negrita);
        QVERIFY(ultima.contains(FormatoNumero(suma, 1)));
        QVERIFY(ultima.contains(FormatoNumero(transacciones, 2)));
        QVERIFY(ultima.contains(QStringLiteral("Total general: %1 cierres").arg(filas)));
    }

    void subtotalesPorGrupoYEncabezadoRepetidoAlCortarPagina()
    {
        // 60 closings per provider: every group runs over a page break.
        const ado::Tabla datos = prueba::tablaCierres(180, 60);
        const Informe informe(disenoDeTexto(DisenoAgrupado, QStringLiteral("X")), datos);
        QStringList negritas;
        for (int p = 0; p < informe.cantidadPaginas(); ++p)
            negritas += textos(informe.elementosPagina(p), Fuente::Negrita);
        for (int g = 0; g < 3; ++g) {
            const QString codigo = QStringLiteral("%1").arg(g + 1, 6, 10, QLatin1Char('0'));
            double suma = 0;
            for (int i = g * 60; i < (g + 1) * 60; ++i)
                suma += datos.celda(i, 6).toDouble();
            const qsizetype pie = negritas.indexOf(QStringLiteral("Total %1: 60").arg(codigo));
            QVERIFY(pie >= 0);
            QCOMPARE(negritas.at(pie + 1), FormatoNumero(suma, 1));
            QCOMPARE(negritas.count(QStringLiteral("Prestador %1").arg(codigo)), 1);
        }
        QVERIFY(negritas.contains(QStringLiteral("Prestador 000001 (continuación)")));
        const auto& m = informe.diseno().margenes;
        const QRectF area = QRectF(QPointF(mmAUnidades(m.left()), mmAUnidades(m.top())),
                                   QPointF(informe.tamanoPagina().width() - mmAUnidades(m.right()),
                                           informe.tamanoPagina().height() - mmAUnidades(m.bottom())))
                                .adjusted(-1, -1, 1, 1);
        for (int p = 0; p < informe.cantidadPaginas(); ++p)
            for (const Elemento& e : informe.elementosPagina(p))
                QVERIFY2(area.contains(e.rect.topLeft()) && area.contains(e.rect.bottomRight()),
                         qPrintable(e.texto));
    }

    void textoLargoTerminaEnPuntosYNumeroNuncaSeCorta()
    {
        ado::Tabla datos = prueba::tablaCierres(1);
        datos.celdas[4] =
            QStringLiteral("Farmacia con un nombre larguísimo que no entra de ninguna manera en la columna");
        datos.celdas[6] = 123456789.25;
        QByteArray texto(DisenoAgrupado);
        texto.replace("\"ancho\": 25", "\"ancho\": 14");
        const Informe informe(disenoDeTexto(texto, QStringLiteral("X")), datos);
        const QVector<Elemento> e = informe.elementosPagina(0);
        const QStringList cuerpo = textos(e, Fuente::Cuerpo);
        QVERIFY(cuerpo.contains(FormatoNumero(123456789.25, 1)));
        const auto nombre = std::find_if(cuerpo.begin(), cuerpo.end(), [](const QString& t) {
            return t.startsWith(QLatin1String("Farmacia con"));
        });
        QVERIFY(nombre != cuerpo.end());
        QVERIFY(nombre->endsWith(QChar(0x2026)));
    }

    void disenoMalEscritoDiceDondeYQue_data()
    {
        QTest::addColumn<QByteArray>("texto");
        QTest::addColumn<QString>("dice");
        for (const DisenoMalo& d : DisenosMalos)
            QTest::newRow(d.caso) << QByteArray(d.texto) << QString::fromUtf8(d.dice);
    }
    void disenoMalEscritoDiceDondeYQue()
    {
        QFETCH(QByteArray, texto);
        QFETCH(QString, dice);
        try {
            disenoDeTexto(texto, QStringLiteral("Prueba"));
            QFAIL("sin falla");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, fallas::DisenoInvalido);
            QVERIFY2(f.Descripcion.startsWith(QStringLiteral("Diseño de reporte Prueba no válido")),
                     qPrintable(f.Descripcion));
            QVERIFY2(f.Descripcion.contains(dice), qPrintable(f.Descripcion));
        }
    }

    void marcadoresConFormato()
    {
        QByteArray texto(DisenoAgrupado);
        texto.replace("Prestador {Prestador_OS}",
                      "{Prestador_OS} desde {FechaServer:fecha} ({TTicket:####0})");
        const Informe informe(disenoDeTexto(texto, QStringLiteral("X")), prueba::tablaCierres(2));
        QVERIFY(textos(informe.elementosPagina(0), Fuente::Negrita)
                    .contains(QStringLiteral("000001 desde 01/03/2008 (1000)")));
    }

    void formatosDeLasCeldas_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("formato");
        QTest::addColumn<QString>("texto");
        const QDateTime medianoche(QDate(2008, 3, 1), QTime());
        const std::tuple<const char*, const char*, QVariant, int, const char*, const char*> filas[] = {
            {"importe es_AR", "es_AR", 1234567.5, ado::adCurrency, "", "1.234.567,50"},
            {"importe en_US", "en_US", 1234567.5, ado::adCurrency, "", "1,234,567.50"},
            {"menos uno no es vacio", "es_AR", -1.0, ado::adCurrency, "", "-1,00"},
            {"nulo", "es_AR", QVariant(), ado::adCurrency, "", ""},
            {"fecha y hora a medianoche", "es_AR", medianoche, ado::adDBTimeStamp, "fechahora",
             "01/03/2008 00:00:00"},
            {"automatica a medianoche", "es_AR", medianoche, ado::adDBTimeStamp, "", "01/03/2008"},
            {"texto yyyymmdd como fecha", "es_AR", QStringLiteral("20080301"), ado::adChar, "fecha",
             "01/03/2008"},
            {"char recortado", "es_AR", QStringLiteral("F00042    "), ado::adChar, "", "F00042"},
            {"texto como importe", "es_AR", QStringLiteral("12.5"), ado::adVarChar, "##,##0.00", "12,50"},
            {"bit", "es_AR", true, ado::adBoolean, "", "Sí"},
        };
        for (const auto& [caso, local, valor, tipo, formato, texto] : filas)
            QTest::newRow(caso) << QString::fromLatin1(local) << valor << tipo << QString::fromLatin1(formato)
                                << QString::fromUtf8(texto);
    }
    void formatosDeLasCeldas()
    {
        QFETCH(QString, local);
        QFETCH(QVariant, valor);
        QFETCH(int, tipo);
        QFETCH(QString, formato);
        QFETCH(QString, texto);
        mEntorno->setLocal(QLocale(local));
        QCOMPARE(formatearValor(valor, *formatoDeNombre(formato), tipo), texto);
    }
};

QTEST_MAIN(TstInforme)
#include "tst_Informe.moc"
