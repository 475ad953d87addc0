#include "DatosPrueba.h"
#include "EntornoPrueba.h"
#include "common/Falla.h"
#include "common/Programa.h"
#include "reports/FuncionesReportes.h"
#include "reports/Informe.h"
#include "reports/frmVistaPrevia.h"

#include <QDir>
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
        QTest::newRow("solo order by") << QByteArray("SELECT * FROM Cierres ORDER BY IdCierre") << true
                                       << QStringList{"SELECT * FROM Cierres ", "", "", "ORDER BY IdCierre"};
        QTest::newRow("las cuatro en minusculas")
            << QByteArray("select a from t where x=1 group by a order by a") << true
            << QStringList{"select a from t ", "where x=1 ", "group by a ", "order by a"};
        QTest::newRow("group by sin where") << QByteArray("SELECT A FROM T GROUP BY A") << true
                                            << QStringList{"SELECT A FROM T ", "", "GROUP BY A", ""};
        QTest::newRow("where dentro de un nombre") << QByteArray("SELECT Somewhere FROM T") << true
                                                   << QStringList{"SELECT Some", "where FROM T", "", ""};
        QTest::newRow("sin select") << QByteArray("UPDATE T SET A = 1 WHERE B = 2") << false
                                    << QStringList{"", "WHERE B = 2", "", ""};
        QTest::newRow("vacio") << QByteArray() << false << QStringList{"", "", "", ""};
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
        QTest::addColumn<QByteArray>("texto");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<QString>("consulta");
        QTest::newRow("condicion antes del order by")
            << QByteArray("SELECT * FROM Cierres ORDER BY IdCierre") << " Cierres.IdCierre=5"
            << "SELECT * FROM Cierres  WHERE  Cierres.IdCierre=5\r\nORDER BY IdCierre";
        QTest::newRow("where existente con and") << QByteArray("SELECT X FROM T WHERE A=1 GROUP BY B") << "C"
                                                 << "SELECT X FROM T WHERE A=1  AND C\r\nGROUP BY B";
        QTest::newRow("sin condicion queda igual") << QByteArray("SELECT X FROM T\r\nORDER BY X") << ""
                                                   << "SELECT X FROM T\r\nORDER BY X";
        QTest::newRow("sin select") << QByteArray("EXEC sp") << "C"
                                    << "";
        QTest::newRow("vacio") << QByteArray("") << "C"
                               << "";
        QTest::newRow("sin archivo") << QByteArray() << "C"
                                     << "";
        QTest::newRow("acentos utf8") << QByteArray("SELECT 'Médico' AS M FROM T") << ""
                                      << QStringLiteral("SELECT 'Médico' AS M FROM T");
        QTest::newRow("acentos latin1") << QByteArray("SELECT 'M\xe9"
                                                      "dico' AS M FROM T")
                                        << "" << QStringLiteral("SELECT 'Médico' AS M FROM T");
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

    void rutaDelDisenoYCarpetaDeReportes()
    {
        QCOMPARE(RutaDiseno(QStringLiteral("  C:\\App\\Reportes\\  "), QStringLiteral("  Cierres ")),
                 QStringLiteral("C:\\App\\Reportes\\Cierres.rpt"));
        QCOMPARE(CarpetaReportes(), QDir::toNativeSeparators(CarpetaPrograma()) + QDir::separator() +
                                        QStringLiteral("Reportes") + QDir::separator());
    }

    void emitirReporteMensajes_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("filas");
        QTest::addColumn<QByteArray>("diseno"); // empty: no layout file
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("texto");
        const QString ruta = QStringLiteral("%1Reportes/Lista.rpt");
        QTest::newRow("sin filas aunque falte el diseno")
            << "Lista" << 0 << QByteArray() << "Generación de Reportes"
            << "No hay datos para generar reporte";
        QTest::newRow("sin diseno") << "Lista" << 2 << QByteArray() << "Generación de Reportes"
                                    << "Archivo de reportes " + ruta + " no encontrado.";
        QTest::newRow("diseno mal escrito") << "Lista" << 2 << QByteArray("{ \"columnas\": [ }") << "error"
                                            << "9001\r\n*\r\na3";
        QTest::newRow("campo que los datos no tienen")
            << "Lista" << 2 << QByteArray(R"({ "columnas": [ { "campo": "Otro" } ] })") << "error"
            << "9002\r\n*\r\na3";
        QTest::newRow("formula que el diseno no tiene")
            << "Lista" << 2
            << QByteArray(R"({ "formulas": {"Empresa": ""}, "columnas": [ { "campo": "Codigo" } ] })")
            << "error"
            << "9003\r\n*\r\na3";
        QTest::newRow("ticket sin segundo conjunto") << "Ticket" << 1 << DisenoSimple << "error"
                                                     << "91\r\n*\r\na3";
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
        const QString esperado = texto.arg(carpeta().chopped(9));
        if (esperado.contains(QLatin1Char('*'))) {
            const QStringList lineas = m.texto.split(QStringLiteral("\r\n"));
            QCOMPARE(lineas.size(), 3);
            QCOMPARE(lineas.first(), esperado.section(QStringLiteral("\r\n"), 0, 0));
            QCOMPARE(lineas.last(), esperado.section(QStringLiteral("\r\n"), 2, 2));
        } else {
            QCOMPARE(m.texto, esperado);
        }
    }

    void emitirReporteAbreLaVistaConLasFormulas_data()
    {
        QTest::addColumn<QString>("empresa");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("subtitulo");
        QTest::addColumn<QStringList>("mostradas");
        QTest::newRow("vacias: las del diseno")
            << ""
            << ""
            << "" << QStringList{"EMPRESA DEL DISENO", "TITULO DEL DISENO", "SUBTITULO DEL DISENO"};
        QTest::newRow("en mayusculas")
            << "Dalvo S.A."
            << "tickets"
            << " entre el 01/03/2008 y el 31/03/2008"
            << QStringList{"DALVO S.A.", "TICKETS", " ENTRE EL 01/03/2008 Y EL 31/03/2008"};
        QTest::newRow("comilla interna")
            << ""
            << "O'Brien"
            << "" << QStringList{"EMPRESA DEL DISENO", "O'BRIEN", "SUBTITULO DEL DISENO"};
    }
    void emitirReporteAbreLaVistaConLasFormulas()
    {
        QFETCH(QString, empresa);
        QFETCH(QString, titulo);
        QFETCH(QString, subtitulo);
        QFETCH(QStringList, mostradas);
        archivo(QStringLiteral("Reportes/Lista.rpt"), DisenoSimple);
        {
            ResultadoEnMemoria rs(tabla(3));
            EmitirReporte(QStringLiteral(" Lista "), rs, QLatin1Char(' ') + carpeta(), empresa, titulo,
                          subtitulo);
        }
        QVERIFY(mMensajes->mostrados().isEmpty());
        QCOMPARE(frmVistaPrevia::abiertas().size(), 1);
        frmVistaPrevia* vista = frmVistaPrevia::abiertas().first();
        QCOMPARE(vista->windowTitle(), QStringLiteral(" Lista "));
        QVERIFY(vista->isVisible() && (vista->windowState() & Qt::WindowMaximized) && !vista->isModal());
        const reportes::Informe& inf = vista->informe();
        QCOMPARE((QStringList{inf.formula(QStringLiteral("Empresa")), inf.formula(QStringLiteral("Titulo")),
                              inf.formula(QStringLiteral("SubTitulo"))}),
                 mostradas);
        QCOMPARE(inf.filas(), 3); // its own copy: the result set is gone
    }

    void elTicketLeeElSegundoConjunto_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<QString>("primeraFila");
        QTest::newRow("Ticket") << "Ticket"
                                << "segundo 1";
        QTest::newRow("ticket en minusculas") << "ticket"
                                              << "primero 1";
        QTest::newRow("Tickets1") << "Tickets1"
                                  << "primero 1";
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
