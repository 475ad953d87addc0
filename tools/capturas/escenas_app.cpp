#include "Escenas.h"
#include "app/frmAbout.h"
#include "app/frmDalvoHD.h"
#include "data/Empresa.h"
#include "data/frmDNS.h"

#include <QLineEdit>

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

// The frame as the load leaves it. Without a connection the load's last step (the company name) fails
// into the scripted boxes; the caption takes the start-up's company name.
const Registro principal("frmDalvoHD", [] {
    gTituloEmpresa = QStringLiteral("Obra Social Provincial");
    auto* ventana = new frmDalvoHD;
    ventana->setTextoEstado(QStringLiteral("Listo"));
    return ventana;
});

} // namespace
} // namespace dalvo::capturas
