// Consultations on the demo database through the embedded server: every kind shows rows with its headings
// and row icons, a quote in a value, the count guard on the peak day; the ticket items window from demo rows.

#include "EntornoPrueba.h"
#include "Ventanas.h"
#include "app/frmDalvoHD.h"
#include "common/Reloj.h"
#include "consultation/clsQuerys.h"
#include "consultation/frmTicket.h"
#include "data/cUserConnection.h"
#include "demo/BasePruebas.h"
#include "ui/VistaLista.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace dalvo;
using ui::VistaLista;

namespace {

QSet<QString> iconos(const VistaLista& lista)
{
    QSet<QString> claves;
    for (int i = 0; i < lista.cantidadItems(); ++i)
        claves.insert(VistaLista::claveIcono(lista.item(i)));
    claves.remove(QString());
    return claves;
}

} // namespace

class TstConsultaDemo : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<RelojFijo> mReloj;
    std::unique_ptr<prueba::GuionMensajes> mGuion;
    std::unique_ptr<frmDalvoHD> v;
    qsizetype mCajasEsperadas = 0;

private slots:
    void initTestCase() { demo::pruebas::basePruebas(); }

    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mReloj = std::make_unique<RelojFijo>(QDateTime(demo::pruebas::kHoy, QTime(20, 0)));
        mGuion = std::make_unique<prueba::GuionMensajes>();
        mCajasEsperadas = 0;
        delete gConexion;
        gConexion = new cUserConnection;
        // With the database named: without it the login lands in master and the connection moves to the
        // default server.
        gConexion->Connect(QStringLiteral("sqlite:") + demo::pruebas::basePruebas(),
                           QStringLiteral("operador"), QStringLiteral("demo"),
                           QStringLiteral("dalvoPralMendoza"));
        v = std::make_unique<frmDalvoHD>();
    }

    void cleanup()
    {
        v.reset();
        delete gQuerys;
        gQuerys = nullptr;
        delete gConexion;
        gConexion = nullptr;
        const QList<ui::Mensaje> cajas = mGuion->mostrados();
        mGuion.reset();
        mReloj.reset();
        mEntorno.reset();
        // No consultation here ends in a message box unless the test expects it.
        QVERIFY2(cajas.size() == mCajasEsperadas, qPrintable(cajas.value(0).texto));
    }

    void cadaTipoMuestraSusFilas_data()
    {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("criterio");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<QString>("primero"); // the first heading
        QTest::addColumn<QStringList>("conIconos");
        const auto fila = [](const char* clave, const char* criterio, const char* valor, const char* desde,
                             const char* hasta, const char* primero, const QStringList& iconos) {
            QTest::newRow(clave) << QString::fromLatin1(clave) << QString::fromLatin1(criterio)
                                 << QString::fromLatin1(valor) << QString::fromLatin1(desde)
                                 << QString::fromLatin1(hasta) << QString::fromUtf8(primero) << iconos;
        };
        fila("1K", "Nombre", "Farmacia", "01/05/2024", "31/05/2024", "Id", {"CANCEL"});
        fila("2K", "Numero", "1000", "", "", "Asociado", {});
        fila("3K", "Nombre", "", "", "", "Troquel", {"CANCEL"});
        fila("7K", "Nombre", "Consulta", "", "", "Código", {});
        fila("8K", "Nombre", "", "", "", "Id", {"CANCEL"});
        fila("4K", "Fecha", "", "01/07/2023", "31/12/2023", "Cupón", {"CANCEL", "DERECHA", "IZQUIERDA"});
        fila("9K", "Fecha", "", "12/05/2024", "11/06/2024", "Cupón",
             {"CANCEL", "PREGUNTA", "CRUZ", "ADMIRACION"});
        fila("5K", "Fecha", "", "01/05/2024", "11/06/2024", "Cierre", {});
        fila("10K", "Codigo", "7", "", "", "Cod. Acción", {});
        fila("6K", "Clave", "1", "", "", "Numero Error", {});
    }
    void cadaTipoMuestraSusFilas()
    {
        QFETCH(QString, clave);
        QFETCH(QString, criterio);
        QFETCH(QString, valor);
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(QString, primero);
        QFETCH(QStringList, conIconos);
        prueba::elegirTipo(*v, clave);
        v->cboConsulta->setCurrentText(criterio);
        v->txtConsulta->setText(valor);
        v->txtDesdeFecha->setText(desde);
        v->txtHastaFecha->setText(hasta);
        v->cmdConsulta->click();

        QVERIFY(v->lvwGeneral->cantidadItems() > 0);
        QCOMPARE(v->lvwGeneral->encabezado(0), primero);
        QVERIFY(v->lblCantidadEntradas->text().toInt() > 0);
        const QSet<QString> vistos = iconos(*v->lvwGeneral);
        for (const QString& icono : conIconos)
            QVERIFY2(vistos.contains(icono), qPrintable(icono));
        // Hidden columns stay hidden.
        for (int c = 0; c < v->lvwGeneral->cantidadColumnas(); ++c)
            if (v->lvwGeneral->encabezado(c).startsWith(QLatin1String("HH")))
                QVERIFY(v->lvwGeneral->isColumnHidden(c));
    }

    void unNombreConComillaEncuentraAlPrestador()
    {
        prueba::elegirTipo(*v, QStringLiteral("1K"));
        v->cboConsulta->setCurrentText(QStringLiteral("Nombre"));
        v->chkBuscarExacto->setChecked(true);
        v->txtConsulta->setText(QStringLiteral("Farmacia O'Brien"));
        v->cmdConsulta->click();
        QCOMPARE(v->lvwGeneral->cantidadItems(), 1);
        QCOMPARE(v->lvwGeneral->item(0)->text(5), QStringLiteral("Farmacia O'Brien"));
    }

    void elDiaPicoSeRechaza()
    {
        prueba::elegirTipo(*v, QStringLiteral("4K"));
        const QString pico = demo::pruebas::kHoy.addDays(-14).toString(QStringLiteral("dd/MM/yyyy"));
        v->txtDesdeFecha->setText(pico);
        v->txtHastaFecha->setText(pico);
        v->cmdConsulta->click();
        QCOMPARE(mGuion->mostrados().size(), 1);
        QVERIFY(mGuion->mostrados().first().texto.startsWith(QStringLiteral("La consulta devuelve 1")));
        QCOMPARE(v->lvwGeneral->cantidadItems(), 0);
        mCajasEsperadas = 1;
    }

    // Both sides on the demo's own statements (the provider side through its valuation function).
    void itemsDeTicket()
    {
        for (const auto& [ticket, farmacia] : {std::pair{1, true}, std::pair{2000001, false}}) {
            frmTicket ventana;
            ventana.Cargar(ticket, QDateTime(QDate(2024, 5, 3), QTime(14, 5, 9)), QStringLiteral("x"),
                           farmacia);
            QVERIFY(ventana.lvwItemTickets->cantidadItems() > 0);
            QCOMPARE(ventana.lblFecha->text(), QStringLiteral("03/05/2024 14:05:09"));
        }
    }

    // From the list: the menu entry opens the window modally with the selected row.
    void verItemsDesdeLaLista()
    {
        prueba::elegirTipo(*v, QStringLiteral("4K"));
        v->cboConsulta->setCurrentText(QStringLiteral("Clave"));
        v->txtConsulta->setText(QStringLiteral("1"));
        v->cmdConsulta->click();
        v->lvwGeneral->setCurrentItem(v->lvwGeneral->item(0));
        QString prestador;
        int items = -1;
        QVERIFY(prueba::conModal<frmTicket>([&] { v->mnuVetItemTicket->trigger(); },
                                            [&](frmTicket& t) {
                                                prestador = t.lblPrestador->text();
                                                items = t.lvwItemTickets->cantidadItems();
                                            }));
        QCOMPARE(prestador, v->lvwGeneral->item(0)->text(6));
        QVERIFY(items > 0);
    }
};

QTEST_MAIN(TstConsultaDemo)
#include "tst_ConsultaDemo.moc"
