#include "tds/ServidorTds.h"

#include "tds/ConexionTds.h"
#include "tds/Nucleo.h"

#include <QDebug>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace dalvo::tds {

std::optional<Averia> ServidorTds::Nucleo::tomarAveria(int conexion, const QString& peticion)
{
    std::lock_guard bloqueo(mutex);
    for (auto it = averias.begin(); it != averias.end(); ++it) {
        const auto& [destino, averia] = *it;
        if ((destino == 0 || destino == conexion) &&
            (averia.siContiene.isEmpty() || peticion.contains(averia.siContiene, Qt::CaseInsensitive))) {
            Averia a = averia;
            averias.erase(it);
            return a;
        }
    }
    return std::nullopt;
}

void ServidorTds::Nucleo::anotar(const QString& incidente)
{
    qWarning().noquote() << "servidor TDS de prueba:" << incidente;
    std::lock_guard bloqueo(mutex);
    incidentes << incidente;
}

void ServidorTds::Nucleo::cerrarSocket(Enlace& enlace)
{
    std::lock_guard bloqueo(mutex);
    if (enlace.socket >= 0) {
        ::close(enlace.socket);
        enlace.socket = -1;
    }
}

ServidorTds::ServidorTds(FabricaMotor fabrica, QString servidorMotor) : mNucleo(std::make_unique<Nucleo>())
{
    mNucleo->fabrica = std::move(fabrica);
    mNucleo->servidorMotor = std::move(servidorMotor);
}

ServidorTds::~ServidorTds()
{
    detener();
}

quint16 ServidorTds::iniciar(quint16 puerto)
{
    Nucleo& n = *mNucleo;
    if (n.escucha >= 0)
        return n.puerto;
    const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0)
        throw std::runtime_error(std::string("socket: ") + std::strerror(errno));
    const int si = 1;
    ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &si, sizeof si);
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_port = htons(puerto);
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t largo = sizeof dir;
    if (::bind(s, reinterpret_cast<sockaddr*>(&dir), sizeof dir) != 0 || ::listen(s, 16) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&dir), &largo) != 0) {
        const std::string error = std::strerror(errno);
        ::close(s);
        throw std::runtime_error("no se puede escuchar en 127.0.0.1:" + std::to_string(puerto) + ": " +
                                 error);
    }
    n.escucha = s;
    n.puerto = ntohs(dir.sin_port);
    n.deteniendo = false;
    n.hiloEscucha = std::thread([&n] {
        for (;;) {
            const int c = ::accept4(n.escucha, nullptr, nullptr, SOCK_CLOEXEC);
            if (n.deteniendo)
                break;
            if (c < 0) {
                if (errno == EINTR || errno == ECONNABORTED)
                    continue;
                n.anotar(QStringLiteral("accept: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
                break;
            }
            const int sinDemora = 1;
            ::setsockopt(c, IPPROTO_TCP, TCP_NODELAY, &sinDemora, sizeof sinDemora);
            std::lock_guard bloqueo(n.mutex);
            Nucleo::Enlace& e = n.enlaces.emplace_back();
            e.numero = ++n.aceptadas;
            e.socket = c;
            e.hilo = std::thread([&n, &e] { ConexionTds(n, e).atender(); });
        }
    });
    return n.puerto;
}

void ServidorTds::detener()
{
    Nucleo& n = *mNucleo;
    if (n.escucha < 0)
        return;
    n.deteniendo = true;
    ::shutdown(n.escucha, SHUT_RDWR); // wakes the thread blocked in accept
    n.hiloEscucha.join();
    ::close(n.escucha);
    n.escucha = -1;
    cortarEnReposo(0);
    // No thread adds links any more; the connection threads only close their own socket.
    for (Nucleo::Enlace& e : n.enlaces)
        if (e.hilo.joinable())
            e.hilo.join();
    n.enlaces.clear();
}

quint16 ServidorTds::puerto() const
{
    return mNucleo->puerto;
}

int ServidorTds::conexionesAceptadas() const
{
    std::lock_guard bloqueo(mNucleo->mutex);
    return mNucleo->aceptadas;
}

int ServidorTds::conexionesAbiertas() const
{
    std::lock_guard bloqueo(mNucleo->mutex);
    return int(std::count_if(mNucleo->enlaces.begin(), mNucleo->enlaces.end(),
                             [](const Nucleo::Enlace& e) { return e.socket >= 0; }));
}

int ServidorTds::atenciones() const
{
    return mNucleo->atenciones;
}

void ServidorTds::armarAveria(const Averia& averia, int conexion)
{
    std::lock_guard bloqueo(mNucleo->mutex);
    mNucleo->averias.emplace_back(conexion, averia);
}

int ServidorTds::averiasArmadas() const
{
    std::lock_guard bloqueo(mNucleo->mutex);
    return int(mNucleo->averias.size());
}

void ServidorTds::cortarEnReposo(int conexion)
{
    std::lock_guard bloqueo(mNucleo->mutex);
    for (const Nucleo::Enlace& e : mNucleo->enlaces)
        if (e.socket >= 0 && (conexion == 0 || e.numero == conexion))
            ::shutdown(e.socket, SHUT_RDWR); // the connection's thread sees the end and closes it
}

QStringList ServidorTds::incidentes() const
{
    std::lock_guard bloqueo(mNucleo->mutex);
    return mNucleo->incidentes;
}

} // namespace dalvo::tds
