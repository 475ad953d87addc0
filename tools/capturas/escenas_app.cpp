#include "Escenas.h"
#include "app/frmAbout.h"
#include "app/frmDalvoHD.h"
#include "app/modDalvoHD.h"
#include "common/Falla.h"
#include "data/Empresa.h"
#include "data/cUserConnection.h"
#include "data/frmDNS.h"

#include <QLineEdit>
#include <cstdio>

namespace dalvo::capturas {
namespace {

const Registro acerca("frmAbout", [] { return new frmAbout; });

frmDNS* ingreso(const QString& parametro)
{
    auto* ventana = new frmDNS;
    ventana->Preparar(parametro);
    ventana->findChild<QLineEdit*>(QStringLiteral("txtUsuario"))->setText(QStringLiteral("operador"));
    ventana->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(QStringLiteral("demo"));
    return ventana;
}

const Registro dns("frmDNS", [] { return ingreso({}); });

const Registro dnsKvl("frmDNS_KVL", [] {
    frmDNS* ventana = ingreso(QStringLiteral("KVL"));
    ventana->findChild<QLineEdit*>(QStringLiteral("txtServidor"))->setText(QStringLiteral("demo"));
    ventana->findChild<QLineEdit*>(QStringLiteral("txtDataBase"))
        ->setText(QStringLiteral("dalvoPralMendoza"));
    return ventana;
});

// The frame as the load leaves it, logged in to the demo database.
frmDalvoHD* principal()
{
    delete gConexion;
    gConexion = new cUserConnection;
    try {
        gConexion->Connect(QStringLiteral("demo"), QStringLiteral("operador"), QStringLiteral("demo"));
        gTituloEmpresa = LeerNombreEmpresa();
    } catch (const Falla& f) {
        // The window is still worth a picture: its load reports the missing connection in the scripted boxes.
        std::fprintf(stderr, "Sin base de demostración: %s\n", f.what());
    }
    return new frmDalvoHD;
}

const Registro ventanaPrincipal("frmDalvoHD", [] { return principal(); });

// Shrunk below its minimum: it stays at 7950 x 6930 twips.
const Registro ventanaMinima("frmDalvoHD_minimo", [] {
    frmDalvoHD* ventana = principal();
    ventana->resize(1, 1);
    return ventana;
});

} // namespace
} // namespace dalvo::capturas
