#include "DatosPrueba.h"
#include "EntornoPrueba.h"
#include "common/Falla.h"
#include "reports/FuncionesReportes.h"
#include "reports/Informe.h"
#include "reports/frmVistaPrevia.h"

#include <QRegularExpression>
#include <QTest>
#include <memory>

using namespace dalvo;

namespace {

const QByteArray DisenoSimple = R"({
    "formulas": { "Empresa": "EMPRESA DEL DISENO", "Titulo": "TITULO DEL DISENO", "SubTitulo": "SUBTITULO DEL DISENO" },
    "columnas": [ { "campo": "Codigo" }, { "campo": "Nombre" } ]
})";

ado::Tabla tabla(int filas, const QString& prefijo = QStringLiteral("fila"))
{
    ado::Tabla t;
    t.columnas = {prueba::columna(QStringLiteral("Codigo"), ado::adInteger),
                  prueba::columna(QStringLiteral("Nombre"), ado::adVarChar)};
    for (int i = 0; i < filas; ++i)
        t.celdas << i + 1 << QStringLiteral("%1 %2").arg(prefijo).arg(i + 1);
    return t;
}

void cerrarVistas()
{
    for (frmVistaPrevia* v : frmVistaPrevia::abiertas())
        v->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TstFuncionesReportes : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::GuionMensajes> mMensajes;

    QString archivo(const QString& nombre, const QByteArray& contenido)
    {
        return prueba::escribir(mEntorno->carpeta() + QLatin1Char('/') + nombre, contenido);
    }
    QString carpeta() const { return mEntorno->carpeta() + QStringLiteral("/Reportes/"); }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mMensajes = std::make_unique<prueba::GuionMensajes>();
    }
    void cleanup()
    {
        cerrarVistas();
        mMensajes.reset();
        mEntorno.reset();
    }

    void dividirConsulta_data()
    {
        QTest::addColumn<QByteArray>("texto");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("partes"); // select, where, group by, order by
        auto fila = [](const char* caso, const char* texto, bool ok, const char* partes) {
            QTest::newRow(caso) << QByteArray(texto) << ok << QString::fromLatin1(partes).split(u'|');
        };
        fila("solo order by", "SELECT * FROM Cierres ORDER BY IdCierre", true,
             "SELECT * FROM Cierres |||ORDER BY IdCierre");
        fila("las cuatro en minusculas", "select a from t where x=1 group by a order by a", true,
             "select a from t |where x=1 |group by a |order by a");
        fila("group by sin where", "SELECT A FROM T GROUP BY A", true, "SELECT A FROM T ||GROUP BY A|");
        fila("where dentro de un nombre", "SELECT Somewhere FROM T", true, "SELECT Some|where FROM T||");
        fila("sin select", "UPDATE T SET A = 1 WHERE B = 2", false, "|WHERE B = 2||");
        fila("vacio", "", false, "|||");
    }
    void dividirConsulta()
    {
        QFETCH(QByteArray, texto);
        QFETCH(bool, ok);
        QFETCH(QStringList, partes);
        PartesConsulta p;
        QCOMPARE(DividirConsulta(archivo(QStringLiteral("q.SQL"), texto), p), ok);
        QCOMPARE((QStringList{p.select, p.where, p.groupBy, p.orderBy}), partes);
    }

    void armarConsultaReporte_data()
    {
        QTest::addColumn<QByteArray>("texto"); // null: no file
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<QString>("consulta");
        auto fila = [](const char* caso, const QByteArray& texto, const char* condicion,
                       const QString& consulta) {
            QTest::newRow(caso) << texto << QString::fromLatin1(condicion) << consulta;
        };
        fila("condicion antes del order by", "SELECT * FROM Cierres ORDER BY IdCierre", " Cierres.IdCierre=5",
             "SELECT * FROM Cierres  WHERE  Cierres.IdCierre=5\r\nORDER BY IdCierre");
        fila("where existente con and", "SELECT X FROM T WHERE A=1 GROUP BY B", "C",
             "SELECT X FROM T WHERE A=1  AND C\r\nGROUP BY B");
        fila("sin condicion queda igual", "SELECT X FROM T\r\nORDER BY X", "",
             "SELECT X FROM T\r\nORDER BY X");
        fila("sin select", "EXEC sp", "C", "");
        fila("sin archivo", QByteArray(), "C", "");
        fila("acentos utf8", "SELECT 'Médico' AS M FROM T", "",
             QStringLiteral("SELECT 'Médico' AS M FROM T"));
        fila("acentos latin1",
             "SELECT 'M\xe9"
             "dico' AS M FROM T",
             "", QStringLiteral("SELECT 'Médico' AS M FROM T"));
    }
    void armarConsultaReporte()
    {
        QFETCH(QByteArray, texto);
        QFETCH(QString, condicion);
        QFETCH(QString, consulta);
        const QString ruta = texto.isNull() ? mEntorno->carpeta() + QStringLiteral("/no.SQL")
                                            : archivo(QStringLiteral("q.SQL"), texto);
        QCOMPARE(ArmarConsultaReporte(ruta, condicion), consulta);
    }

    void palabraFueraDeOrdenEsUnaFalla()
    {
        const QString ruta =
            archivo(QStringLiteral("q.SQL"), "SELECT a, (SELECT MAX(b) FROM c GROUP BY d) FROM e WHERE f");
        try {
            ArmarConsultaReporte(ruta, QString());
            QFAIL("sin falla");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 5);
        }
    }

    void emitirReporteMensajes_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("filas");
        QTest::addColumn<QByteArray>("diseno"); // empty: no layout file
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("texto");
        auto fila = [](const char* caso, const char* nombre, int filas, const QByteArray& diseno,
                       const char* titulo, const QString& texto) {
            QTest::newRow(caso) << QString::fromLatin1(nombre) << filas << diseno << QString::fromUtf8(titulo)
                                << texto;
        };
        const char* generacion = "Generación de Reportes";
        fila("sin filas aunque falte el diseno", "Lista", 0, {}, generacion,
             "No hay datos para generar reporte");
        fila("sin diseno", "Lista", 2, {}, generacion,
             "Archivo de reportes %1Reportes/Lista.rpt no encontrado.");
        fila("diseno mal escrito", "Lista", 2, "{ \"columnas\": [ }", "error", "9001\r\n*\r\na3");
        fila("campo que los datos no tienen", "Lista", 2, R"({ "columnas": [ { "campo": "Otro" } ] })",
             "error", "9002\r\n*\r\na3");
        fila("formula que el diseno no tiene", "Lista", 2,
             R"({ "formulas": {"Empresa": ""}, "columnas": [ { "campo": "Codigo" } ] })", "error",
             "9003\r\n*\r\na3");
        fila("ticket sin segundo conjunto", "Ticket", 1, DisenoSimple, "error", "91\r\n*\r\na3");
    }
    void emitirReporteMensajes()
    {
        QFETCH(QString, nombre);
        QFETCH(int, filas);
        QFETCH(QByteArray, diseno);
        QFETCH(QString, titulo);
        QFETCH(QString, texto);
        if (!diseno.isEmpty())
            archivo(QStringLiteral("Reportes/") + nombre + QStringLiteral(".rpt"), diseno);
        ResultadoEnMemoria rs(tabla(filas));
        EmitirReporte(nombre, rs, carpeta(), QString(), QStringLiteral("t"), QString());
        QCOMPARE(frmVistaPrevia::abiertas().size(), 0);
        QCOMPARE(mMensajes->mostrados().size(), 1);
        const ui::Mensaje& m = mMensajes->mostrados().first();
        QCOMPARE(m.titulo, titulo);
        QCOMPARE(m.icono, titulo == QLatin1String("error") ? ui::Icono::Critico : ui::Icono::Ninguno);
        QCOMPARE(m.botones, ui::Botones::OK);
        // "*" stands for one line of the description.
        const QString patron = QRegularExpression::escape(texto.arg(carpeta().chopped(9)))
                                   .replace(QStringLiteral("\\*"), QStringLiteral("[^\r\n]*"));
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(patron)).match(m.texto).hasMatch(),
                 qPrintable(m.texto));
    }

    // Empty values leave the layout's own; given ones are shown in capitals, a quote kept as it is.
    void emitirReporteAbreLaVistaConLasFormulas_data()
    {
        prueba::filasDeTexto(
            {"empresa", "titulo", "subtitulo", "mostradas"},
            {{"vacias: las del diseno", "", "", "",
              "EMPRESA DEL DISENO|TITULO DEL DISENO|SUBTITULO DEL DISENO"},
             {"en mayusculas", "Dalvo S.A.", "tickets", " entre el 01/03/2008",
              "DALVO S.A.|TICKETS| ENTRE EL 01/03/2008"},
             {"comilla interna", "", "O'Brien", "", "EMPRESA DEL DISENO|O'BRIEN|SUBTITULO DEL DISENO"}});
    }
    void emitirReporteAbreLaVistaConLasFormulas()
    {
        QFETCH(QString, empresa);
        QFETCH(QString, titulo);
        QFETCH(QString, subtitulo);
        QFETCH(QString, mostradas);
        archivo(QStringLiteral("Reportes/Lista.rpt"), DisenoSimple);
        {
            ResultadoEnMemoria rs(tabla(3));
            EmitirReporte(QStringLiteral(" Lista "), rs, QLatin1Char(' ') + carpeta(), empresa, titulo,
                          subtitulo);
        }
        QVERIFY(mMensajes->mostrados().isEmpty());
        QCOMPARE(frmVistaPrevia::abiertas().size(), 1);
        frmVistaPrevia* vista = frmVistaPrevia::abiertas().first();
        const reportes::Informe& inf = vista->informe();
        QCOMPARE((QStringList{inf.formula(QStringLiteral("Empresa")), inf.formula(QStringLiteral("Titulo")),
                              inf.formula(QStringLiteral("SubTitulo"))}),
                 mostradas.split(u'|'));
        QCOMPARE(inf.filas(), 3); // its own copy: the result set is gone
    }

    void elTicketLeeElSegundoConjunto_data()
    {
        prueba::filasDeTexto({"nombre", "primeraFila"}, {{"Ticket", "Ticket", "segundo 1"},
                                                         {"ticket en minusculas", "ticket", "primero 1"},
                                                         {"Tickets1", "Tickets1", "primero 1"}});
    }
    void elTicketLeeElSegundoConjunto()
    {
        QFETCH(QString, nombre);
        QFETCH(QString, primeraFila);
        archivo(QStringLiteral("Reportes/") + nombre + QStringLiteral(".rpt"), DisenoSimple);
        ResultadoEnMemoria rs(std::vector<ado::Tabla>{tabla(1, QStringLiteral("primero")),
                                                      tabla(4, QStringLiteral("segundo"))});
        EmitirReporte(nombre, rs, carpeta(), QString(), QString(), QString());
        QCOMPARE(frmVistaPrevia::abiertas().size(), 1);
        const reportes::Informe& inf = frmVistaPrevia::abiertas().first()->informe();
        QCOMPARE(inf.datos().celda(0, 1).toString(), primeraFila);
    }
};

QTEST_MAIN(TstFuncionesReportes)
#include "tst_FuncionesReportes.moc"
