// dalvohd-bench: what operators wait for, against the floor of the same work done bare.
//   dalvohd-bench --base <file> [--hoy yyyy-mm-dd] [--veces n] [grupo...]
// groups: capa, consola, lista, arranque, reporte, memoria (all by default). bench/run.sh prepares the
// database and prints the lines as one table.

#include "BancoConsulta.h"
#include "BancoProcesos.h"
#include "BancoReportes.h"
#include "common/Falla.h"
#include "demo/GeneradorDemo.h"
#include "ui/Mensajes.h"

#include <QApplication>
#include <cstdio>

using namespace dalvo;

namespace {

// Nothing waits for a click: a box that would show is written to the error output.
class MensajesEnSalida : public ui::ServicioMensajes
{
public:
    ui::Respuesta mostrar(const ui::Mensaje& m, QWidget*) override
    {
        std::fprintf(stderr, "[mensaje] %s\n", qPrintable(m.texto));
        return ui::respuestaPorDefecto(m);
    }
};

QString argumento(const QStringList& a, const QString& nombre)
{
    const qsizetype i = a.indexOf(nombre);
    return i >= 0 && i + 1 < a.size() ? a[i + 1] : QString();
}

} // namespace

int main(int argc, char* argv[])
{
    QElapsedTimer reloj;
    reloj.start();
    QStringList a;
    for (int i = 0; i < argc; ++i)
        a << QString::fromLocal8Bit(argv[i]);
    if (a.contains(QStringLiteral("--proceso")))
        return banco::correrProceso(argc, argv, argumento(a, QStringLiteral("--proceso")),
                                    argumento(a, QStringLiteral("--base")),
                                    argumento(a, QStringLiteral("--condicion")), reloj);

    QApplication app(argc, argv);
    ui::setServicioMensajes(std::make_unique<MensajesEnSalida>());
    banco::Opciones o;
    o.base = argumento(a, QStringLiteral("--base"));
    o.hoy = QDate::fromString(argumento(a, QStringLiteral("--hoy")), Qt::ISODate);
    if (!o.hoy.isValid())
        o.hoy = QDate(2024, 6, 11);
    if (const int veces = argumento(a, QStringLiteral("--veces")).toInt(); veces > 0)
        o.veces = veces;
    o.ejecutable = QCoreApplication::applicationFilePath();
    if (o.base.isEmpty()) {
        std::fprintf(stderr,
                     "uso: dalvohd-bench --base <archivo> [--hoy aaaa-mm-dd] [--veces n] [grupo...]\n");
        return 2;
    }
    const QStringList todos{"capa", "consola", "lista", "arranque", "reporte", "memoria"};
    QStringList grupos;
    for (const QString& g : todos) {
        if (a.contains(g))
            grupos << g;
    }
    if (grupos.isEmpty())
        grupos = todos;
    try {
        // The bench database, generated once and reused while it is current.
        demo::AsegurarBase(o.base, {demo::Escala::Banco, o.hoy, demo::kSemillaDemo, {}});
        for (const QString& g : grupos) {
            if (g == u"capa")
                banco::bancoCapaDatos(o);
            else if (g == u"consola")
                banco::bancoConsola(o);
            else if (g == u"lista")
                banco::bancoLista(o);
            else if (g == u"arranque")
                banco::bancoArranque(o);
            else if (g == u"reporte")
                banco::bancoReportes(o);
            else if (g == u"memoria")
                banco::bancoMemoria(o);
        }
    } catch (const Falla& f) {
        std::fprintf(stderr, "%d %s: %s\n", f.Numero, qPrintable(f.Origen), qPrintable(f.Descripcion));
        return 1;
    }
    return 0;
}
