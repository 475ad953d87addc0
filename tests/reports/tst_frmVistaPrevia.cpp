#include "DatosPrueba.h"
#include "EntornoPrueba.h"
#include "reports/DialogosVistaPrevia.h"
#include "reports/Informe.h"
#include "reports/frmVistaPrevia.h"
#include "ui/Configuracion.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QSpinBox>
#include <QTest>
#include <memory>

using namespace dalvo;

namespace {

class DialogosFalsos : public DialogosVistaPrevia
{
public:
    QString archivo;
    QStringList sugeridos;
    bool imprimir = true;
    QString salidaImpresion;
    int desde = 0, hasta = 0;
    int paginasOfrecidas = 0;
    int configuraciones = 0;

    QString archivoPdf(QWidget*, const QString& sugerido) override
    {
        sugeridos << sugerido;
        return archivo;
    }
    bool configurarImpresora(QWidget*, QPrinter&) override
    {
        ++configuraciones;
        return true;
    }
    bool elegirImpresora(QWidget*, QPrinter& impresora, int paginas) override
    {
        paginasOfrecidas = paginas;
        if (!imprimir)
            return false;
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setOutputFileName(salidaImpresion);
        impresora.setFromTo(desde, hasta);
        return true;
    }
};

int paginasDelPdf(const QString& ruta)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray contenido = f.readAll();
    return static_cast<int>(contenido.count("/Type /Page") - contenido.count("/Type /Pages"));
}

} // namespace

class TstFrmVistaPrevia : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::GuionMensajes> mMensajes;
    DialogosFalsos* mDialogos = nullptr;
    QPointer<frmVistaPrevia> mVista;

    frmVistaPrevia& abrir(int filas)
    {
        auto informe = std::make_shared<reportes::Informe>(
            reportes::leerDiseno(prueba::carpetaReportesFuente() + QStringLiteral("/Cierres.rpt")),
            prueba::tablaCierres(filas));
        mVista = new frmVistaPrevia(informe, QStringLiteral("Cierres"));
        mVista->resize(1000, 800);
        mVista->show();
        return *mVista;
    }
    QAction* accion(const char* nombre) const
    {
        return mVista->findChild<QAction*>(QString::fromLatin1(nombre));
    }
    QString estado() const { return mVista->findChild<QLabel*>(QStringLiteral("lblEstado"))->text(); }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mMensajes = std::make_unique<prueba::GuionMensajes>();
        auto dialogos = std::make_unique<DialogosFalsos>();
        mDialogos = dialogos.get();
        setDialogosVistaPrevia(std::move(dialogos));
    }
    void cleanup()
    {
        delete mVista;
        setDialogosVistaPrevia(nullptr);
        mMensajes.reset();
        mEntorno.reset();
    }

    void navegacionEntrePaginas()
    {
        frmVistaPrevia& v = abrir(80); // three pages
        QCOMPARE(v.informe().cantidadPaginas(), 3);
        auto* numero = v.findChild<QSpinBox*>(QStringLiteral("txtPagina"));
        QCOMPARE(v.findChild<QLabel*>(QStringLiteral("lblPaginas"))->text(), QStringLiteral(" de 3 "));
        QCOMPARE(v.pagina(), 0);
        QVERIFY(!accion("cmdPrimera")->isEnabled() && !accion("cmdAnterior")->isEnabled());
        accion("cmdSiguiente")->trigger();
        QCOMPARE(v.pagina(), 1);
        QCOMPARE(numero->value(), 2);
        QVERIFY(accion("cmdAnterior")->isEnabled() && accion("cmdSiguiente")->isEnabled());
        accion("cmdUltima")->trigger();
        QCOMPARE(v.pagina(), 2);
        QVERIFY(!accion("cmdSiguiente")->isEnabled() && !accion("cmdUltima")->isEnabled());
        v.irAPagina(99);
        QCOMPARE(v.pagina(), 2);
        numero->setValue(1);
        QCOMPARE(v.pagina(), 0);
        accion("cmdAnterior")->trigger();
        QCOMPARE(v.pagina(), 0);
    }

    void buscarRecorreTodasLasPaginasYVuelve()
    {
        frmVistaPrevia& v = abrir(100);
        // Provider 10 holds rows 64 to 70: they lie on a later page than the first.
        const QString buscado = QStringLiteral("farmacia 00010");
        int paginaEsperada = -1;
        for (int p = 0; p < v.informe().cantidadPaginas() && paginaEsperada < 0; ++p) {
            if (!v.informe().buscar(p, buscado).isEmpty())
                paginaEsperada = p;
        }
        QVERIFY(paginaEsperada > 0);
        v.findChild<QLineEdit*>(QStringLiteral("txtBuscar"))->setText(buscado);
        QVERIFY(v.buscarSiguiente());
        QCOMPARE(v.pagina(), paginaEsperada);
        for (int i = 0; i < 6; ++i)
            QVERIFY(v.buscarSiguiente());
        QVERIFY(v.buscarSiguiente()); // the eighth goes round to the first
        QCOMPARE(v.pagina(), paginaEsperada);
        QVERIFY(v.buscarAnterior()); // and back to the last
        QVERIFY(v.pagina() >= paginaEsperada);
        v.findChild<QLineEdit*>(QStringLiteral("txtBuscar"))->setText(QStringLiteral("no está"));
        QVERIFY(!v.buscarSiguiente());
        QCOMPARE(estado(), QStringLiteral("No se encontró «no está» en el reporte."));
    }

    void exportarAPdf()
    {
        frmVistaPrevia& v = abrir(80);
        mDialogos->archivo = mEntorno->carpeta() + QStringLiteral("/salida");
        accion("cmdExportarPdf")->trigger();
        const QString ruta = mDialogos->archivo + QStringLiteral(".pdf");
        QCOMPARE(paginasDelPdf(ruta), 3);
        QVERIFY(estado().contains(QFileInfo(ruta).fileName()));
        QVERIFY(mDialogos->sugeridos.first().endsWith(QLatin1String("/Cierres.pdf")));
        // The next export suggests the folder used last.
        mDialogos->archivo.clear();
        v.exportarPdf();
        QCOMPARE(mDialogos->sugeridos.last(), mEntorno->carpeta() + QStringLiteral("/Cierres.pdf"));
        QVERIFY(mMensajes->mostrados().isEmpty());
    }

    void exportarAUnaCarpetaQueNoExisteAvisa()
    {
        frmVistaPrevia& v = abrir(5);
        mDialogos->archivo = mEntorno->carpeta() + QStringLiteral("/no/existe/salida.pdf");
        v.exportarPdf();
        QCOMPARE(mMensajes->mostrados().size(), 1);
        QCOMPARE(mMensajes->mostrados()[0].titulo, QStringLiteral("Exportar a PDF"));
        QCOMPARE(mMensajes->mostrados()[0].icono, ui::Icono::Critico);
    }

    void imprimirElRangoElegido_data()
    {
        QTest::addColumn<int>("desde");
        QTest::addColumn<int>("hasta");
        QTest::addColumn<int>("paginas");
        QTest::newRow("todas") << 0 << 0 << 3;
        QTest::newRow("dos y tres") << 2 << 3 << 2;
        QTest::newRow("fuera de rango") << 3 << 9 << 1;
    }
    void imprimirElRangoElegido()
    {
        QFETCH(int, desde);
        QFETCH(int, hasta);
        QFETCH(int, paginas);
        frmVistaPrevia& v = abrir(80);
        mDialogos->salidaImpresion = mEntorno->carpeta() + QStringLiteral("/impreso.pdf");
        mDialogos->desde = desde;
        mDialogos->hasta = hasta;
        accion("cmdImprimir")->trigger();
        QCOMPARE(mDialogos->paginasOfrecidas, 3);
        QCOMPARE(paginasDelPdf(mDialogos->salidaImpresion), paginas);
        Q_UNUSED(v);
    }
};

QTEST_MAIN(TstFrmVistaPrevia)
#include "tst_frmVistaPrevia.moc"
