#include "Escenas.h"
#include "adhoc/frmConsultas.h"
#include "consultation/frmSeleccion.h"
#include "data/cUserConnection.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace dalvo::capturas {
namespace {

// The program's own demo database, as the operator "operador" sees it.
void conectarDemo()
{
    static cUserConnection conexion;
    if (!gConexion) {
        conexion.Connect(QStringLiteral("demo"), QStringLiteral("operador"), QStringLiteral("demo"),
                         QStringLiteral("dalvoPralMendoza"));
        gConexion = &conexion;
    }
}

// Providers whose name begins "Farmacia S", the name column still current and a result row chosen.
const Registro consultas("frmConsultas", [] {
    conectarDemo();
    auto* ventana = new frmConsultas;
    auto* tablas = ventana->findChild<QComboBox*>(QStringLiteral("cboTablas"));
    const int prestadores = tablas->findText(QStringLiteral("Prestadores"));
    tablas->setCurrentIndex(prestadores);
    emit tablas->activated(prestadores);
    auto* campos = ventana->findChild<QListWidget*>(QStringLiteral("lstCampos"));
    campos->setCurrentRow(6); // Nombre
    auto* valor = ventana->findChild<QLineEdit*>(QStringLiteral("txtValor"));
    valor->setText(QStringLiteral("Farmacia S"));
    QFocusEvent salida(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(valor, &salida);
    ventana->findChild<QPushButton*>(QStringLiteral("cmdConsultar"))->click();
    auto* respuesta = ventana->findChild<QTreeWidget*>(QStringLiteral("lvwRespuesta"));
    if (respuesta->topLevelItemCount() > 1)
        respuesta->setCurrentItem(respuesta->topLevelItem(1));
    return ventana;
});

// Values picked from a provider's row, three of them unmarked.
const Registro seleccion("frmSeleccion", [] {
    static ColeccionSeleccion valores;
    valores.clear();
    const QList<QPair<QString, QString>> fila{{"IdPrestador", "2"},
                                              {"IdTipoPrestador", "1"},
                                              {"Prestador_OS", "100002"},
                                              {"Nombre", "Farmacia O'Brien"},
                                              {"Direccion", "San Martín 1250"},
                                              {"Telefono", "261 4290017"},
                                              {"Baja", "Falso"}};
    for (const auto& [campo, valor] : fila) {
        const auto numero = qint16(valores.size() + 1);
        valores.append({numero, campo, valor, true, QString::number(numero) + QLatin1Char('K')});
    }
    valores[1].Marcado = false;
    valores[4].Marcado = false;
    valores[5].Marcado = false;
    auto* ventana = new frmSeleccion;
    ventana->prepararSeleccion(valores);
    return ventana;
});

} // namespace
} // namespace dalvo::capturas
