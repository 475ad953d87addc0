// The generator as the program uses it: the stamp that decides when to regenerate, the write that nobody
// sees half done, and the procedures carried into the file.

#include "BasePruebas.h"
#include "common/Falla.h"
#include "common/Reloj.h"
#include "demo/Sqlite.h"

#include <QScopeGuard>
#include <QtTest>

using namespace dalvo;
using namespace dalvo::demo;

class tst_GeneradorDemo : public QObject
{
    Q_OBJECT

private slots:
    void vigencia_data();
    void vigencia();
    void destinoIntactoHastaTerminar();
    void fallaNoDejaArchivos();
    void asegurarSoloSiHaceFalta();
    void baseDelProgramaEnCarpetaDelUsuario();
    void procedimientosEnLaBase();
};

namespace {

OpcionesDemo opcionesPruebas(QDate hoy = pruebas::kHoy)
{
    return {Escala::Pruebas, hoy, kSemillaDemo, {}};
}

QByteArray leer(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

void tst_GeneradorDemo::vigencia_data()
{
    QTest::addColumn<QString>("alterar"); // SQL run on the copy before asking
    QTest::addColumn<bool>("reemplazar"); // the file is overwritten with...
    QTest::addColumn<QByteArray>("contenido");
    QTest::addColumn<int>("dias"); // shift of the "today" asked about
    QTest::addColumn<QString>("escala");
    QTest::addColumn<int>("semilla"); // shift of the seed asked about
    QTest::addColumn<bool>("vigente");
    QTest::newRow("recién generada") << "" << false << QByteArray() << 0 << "pruebas" << 0 << true;
    QTest::newRow("al día siguiente") << "" << false << QByteArray() << 1 << "pruebas" << 0 << false;
    QTest::newRow("con el reloj atrasado") << "" << false << QByteArray() << -1 << "pruebas" << 0 << false;
    QTest::newRow("otra escala") << "" << false << QByteArray() << 0 << "demo" << 0 << false;
    QTest::newRow("otra semilla") << "" << false << QByteArray() << 0 << "pruebas" << 1 << false;
    QTest::newRow("otra versión del generador") << "UPDATE dalvo_info SET valor = '0' WHERE clave = 'version'"
                                                << false << QByteArray() << 0 << "pruebas" << 0 << false;
    QTest::newRow("otro esquema o procedimientos")
        << "UPDATE dalvo_info SET valor = 'x' WHERE clave = 'huella'" << false << QByteArray() << 0
        << "pruebas" << 0 << false;
    QTest::newRow("sin sello") << "DELETE FROM dalvo_info" << false << QByteArray() << 0 << "pruebas" << 0
                               << false;
    QTest::newRow("sin tabla de sello")
        << "DROP TABLE dalvo_info" << false << QByteArray() << 0 << "pruebas" << 0 << false;
    QTest::newRow("un archivo que no es una base")
        << "" << true << QByteArray("no soy una base de datos") << 0 << "pruebas" << 0 << false;
    QTest::newRow("un archivo vacío") << "" << true << QByteArray() << 0 << "pruebas" << 0 << false;
}

void tst_GeneradorDemo::vigencia()
{
    QFETCH(QString, alterar);
    QFETCH(bool, reemplazar);
    QFETCH(QByteArray, contenido);
    QFETCH(int, dias);
    QFETCH(QString, escala);
    QFETCH(int, semilla);
    QFETCH(bool, vigente);
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("base.sqlite"));
    QVERIFY(QFile::copy(pruebas::basePruebas(), ruta));
    QFile(ruta).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    if (!alterar.isEmpty()) {
        Conexion db(ruta, false);
        db.ejecutar(alterar);
    }
    if (reemplazar) {
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contenido);
    }
    OpcionesDemo opciones = opcionesPruebas(pruebas::kHoy.addDays(dias));
    opciones.escala = *EscalaDesdeNombre(escala);
    opciones.semilla = kSemillaDemo + semilla;
    QCOMPARE(BaseVigente(ruta, opciones), vigente);
    // The program's own question (scale Demo, default seed) never takes a test database as current.
    QVERIFY(!BaseVigente(ruta, pruebas::kHoy));
    QVERIFY(!BaseVigente(carpeta.filePath(QStringLiteral("no-existe.sqlite")), opciones));
}

void tst_GeneradorDemo::destinoIntactoHastaTerminar()
{
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("base.sqlite"));
    {
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("la base anterior");
    }
    OpcionesDemo opciones = opcionesPruebas();
    QStringList etapas;
    opciones.avance = [&](const QString& etapa) {
        if (leer(ruta) != "la base anterior")
            etapas << QStringLiteral("destino tocado en: ") + etapa;
        else
            etapas << etapa;
    };
    GenerarBase(ruta, opciones);
    QVERIFY(etapas.size() >= 4);
    QVERIFY2(!etapas.join(QLatin1Char('|')).contains(QStringLiteral("destino tocado")),
             qPrintable(etapas.join(QLatin1Char('|'))));
    QVERIFY(BaseVigente(ruta, opciones));
    QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("base.sqlite")});
}

void tst_GeneradorDemo::fallaNoDejaArchivos()
{
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("base.sqlite"));
    QVERIFY(QFile::copy(pruebas::basePruebas(), ruta));
    OpcionesDemo opciones = opcionesPruebas(pruebas::kHoy.addDays(1));
    opciones.avance = [](const QString& etapa) {
        if (etapa.startsWith(QStringLiteral("Índices")))
            throw Falla(7, QStringLiteral("prueba"), QStringLiteral("interrumpida"));
    };
    QVERIFY_THROWS_EXCEPTION(Falla, GenerarBase(ruta, opciones));
    QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("base.sqlite")});
    QVERIFY(BaseVigente(ruta, opcionesPruebas())); // the previous database, untouched
}

void tst_GeneradorDemo::asegurarSoloSiHaceFalta()
{
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("sub/base.sqlite"));
    int generaciones = 0;
    OpcionesDemo opciones = opcionesPruebas();
    opciones.avance = [&](const QString& etapa) {
        generaciones += etapa.startsWith(QStringLiteral("Creando"));
    };
    QCOMPARE(AsegurarBase(ruta, opciones), ruta);
    QCOMPARE(generaciones, 1);
    AsegurarBase(ruta, opciones);
    QCOMPARE(generaciones, 1);
    opciones.hoy = opciones.hoy.addDays(1);
    AsegurarBase(ruta, opciones);
    QCOMPARE(generaciones, 2);
    QVERIFY(BaseVigente(ruta, opciones));
}

void tst_GeneradorDemo::baseDelProgramaEnCarpetaDelUsuario()
{
    QTemporaryDir carpeta;
    const QByteArray anterior = qgetenv("XDG_DATA_HOME");
    const auto restaurar = qScopeGuard([&] { qputenv("XDG_DATA_HOME", anterior); });
    qputenv("XDG_DATA_HOME", carpeta.path().toUtf8());
    const QString ruta = RutaBaseDemo();
    QVERIFY(ruta.startsWith(carpeta.path() + QLatin1Char('/')));
    const RelojFijo reloj(QDateTime(QDate(2025, 1, 15), QTime(9, 30)));
    QCOMPARE(AsegurarBaseDemo(), ruta);
    QVERIFY(BaseVigente(ruta, QDate(2025, 1, 15)));
    const QDateTime escrita = QFileInfo(ruta).lastModified();
    QCOMPARE(AsegurarBaseDemo(), ruta);
    QCOMPARE(QFileInfo(ruta).lastModified(), escrita);
    Conexion db(ruta, true);
    QCOMPARE(db.texto(QStringLiteral("SELECT valor FROM dalvo_info WHERE clave = 'escala'")),
             QStringLiteral("demo"));
}

// The test program carries demo/procedures/spPruebaDemo.sql in its own resources, as the library carries
// the real ones: whatever lies in that resource folder is installed.
void tst_GeneradorDemo::procedimientosEnLaBase()
{
    Conexion db(pruebas::basePruebas(), true);
    QFile archivo(QStringLiteral(":/demo/procedures/spPruebaDemo.sql"));
    QVERIFY(archivo.open(QIODevice::ReadOnly));
    QCOMPARE(db.texto(QStringLiteral("SELECT texto FROM dalvo_procedimientos WHERE nombre = 'SPPRUEBADEMO'")),
             QString::fromUtf8(archivo.readAll()));
    QCOMPARE(db.entero(QStringLiteral("SELECT COUNT(*) FROM dalvo_procedimientos")),
             QDir(QStringLiteral(":/demo/procedures")).entryList({QStringLiteral("*.sql")}).size());
}

QTEST_GUILESS_MAIN(tst_GeneradorDemo)
#include "tst_GeneradorDemo.moc"
