#include "BancoProcesos.h"

#include "Casos.h"
#include "app/frmDalvoHD.h"
#include "app/modDalvoHD.h"
#include "consultation/MuestraResultado.h"
#include "consultation/clsQuerys.h"
#include "data/Recordset.h"
#include "data/embedded/Extensiones.h"
#include "data/frmDNS.h"
#include "ui/Aplicacion.h"
#include "ui/VistaLista.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <sqlite3.h>

namespace dalvo::banco {

namespace {

struct Resultado
{
    double ms = 0;
    double kb = 0;
};

Resultado proceso(const Opciones& o, const QString& modo, const QString& condicion = {})
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(o.ejecutable, {QStringLiteral("--proceso"), modo, QStringLiteral("--base"), o.base,
                           QStringLiteral("--condicion"), condicion});
    if (!p.waitForFinished(120000))
        p.kill();
    for (const QByteArray& linea : p.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> partes = linea.split(' ');
        if (partes.size() == 3 && partes[0] == "RESULTADO")
            return {partes[1].toDouble(), partes[2].toDouble()};
    }
    std::fprintf(stderr, "El proceso %s no dio resultado\n", qPrintable(modo));
    return {};
}

frmDalvoHD* ventanaPrincipal()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* v = qobject_cast<frmDalvoHD*>(w))
            return v;
    }
    return nullptr;
}

// The program's start-up with the log-in typed in the log-in window.
frmDalvoHD* arrancar()
{
    QTimer::singleShot(0, [] {
        frmDNS& dns = frmDNS::instancia();
        dns.findChild<QLineEdit*>(QStringLiteral("txtUsuario"))->setText(QStringLiteral("operador"));
        dns.findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(QStringLiteral("demo"));
        dns.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
        if (dns.isVisible())
            dns.reject();
    });
    Main();
    frmDalvoHD* v = ventanaPrincipal();
    if (v)
        v->repaint();
    return v;
}

// The floor: the company name read with the C API and a bare window with an empty list, painted.
void arrancarPiso(const QString& base, QMainWindow& ventana)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(base).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    embebido::registrarExtensiones(db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT NombreEmpresa FROM Parametros", -1, &st, nullptr);
    QString empresa;
    while (sqlite3_step(st) == SQLITE_ROW)
        empresa = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    ventana.setWindowTitle(empresa);
    ventana.setCentralWidget(new QTreeWidget);
    ventana.show();
    ventana.repaint();
}

} // namespace

int correrProceso(int argc, char** argv, const QString& modo, const QString& base, const QString& condicion,
                  const QElapsedTimer& reloj)
{
    Q_UNUSED(argc);
    // Only the program's name: the start-up reads its command line as the start-up argument.
    int argcApp = 1;
    QApplication app(argcApp, argv);
    QMainWindow piso;
    if (modo == u"piso") {
        arrancarPiso(base, piso);
    } else {
        qputenv("DALVOHD_SERVER", (QStringLiteral("sqlite:") + base).toLocal8Bit());
        ui::prepararAplicacion(app);
        frmDalvoHD* v = arrancar();
        if (!v)
            return 1;
        if (modo == u"memoria") {
            std::unique_ptr<ado::Recordset> rs = gQuerys->Consulta(4, condicion);
            MuestraResultado(*rs, *v->lvwGeneral, *v);
            rs->Close();
            v->repaint();
            std::fprintf(stderr, "filas en la lista: %d\n", v->lvwGeneral->cantidadItems());
        }
    }
    const double ms = double(reloj.nsecsElapsed()) / 1e6;
    std::printf("RESULTADO %.2f %lld\n", ms, memoriaPicoKb());
    std::fflush(stdout);
    std::_Exit(0); // as the program ends: no teardown
}

void bancoArranque(const Opciones& o)
{
    QVector<double> a, b;
    proceso(o, QStringLiteral("arranque")); // the first start warms the file cache
    for (int i = 0; i < o.veces; ++i) {
        a << proceso(o, QStringLiteral("arranque")).ms;
        b << proceso(o, QStringLiteral("piso")).ms;
    }
    imprimir(
        filaRazon(QStringLiteral("Arranque"), QStringLiteral("Hasta la ventana principal pintada"),
                  QStringLiteral("-"), {mediana(a), mediana(b)}, 0,
                  QStringLiteral("ingreso en el mismo proceso; piso: Qt, la empresa leída con SQLite y una "
                                 "ventana vacía")));
}

void bancoMemoria(const Opciones& o)
{
    embebido::MotorEmbebido motor;
    abrirMotor(motor, o.base);
    int filas = 0;
    const QString condicion = condicionDeFilas(motor, 1500, filas);
    QVector<double> a, b;
    for (int i = 0; i < 3; ++i) {
        a << proceso(o, QStringLiteral("memoria"), condicion).kb / 1024.0;
        b << proceso(o, QStringLiteral("piso")).kb / 1024.0;
    }
    Fila f;
    f.grupo = QStringLiteral("Memoria");
    f.caso = QStringLiteral("Pico (VmHWM, MB) con la lista mostrada");
    f.filas = QString::number(filas);
    f.medido = QString::number(mediana(a), 'f', 1);
    f.piso = QString::number(mediana(b), 'f', 1);
    f.razon = mediana(b) > 0 ? mediana(a) / mediana(b) : 0;
    f.meta = QStringLiteral("< 150 MB");
    f.cumple = mediana(a) > 0 && mediana(a) < 150 ? QStringLiteral("sí") : QStringLiteral("no");
    f.nota = QStringLiteral("programa entero tras el ingreso; piso: Qt y una ventana vacía");
    imprimir(f);
}

} // namespace dalvo::banco
