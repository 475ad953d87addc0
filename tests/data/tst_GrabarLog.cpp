#include "EntornoPrueba.h"
#include "common/Programa.h"
#include "common/Reloj.h"
#include "data/GrabarLog.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <memory>

using namespace dalvo;

namespace {
const QDateTime Momento(QDate(2024, 2, 3), QTime(14, 5, 9));

QByteArray leer(const QString& ruta)
{
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

void crear(const QString& ruta, const QByteArray& contenido = "x")
{
    QFile archivo(ruta);
    QVERIFY(archivo.open(QIODevice::WriteOnly));
    archivo.write(contenido);
}
} // namespace

class TstGrabarLog : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;

    QString enPrograma(const QString& nombre) const
    {
        return QDir(mEntorno->carpetaPrograma()).filePath(nombre);
    }
    static QByteArray cabecera(const QByteArray& sello)
    {
        return "INICIO: " + sello + "\r\nAPP.: dalvohd - Version " + versionPrograma().toLatin1() + "\r\n";
    }

private slots:
    void init() { mEntorno = std::make_unique<prueba::EntornoPrueba>(QLocale(QStringLiteral("es_AR"))); }
    void cleanup() { mEntorno.reset(); }

    void primeraLineaDelDiaBorraLosAnterioresYEscribeCabecera()
    {
        for (const char* nombre : {"20240202.log", "otro.log", "notas.txt"})
            crear(enPrograma(QLatin1String(nombre)));
        RelojFijo reloj(Momento);

        GrabarLog(QStringLiteral("Conección € ñ"), QStringLiteral("Conectar"));

        // Written in the 8-bit code page; what does not fit becomes "?".
        QCOMPARE(leer(enPrograma(QStringLiteral("20240203.log"))),
                 cabecera("03/feb/2024 14:05:09") +
                     "03/feb/2024 14:05:09 | Conecci\xf3n ? \xf1 | Conectar\r\n");
        QVERIFY(!QFile::exists(enPrograma(QStringLiteral("20240202.log"))));
        QVERIFY(!QFile::exists(enPrograma(QStringLiteral("otro.log"))));
        QVERIFY(QFile::exists(enPrograma(QStringLiteral("notas.txt"))));
    }

    void siguientesLineasSoloAgreganHastaOtroDia()
    {
        {
            RelojFijo reloj(Momento);
            GrabarLog(QStringLiteral("uno"), QStringLiteral("Form_load"));
        }
        crear(enPrograma(QStringLiteral("ajeno.log"))); // only a day's first line clears the folder
        RelojFijo reloj(Momento.addSecs(60));
        GrabarLog(QStringLiteral("dos"));

        QCOMPARE(leer(enPrograma(QStringLiteral("20240203.log"))),
                 cabecera("03/feb/2024 14:05:09") + "03/feb/2024 14:05:09 | uno | Form_load\r\n" +
                     "03/feb/2024 14:06:09 | dos | \r\n");
        QVERIFY(QFile::exists(enPrograma(QStringLiteral("ajeno.log"))));

        RelojFijo manana(Momento.addDays(1)); // a new day, a new file
        GrabarLog(QStringLiteral("hoy"));
        QVERIFY(!QFile::exists(enPrograma(QStringLiteral("20240203.log"))));
        QVERIFY(leer(enPrograma(QStringLiteral("20240204.log"))).startsWith("INICIO: 04/feb/2024"));
    }

    void selloConElMesAbreviadoDelLocal_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("en_US") << "en_US"
                               << "03/Feb/2024 14:05:09";
        QTest::newRow("sin punto final") << "nl_NL"
                                         << "03/feb/2024 14:05:09";
    }

    void selloConElMesAbreviadoDelLocal()
    {
        QFETCH(QString, local);
        mEntorno->setLocal(QLocale(local));
        QTEST(selloLog(Momento), "esperado");
    }

    void carpetaDelProgramaSinPermisoUsaLaDelUsuario()
    {
        crear(enPrograma(QStringLiteral("archivo")));
        setCarpetaPrograma(enPrograma(QStringLiteral("archivo/sub"))); // cannot exist: a file is in the way
        RelojFijo reloj(Momento);

        GrabarLog(QStringLiteral("evento"), QStringLiteral("Proc"));

        QCOMPARE(carpetaLog(), CarpetaDatosUsuario());
        QVERIFY(CarpetaDatosUsuario().startsWith(mEntorno->carpeta()));
        QVERIFY(leer(QDir(CarpetaDatosUsuario()).filePath(QStringLiteral("20240203.log")))
                    .endsWith("| evento | Proc\r\n"));
    }
};

QTEST_GUILESS_MAIN(TstGrabarLog)
#include "tst_GrabarLog.moc"
