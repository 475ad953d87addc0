// The error driver: the report of a failure, the lost-connection test and the reconnection.

#include "EntornoPrueba.h"
#include "data/ChekError.h"
#include "data/Despliegue.h"
#include "data/ServidorPrueba.h"
#include "ui/RelojArena.h"
#include "ui/frmProceso.h"

#include <QtTest>

using namespace dalvo;
using prueba::eventoLog;
using prueba::leerLog;

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kPerdido = QStringLiteral("08S01 Se perdió la comunicación con el servidor.");
const QString kLeido = QStringLiteral("HY000 [FreeTDS][SQL Server]Read from the server failed");
const QString kInalcanzable = QStringLiteral(
    "08S01 Unable to connect: Adaptive Server is unavailable or does not exist\r\n08001 Unable to connect "
    "to data source");

} // namespace

class TestChekError : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<RelojFijo> mReloj;
    std::unique_ptr<prueba::ServidorPrueba> mServidor;
    std::unique_ptr<prueba::CajasConAccion> mCajas;
    std::unique_ptr<prueba::SalidaRegistrada> mSalida;

    // The link drops under an open connection and a statement meets it.
    qint32 perderEnlace()
    {
        mServidor->cortarEnlace();
        return mServidor->fallarUnaSentencia();
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mReloj = std::make_unique<RelojFijo>(QDateTime(QDate(2024, 2, 3), QTime(14, 5, 9)));
        mServidor = std::make_unique<prueba::ServidorPrueba>();
        mServidor->resto = [](const QString&) {
            return pruebas::lote(
                {pruebas::tabla({pruebas::columna(QStringLiteral("n"), ado::adInteger)}, {{7}})});
        };
        mServidor->conectar();
        mCajas = std::make_unique<prueba::CajasConAccion>();
        mSalida = std::make_unique<prueba::SalidaRegistrada>();
    }

    void cleanup()
    {
        mSalida.reset();
        mCajas.reset();
        mServidor.reset();
        mReloj.reset();
        mEntorno.reset();
        ui::frmProceso::instancia().Descargar();
        ui::restaurarPuntero();
    }

    void chekConexionLeeLaListaDeErrores_data()
    {
        QTest::addColumn<QStringList>("descripciones");
        QTest::addColumn<bool>("perdida");
        const auto fila = [](const char* nombre, QStringList descripciones, bool perdida) {
            QTest::newRow(nombre) << descripciones << perdida;
        };
        fila("vacia", {}, false);
        fila("08S01", {"08S01 Communication link failure"}, true);
        fila("08003", {"08003 Connection not open"}, true);
        fila("perdida al final", {"42000 Syntax", "01000 Aviso", "08S01 Link"}, true);
        fila("estado en minusculas", {"08s01 link"}, false);
    }

    void chekConexionLeeLaListaDeErrores()
    {
        QFETCH(QStringList, descripciones);
        QFETCH(bool, perdida);
        QVector<ado::ErrorAdo> lista;
        for (const QString& d : descripciones)
            lista.append({20000, d.left(5), d});
        QString sErrores = QStringLiteral("previo");
        QString sUltimo = QStringLiteral("previo");
        QCOMPARE(ChekConexion(lista, sErrores, sUltimo), perdida);
        QCOMPARE(sErrores, descripciones.join(kCrLf));
        QCOMPARE(sUltimo, descripciones.isEmpty() ? QStringLiteral("previo") : descripciones.last());
    }

    // Numbers up to 9999 (negative ones too) are reported as they come, whatever the connection's list
    // holds; above 9999 the list is reported, or the description when the list is empty.
    void elReporteDeUnaFalla_data()
    {
        QTest::addColumn<qint32>("numero");
        QTest::addColumn<bool>("enlaceCaido");
        QTest::addColumn<QString>("textoLog");
        QTest::addColumn<QString>("textoCaja");
        const auto fila = [](const char* nombre, qint32 numero, bool caido, const char* log,
                             const char* caja) {
            QTest::newRow(nombre) << numero << caido << QString::fromLatin1(log) << QString::fromLatin1(caja);
        };
        fila("9999 con el enlace caido", 9999, true, "9999 Texto ", "9999\r\nProc\r\nTexto");
        fila("negativo con el enlace caido", -7, true, "-7 Texto ", "-7\r\nProc\r\nTexto");
        fila("base sin lista", 10000, false, "VB Error:\r\nTexto", "Proc\r\nVB Error:\r\nTexto");
    }

    void elReporteDeUnaFalla()
    {
        QFETCH(qint32, numero);
        QFETCH(bool, enlaceCaido);
        QFETCH(QString, textoLog);
        QFETCH(QString, textoCaja);
        if (enlaceCaido)
            perderEnlace();
        const int aperturas = mServidor->aperturas();

        ChekError(numero, QStringLiteral("Texto"), QStringLiteral("Proc"));

        QCOMPARE(mCajas->mostrados().size(), 1);
        const ui::Mensaje caja = mCajas->mostrados().first();
        QCOMPARE(std::tuple(caja.titulo, caja.icono, caja.botones, caja.texto),
                 std::tuple(QStringLiteral("Error"), ui::Icono::Critico, ui::Botones::OK, textoCaja));
        QVERIFY2(leerLog().contains(eventoLog(textoLog, QStringLiteral("Proc"))), qPrintable(leerLog()));
        QCOMPARE(mServidor->aperturas(), aperturas);
        QVERIFY(mSalida->codigos.isEmpty());
    }

    void unErrorDeBaseMuestraLaListaDeLaConexion()
    {
        mServidor->resto = [](const QString&) -> ado::Lote {
            pruebas::fallar(
                {pruebas::registro(208, QStringLiteral("42S02"), QStringLiteral("Invalid object name 'X'.")),
                 pruebas::registro(16954, QStringLiteral("01000"), QStringLiteral("Aviso"))});
        };
        mServidor->fallarUnaSentencia();
        const QString lista = QStringLiteral("42S02 Invalid object name 'X'.\r\n01000 Aviso");
        ChekError(16954, QStringLiteral("otra"), QStringLiteral("clsQuerys.Consulta"));
        QCOMPARE(mCajas->mostrados().size(), 1);
        QCOMPARE(mCajas->mostrados().first().texto,
                 QStringLiteral("clsQuerys.Consulta\r\nRDO Error:\r\n") + lista);
        QVERIFY(leerLog().contains(
            eventoLog(QStringLiteral("RDO Error:\r\n") + lista, QStringLiteral("clsQuerys.Consulta"))));
    }

    // The first attempt asks nothing (the silent recovery is covered with the keep-alive); from the second
    // on the operator is asked, with the progress window up; Retry opens a new connection to the default
    // server with the stored credentials.
    void unSegundoFalloPreguntaSiReintenta()
    {
        const qint32 numero = perderEnlace();
        mServidor->rechazarAperturas(true);
        QString detras; // behind the question: the progress window and the driver's own state
        mCajas->alMostrar([&](const ui::Mensaje&) {
            auto& progreso = ui::frmProceso::instancia();
            detras = (progreso.isVisible() && ChekErrorEnCurso() ? QStringLiteral("en curso: ") : QString()) +
                     progreso.texto();
            mServidor->rechazarAperturas(false); // the server is back
            return ui::Respuesta::Retry;
        });

        ChekError(numero, QStringLiteral("Error al consultar"), QStringLiteral("Proc"));

        QCOMPARE(mCajas->mostrados().size(), 1);
        const ui::Mensaje pregunta = mCajas->mostrados().first();
        const QString servidor = ado::servidorPredeterminado();
        QCOMPARE(std::tuple(pregunta.titulo, pregunta.icono, pregunta.botones, pregunta.botonPorDefecto),
                 std::tuple(QStringLiteral("Conección"), ui::Icono::Critico, ui::Botones::RetryCancel, 2));
        QCOMPARE(pregunta.texto, QStringLiteral("Error\r\n") + kInalcanzable +
                                     QStringLiteral("\r\nal intentar reestablecer la conección con ") +
                                     servidor + QStringLiteral("\r\n¿ Reintenta ?"));
        QCOMPARE(detras, QStringLiteral("en curso: Intentando reestablecer conección con ") + servidor);
        QCOMPARE(gConexion->Connection->State(), int(ado::adStateOpen));
        const ado::DatosConexion nueva = mServidor->motor.guion->aperturas.last();
        QCOMPARE(QStringList({nueva.servidor, nueva.usuario, nueva.clave, nueva.baseDatos}),
                 QStringList({servidor, "u", "p", "dalvoPralMendoza"}));
        QVERIFY(!ui::frmProceso::instancia().isVisible() && !ui::relojArenaPuesto() && !ChekErrorEnCurso());
        QVERIFY(mSalida->codigos.isEmpty());
        // Each attempt logs the list it starts from.
        const QString log = leerLog();
        QVERIFY(log.contains(eventoLog(kPerdido + kCrLf + kLeido, QString())));
        QVERIFY(log.contains(eventoLog(kInalcanzable, QString())));
    }

    // A failure of the reconnection that is not a lost link (a refused login) is reported, not retried and
    // not swallowed.
    void unFalloQueNoEsDeEnlaceSeInformaYTermina()
    {
        const qint32 numero = perderEnlace();
        mServidor->motor.guion->falloApertura = {
            pruebas::registro(18456, QStringLiteral("42000"), QStringLiteral("Login failed for user 'u'."))};

        ChekError(numero, QStringLiteral("Error al consultar"), QStringLiteral("Proc"));

        QCOMPARE(mCajas->mostrados().size(), 1);
        const ui::Mensaje caja = mCajas->mostrados().first();
        QCOMPARE(std::tuple(caja.titulo, caja.botones, caja.texto),
                 std::tuple(
                     QStringLiteral("Error"), ui::Botones::OK,
                     QStringLiteral("clsUserConnection\r\nRDO Error:\r\n42000 Login failed for user 'u'.")));
        QVERIFY(!ui::frmProceso::instancia().isVisible() && !ui::relojArenaPuesto());
        QVERIFY(mSalida->codigos.isEmpty());
    }
};

QTEST_MAIN(TestChekError)
#include "tst_ChekError.moc"
