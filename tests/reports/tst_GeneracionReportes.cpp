#include "DatosPrueba.h"
#include "EntornoPrueba.h"
#include "common/Falla.h"
#include "common/Programa.h"
#include "common/Reloj.h"
#include "data/GrabarLog.h"
#include "reports/ColeccionParametros.h"
#include "reports/GeneracionReportes.h"
#include "reports/frmVistaPrevia.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <memory>

using namespace dalvo;

namespace {

// Answers every statement with the rows the test gives (by default a closings table of two rows).
class OrigenFalso : public OrigenReportes
{
public:
    QStringList sentencias;
    std::function<std::unique_ptr<ResultadoReporte>(const QString&, qint32&, QString&)> responder;

    std::unique_ptr<ResultadoReporte> Query(const QString& sql, qint32& error, QString& texto) override
    {
        sentencias << sql;
        error = 0;
        if (responder)
            return responder(sql, error, texto);
        return std::make_unique<ResultadoEnMemoria>(prueba::tablaCierres(2));
    }
};

struct Emitido
{
    QString reporte, titulo, subtitulo;
};

} // namespace

class TstGeneracionReportes : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::GuionMensajes> mMensajes;
    std::unique_ptr<RelojFijo> mReloj;
    ColeccionParametros mParametros;
    OrigenFalso mOrigen;
    QList<Emitido> mEmitidos;

    QString carpeta() const { return mEntorno->carpetaPrograma() + QStringLiteral("/Reportes/"); }

    PedidoReportes pedido(const QStringList& codigos, const QString& ticket = {})
    {
        PedidoReportes p;
        for (const QString& c : codigos)
            p.seleccionados.append({c, QStringLiteral("Item ") + c});
        p.ticket = ticket;
        p.parametros = &mParametros;
        p.subtituloRango = QStringLiteral(" entre el 01/03/2008 y el 31/03/2008");
        p.carpeta = carpeta();
        p.empresa = QStringLiteral("Dalvo");
        return p;
    }

    EmisorReportes capturar()
    {
        return [this](const QString& nombre, ResultadoReporte&, const QString&, const QString&,
                      const QString& titulo, const QString& subtitulo) {
            mEmitidos.append({nombre, titulo, subtitulo});
        };
    }

    QStringList lineasLog() const
    {
        QFile f(carpetaLog() + QStringLiteral("/20080402.log"));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).mid(2);
    }

    void copiarDelProyecto(const QString& nombre)
    {
        QDir().mkpath(carpeta());
        QVERIFY(QFile::copy(prueba::carpetaReportesFuente() + QLatin1Char('/') + nombre, carpeta() + nombre));
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mMensajes = std::make_unique<prueba::GuionMensajes>();
        mReloj = std::make_unique<RelojFijo>(QDateTime(QDate(2008, 4, 2), QTime(9, 15)));
        mParametros = ColeccionParametros();
        for (const char* clave :
             {"FECHADESDE=01/03/2008", "FECHAHASTA=31/03/2008", "CIERREACTUAL=17", "PRESTADORACTUAL=42"})
            mParametros.Add(QString::fromLatin1(clave).section(u'=', 0, 0),
                            QString::fromLatin1(clave).section(u'=', 1));
        mOrigen.sentencias.clear();
        mOrigen.responder = nullptr;
        mEmitidos.clear();
        for (const char* archivo : {"Cierres.rpt", "Cierres.SQL"})
            copiarDelProyecto(QString::fromLatin1(archivo));
    }
    void cleanup()
    {
        for (frmVistaPrevia* v : frmVistaPrevia::abiertas())
            v->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        mReloj.reset();
        mMensajes.reset();
        mEntorno.reset();
    }

    // Each report from scratch, in list order: KC5 shows no title of its own after KC2; an unknown code is
    // passed over without a word.
    void cadaReporteEnOrdenYDesdeCero()
    {
        GenerarReportes(pedido({QStringLiteral("KC2"), QStringLiteral("KX9"), QStringLiteral("KT1"),
                                QStringLiteral("KC5")}),
                        mOrigen, capturar());
        QVERIFY(mMensajes->mostrados().isEmpty());
        QCOMPARE(mEmitidos.size(), 3);
        QCOMPARE(mEmitidos[0].reporte, QStringLiteral("Cierres"));
        QCOMPARE(mEmitidos[0].titulo, QStringLiteral("LISTADO DE CIERRES"));
        QCOMPARE(mEmitidos[1].reporte, QStringLiteral("Tickets1"));
        QCOMPARE(mEmitidos[2].titulo, QString());
        QCOMPARE(mEmitidos[2].subtitulo, QStringLiteral("Item KC5"));
        QVERIFY(mOrigen.sentencias[0].startsWith(QLatin1String("SELECT Cierres.IdCierre")));
        QVERIFY(mOrigen.sentencias[0].contains(QLatin1String("\n WHERE  Cierres.IdCierre=17\r\nORDER BY")));
        QCOMPARE(mOrigen.sentencias[1],
                 QStringLiteral("EXECUTE spRptTickets NULL, NULL, NULL, NULL, NULL, NULL, NULL"));
    }

    void ticketSinNumeroValidoDetieneTodo_data()
    {
        prueba::filasDeTexto({"ticket"}, {{"vacio", ""},
                                          {"blancos", "   "},
                                          {"letras", "12a"},
                                          {"sentencia agregada", "1; DELETE FROM Tickets"}});
    }
    void ticketSinNumeroValidoDetieneTodo()
    {
        QFETCH(QString, ticket);
        GenerarReportes(pedido({QStringLiteral("KC1"), QStringLiteral("KT"), QStringLiteral("KC2")}, ticket),
                        mOrigen, capturar());
        QCOMPARE(mEmitidos.size(), 1); // KC1, before it
        QCOMPARE(mOrigen.sentencias.size(), 1);
        QCOMPARE(mMensajes->mostrados().size(), 1);
        const ui::Mensaje& m = mMensajes->mostrados().first();
        QCOMPARE(m.texto, QStringLiteral("Debe seleccionar el numero de ticket a imprimir"));
        QCOMPARE(m.icono, ui::Icono::Informacion);
        QCOMPARE(m.titulo, QString::fromLatin1(TituloAplicacion));
    }

    void consultaVaciaSeAnotaYSigueConElSiguiente()
    {
        QFile::remove(carpeta() + QStringLiteral("Cierres.SQL"));
        prueba::escribir(carpeta() + QStringLiteral("PrestadorPracticas.SQL"), "SELECT * FROM Prestadores");
        GenerarReportes(pedido({QStringLiteral("KC1"), QStringLiteral("KP1")}), mOrigen, capturar());
        const QString texto =
            QStringLiteral(" Archivo de consuta vacio (Reporte: ") + carpeta() + QStringLiteral("Cierres)");
        QCOMPARE(mMensajes->mostrados().size(), 1);
        QCOMPARE(mMensajes->mostrados()[0].texto, QStringLiteral("Error: 1\r\n") + texto);
        QCOMPARE(mMensajes->mostrados()[0].icono, ui::Icono::Critico);
        QCOMPARE(mMensajes->mostrados()[0].titulo, QString::fromLatin1(TituloAplicacion));
        QCOMPARE(lineasLog(), QStringList{QStringLiteral("02/abr/2008 09:15:00 | 1") + texto +
                                          QStringLiteral(" | frmReportes.cmdGenerar")});
        QCOMPARE(
            mOrigen.sentencias,
            QStringList{QStringLiteral("SELECT * FROM Prestadores WHERE  Prestadores.IdPrestador = 42\r\n")});
        QCOMPARE(mEmitidos.size(), 1);
    }

    void errorDeLaConsultaSeAnotaYSigue()
    {
        mOrigen.responder = [](const QString& sql, qint32& error,
                               QString& texto) -> std::unique_ptr<ResultadoReporte> {
            if (sql.contains(QLatin1String("spConsultaCierre"))) {
                error = 2812;
                texto =
                    QStringLiteral("42000 No se encontró el procedimiento almacenado 'spConsultaCierre'.");
                return nullptr;
            }
            return std::make_unique<ResultadoEnMemoria>(prueba::tablaCierres(1));
        };
        GenerarReportes(pedido({QStringLiteral("KC5"), QStringLiteral("KC2")}), mOrigen, capturar());
        QCOMPARE(mMensajes->mostrados().size(), 1);
        QCOMPARE(mMensajes->mostrados()[0].texto,
                 QStringLiteral(
                     "Error: 2812\r\n42000 No se encontró el procedimiento almacenado 'spConsultaCierre'."));
        QCOMPARE(
            lineasLog(),
            QStringList{QStringLiteral("02/abr/2008 09:15:00 | 2812 42000 No se encontró el procedimiento "
                                       "almacenado 'spConsultaCierre'. (Reporte: ") +
                        carpeta() + QStringLiteral("FormularioCierre) | frmReportes.cmdGenerar")});
        QCOMPARE(mEmitidos.size(), 1);
        QCOMPARE(mEmitidos[0].reporte, QStringLiteral("Cierres"));
    }

    void parametroQueFaltaDetieneConElPaso()
    {
        ColeccionParametros sinCierre;
        sinCierre.Add(QStringLiteral("FECHADESDE"), QString());
        sinCierre.Add(QStringLiteral("FECHAHASTA"), QString());
        PedidoReportes p = pedido({QStringLiteral("KC1"), QStringLiteral("KC2"), QStringLiteral("KT1")});
        p.parametros = &sinCierre;
        GenerarReportes(p, mOrigen, capturar());
        QCOMPARE(mEmitidos.size(), 1);
        QCOMPARE(mMensajes->mostrados().size(), 1);
        const ui::Mensaje& m = mMensajes->mostrados()[0];
        QCOMPARE(m.titulo, QStringLiteral("Error"));
        QCOMPARE(m.icono, ui::Icono::Critico);
        const QStringList lineas = m.texto.split(QStringLiteral("\r\n"));
        QCOMPARE(lineas.size(), 3);
        QCOMPARE(lineas[0], QStringLiteral("5"));
        QVERIFY(lineas[1].contains(QLatin1String("CIERREACTUAL")));
        QCOMPARE(lineas[2], QStringLiteral("3"));
        QCOMPARE(lineasLog().size(), 1);
        QVERIFY(lineasLog()[0].endsWith(QStringLiteral(" (Reporte: ") + carpeta() +
                                        QStringLiteral("Cierres) | frmReportes.cmdGenerar")));
    }

    void fallaDeLaConexionDetieneEnElPasoCinco()
    {
        mOrigen.responder = [](const QString&, qint32&, QString&) -> std::unique_ptr<ResultadoReporte> {
            throw Falla(10054, QStringLiteral("Usuario.Query"),
                        QStringLiteral("08S01 Enlace de comunicación"));
        };
        GenerarReportes(pedido({QStringLiteral("KT1"), QStringLiteral("KC2")}), mOrigen, capturar());
        QCOMPARE(mOrigen.sentencias.size(), 1);
        QCOMPARE(mMensajes->mostrados().size(), 1);
        QCOMPARE(mMensajes->mostrados()[0].texto,
                 QStringLiteral("10054\r\n08S01 Enlace de comunicación\r\n5"));
    }

    void sentenciaSinResultadosEsUnReporteSinDatos()
    {
        mOrigen.responder = [](const QString&, qint32&, QString&) {
            return std::unique_ptr<ResultadoReporte>();
        };
        GenerarReportes(pedido({QStringLiteral("KC2")}), mOrigen);
        QCOMPARE(frmVistaPrevia::abiertas().size(), 0);
        QCOMPARE(mMensajes->mostrados().size(), 1);
        QCOMPARE(mMensajes->mostrados()[0].texto, QStringLiteral("No hay datos para generar reporte"));
    }
};

QTEST_MAIN(TstGeneracionReportes)
#include "tst_GeneracionReportes.moc"
