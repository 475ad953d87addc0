#include "EntornoPrueba.h"
#include "Version.h"
#include "app/frmAbout.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace dalvo;

class TstFrmAbout : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;

    static QString texto(const QWidget& ventana, const char* nombre)
    {
        return ventana.findChild<QLabel*>(QString::fromLatin1(nombre))->text();
    }

private slots:
    void init() { mEntorno = std::make_unique<prueba::EntornoPrueba>(); }
    void cleanup() { mEntorno.reset(); }

    void textos()
    {
        frmAbout ventana;
        QCOMPARE(ventana.windowTitle(), QStringLiteral("About DalvoHDL"));
        QCOMPARE(texto(ventana, "lblTitle"), QStringLiteral("DalvoHDL"));
        QCOMPARE(texto(ventana, "lblVersion"), QStringLiteral("Version %1.%2.%3")
                                                   .arg(version::major)
                                                   .arg(version::minor)
                                                   .arg(version::revision));
        QVERIFY(texto(ventana, "lblDisclaimer").startsWith(QStringLiteral("Advertencia:")));
        QVERIFY(!ventana.findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
        QCOMPARE(ventana.findChildren<QFrame*>(QStringLiteral("Line1")).size(), 2);
        QCOMPARE(ventana.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(),
                 QStringLiteral("&Sistema"));
    }

    // Company name, legal notice and comments, each followed by a line break, then the edition.
    void descripcion()
    {
        const QStringList partes = frmAbout::textoDescripcion().split(QStringLiteral("\r\n"));
        QCOMPARE(partes.size(), 4);
        QCOMPARE(partes.last(), QStringLiteral("Versión PRAL Metropolitana"));
        for (const QString& parte : partes)
            QVERIFY(!parte.isEmpty());
        frmAbout ventana;
        QCOMPARE(texto(ventana, "lblDescription").split(QLatin1Char('\n')), partes);
    }

    void sistemaSinHerramientaLoDice()
    {
        prueba::GuionMensajes guion;
        frmAbout ventana;
        ventana.show();
        QTest::mouseClick(ventana.findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
        QCOMPARE(guion.mostrados().size(), 1);
        QCOMPARE(guion.mostrados().first().texto,
                 QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(guion.mostrados().first().botones, ui::Botones::OK);
        QVERIFY(ventana.isVisible());
    }

    void aceptarCierraSinSerModal()
    {
        frmAbout ventana;
        ventana.show();
        QVERIFY(!ventana.isModal());
        QTest::mouseClick(ventana.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QVERIFY(!ventana.isVisible());
    }
};

QTEST_MAIN(TstFrmAbout)
#include "tst_frmAbout.moc"
