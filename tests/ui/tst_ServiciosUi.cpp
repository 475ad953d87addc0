#include "EntornoPrueba.h"
#include "ui/Aplicacion.h"
#include "ui/Iconos.h"
#include "ui/Mensajes.h"
#include "ui/RelojArena.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace dalvo::ui;

Q_DECLARE_METATYPE(dalvo::ui::Botones)
Q_DECLARE_METATYPE(dalvo::ui::Respuesta)

namespace {
bool tieneTinta(const QIcon& icono, int lado)
{
    const QImage imagen = icono.pixmap(lado, lado).toImage();
    if (imagen.size() != QSize(lado, lado))
        return false;
    for (int y = 0; y < lado; ++y)
        for (int x = 0; x < lado; ++x)
            if (qAlpha(imagen.pixel(x, y)) > 128)
                return true;
    return false;
}
} // namespace

class TstServiciosUi : public QObject
{
    Q_OBJECT

    std::unique_ptr<dalvo::prueba::EntornoPrueba> mEntorno;

private slots:
    void init() { mEntorno = std::make_unique<dalvo::prueba::EntornoPrueba>(); }
    void cleanup()
    {
        restaurarPuntero();
        mEntorno.reset();
    }

    // Queued answers first, then the default button; a box without a title gets the application's.
    void guionRespondeYRegistra()
    {
        dalvo::prueba::GuionMensajes guion;
        guion.responder(Respuesta::Retry);
        QCOMPARE(msgBox(QStringLiteral("a"), Botones::RetryCancel, Icono::Critico, {}, 2), Respuesta::Retry);
        QCOMPARE(msgBox(QStringLiteral("b"), Botones::RetryCancel, Icono::Critico, {}, 2), Respuesta::Cancel);
        QCOMPARE(guion.mostrados().size(), 2);
        QCOMPARE(guion.mostrados().at(0).titulo, QStringLiteral("DalvoHD"));
    }

    void sinRespuestaEnColaContestaElBotonPorDefecto_data()
    {
        QTest::addColumn<Botones>("botones");
        QTest::addColumn<int>("porDefecto");
        QTest::addColumn<Respuesta>("esperada");
        QTest::newRow("OKCancel 2") << Botones::OKCancel << 2 << Respuesta::Cancel;
        QTest::newRow("YesNoCancel 3") << Botones::YesNoCancel << 3 << Respuesta::Cancel;
        QTest::newRow("AbortRetryIgnore 2") << Botones::AbortRetryIgnore << 2 << Respuesta::Retry;
        QTest::newRow("fuera de rango es el primero") << Botones::YesNo << 3 << Respuesta::Yes;
    }
    void sinRespuestaEnColaContestaElBotonPorDefecto()
    {
        QFETCH(Botones, botones);
        QFETCH(int, porDefecto);
        QFETCH(Respuesta, esperada);
        dalvo::prueba::GuionMensajes guion;
        QCOMPARE(msgBox(QStringLiteral("texto"), botones, Icono::Ninguno, {}, porDefecto), esperada);
    }

    // The real box: the set's buttons, the default one, and the answer of the button pressed.
    void cajaRealConBotonesYRespuesta()
    {
        QMessageBox::StandardButtons botones;
        QMessageBox::StandardButton porDefecto = QMessageBox::NoButton;
        QTimer::singleShot(0, this, [&] {
            auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(caja);
            botones = caja->standardButtons();
            porDefecto = caja->standardButton(caja->defaultButton());
            caja->button(QMessageBox::Retry)->click();
        });
        MensajesQt real;
        const Mensaje mensaje{Icono::Critico, Botones::RetryCancel, 2, QStringLiteral("Conección"),
                              QStringLiteral("¿ Reintenta ?")};
        QCOMPARE(real.mostrar(mensaje, nullptr), Respuesta::Retry);
        QCOMPARE(botones, QMessageBox::Retry | QMessageBox::Cancel);
        QCOMPARE(porDefecto, QMessageBox::Cancel);
    }

    void relojDeArenaSiempreSeRestaura()
    {
        {
            RelojArena reloj;
            {
                RelojArena interior;
            }
            QVERIFY(relojArenaPuesto()); // the inner guard leaves the outer one's hourglass
        }
        QVERIFY(!relojArenaPuesto());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

        // A handler that restores the pointer early leaves nothing for the guard to undo.
        {
            RelojArena reloj;
            restaurarPuntero();
        }
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void iconosDeCadaClave_data()
    {
        QTest::addColumn<QString>("clave");
        const QString claves = QStringLiteral(
            "AFILIADO MEDICAMENTO CIERRE TICKET TICKETFARMACIA ACCIONES ERROR TICKETPRESTADOR MEDICO "
            "PRACTICA "
            "TERMINAL ADMIRACION CANCEL CRUZ SIHABILITADO NOAFILIADO NOREMEDIO NOPRESTADOR NOTICKET PREGUNTA "
            "DERECHA IZQUIERDA NOHABILITADOold SIHABILITADOold CANCELold NOAFILIADOold NOPRESTADORold "
            "NOREMEDIOold NOTICKETold MARCA NOMARCA Find Primero Anterior Siguiente Ultimo Print Exit");
        for (const QString& clave : claves.split(QLatin1Char(' ')))
            QTest::newRow(qPrintable(clave)) << clave;
    }
    void iconosDeCadaClave()
    {
        QFETCH(QString, clave);
        QVERIFY(clavesIconos().contains(clave));
        const QIcon imagen = icono(clave);
        QVERIFY(!imagen.isNull());
        QVERIFY(tieneTinta(imagen, 16));
        QVERIFY(tieneTinta(imagen, 32));
        QVERIFY(!icono(clave.toLower()).isNull());
        QVERIFY(icono(clave + QLatin1Char('x')).isNull());
    }

    // Standard buttons read in Spanish once the application is prepared.
    void aplicacionEnEspanol()
    {
        dalvo::ui::prepararAplicacion(*qApp);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancelar"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Sí"));
        QVERIFY(tieneTinta(QApplication::windowIcon(), 32));
    }
};

QTEST_MAIN(TstServiciosUi)
#include "tst_ServiciosUi.moc"
