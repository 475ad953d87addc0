// The consultation console on a demo database of its own: the main window with a result of each search
// kind, and the two detail windows.

#include "Escenas.h"
#include "app/frmDalvoHD.h"
#include "app/modDalvoHD.h"
#include "common/Falla.h"
#include "common/Reloj.h"
#include "consultation/frmInformacionPrestador.h"
#include "consultation/frmTicket.h"
#include "data/Empresa.h"
#include "data/Recordset.h"
#include "data/cUserConnection.h"
#include "demo/GeneradorDemo.h"
#include "ui/VistaLista.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

namespace dalvo::capturas {
namespace {

QString fecha(int diasAtras)
{
    return Hoy().addDays(-diasAtras).toString(QStringLiteral("dd/MM/yyyy"));
}

// A demo database generated once into a temporary folder, and the connection to it.
void conectar()
{
    static QTemporaryDir carpeta;
    static QString base;
    if (base.isEmpty()) {
        base = carpeta.filePath(QStringLiteral("demo.sqlite"));
        demo::GenerarBase(base, {demo::Escala::Demo, Hoy(), demo::kSemillaDemo, {}});
    }
    delete gConexion;
    gConexion = new cUserConnection;
    try {
        gConexion->Connect(QStringLiteral("sqlite:") + base, QStringLiteral("operador"),
                           QStringLiteral("demo"), QStringLiteral("dalvoPralMendoza"));
        gTituloEmpresa = LeerNombreEmpresa();
    } catch (const Falla& f) {
        std::fprintf(stderr, "Sin base de demostración: %s\n", f.what());
    }
}

// The first value of a statement on the demo database (the date of a ticket, its provider's name).
QVariant valor(const QString& sql)
{
    std::unique_ptr<ado::Recordset> rs = gConexion->Query(sql);
    return rs && !rs->Eof() ? rs->Fields(0).Value() : QVariant();
}

QWidget* ticket(int numero, bool farmacia)
{
    conectar();
    const QString desde = farmacia ? QStringLiteral("Fecha_Prestacion FROM Tickets")
                                   : QStringLiteral("FechaDePractica FROM TicketPrestador");
    const QVariant dia = valor(QStringLiteral("SELECT ") + desde + QStringLiteral(" WHERE IdTicket = ") +
                               QString::number(numero));
    const QVariant nombre = valor(
        QStringLiteral("SELECT P.Nombre FROM Prestadores P INNER JOIN ") + desde.section(u' ', 2, 2) +
        QStringLiteral(" T ON T.IdPrestador = P.IdPrestador WHERE T.IdTicket = ") + QString::number(numero));
    auto* ventana = new frmTicket;
    ventana->Cargar(numero, dia.toDateTime(), nombre.toString().trimmed(), farmacia);
    return ventana;
}

struct Consulta
{
    const char* clave;
    const char* criterio;
    const char* valor;
    bool exacto;
    int desde; // days before today
    int hasta;
};

QWidget* consultar(const Consulta& c)
{
    conectar();
    auto* v = new frmDalvoHD;
    v->show();
    for (int i = 0; i < v->lvwMenu->count(); ++i) {
        QListWidgetItem* item = v->lvwMenu->item(i);
        if (item->data(Qt::UserRole).toString() == QLatin1String(c.clave)) {
            v->lvwMenu->setCurrentItem(item);
            emit v->lvwMenu->itemClicked(item);
        }
    }
    v->cboConsulta->setCurrentText(QString::fromUtf8(c.criterio));
    v->txtConsulta->setText(QString::fromUtf8(c.valor));
    v->chkBuscarExacto->setChecked(c.exacto);
    v->txtDesdeFecha->setText(fecha(c.desde));
    v->txtHastaFecha->setText(fecha(c.hasta));
    v->cmdConsulta->click();
    if (v->lvwGeneral->cantidadItems() > 0)
        v->lvwGeneral->setCurrentItem(v->lvwGeneral->item(0));
    return v;
}

const Registro prestadores("consulta_Prestadores", [] {
    return consultar({"1K", "Nombre", "Farmacia", false, 30, 0});
});
const Registro afiliados("consulta_Afiliados", [] {
    return consultar({"2K", "Numero", "10001", false, 0, 0});
});
const Registro medicamentos("consulta_Medicamentos", [] {
    return consultar({"3K", "Nombre", "AMOX", false, 0, 0});
});
const Registro practicas("consulta_Practicas", [] {
    return consultar({"7K", "Nombre", "Consulta", false, 0, 0});
});
const Registro medicos("consulta_Medicos", [] { return consultar({"8K", "Nombre", "Mu", true, 0, 0}); });
const Registro ticketsFarmacia("consulta_TicketsFarmacia", [] {
    return consultar({"4K", "Fecha", "", false, 1, 1});
});
const Registro ticketsPrestador("consulta_TicketsPrestador", [] {
    return consultar({"9K", "Fecha", "", false, 10, 0});
});
const Registro cierres("consulta_Cierres", [] { return consultar({"5K", "Fecha", "", false, 40, 0}); });
const Registro acciones("consulta_Acciones", [] { return consultar({"10K", "Nombre", "", false, 0, 0}); });
const Registro errores("consulta_Errores", [] { return consultar({"6K", "Clave", "4", false, 0, 0}); });

const Registro ticketFarmacia("frmTicket", [] { return ticket(1, true); });
const Registro ticketPrestador("frmTicket_Prestador", [] { return ticket(2000001, false); });

const Registro informacion("frmInformacionPrestador", [] {
    conectar();
    auto* ventana = new frmInformacionPrestador;
    ventana->Cargar(2, fecha(30), fecha(0));
    return ventana;
});

} // namespace
} // namespace dalvo::capturas
