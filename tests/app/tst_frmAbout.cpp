#include "EntornoPrueba.h"
#include "Version.h"
#include "app/frmAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace dalvo;

class TstFrmAbout : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;

private slots:
    void init() { mEntorno = std::make_unique<prueba::EntornoPrueba>(); }
    void cleanup() { mEntorno.reset(); }

    // The version from the build; company, notice and comments each followed by a line break, then the
    // edition; "Sistema" without the tool says so and leaves the window open.
    void textosYSistema()
    {
        prueba::GuionMensajes guion;
        frmAbout ventana;
        ventana.show();
        QCOMPARE(ventana.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("Version %1.%2.%3")
                     .arg(version::major)
                     .arg(version::minor)
                     .arg(version::revision));
        const QStringList partes = frmAbout::textoDescripcion().split(QStringLiteral("\r\n"));
        QCOMPARE(partes.size(), 4);
        QCOMPARE(partes.last(), QStringLiteral("Versión PRAL Metropolitana"));
        QTest::mouseClick(ventana.findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
        QCOMPARE(guion.mostrados().size(), 1);
        QCOMPARE(guion.mostrados().first().texto,
                 QStringLiteral("System Information Is Unavailable At This Time"));
        QVERIFY(ventana.isVisible());
    }
};

QTEST_MAIN(TstFrmAbout)
#include "tst_frmAbout.moc"
