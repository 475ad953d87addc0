// tds-servidor-prueba: the TDS test server over a demo file, for pointing tsql, dalvohd-sql or the program
// at it by hand. Prints the port on the first line of its output and serves until interrupted.
//
//   tds-servidor-prueba [--puerto N] <demo.sqlite>
//
// Every connection runs on the embedded demo engine, so the demo logins apply (operador / demo).

#include "data/embedded/MotorEmbebido.h"
#include "tds/ServidorTds.h"

#include <QFileInfo>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <pthread.h>

namespace {

dalvo::tds::FabricaMotor fabricaMotor()
{
    return [] { return std::make_unique<dalvo::embebido::MotorEmbebido>(); };
}

int uso()
{
    std::fprintf(stderr, "uso: tds-servidor-prueba [--puerto N] <demo.sqlite>\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    // Block the stop signals before any thread starts, so that only sigwait receives them.
    sigset_t senales;
    sigemptyset(&senales);
    sigaddset(&senales, SIGINT);
    sigaddset(&senales, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &senales, nullptr);

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    quint16 puerto = 0;
    QString archivo;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == QLatin1String("--puerto") && !args.isEmpty()) {
            bool ok = false;
            puerto = args.takeFirst().toUShort(&ok);
            if (!ok)
                return uso();
        } else if (!a.startsWith(u'-') && archivo.isEmpty()) {
            archivo = a;
        } else {
            return uso();
        }
    }
    if (archivo.isEmpty())
        return uso();
    if (!QFileInfo(archivo).isFile()) {
        std::fprintf(stderr, "tds-servidor-prueba: no existe %s\n", qPrintable(archivo));
        return 1;
    }

    dalvo::tds::ServidorTds servidor(fabricaMotor(),
                                     QStringLiteral("sqlite:") + QFileInfo(archivo).absoluteFilePath());
    try {
        puerto = servidor.iniciar(puerto);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tds-servidor-prueba: %s\n", e.what());
        return 1;
    }
    std::printf("%u\n", unsigned(puerto));
    std::fflush(stdout);
    std::fprintf(stderr, "Sirviendo %s en 127.0.0.1,%u (Ctrl+C para terminar)\n", qPrintable(archivo),
                 unsigned(puerto));

    int senal = 0;
    sigwait(&senales, &senal);
    servidor.detener();
    return 0;
}
