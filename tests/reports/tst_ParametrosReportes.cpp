#include "EntornoPrueba.h"
#include "common/Falla.h"
#include "reports/ParametrosReportes.h"
#include "ui/VistaLista.h"

#include <QLineEdit>
#include <QTest>
#include <memory>

using namespace dalvo;

namespace {

// A result list of 4 rows and 19 columns; each cell reads "<row letter><column>": a0, a1 ... d18.
std::unique_ptr<ui::VistaLista> lista(int columnas = 19)
{
    auto l = std::make_unique<ui::VistaLista>();
    for (int c = 0; c < columnas; ++c)
        l->agregarColumna(QStringLiteral("C%1").arg(c));
    for (const char fila : {'a', 'b', 'c', 'd'}) {
        QTreeWidgetItem* item =
            l->agregarItem(QString(), QStringLiteral("%1%2").arg(QLatin1Char(fila)).arg(0));
        for (int c = 1; c < columnas; ++c)
            item->setText(c, QStringLiteral("%1%2").arg(QLatin1Char(fila)).arg(c));
    }
    return l;
}

QStringList contenido(const ColeccionParametros& p)
{
    QStringList r;
    for (const QString& clave : p.claves())
        r << clave + QLatin1Char('=') + p.Item(clave);
    return r;
}

} // namespace

class TstParametrosReportes : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<QLineEdit> mDesde;
    std::unique_ptr<QLineEdit> mHasta;

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mDesde = std::make_unique<QLineEdit>(QStringLiteral("01/03/2008"));
        mHasta = std::make_unique<QLineEdit>(QStringLiteral("31/03/2008"));
    }
    void cleanup() { mEntorno.reset(); }

    // The third row is selected; the dates come first, then the kind's keys.
    void clavesDeCadaTipo_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("contexto");
        QTest::addColumn<QStringList>("claves");
        auto fila = [](const char* caso, int tipo, int contexto, const QString& claves) {
            QTest::newRow(caso) << tipo << contexto
                                << QStringLiteral("FECHADESDE=01/03/2008 FECHAHASTA=31/03/2008 %1")
                                       .arg(claves)
                                       .split(QLatin1Char(' '), Qt::SkipEmptyParts);
        };
        const QString tickets =
            QStringLiteral("TICKETACTUAL=c0 TICKETINICIAL=a0 TICKETFINAL=d0 AFILIADO=c3 "
                           "AFILIADOACTUAL=c3 PRESTADORACTUALNOMBRE=c6 MEDICORECETANOMBRE=c8");
        fila("afiliados", 2, 2, "AFILIADOACTUAL=c0 PLANAFILIADOACTUAL=c2");
        fila("tickets de farmacia", 4, 4, tickets + " PRESTADORACTUAL=c16 MEDICORECETA=c7");
        fila("tickets de prestador", 9, 9, tickets + " PRESTADORACTUAL=c13 MEDICORECETA=c7");
        fila("cierres", 5, 5,
             "CIERREACTUAL=c0 CIERREINICIAL=a0 CIERREFINAL=d0 PRESTADORACTUAL=c9 PRESTADORACTUALNOMBRE=c2 "
             "TIPOPRESTADORACTUAL=c10");
        fila("medicamentos", 3, 3,
             "MEDICAMENTOACTUAL=c0 MEDICAMENTOINICIAL=a0 MEDICAMENTOFINAL=d0 MEDICAMENTONOMBRE=c2");
        fila("acciones", 10, 10, "ACCIONACTUAL=c0 ACCIONINICIAL=a0 ACCIONFINAL=d0 ACCIONNOMBRE=c1");
        fila("medicos", 8, 8, "MEDICOACTUAL=c1 MEDICOINICIAL=a1 MEDICOFINAL=d1 MEDICONOMBRE=c2");
        fila("practicas", 7, 7, "PRACTICAACTUAL=c0 PRACTICAINICIAL=a0 PRACTICAFINAL=d0 PRACTICANOMBRE=c1");
        fila("prestadores", 1, 1,
             "PRESTADORACTUAL=c0 PRESTADORESPECIALIDAD=c1 CODIGOPRESTADORACTUAL=c4 PRESTADORACTUALNOMBRE=c5 "
             "TIPOPRESTADORACTUAL=c18");
        fila("errores del sistema", 6, 0, "");
    }
    void clavesDeCadaTipo()
    {
        QFETCH(int, tipo);
        QFETCH(int, contexto);
        QFETCH(QStringList, claves);
        auto l = lista();
        l->item(2)->setSelected(true);
        const auto pedido = ParametrosEspecificos(tipo, *l, mDesde.get(), mHasta.get());
        QVERIFY(pedido);
        QCOMPARE(pedido->contexto, contexto);
        QCOMPARE(contenido(pedido->parametros), claves);
    }

    void primeraYUltimaSegunElOrdenQueSeVe()
    {
        auto l = lista();
        l->ordenarPor(0, Qt::DescendingOrder);
        l->item(2)->setSelected(true); // "b" once sorted d, c, b, a
        const auto pedido = ParametrosEspecificos(5, *l, mDesde.get(), mHasta.get());
        QCOMPARE(pedido->parametros.Item(QStringLiteral("CIERREACTUAL")), QStringLiteral("b0"));
        QCOMPARE(pedido->parametros.Item(QStringLiteral("CIERREINICIAL")), QStringLiteral("d0"));
        QCOMPARE(pedido->parametros.Item(QStringLiteral("CIERREFINAL")), QStringLiteral("a0"));
    }

    void medicoSinNombre()
    {
        auto l = lista();
        l->item(1)->setText(2, QString());
        l->item(1)->setSelected(true);
        const auto pedido = ParametrosEspecificos(8, *l, mDesde.get(), mHasta.get());
        QCOMPARE(pedido->parametros.Item(QStringLiteral("MEDICONOMBRE")), QStringLiteral("Medico"));
    }

    void listaVaciaNoDaNada()
    {
        ui::VistaLista vacia;
        vacia.agregarColumna(QStringLiteral("C0"));
        QVERIFY(!ParametrosEspecificos(5, vacia, mDesde.get(), mHasta.get()));
    }

    // A list narrower than the kind expects: the list control's own error, for the main window's handler.
    void columnaQueFaltaEsUnaFalla()
    {
        auto l = lista(11);
        l->item(0)->setSelected(true);
        try {
            ParametrosEspecificos(4, *l, mDesde.get(), mHasta.get());
            QFAIL("sin falla");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 35600);
            QCOMPARE(f.Origen, QStringLiteral("frmDalvoHD.mnuReportes"));
            QCOMPARE(f.Descripcion,
                     QStringLiteral("Índice fuera de los límites (columna 16 para PRESTADORACTUAL)"));
        }
    }

    void fechasEnlazadasConLaVentanaPrincipal()
    {
        PedidoVentanaReportes pedido = ParametrosGenerales(mDesde.get(), mHasta.get());
        QCOMPARE(pedido.contexto, 20);
        QCOMPARE(pedido.parametros.Count(), 2);
        mDesde->setText(QStringLiteral("02/03/2008"));
        QCOMPARE(pedido.parametros.Item(QStringLiteral("FECHADESDE")), QStringLiteral("02/03/2008"));
        pedido.parametros.setItem(QStringLiteral("fechahasta"), QStringLiteral("30/03/2008"));
        QCOMPARE(mHasta->text(), QStringLiteral("30/03/2008"));
        mHasta.reset(); // the main window's field is gone
        QCOMPARE(pedido.parametros.Item(QStringLiteral("FECHAHASTA")), QString());
    }
};

QTEST_MAIN(TstParametrosReportes)
#include "tst_ParametrosReportes.moc"
