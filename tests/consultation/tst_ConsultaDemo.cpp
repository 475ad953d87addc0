// Consultations on the demo database through the embedded server: every kind shows rows with its headings
// and row icons; the ticket items and provider information windows filled from demo rows.

#include "EntornoPrueba.h"
#include "app/frmDalvoHD.h"
#include "common/Reloj.h"
#include "consultation/clsQuerys.h"
#include "consultation/frmInformacionPrestador.h"
#include "consultation/frmTicket.h"
#include "data/Recordset.h"
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

QStringList encabezados(const VistaLista& lista)
{
    QStringList t;
    for (int c = 0; c < lista.cantidadColumnas(); ++c)
        t << lista.encabezado(c);
    return t;
}

QSet<QString> iconos(const VistaLista& lista)
{
    QSet<QString> claves;
    for (int i = 0; i < lista.cantidadItems(); ++i)
        claves.insert(VistaLista::claveIcono(lista.item(i)));
    claves.remove(QString());
    return claves;
}

QStringList ficha(const VistaLista& lista)
{
    QStringList t;
    for (int i = 0; i < lista.cantidadItems(); ++i)
        t << lista.item(i)->text(0) + u'=' + lista.item(i)->text(1);
    return t;
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

    void elegir(const QString& clave)
    {
        for (int i = 0; i < v->lvwMenu->count(); ++i)
            if (v->lvwMenu->item(i)->data(Qt::UserRole).toString() == clave)
                emit v->lvwMenu->itemClicked(v->lvwMenu->item(i));
    }

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
        QTest::addColumn<QStringList>("primeros"); // the first headings
        QTest::addColumn<QStringList>("conIconos");

        QTest::newRow("prestadores") << "1K"
                                     << "Nombre"
                                     << "Farmacia"
                                     << "01/05/2024"
                                     << "31/05/2024"
                                     << QStringList{"Id", "Tipo", "Matrícula", "Especialidad", "Código"}
                                     << QStringList{"CANCEL"};
        QTest::newRow("afiliados") << "2K"
                                   << "Numero"
                                   << "1000"
                                   << ""
                                   << "" << QStringList{"Asociado", "Credencial", "Plan"} << QStringList{};
        QTest::newRow("medicamentos")
            << "3K"
            << "Nombre"
            << ""
            << ""
            << "" << QStringList{"Troquel", "Cod. Barra", "Nombre", "Presentación", "Precio"}
            << QStringList{"CANCEL"};
        QTest::newRow("prácticas") << "7K"
                                   << "Nombre"
                                   << "Consulta"
                                   << ""
                                   << "" << QStringList{"Código", "Práctica", "Valor Nomenclador", "HH Id"}
                                   << QStringList{};
        QTest::newRow("médicos") << "8K"
                                 << "Nombre"
                                 << ""
                                 << ""
                                 << "" << QStringList{"Id", "Matrícula", "Nombre", "Tipo Prestador"}
                                 << QStringList{"CANCEL"};
        QTest::newRow("tickets de farmacia")
            << "4K"
            << "Fecha"
            << ""
            << "01/07/2023"
            << "31/12/2023" << QStringList{"Cupón", "AuSysT", "Fecha Prestación", "Asociado"}
            << QStringList{"CANCEL", "DERECHA", "IZQUIERDA"};
        QTest::newRow("tickets de prestador")
            << "9K"
            << "Fecha"
            << ""
            << "12/05/2024"
            << "11/06/2024" << QStringList{"Cupón", "AuSysT", "Fecha Práctica", "Asociado"}
            << QStringList{"CANCEL", "PREGUNTA", "CRUZ", "ADMIRACION"};
        QTest::newRow("cierres") << "5K"
                                 << "Fecha"
                                 << ""
                                 << "01/05/2024"
                                 << "11/06/2024"
                                 << QStringList{"Cierre", "Fecha", "Nombre Prestador", "Cantidad Cupones"}
                                 << QStringList{};
        QTest::newRow("acciones") << "10K"
                                  << "Codigo"
                                  << "7"
                                  << ""
                                  << "" << QStringList{"Cod. Acción", "Nombre"} << QStringList{};
        QTest::newRow("errores") << "6K"
                                 << "Clave"
                                 << "1"
                                 << ""
                                 << "" << QStringList{"Numero Error", "Severidad", "Comentario", "Detalle"}
                                 << QStringList{};
    }
    void cadaTipoMuestraSusFilas()
    {
        QFETCH(QString, clave);
        QFETCH(QString, criterio);
        QFETCH(QString, valor);
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(QStringList, primeros);
        QFETCH(QStringList, conIconos);
        elegir(clave);
        v->cboConsulta->setCurrentText(criterio);
        v->txtConsulta->setText(valor);
        v->txtDesdeFecha->setText(desde);
        v->txtHastaFecha->setText(hasta);
        v->cmdConsulta->click();

        QVERIFY(v->lvwGeneral->cantidadItems() > 0);
        QCOMPARE(encabezados(*v->lvwGeneral).mid(0, primeros.size()), primeros);
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
        elegir(QStringLiteral("1K"));
        v->cboConsulta->setCurrentText(QStringLiteral("Nombre"));
        v->chkBuscarExacto->setChecked(true);
        v->txtConsulta->setText(QStringLiteral("Farmacia O'Brien"));
        v->cmdConsulta->click();
        QCOMPARE(v->lvwGeneral->cantidadItems(), 1);
        QCOMPARE(v->lvwGeneral->item(0)->text(5), QStringLiteral("Farmacia O'Brien"));
    }

    void elDiaPicoSeRechaza()
    {
        elegir(QStringLiteral("4K"));
        const QString pico = demo::pruebas::kHoy.addDays(-14).toString(QStringLiteral("dd/MM/yyyy"));
        v->txtDesdeFecha->setText(pico);
        v->txtHastaFecha->setText(pico);
        v->cmdConsulta->click();
        QCOMPARE(mGuion->mostrados().size(), 1);
        QVERIFY(mGuion->mostrados().first().texto.startsWith(QStringLiteral("La consulta devuelve 1")));
        QCOMPARE(v->lvwGeneral->cantidadItems(), 0);
        mCajasEsperadas = 1;
    }

    void itemsDeTicket_data()
    {
        QTest::addColumn<int>("ticket");
        QTest::addColumn<bool>("farmacia");
        QTest::addColumn<QStringList>("columnas");
        QTest::newRow("farmacia") << 1 << true
                                  << QStringList{"Cantidad",  "Troquel",      "Descripción", "Precio",
                                                 "Descuento", "Autorización", "Prescripción"};
        QTest::newRow("prestador") << 2000001 << false
                                   << QStringList{"Cantidad", "Practica",     "Descripción",
                                                  "Valor",    "Tipo Arancel", "Autorizació"};
        QTest::newRow("farmacia sin items") << 3102 << true << QStringList{};
        QTest::newRow("prestador sin items") << 2000697 << false << QStringList{};
    }
    void itemsDeTicket()
    {
        QFETCH(int, ticket);
        QFETCH(bool, farmacia);
        QFETCH(QStringList, columnas);
        frmTicket ventana;
        ventana.Cargar(ticket, QDateTime(QDate(2024, 5, 3), QTime(14, 5, 9)),
                       QStringLiteral("Farmacia San Martín"), farmacia);
        QCOMPARE(encabezados(*ventana.lvwItemTickets), columnas);
        QCOMPARE(ventana.lvwItemTickets->cantidadItems() > 0, !columnas.isEmpty());
        QCOMPARE(ventana.lblTicket->text(), QString::number(ticket));
        QCOMPARE(ventana.lblFecha->text(), QStringLiteral("03/05/2024 14:05:09"));
        QCOMPARE(ventana.lblPrestador->text(), QStringLiteral("Farmacia San Martín"));
    }

    void informacionDePrestador_data()
    {
        QTest::addColumn<int>("prestador");
        QTest::addColumn<QString>("baja");
        QTest::addColumn<bool>("conTransacciones");
        QTest::newRow("farmacia con movimientos") << 1 << "NO" << true;
        QTest::newRow("dado de baja, sin movimientos") << 8 << "SI" << false;
        QTest::newRow("sin tipo ni movimientos") << 6 << "NO" << false;
        QTest::newRow("sin departamento") << 7 << "NO" << true;
    }
    void informacionDePrestador()
    {
        QFETCH(int, prestador);
        QFETCH(QString, baja);
        QFETCH(bool, conTransacciones);
        frmInformacionPrestador ventana;
        ventana.Cargar(prestador, QStringLiteral("12/05/2024 10:00"), QStringLiteral("11/06/2024"));
        const QStringList filas = ficha(*ventana.lvwPrestador);
        QVERIFY(filas.contains(QStringLiteral("Baja=") + baja));
        QCOMPARE(filas.first().section(u'=', 0, 0), QStringLiteral("Matrícula"));
        QVERIFY(!filas.join(u'|').contains(QLatin1String("HH ")));
        QCOMPARE(ventana.lblEntreFecha->text(), QStringLiteral("Entre el 12/05/2024 y el 11/06/2024"));
        QCOMPARE(ventana.lbltransaccionesRango->text() != QStringLiteral("0"), conTransacciones);
        if (!conTransacciones)
            QCOMPARE(ventana.lblTransaccionesDia->text(), QStringLiteral("0"));
    }

    // The provider items point at the value in force at their practice date and repeat it; the function
    // finds that value again (a few items point elsewhere on purpose).
    void valorDeLaPracticaALaFecha()
    {
        auto uno = [](const QString& sql) {
            std::unique_ptr<ado::Recordset> rs = gConexion->Query(sql);
            return rs ? rs->Fields(0).Value() : QVariant(QStringLiteral("sin resultado"));
        };
        const QString llamada = QStringLiteral("dbo.getValorNomenclador(IT.idPrestadorPractica, "
                                               "CONVERT(CHAR(8),T.FechaDePractica,112),null,null,"
                                               "null,'20240611',null)");
        const int iguales = uno("SELECT COUNT(*) FROM ItemTicketPrestador IT INNER JOIN TicketPrestador T ON "
                                "T.idTicket = IT.idTicket WHERE " +
                                llamada + " = IT.ValorNomenclador")
                                .toInt();
        const int todos =
            uno("SELECT COUNT(*) FROM ItemTicketPrestador WHERE idPrestadorPractica IS NOT NULL").toInt();
        QVERIFY2(iguales >= todos * 7 / 10, qPrintable(QStringLiteral("%1 de %2").arg(iguales).arg(todos)));
        QVERIFY(!uno("SELECT dbo.getValorNomenclador(-1, '20240611', null, null, null, '20240611', null)")
                     .isValid());
    }

    // From the list: the menu entry opens the window modally with the selected row.
    void verItemsDesdeLaLista()
    {
        elegir(QStringLiteral("4K"));
        v->cboConsulta->setCurrentText(QStringLiteral("Clave"));
        v->txtConsulta->setText(QStringLiteral("1"));
        v->cmdConsulta->click();
        v->lvwGeneral->setCurrentItem(v->lvwGeneral->item(0));
        QString titulo;
        QString prestador;
        int items = -1;
        // The loading lets pending events run before the window is shown: wait for the modal window.
        QTimer espera;
        connect(&espera, &QTimer::timeout, this, [&] {
            auto* ventana = qobject_cast<frmTicket*>(QApplication::activeModalWidget());
            if (!ventana)
                return;
            espera.stop();
            titulo = ventana->windowTitle();
            prestador = ventana->lblPrestador->text();
            items = ventana->lvwItemTickets->cantidadItems();
            ventana->cmdAceptar->click();
        });
        espera.start(10);
        v->mnuVetItemTicket->trigger();
        QCOMPARE(titulo, QStringLiteral("Ticket"));
        QCOMPARE(prestador, v->lvwGeneral->item(0)->text(6));
        QVERIFY(items > 0);
    }
};

QTEST_MAIN(TstConsultaDemo)
#include "tst_ConsultaDemo.moc"
