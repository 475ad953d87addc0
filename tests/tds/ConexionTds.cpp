#include "tds/ConexionTds.h"

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <sys/socket.h>

namespace dalvo::tds {

namespace {

constexpr int kCabecera = 8;
constexpr quint8 kFinDeMensaje = 0x01;

// Environment changes of the login reply.
enum : quint8
{
    kEntornoBaseDatos = 1,
    kEntornoIdioma = 2,
    kEntornoPaquete = 4,
};

ado::ParametroMotor parametroMotor(const ParametroRpc& p)
{
    ado::ParametroMotor pm;
    pm.nombre = p.nombre.startsWith(u'@') ? p.nombre.mid(1) : p.nombre;
    pm.tipo = tipoAdo(p.tipo);
    pm.tamano = tamanoAdo(p.tipo);
    pm.valor = p.valor;
    // The wire only says "output"; one sent without a value is an output-only parameter.
    pm.direccion = !p.salida              ? ado::Direccion::Entrada
                   : ado::esNulo(p.valor) ? ado::Direccion::Salida
                                          : ado::Direccion::EntradaSalida;
    return pm;
}

} // namespace

ConexionTds::ConexionTds(ServidorTds::Nucleo& nucleo, ServidorTds::Nucleo::Enlace& enlace)
    : mNucleo(nucleo), mEnlace(enlace), mSocket(enlace.socket)
{}

ConexionTds::~ConexionTds()
{
    if (mMotor && mMotor->abierta()) {
        try {
            mMotor->cerrar();
        } catch (const std::exception& e) {
            mNucleo.anotar(QStringLiteral("el motor falló al cerrarse: %1").arg(QString::fromUtf8(e.what())));
        }
    }
    mNucleo.cerrarSocket(mEnlace);
}

void ConexionTds::atender()
{
    try {
        for (;;) {
            const Mensaje m = leerMensaje();
            if (!mMotor && m.tipo != mensaje::Prelogin && m.tipo != mensaje::Login7) {
                mNucleo.anotar(QStringLiteral("mensaje 0x%1 antes del login").arg(m.tipo, 0, 16));
                return;
            }
            switch (m.tipo) {
            case mensaje::Prelogin:
                enviar(respuestaPrelogin());
                break;
            case mensaje::Login7:
                login(m);
                break;
            case mensaje::Lote:
                lote(m);
                break;
            case mensaje::Rpc:
                rpc(m);
                break;
            case mensaje::Atencion:
                // The reply was already complete when the client cancelled: acknowledge all the same.
                responderAtencion();
                break;
            default:
                mNucleo.anotar(QStringLiteral("mensaje de tipo desconocido 0x%1").arg(m.tipo, 0, 16));
                return;
            }
        }
    } catch (const EnlaceCerrado&) {
    } catch (const ErrorProtocolo& e) {
        mNucleo.anotar(
            QStringLiteral("conexión %1: %2").arg(mEnlace.numero).arg(QString::fromUtf8(e.what())));
    } catch (const std::exception& e) {
        mNucleo.anotar(QStringLiteral("conexión %1: error inesperado: %2")
                           .arg(mEnlace.numero)
                           .arg(QString::fromUtf8(e.what())));
    }
}

void ConexionTds::leerExacto(char* destino, size_t n)
{
    while (n > 0) {
        const ssize_t leidos = ::recv(mSocket, destino, n, 0);
        if (leidos < 0 && errno == EINTR)
            continue;
        if (leidos <= 0)
            throw EnlaceCerrado{};
        destino += leidos;
        n -= size_t(leidos);
    }
}

ConexionTds::Mensaje ConexionTds::leerMensaje()
{
    Mensaje m;
    for (bool primero = true;; primero = false) {
        char cabecera[kCabecera];
        leerExacto(cabecera, kCabecera);
        const quint8 tipo = quint8(cabecera[0]);
        const quint8 estado = quint8(cabecera[1]);
        const int largo = (quint8(cabecera[2]) << 8) | quint8(cabecera[3]);
        if (largo < kCabecera)
            throw ErrorProtocolo("paquete de largo " + std::to_string(largo));
        if (!primero && tipo != m.tipo)
            throw ErrorProtocolo("un mensaje mezcla paquetes de tipos distintos");
        m.tipo = tipo;
        QByteArray cuerpo(largo - kCabecera, '\0');
        leerExacto(cuerpo.data(), size_t(cuerpo.size()));
        m.datos.append(cuerpo);
        if (estado & kFinDeMensaje)
            return m;
    }
}

void ConexionTds::enviar(const QByteArray& datos, qsizetype hasta)
{
    const bool completo = hasta < 0;
    const qsizetype total = completo ? datos.size() : std::min(hasta, datos.size());
    const qsizetype porPaquete = mTamanoPaquete - kCabecera;
    qsizetype pos = 0;
    do {
        const qsizetype n = std::min(porPaquete, total - pos);
        const bool ultimo = pos + n == total;
        if (!completo && n == 0)
            break;
        QByteArray paquete;
        paquete.reserve(kCabecera + n);
        const quint16 spid = quint16(50 + mEnlace.numero);
        paquete.append(char(mensaje::Respuesta));
        paquete.append(char(ultimo && completo ? kFinDeMensaje : 0));
        paquete.append(char((kCabecera + n) >> 8));
        paquete.append(char((kCabecera + n) & 0xFF));
        paquete.append(char(spid >> 8));
        paquete.append(char(spid & 0xFF));
        paquete.append(char(mNumeroPaquete++));
        paquete.append('\0');
        paquete.append(datos.constData() + pos, n);
        for (qsizetype enviado = 0; enviado < paquete.size();) {
            const ssize_t r = ::send(mSocket, paquete.constData() + enviado, size_t(paquete.size() - enviado),
                                     MSG_NOSIGNAL);
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0)
                throw EnlaceCerrado{};
            enviado += r;
        }
        pos += n;
    } while (pos < total);
}

bool ConexionTds::esperarAtencion(int ms)
{
    using Reloj = std::chrono::steady_clock;
    const auto limite = Reloj::now() + std::chrono::milliseconds(ms);
    for (;;) {
        const auto quedan = std::chrono::duration_cast<std::chrono::milliseconds>(limite - Reloj::now());
        pollfd p{mSocket, POLLIN, 0};
        const int r = ::poll(&p, 1, int(std::max<qint64>(quedan.count(), 0)));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        const Mensaje m = leerMensaje();
        if (m.tipo == mensaje::Atencion)
            return true;
        mNucleo.anotar(
            QStringLiteral("mensaje 0x%1 mientras otra petición esperaba respuesta").arg(m.tipo, 0, 16));
    }
}

void ConexionTds::responderAtencion()
{
    ++mNucleo.atenciones;
    Respuesta r;
    r.done(token::Done, estadoDone::Atencion);
    enviar(r.terminar());
}

void ConexionTds::login(const Mensaje& m)
{
    const Login7 lg = leerLogin7(m.datos);
    mVersion = lg.versionTds;
    mMotor = mNucleo.fabrica();
    Respuesta r;
    try {
        mMotor->abrir({mNucleo.servidorMotor, lg.baseDatos, lg.usuario, lg.clave, 15});
    } catch (const ado::FallaMotor& f) {
        for (const ado::ErrorAdo& e : f.errores())
            r.error(e, kClaseLogin);
        r.done(token::Done, estadoDone::Error);
        enviar(r.terminar());
        throw EnlaceCerrado{}; // a refused login ends the link, as SQL Server does
    }
    const int tamano = lg.tamanoPaquete >= 512 && lg.tamanoPaquete <= 32767 ? int(lg.tamanoPaquete) : 4096;
    const QString base = lg.baseDatos.isEmpty() ? QStringLiteral("master") : lg.baseDatos;
    r.cambioEntorno(kEntornoBaseDatos, base, QStringLiteral("master"));
    r.cambioEntorno(kEntornoIdioma, QStringLiteral("us_english"), QString());
    r.cambioColacion(colacionLatin1());
    r.loginAck(mVersion);
    r.cambioEntorno(kEntornoPaquete, QString::number(tamano), QString::number(mTamanoPaquete));
    r.done(token::Done, estadoDone::Final);
    enviar(r.terminar());
    mTamanoPaquete = tamano;
}

void ConexionTds::atenderPeticion(const QString& texto, quint8 tokenFinal, const Ejecucion& ejecutar)
{
    const std::optional<Averia> averia = mNucleo.tomarAveria(mEnlace.numero, texto);
    using Tipo = Averia::Tipo;
    if (averia && averia->tipo == Tipo::CortarAntesDeResponder)
        throw EnlaceCerrado{};
    if (averia && averia->tipo == Tipo::Demorar && esperarAtencion(averia->milisegundos)) {
        responderAtencion();
        return;
    }
    const int corte = averia && averia->tipo == Tipo::CortarEntreFilas ? std::max(averia->filas, 0) : -1;
    Respuesta r;
    try {
        ejecutar(r, corte);
    } catch (const std::exception& e) {
        // An engine that breaks its contract (a value that does not fit its column, an unexpected
        // exception): the client gets an error and the test an incident.
        const QString error =
            QStringLiteral("error del servidor de prueba: %1").arg(QString::fromUtf8(e.what()));
        mNucleo.anotar(error);
        r = Respuesta();
        r.mensaje(token::Error, 50000, kClaseError, error);
        r.done(tokenFinal, estadoDone::Error);
    }
    if (esperarAtencion(0)) {
        responderAtencion(); // cancelled while the engine worked: the results are dropped
        return;
    }
    if (corte >= 0) {
        enviar(r.terminar(), std::max<qsizetype>(r.corte(), 0));
        throw EnlaceCerrado{};
    }
    enviar(r.terminar());
}

void ConexionTds::rechazar(const QString& incidente, quint8 tokenFinal)
{
    mNucleo.anotar(incidente);
    Respuesta r;
    r.mensaje(token::Error, 50000, kClaseError, incidente);
    r.done(tokenFinal, estadoDone::Error);
    enviar(r.terminar());
}

void ConexionTds::lote(const Mensaje& m)
{
    const QString sql = leerLote(m.datos, conCabeceras());
    atenderPeticion(sql, token::Done, [&](Respuesta& r, int corte) {
        if (soloOpcionesDeSesion(sql)) {
            r.done(token::Done, estadoDone::Final);
            return;
        }
        try {
            escribirLote(r, mMotor->ejecutar(sql, 0), false, corte);
        } catch (const ado::FallaMotor& f) {
            for (const ado::ErrorAdo& e : f.errores())
                r.error(e);
            r.done(token::Done, estadoDone::Error);
        }
    });
}

void ConexionTds::rpc(const Mensaje& m)
{
    QVector<LlamadaRpc> llamadas;
    try {
        llamadas = leerRpc(m.datos, conCabeceras());
    } catch (const ErrorProtocolo& e) {
        rechazar(QStringLiteral("llamada ilegible: %1").arg(QString::fromUtf8(e.what())), token::DoneProc);
        return;
    }
    QStringList textos;
    for (const LlamadaRpc& c : llamadas)
        textos << (c.idProcedimiento == kSpExecuteSql ? sentenciaDeExecuteSql(c) : c.nombre());
    atenderPeticion(textos.join(QStringLiteral("; ")), token::DoneProc, [&](Respuesta& r, int corte) {
        for (const LlamadaRpc& c : llamadas) {
            llamada(r, c, corte);
            corte = -1;
        }
    });
}

void ConexionTds::llamada(Respuesta& r, const LlamadaRpc& c, int filasHastaCorte)
{
    try {
        if (c.idProcedimiento != 0 && c.idProcedimiento != kSpExecuteSql) {
            const QString texto = QStringLiteral("procedimiento del sistema no admitido: %1").arg(c.nombre());
            mNucleo.anotar(texto);
            r.mensaje(token::Error, 2812, kClaseError, texto);
            r.done(token::DoneProc, estadoDone::Error);
            return;
        }
        QVector<ado::ParametroMotor> parametros;
        for (const ParametroRpc& p : c.parametros)
            parametros.append(parametroMotor(p));
        const ado::Lote lote = c.idProcedimiento == kSpExecuteSql
                                   ? mMotor->ejecutar(sentenciaDeExecuteSql(c), 0)
                                   : mMotor->llamar(c.procedimiento, parametros, 0);
        escribirLote(r, lote, true, filasHastaCorte);
        if (!lote.errorFinal.isEmpty()) {
            r.done(token::DoneProc, estadoDone::Error);
            return;
        }
        r.estadoRetorno(lote.valorRetorno);
        if (c.idProcedimiento == 0) {
            for (qsizetype i = 0; i < c.parametros.size(); ++i) {
                const ParametroRpc& p = c.parametros[i];
                if (p.salida)
                    r.valorRetorno(quint16(i), p.nombre, tipoDeSalida(p.tipo, parametros[i].valor),
                                   parametros[i].valor);
            }
        }
        r.done(token::DoneProc, estadoDone::Final);
    } catch (const ado::FallaMotor& f) {
        for (const ado::ErrorAdo& e : f.errores())
            r.error(e);
        r.done(token::DoneProc, estadoDone::Error);
    }
}

} // namespace dalvo::tds
