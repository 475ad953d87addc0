// Every report the report window offers, on the demo database, as the operator gets it: a row of the
// consultation's result list (the kind's own statement), the parameter collection the main window builds
// from it, the report window's items, the catalogue's SQL on the embedded server and the shipped layout.
// Also the totals of three "total" reports against the tickets, and dalvohd-report's exit codes.

#include "DatosPrueba.h"
#include "EntornoPrueba.h"
#include "common/Reloj.h"
#include "consultation/MuestraResultado.h"
#include "consultation/clsQuerys.h"
#include "data/FabricaMotor.h"
#include "data/Recordset.h"
#include "data/cUserConnection.h"
#include "data/embedded/MotorEmbebido.h"
#include "demo/BasePruebas.h"
#include "reports/CatalogoReportes.h"
#include "reports/GeneracionReportes.h"
#include "reports/Informe.h"
#include "reports/ParametrosReportes.h"
#include "tools/HerramientaReporte.h"
#include "ui/VistaLista.h"

#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <memory>

using namespace dalvo;

namespace {

const QString Desde = QStringLiteral("01/04/2024");
const QString Hasta = QStringLiteral("11/06/2024");
const QString RangoTickets = QStringLiteral(" BETWEEN '04/01/2024 00:00:00' AND '06/11/2024 23:59:59'");

// The row of the result list each context's reports are asked for (a condition on the kind's statement), and
// the reports that need another row: a provider of another type, a member with authorisations ...
struct FilaContexto
{
    qint16 contexto;
    const char* condicion;
    std::vector<std::pair<const char*, const char*>> otras;
};

const std::vector<FilaContexto>& filasContextos()
{
    static const std::vector<FilaContexto> filas = {
        {1,
         "P.IdPrestador = 1",
         {{"KP1", "P.IdPrestador = 4"}, {"KP2", "P.IdPrestador = 2"}, {"KP10", "P.IdPrestador = 3"}}},
        {2,
         "A.Num_afil = (SELECT TOP 1 T.Num_Afil FROM Tickets T (NOLOCK) WHERE T.Fecha_Prestacion BETWEEN "
         "'04/01/2024 00:00:00' AND '06/11/2024 23:59:59' GROUP BY T.Num_Afil ORDER BY COUNT(*) DESC)",
         {{"KA1", "A.Num_afil = (SELECT TOP 1 Num_Afil FROM Autorizaciones (NOLOCK) ORDER BY Num_Afil)"},
          {"KA6", "A.Num_afil = (SELECT TOP 1 Num_Afil FROM TrPrAfiliado (NOLOCK) ORDER BY Num_Afil)"}}},
        {3,
         "M.Troquel = (SELECT TOP 1 I.Troquel FROM Item_Tickets I (NOLOCK) INNER JOIN Tickets T (NOLOCK) ON "
         "T.IdTicket = I.IdTicket WHERE T.Fecha_Prestacion BETWEEN '04/01/2024 00:00:00' AND '06/11/2024 "
         "23:59:59' GROUP BY I.Troquel ORDER BY COUNT(*) DESC)",
         {{"KM9", "M.Troquel = (SELECT TOP 1 Troquel FROM TrPrMedicamento (NOLOCK) ORDER BY Troquel)"}}},
        {4,
         "T.IdPrestador = 1 AND T.medico_receta IS NOT NULL AND T.Fecha_Prestacion BETWEEN '06/10/2024 "
         "00:00:00' AND '06/11/2024 23:59:59'",
         {{"KA6", "T.Num_Afil = (SELECT TOP 1 Num_Afil FROM TrPrAfiliado (NOLOCK) ORDER BY Num_Afil)"}}},
        {5, "C.IdPrestador = 1", {{"KC15", "C.IdPrestador = 4"}, {"KP2", "C.IdPrestador = 2"}}},
        {7,
         "P.PracticaOS = (SELECT TOP 1 I.Practica FROM ItemTicketPrestador I (NOLOCK) INNER JOIN "
         "TicketPrestador T (NOLOCK) ON T.IdTicket = I.IdTicket WHERE T.Operacion IN ('11', '31') AND "
         "T.FechaDePractica BETWEEN '04/01/2024 00:00:00' AND '06/11/2024 23:59:59' GROUP BY I.Practica "
         "ORDER BY COUNT(*) DESC)",
         {}},
        {8,
         "M.Matricula = (SELECT TOP 1 X.Matricula FROM Tickets T (NOLOCK) INNER JOIN Medicos X (NOLOCK) ON "
         "X.IdMedico = T.medico_receta WHERE T.Fecha_Prestacion BETWEEN '04/01/2024 00:00:00' AND "
         "'06/11/2024 23:59:59' GROUP BY X.Matricula ORDER BY COUNT(*) DESC)",
         {}},
        {9,
         "T.IdPrestador = 4 AND T.Operacion = '11' AND T.MatriculaPP IS NOT NULL AND T.FechaDePractica "
         "BETWEEN '06/01/2024 00:00:00' AND '06/11/2024 23:59:59'",
         {{"KA6", "T.Asociado = (SELECT TOP 1 Num_Afil FROM TrPrAfiliado (NOLOCK) ORDER BY Num_Afil)"}}},
        {10, "A.CodigoAccion = '0007'", {}},
        {20, "", {}},
    };
    return filas;
}

// The codes a context offers, whatever the provider type.
QStringList codigosDelContexto(qint16 contexto)
{
    ColeccionParametros p;
    p.Add(QStringLiteral("FECHADESDE"), Desde);
    p.Add(QStringLiteral("FECHAHASTA"), Hasta);
    prueba::agregarParametros(p);
    QStringList codigos;
    for (const char* tipo : {"1", "14", "3"}) {
        p.setItem(QStringLiteral("TIPOPRESTADORACTUAL"), QString::fromLatin1(tipo));
        QList<ItemReporte> items;
        itemsReportes(contexto, p, items);
        for (const ItemReporte& i : items)
            if (!codigos.contains(i.clave))
                codigos << i.clave;
    }
    return codigos;
}

} // namespace

class TstReportesDemo : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::GuionMensajes> mMensajes;
    std::unique_ptr<RelojFijo> mReloj;
    std::unique_ptr<cUserConnection> mConexion;
    QString mServidor;
    ado::CreadorMotor mMotorAnterior;
    QLineEdit mDesde, mHasta;
    QWidget mVentana;

    // What one report gave: its parameters, rows and the report built from them.
    struct Generado
    {
        ColeccionParametros parametros;
        QString falla;
        int filas = -1;
        InformePreparado preparado;
    };

    // The collection the main window builds with the first row of the kind's result list selected.
    ColeccionParametros parametrosDeFila(qint16 contexto, const QString& condicion)
    {
        mDesde.setText(Desde);
        mHasta.setText(Hasta);
        if (contexto == contextos::Generales)
            return ParametrosGenerales(&mDesde, &mHasta).parametros;
        auto rs =
            mConexion->Query(clsQuerys::TextoConsulta(contexto, condicion, false, Desde, Hasta), true, true);
        ui::VistaLista lista;
        MuestraResultado(*rs, lista, mVentana);
        if (lista.cantidadItems() == 0)
            return {};
        lista.item(0)->setSelected(true);
        auto pedido = ParametrosEspecificos(contexto, lista, &mDesde, &mHasta);
        return std::move(pedido->parametros);
    }

    // The code as the report window offers it for that row, generated; the report is prepared as the
    // preview would show it.
    Generado generar(qint16 contexto, const QString& codigo, const QString& condicion)
    {
        Generado g;
        g.parametros = parametrosDeFila(contexto, condicion);
        if (g.parametros.Count() == 0) {
            g.falla = QStringLiteral("la consulta no da filas: ") + condicion;
            return g;
        }
        QList<ItemReporte> items;
        itemsReportes(contexto, g.parametros, items);
        const auto item =
            std::find_if(items.begin(), items.end(), [&](const ItemReporte& i) { return i.clave == codigo; });
        if (item == items.end()) {
            g.falla = QStringLiteral("la fila elegida no ofrece el reporte");
            return g;
        }
        PedidoReportes pedido;
        pedido.seleccionados = {*item};
        if (codigo == QLatin1String("KT"))
            pedido.ticket = parametrosDeFila(contextos::Tickets, filasContextos()[3].condicion)
                                .Item(QStringLiteral("TICKETACTUAL"));
        pedido.parametros = &g.parametros;
        pedido.subtituloRango = subtituloRango(g.parametros);
        pedido.carpeta = prueba::carpetaReportesFuente() + QLatin1Char('/');
        pedido.empresa = QStringLiteral("Obra Social de Prueba");
        GenerarReportes(pedido, origenReportes(),
                        [&g](const QString& nombre, ResultadoReporte& rs, const QString& carpeta,
                             const QString& empresa, const QString& titulo, const QString& subtitulo) {
                            QString marcador;
                            g.filas = rs.RecordCount();
                            g.preparado =
                                PrepararInforme(nombre, rs, carpeta, empresa, titulo, subtitulo, marcador);
                        });
        return g;
    }

    QString valor(const QString& sql)
    {
        auto rs = mConexion->Query(sql, true, true);
        return rs->Fields(0).Value().toString().trimmed();
    }

private slots:
    // One session for the whole program: the tests only read.
    void initTestCase()
    {
        mMotorAnterior =
            ado::registrarMotorEmbebido([] { return std::make_unique<embebido::MotorEmbebido>(); });
        mServidor = QStringLiteral("sqlite:") + demo::pruebas::basePruebas();
        mConexion = std::make_unique<cUserConnection>();
        mConexion->Connect(mServidor, QStringLiteral("operador"), QStringLiteral("demo"),
                           QStringLiteral("dalvoPralMendoza"));
    }
    void cleanupTestCase()
    {
        mConexion.reset();
        ado::registrarMotorEmbebido(mMotorAnterior);
    }

    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mMensajes = std::make_unique<prueba::GuionMensajes>();
        mReloj = std::make_unique<RelojFijo>(QDateTime(demo::pruebas::kHoy, QTime(12, 0)));
        gConexion = mConexion.get();
    }
    void cleanup()
    {
        gConexion = nullptr;
        mReloj.reset();
        mMensajes.reset();
        mEntorno.reset();
    }

    void cadaReporteDeCadaContexto_data()
    {
        QTest::addColumn<int>("contexto");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("condicion");
        for (const FilaContexto& f : filasContextos()) {
            for (const QString& codigo : codigosDelContexto(f.contexto)) {
                QString condicion = QString::fromLatin1(f.condicion);
                for (const auto& [otro, suCondicion] : f.otras)
                    if (codigo == QLatin1String(otro))
                        condicion = QString::fromLatin1(suCondicion);
                QTest::addRow("%d %s", f.contexto, qPrintable(codigo))
                    << int(f.contexto) << codigo << condicion;
            }
        }
    }
    void cadaReporteDeCadaContexto()
    {
        QFETCH(int, contexto);
        QFETCH(QString, codigo);
        QFETCH(QString, condicion);
        const Generado g = generar(static_cast<qint16>(contexto), codigo, condicion);
        QVERIFY2(mMensajes->mostrados().isEmpty(), qPrintable(mMensajes->mostrados().value(0).texto));
        QVERIFY2(g.falla.isEmpty(), qPrintable(g.falla));
        QVERIFY2(g.filas > 0, qPrintable(QStringLiteral("sin filas con ") + g.parametros.claves().join(',')));
        QCOMPARE(g.preparado.estado, InformePreparado::Listo);
        const reportes::Informe& inf = *g.preparado.informe;
        QVERIFY(!inf.formula(QStringLiteral("Titulo")).isEmpty());
        const reportes::Diseno& d = inf.diseno();
        const QRectF area =
            QRectF(QPointF(reportes::mmAUnidades(d.margenes.left()), reportes::mmAUnidades(d.margenes.top())),
                   QPointF(inf.tamanoPagina().width() - reportes::mmAUnidades(d.margenes.right()),
                           inf.tamanoPagina().height() - reportes::mmAUnidades(d.margenes.bottom())))
                .adjusted(-1, -1, 1, 1);
        // The first pages and the last (the totals): nothing off the printable area, no heading, label or
        // total cut (only long free texts of the rows may end in "…"), no placeholder left unexpanded.
        for (int p : {0, 1, 2, inf.cantidadPaginas() - 1}) {
            if (p >= inf.cantidadPaginas())
                continue;
            for (const reportes::Elemento& e : inf.elementosPagina(p)) {
                QVERIFY2(area.contains(e.rect.topLeft()) && area.contains(e.rect.bottomRight()),
                         qPrintable(QStringLiteral("fuera del margen: ") + e.texto));
                QVERIFY2(!e.texto.contains(QLatin1Char('{')), qPrintable(e.texto));
                if (e.tipo == reportes::Elemento::Texto && e.fuente != reportes::Fuente::Cuerpo)
                    QVERIFY2(!e.texto.endsWith(QChar(0x2026)), qPrintable(e.texto));
            }
        }
    }

    // A catalogue code that no context offers could never be produced.
    void cadaCodigoDelCatalogoSeOfrece()
    {
        QSet<QString> ofrecidos;
        for (const FilaContexto& f : filasContextos())
            for (const QString& c : codigosDelContexto(f.contexto))
                ofrecidos.insert(c);
        for (const EntradaCatalogo& e : catalogoReportes())
            QVERIFY2(ofrecidos.contains(QString::fromLatin1(e.codigo)), e.codigo);
    }

    // The grand total a "total" report prints is the sum of the tickets it stands for, counted here
    // straight from the ticket tables (items of tickets not cancelled, practices of operations 11 and 31).
    void totalesIgualesALaSumaDeLosTickets_data()
    {
        QTest::addColumn<int>("contexto");
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("farmacia"); // conditions on the ticket tables, {KEY} from the parameters
        QTest::addColumn<QString>("practicas");
        QTest::newRow("KA5 afiliado") << 2 << "KA5"
                                      << "T.Num_Afil = '{AFILIADOACTUAL}'"
                                      << "T.Asociado = '{AFILIADOACTUAL}'";
        QTest::newRow("KP9 prestador") << 1 << "KP9"
                                       << "T.IdPrestador = {PRESTADORACTUAL}"
                                       << "T.IdPrestador = {PRESTADORACTUAL}";
        QTest::newRow("KG1 planes") << 20 << "KG1"
                                    << "1 = 1"
                                    << "1 = 1";
    }
    void totalesIgualesALaSumaDeLosTickets()
    {
        QFETCH(int, contexto);
        QFETCH(QString, codigo);
        QFETCH(QString, farmacia);
        QFETCH(QString, practicas);
        const FilaContexto& fila =
            *std::find_if(filasContextos().begin(), filasContextos().end(),
                          [&](const FilaContexto& f) { return f.contexto == contexto; });
        const Generado g =
            generar(static_cast<qint16>(contexto), codigo, QString::fromLatin1(fila.condicion));
        QVERIFY2(g.falla.isEmpty(), qPrintable(g.falla));
        QVERIFY(g.preparado.informe);
        const ValoresReporte v{&g.parametros, {}, {}, {}};
        const QString sql =
            QStringLiteral(
                "SELECT (SELECT SUM(I.Precio * (I.Cantidad - I.Cantidad_Dev)) FROM Item_Tickets I "
                "(NOLOCK) INNER JOIN Tickets T (NOLOCK) ON T.IdTicket = I.IdTicket WHERE T.Anulado = 0 "
                "AND T.Fecha_Prestacion") +
            RangoTickets + QStringLiteral(" AND ") + expandirPlantilla(farmacia, v, true) +
            QStringLiteral(
                ") + (SELECT ISNULL(SUM(I.Cantidad * I.ValorNomenclador), 0) FROM "
                "ItemTicketPrestador I (NOLOCK) INNER JOIN TicketPrestador T (NOLOCK) ON T.IdTicket "
                "= I.IdTicket WHERE T.Anulado = 0 AND T.Operacion IN ('11', '31') AND "
                "T.FechaDePractica") +
            RangoTickets + QStringLiteral(" AND ") + expandirPlantilla(practicas, v, true) + QLatin1Char(')');
        const double esperado = valor(sql).toDouble();
        QVERIFY(esperado > 0);
        QVERIFY2(qAbs(g.preparado.informe->total(QStringLiteral("Importe")) - esperado) < 0.005,
                 qPrintable(QString::number(g.preparado.informe->total(QStringLiteral("Importe")), 'f', 2) +
                            QStringLiteral(" <> ") + QString::number(esperado, 'f', 2)));
    }

    // A closing's form lists the tickets the closing counts: its columns add up to the closing's figures.
    void elFormularioDeCierreSumaLoDelCierre_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("condicion");
        QTest::newRow("farmacia") << "KC5" << filasContextos()[4].condicion;
        QTest::newRow("practicas") << "KC15" << QString::fromLatin1(filasContextos()[4].otras[0].second);
    }
    void elFormularioDeCierreSumaLoDelCierre()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, condicion);
        const Generado g = generar(contextos::Cierres, codigo, condicion);
        QVERIFY2(g.falla.isEmpty(), qPrintable(g.falla));
        const reportes::Informe& inf = *g.preparado.informe;
        auto cabecera = [&inf](const char* campo) {
            for (int c = 0; c < inf.datos().columnas.size(); ++c)
                if (inf.datos().columnas[c].nombre == QLatin1String(campo))
                    return inf.datos().celda(0, c).toDouble();
            return -1.0;
        };
        QCOMPARE(inf.filas(), qsizetype(cabecera("CantTickets")));
        QVERIFY(qAbs(inf.total(QStringLiteral("Total")) - cabecera("TTicket")) < 0.005);
        QVERIFY(qAbs(inf.total(QStringLiteral("CargoAfiliado")) - cabecera("TAfilia")) < 0.005);
        QVERIFY(qAbs(inf.total(QStringLiteral("Bonificacion")) - cabecera("BPRAL")) < 0.005);
    }

    // dalvohd-report on the demo server: the PDF and its lines, or exit status 1 with the reason.
    void laHerramienta_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<int>("estado");
        QTest::addColumn<QString>("dice"); // on the output when it works, on the error output otherwise
        QTest::newRow("formulario de cierre")
            << QStringList{"KC5", "CIERREACTUAL={cierre}"} << 0 << "Reporte: FormularioCierre\nFilas: ";
        QTest::newRow("ticket") << QStringList{"KT", "--ticket", "{ticket}"} << 0
                                << "Reporte: Ticket\nFilas: ";
        QTest::newRow("ticket que no existe")
            << QStringList{"KT", "--ticket", "999999999"} << 1 << "No hay datos para generar reporte";
        QTest::newRow("error de la consulta")
            << QStringList{"KC2", "CIERREACTUAL=1 AND Nada = 1"} << 1 << "Error 207: ";
        QTest::newRow("sin archivo de consulta")
            << QStringList{"KC1", "--carpeta", "{vacia}"} << 1 << "Archivo de consuta vacio";
        QTest::newRow("sin diseno") << QStringList{"KT1", "--carpeta", "{vacia}"} << 1
                                    << "Tickets1.rpt no encontrado.";
        QTest::newRow("parametro que falta") << QStringList{"KC2"} << 1 << "CIERREACTUAL";
        QTest::newRow("fecha invalida")
            << QStringList{"KC4", "FECHADESDE=32/01/2008"} << 1 << "Fecha inválida: FECHADESDE=32/01/2008";
        QTest::newRow("ticket sin numero")
            << QStringList{"KT"} << 1 << "Debe seleccionar el numero de ticket a imprimir";
    }
    void laHerramienta()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(int, estado);
        QFETCH(QString, dice);
        const QString pdf = mEntorno->carpeta() + QStringLiteral("/x.pdf");
        argumentos.replaceInStrings(QStringLiteral("{vacia}"), mEntorno->carpeta());
        argumentos.replaceInStrings(QStringLiteral("{ticket}"),
                                    valor(QStringLiteral("SELECT MAX(IdTicket) FROM Item_Tickets (NOLOCK)")));
        argumentos.replaceInStrings(
            QStringLiteral("{cierre}"),
            valor(QStringLiteral("SELECT MAX(IdCierre) FROM Cierres (NOLOCK) WHERE IdPrestador = 1")));
        QStringList todos{"-S", mServidor, "-d", "dalvoPralMendoza", "-U", "operador", "-P", "demo"};
        if (!argumentos.contains(QStringLiteral("--carpeta")))
            todos << QStringLiteral("--carpeta") << prueba::carpetaReportesFuente();
        if (!argumentos.contains(QStringLiteral("--salida")))
            todos << QStringLiteral("-o") << pdf;
        QString textoSalida, textoErrores;
        QTextStream salida(&textoSalida), errores(&textoErrores);
        const int obtenido = herramientas::ejecutarReporte(todos + argumentos, salida, errores);
        QVERIFY2(obtenido == estado,
                 qPrintable(argumentos.join(u' ') + QStringLiteral(": ") + textoSalida + textoErrores));
        QVERIFY2((estado == 0 ? textoSalida : textoErrores).contains(dice),
                 qPrintable(textoSalida + textoErrores));
        QCOMPARE(QFile::exists(pdf), estado == 0);
    }
};

QTEST_MAIN(TstReportesDemo)
#include "tst_ReportesDemo.moc"
