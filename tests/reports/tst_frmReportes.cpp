#include "DatosPrueba.h"
#include "EntornoPrueba.h"
#include "reports/ColeccionParametros.h"
#include "reports/GeneracionReportes.h"
#include "reports/Informe.h"
#include "reports/frmReportes.h"
#include "reports/frmVistaPrevia.h"
#include "ui/VistaLista.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace dalvo;

namespace {

struct ErrorVisto
{
    qint32 numero;
    QString descripcion, origen;
};

class OrigenCierres : public OrigenReportes
{
public:
    std::unique_ptr<ResultadoReporte> Query(const QString&, qint32& error, QString&) override
    {
        error = 0;
        return std::make_unique<ResultadoEnMemoria>(prueba::tablaCierres(2));
    }
};

} // namespace

class TstFrmReportes : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::GuionMensajes> mMensajes;
    std::unique_ptr<QLineEdit> mDesdePrincipal;
    std::unique_ptr<QLineEdit> mHastaPrincipal;
    QList<ErrorVisto> mErrores;
    QStringList mAvisos;

    ColeccionParametros parametros(const QString& tipo = QStringLiteral("3"))
    {
        ColeccionParametros p;
        p.AddEnlace(QStringLiteral("FECHADESDE"), mDesdePrincipal.get());
        p.AddEnlace(QStringLiteral("FECHAHASTA"), mHastaPrincipal.get());
        prueba::agregarParametros(p);
        p.setItem(QStringLiteral("TIPOPRESTADORACTUAL"), tipo);
        return p;
    }

    static QStringList claves(const frmReportes& ventana)
    {
        auto* lista = ventana.findChild<ui::VistaLista*>(QStringLiteral("lvwReportes"));
        QStringList r;
        for (int i = 0; i < lista->cantidadItems(); ++i)
            r << ui::VistaLista::clave(lista->item(i));
        return r;
    }
    static QString texto(const frmReportes& ventana, const QString& clave)
    {
        auto* lista = ventana.findChild<ui::VistaLista*>(QStringLiteral("lvwReportes"));
        return lista->buscarItem(clave) ? lista->buscarItem(clave)->text(0) : QString();
    }
    template <typename T> static T* control(const frmReportes& ventana, const char* nombre)
    {
        return ventana.findChild<T*>(QString::fromLatin1(nombre));
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mMensajes = std::make_unique<prueba::GuionMensajes>();
        mDesdePrincipal = std::make_unique<QLineEdit>(QStringLiteral("01/03/2008"));
        mHastaPrincipal = std::make_unique<QLineEdit>(QStringLiteral("31/03/2008"));
        mErrores.clear();
        mAvisos.clear();
        setChekErrorReportes([this](qint32 n, const QString& d, const QString& o) {
            mErrores.append({n, d, o});
        });
        frmReportes::setAvisoEstado([this](const QString& t) { mAvisos.append(t); });
    }
    void cleanup()
    {
        for (frmVistaPrevia* v : frmVistaPrevia::abiertas())
            v->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setOrigenReportes(nullptr);
        setChekErrorReportes(nullptr);
        frmReportes::setAvisoEstado(nullptr);
        mMensajes.reset();
        mEntorno.reset();
    }

    void reportesDeCadaContexto_data()
    {
        QTest::addColumn<int>("contexto");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QStringList>("claves");
        const QStringList prestador{"KP2", "KP3", "KP4", "KP6", "KP7", "KP5", "KP9"};
        const QStringList prestadorFin{"KT5", "KC4", "KP11", "KP12"};
        QTest::newRow("prestadores, internacion")
            << 1 << "14" << prestador + QStringList{"KP10"} + prestadorFin;
        QTest::newRow("prestadores, farmacia") << 1 << "1" << prestador + prestadorFin;
        QTest::newRow("prestadores, otro tipo") << 1 << "3" << QStringList{"KP1"} + prestador + prestadorFin;
        QTest::newRow("afiliados") << 2 << "3"
                                   << QStringList{"KA1", "KA2", "KA3", "KA4", "KA5", "KA6", "KA7"};
        QTest::newRow("medicamentos")
            << 3 << "3" << QStringList{"KM1", "KM2", "KM4", "KM5", "KM6", "KM7", "KM8", "KM9"};
        QTest::newRow("tickets") << 4 << "3" << QStringList{"KT1", "KT2", "KT3", "KT4", "KT5", "KT6", "KA5",
                                                            "KA2", "KA3", "KA4", "KA6", "KG1", "KPM", "K31"};
        const QStringList cierre{"KC1", "KC2", "KC3", "KC4"};
        const QStringList cierreFin{"KC6", "KP2", "KP3"};
        QTest::newRow("cierres, farmacia") << 5 << "1" << cierre + QStringList{"KC5"} + cierreFin;
        QTest::newRow("cierres, internacion") << 5 << "14" << cierre + QStringList{"KC5"} + cierreFin;
        QTest::newRow("cierres, tipo con blancos") << 5 << " 1 " << cierre + QStringList{"KC5"} + cierreFin;
        QTest::newRow("cierres, prestador de practicas")
            << 5 << "3" << cierre + QStringList{"KC15"} + cierreFin;
        QTest::newRow("practicas") << 7 << "3" << QStringList{"KR4", "KR1", "KR2", "KR3"};
        QTest::newRow("medicos") << 8 << "3" << QStringList{"KD1", "KD3", "KD4", "KD5"};
        QTest::newRow("tickets de prestador")
            << 9 << "3" << QStringList{"KTP1", "KTP2", "KTP3", "KTP4", "KTP5", "KTP6",
                                       "KA5",  "KA2",  "KA3",  "KA4",  "KA6",  "KG1"};
        QTest::newRow("acciones") << 10 << "3" << QStringList{"KAC1"};
        QTest::newRow("generales") << 20 << "3" << QStringList{"KP", "KT", "KG1", "KG2", "KIM1", "KIA2"};
        QTest::newRow("errores del sistema: ninguno") << 6 << "3" << QStringList{};
        QTest::newRow("sin tipo activo") << 0 << "3" << QStringList{};
        QTest::newRow("otro") << 15 << "3" << QStringList{};
    }
    void reportesDeCadaContexto()
    {
        QFETCH(int, contexto);
        QFETCH(QString, tipo);
        QFETCH(QStringList, claves);
        ColeccionParametros p = parametros(tipo);
        frmReportes ventana;
        ventana.cargar(static_cast<qint16>(contexto), p);
        QCOMPARE(TstFrmReportes::claves(ventana), claves);
        QCOMPARE(control<QPushButton>(ventana, "cmdGenerar")->isEnabled(), !claves.isEmpty());
        auto* lista = control<ui::VistaLista>(ventana, "lvwReportes");
        if (!claves.isEmpty()) {
            QCOMPARE(lista->selectedItems().size(), 1);
            QCOMPARE(lista->selectedItems().first(), lista->item(0));
        }
        QVERIFY(mErrores.isEmpty());
    }

    void textosConElValorRecortado()
    {
        ColeccionParametros p = parametros(QStringLiteral("1"));
        frmReportes ventana;
        ventana.cargar(contextos::Cierres, p);
        QCOMPARE(ventana.windowTitle(), QStringLiteral("Reportes"));
        QCOMPARE(texto(ventana, QStringLiteral("KC1")), QStringLiteral("Ultimo"));
        QCOMPARE(texto(ventana, QStringLiteral("KC2")), QStringLiteral("Cierre 17"));
        QCOMPARE(texto(ventana, QStringLiteral("KC3")), QStringLiteral("Entre cierre 10 y cierre 25"));
        QCOMPARE(texto(ventana, QStringLiteral("KC4")),
                 QStringLiteral("Para prestador Farmacia O'Brien del mes"));
        QCOMPARE(texto(ventana, QStringLiteral("KC5")),
                 QStringLiteral("Formulario de Cierre para cierre 17"));
        QCOMPARE(texto(ventana, QStringLiteral("KP3")),
                 QStringLiteral("Cierre pendiente de todos los prestadores"));
        frmReportes tickets;
        tickets.cargar(contextos::Tickets, p);
        QCOMPARE(
            texto(tickets, QStringLiteral("KA2")),
            QStringLiteral("Consumo total de afiliado 1234567/01 detallado por medicamentos / práctica"));
        QCOMPARE(texto(tickets, QStringLiteral("KG1")), QStringLiteral("Total facturado por plan "));
        QCOMPARE(texto(tickets, QStringLiteral("KT6")), QStringLiteral("Para Medico Que Receta Dr. Pérez"));
    }

    void parametroQueFaltaAlCargarVaAlManejadorYQuedaLoCargado()
    {
        ColeccionParametros p;
        p.AddEnlace(QStringLiteral("FECHADESDE"), mDesdePrincipal.get());
        p.AddEnlace(QStringLiteral("FECHAHASTA"), mHastaPrincipal.get());
        p.Add(QStringLiteral("CIERREACTUAL"), QStringLiteral("17"));
        frmReportes ventana;
        ventana.cargar(contextos::Cierres, p);
        QCOMPARE(claves(ventana), (QStringList{"KC1", "KC2"}));
        QCOMPARE(mErrores.size(), 1);
        QCOMPARE(mErrores[0].numero, 5);
        QVERIFY(mErrores[0].descripcion.contains(QLatin1String("CIERREINICIAL")));
        QCOMPARE(mErrores[0].origen, QStringLiteral("Load"));
    }

    void tipoDePrestadorQueNoEsNumero()
    {
        ColeccionParametros p = parametros(QString());
        frmReportes ventana;
        ventana.cargar(contextos::Prestadores, p);
        QVERIFY(claves(ventana).isEmpty());
        QVERIFY(!control<QPushButton>(ventana, "cmdGenerar")->isEnabled());
        QCOMPARE(mErrores.size(), 1);
        QCOMPARE(mErrores[0].numero, 13);
        QCOMPARE(mErrores[0].origen, QStringLiteral("Load"));
    }

    void fechaValidaEscribeEnLaVentanaPrincipal_data()
    {
        prueba::filasDeTexto({"campo", "tecleado", "desde", "hasta"},
                             {{"desde corta", "txtDesdeFecha", "050208", "05/02/2008", "31/03/2008"},
                              {"hasta completa", "txtHastaFecha", "15042008", "01/03/2008", "15/04/2008"},
                              {"vaciada: nada cambia", "txtDesdeFecha", "", "01/03/2008", "31/03/2008"}});
    }
    void fechaValidaEscribeEnLaVentanaPrincipal()
    {
        QFETCH(QString, campo);
        QFETCH(QString, tecleado);
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        ColeccionParametros p = parametros();
        frmReportes ventana;
        ventana.cargar(contextos::Generales, p);
        ventana.show();
        QVERIFY(QTest::qWaitForWindowActive(&ventana));
        auto* fecha = control<QLineEdit>(ventana, qPrintable(campo));
        fecha->setFocus();
        fecha->selectAll();
        if (tecleado.isEmpty())
            fecha->clear();
        else
            QTest::keyClicks(fecha, tecleado);
        control<QLineEdit>(ventana, "txtTicket")->setFocus();
        QCOMPARE(mDesdePrincipal->text(), desde);
        QCOMPARE(mHastaPrincipal->text(), hasta);
        if (!tecleado.isEmpty())
            QCOMPARE(fecha->text(), campo == QLatin1String("txtDesdeFecha") ? desde : hasta);
        QCOMPARE(ventana.subtituloRango(), QStringLiteral(" entre el %1 y el %2").arg(desde, hasta));
        QVERIFY(mAvisos.isEmpty());
    }

    void fechaInvalidaAvisaYRetieneElFoco()
    {
        ColeccionParametros p = parametros();
        frmReportes ventana;
        ventana.cargar(contextos::Generales, p);
        ventana.show();
        QVERIFY(QTest::qWaitForWindowActive(&ventana));
        auto* desde = control<QLineEdit>(ventana, "txtDesdeFecha");
        auto* hasta = control<QLineEdit>(ventana, "txtHastaFecha");
        hasta->setText(QStringLiteral("99/99/2008"));
        desde->setFocus();
        desde->selectAll();
        QTest::keyClicks(desde, QStringLiteral("32/01/2008"));
        hasta->setFocus(); // both are wrong: only the one left answers, and it keeps the focus
        QCOMPARE(mAvisos, QStringList{QStringLiteral("Fecha inválida")});
        QVERIFY(desde->hasFocus());
        QTRY_COMPARE(desde->selectedText(), QStringLiteral("32/01/2008"));
        QCOMPARE(mDesdePrincipal->text(), QStringLiteral("01/03/2008"));
        QCOMPARE(ventana.subtituloRango(), QStringLiteral(" entre el 01/03/2008 y el 31/03/2008"));
    }

    void cambiarDeVentanaNoValidaLaFecha()
    {
        ColeccionParametros p = parametros();
        frmReportes ventana;
        ventana.cargar(contextos::Generales, p);
        auto* desde = control<QLineEdit>(ventana, "txtDesdeFecha");
        desde->setText(QStringLiteral("99"));
        for (const Qt::FocusReason motivo : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
            QFocusEvent salida(QEvent::FocusOut, motivo);
            QCoreApplication::sendEvent(desde, &salida);
        }
        QVERIFY(mAvisos.isEmpty());
        QFocusEvent aOtroControl(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(desde, &aOtroControl);
        QCOMPARE(mAvisos, QStringList{QStringLiteral("Fecha inválida")});
    }

    void teclasFiltradas_data()
    {
        prueba::filasDeTexto({"campo", "tecleado", "queda"}, {{"fecha", "txtDesdeFecha", "a1/b2-3.", "1/23"},
                                                              {"ticket", "txtTicket", "1a2/3 ", "123"}});
    }
    void teclasFiltradas()
    {
        QFETCH(QString, campo);
        QFETCH(QString, tecleado);
        QFETCH(QString, queda);
        prueba::ContadorPitidos pitidos;
        ColeccionParametros p = parametros();
        frmReportes ventana;
        ventana.cargar(contextos::Generales, p);
        auto* c = control<QLineEdit>(ventana, qPrintable(campo));
        c->clear();
        QTest::keyClicks(c, tecleado);
        QCOMPARE(c->text(), queda);
        QCOMPARE(pitidos.cuenta, tecleado.size() - queda.size());
    }

    void generarProduceLosElegidosEnOrdenDeLista()
    {
        const QString carpeta = mEntorno->carpetaPrograma() + QStringLiteral("/Reportes/");
        QDir().mkpath(carpeta);
        for (const char* a : {"Cierres.rpt", "Cierres.SQL"})
            QFile::copy(prueba::carpetaReportesFuente() + QLatin1Char('/') + QLatin1String(a),
                        carpeta + QLatin1String(a));
        setOrigenReportes(std::make_unique<OrigenCierres>());
        ColeccionParametros p = parametros(QStringLiteral("1"));
        {
            frmReportes ventana;
            ventana.cargar(contextos::Cierres, p);
            auto* lista = control<ui::VistaLista>(ventana, "lvwReportes");
            lista->clearSelection();
            lista->buscarItem(QStringLiteral("KC3"))->setSelected(true);
            lista->buscarItem(QStringLiteral("KC1"))->setSelected(true);
            control<QPushButton>(ventana, "cmdGenerar")->click();
            QVERIFY(mMensajes->mostrados().isEmpty());
        }
        // The report window is gone; its previews stay.
        const QList<frmVistaPrevia*> vistas = frmVistaPrevia::abiertas();
        QCOMPARE(vistas.size(), 2);
        QCOMPARE(vistas[0]->informe().formula(QStringLiteral("SubTitulo")), QStringLiteral("ULTIMO"));
        QCOMPARE(vistas[1]->informe().formula(QStringLiteral("SubTitulo")),
                 QStringLiteral("ENTRE CIERRE 10 Y CIERRE 25"));
        QVERIFY(vistas[0]->isVisible() && vistas[1]->isVisible());
    }
};

QTEST_MAIN(TstFrmReportes)
#include "tst_frmReportes.moc"
