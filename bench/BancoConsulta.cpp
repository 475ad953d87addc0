#include "BancoConsulta.h"

#include "Casos.h"
#include "app/frmDalvoHD.h"
#include "consultation/MuestraResultado.h"
#include "consultation/clsQuerys.h"
#include "data/Recordset.h"
#include "data/cUserConnection.h"
#include "ui/VistaLista.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cstdio>

namespace dalvo::banco {

namespace {

constexpr int kMaximoEntradas = 1500;

struct Sentencias
{
    QString cuenta;
    QString filas;
    PisoSqlite::Sentencia pisoCuenta;
    PisoSqlite::Sentencia pisoFilas;
};

Sentencias sentencias(const PedidoConsulta& p, const CondicionConsulta& c, embebido::MotorEmbebido& motor,
                      const PisoSqlite& piso)
{
    Sentencias s;
    s.cuenta = clsQuerys::TextoConsulta(p.caso, c.condicion, true);
    s.filas = clsQuerys::TextoConsulta(p.caso, c.condicion, false, p.desde, p.hasta);
    s.pisoCuenta = piso.preparar(motor, s.cuenta);
    s.pisoFilas = piso.preparar(motor, s.filas);
    return s;
}

qint64 cuentaDe(const Sentencias& s, embebido::MotorEmbebido& motor)
{
    const ado::Lote lote = motor.ejecutar(s.cuenta, 0);
    return lote.tablas.front().celda(0, 0).toLongLong();
}

// The list's texts, row by row, as the fill left them.
QVector<QStringList> textosDe(const ui::VistaLista& lvw)
{
    QVector<QStringList> textos;
    for (int i = 0; i < lvw.cantidadItems(); ++i) {
        QStringList fila;
        for (int j = 0; j < lvw.cantidadColumnas(); ++j)
            fila << lvw.item(i)->text(j);
        textos << fila;
    }
    return textos;
}

// The bare insert: the same texts, items built and added in one call.
void insertarTextos(ui::VistaLista& lvw, const QVector<QStringList>& textos)
{
    QList<QTreeWidgetItem*> items;
    items.reserve(textos.size());
    for (const QStringList& fila : textos)
        items << new QTreeWidgetItem(fila);
    lvw.addTopLevelItems(items);
}

frmDalvoHD* abrirVentana()
{
    auto* v = new frmDalvoHD;
    v->resize(1280, 900);
    v->show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    return v;
}

void elegirCaso(frmDalvoHD& v, const PedidoConsulta& p)
{
    const QString clave = frmDalvoHD::claveCaso(p.caso);
    for (int i = 0; i < v.lvwMenu->count(); ++i) {
        if (v.lvwMenu->item(i)->data(Qt::UserRole).toString() == clave)
            emit v.lvwMenu->itemClicked(v.lvwMenu->item(i));
    }
    v.cboConsulta->setCurrentIndex(v.cboConsulta->findText(p.criterio));
    v.txtConsulta->setText(p.valor);
    v.chkBuscarExacto->setChecked(p.exacto);
    v.txtDesdeFecha->setText(p.desde);
    v.txtHastaFecha->setText(p.hasta);
}

// Checks the loader's promise on a filled list: every visible column shows its longest text whole (within
// `tolerancia` pixels) and every "HH" column is hidden. Returns a short note.
QString revisarAnchos(const ui::VistaLista& lvw, const QWidget& frm)
{
    int falta = 0;
    bool ocultas = true;
    for (int j = 0; j < lvw.cantidadColumnas(); ++j) {
        if (lvw.encabezado(j).startsWith(QStringLiteral("HH"))) {
            ocultas = ocultas && lvw.isColumnHidden(j);
            continue;
        }
        if (lvw.isColumnHidden(j))
            continue;
        int mayor = 0;
        for (int i = 0; i < lvw.cantidadItems(); ++i)
            mayor = std::max(mayor, frm.fontMetrics().horizontalAdvance(lvw.item(i)->text(j)));
        const int necesario = mayor + lvw.aPixeles(margenCelda(lvw, j));
        falta = std::max(falta, necesario - lvw.columnWidth(j));
    }
    return QStringLiteral("anchos: faltan %1 px como máximo; columnas HH %2")
        .arg(falta)
        .arg(ocultas ? QStringLiteral("ocultas") : QStringLiteral("VISIBLES"));
}

} // namespace

void bancoAvisosConsola(frmDalvoHD& v, int veces);

void conectarPrograma(const QString& base)
{
    qputenv("DALVOHD_SERVER", (QStringLiteral("sqlite:") + base).toLocal8Bit());
    delete gConexion;
    gConexion = new cUserConnection;
    gConexion->Connect({}, QStringLiteral("operador"), QStringLiteral("demo"), {});
}

void bancoCapaDatos(const Opciones& o)
{
    embebido::MotorEmbebido motor;
    abrirMotor(motor, o.base);
    PisoSqlite piso(o.base);
    conectarPrograma(o.base);
    clsQuerys querys;
    for (const CasoConsulta& caso : casosConsulta(motor, o.hoy)) {
        const CondicionConsulta c = ArmarCondicion(caso.pedido);
        const Sentencias s = sentencias(caso.pedido, c, motor, piso);
        qint64 filas = 0;
        qint64 filasPiso = 0;
        const Par par = medirPar(
            o.veces,
            [&] {
                querys.Consulta(caso.pedido.caso, c.condicion, true)->Close();
                auto rs = querys.Consulta(caso.pedido.caso, c.condicion, false, caso.pedido.desde,
                                          caso.pedido.hasta);
                filas = rs->RecordCount();
                rs->Close();
            },
            [&] {
                piso.correr(s.pisoCuenta);
                filasPiso = piso.correr(s.pisoFilas);
            });
        if (qgetenv("DALVOHD_BENCH_PLANES") == "1") {
            std::fprintf(stderr, "%s\n  %s\n  %s\n  %s\n", qPrintable(caso.nombre),
                         s.pisoFilas.sql.constData(), qPrintable(motor.planDeConsulta(s.cuenta).join(" | ")),
                         qPrintable(motor.planDeConsulta(s.filas).join(" | ")));
        }
        imprimir(filaRazon(QStringLiteral("Capa de datos"), caso.nombre,
                           QStringLiteral("%1 (%2)").arg(filas).arg(cuentaDe(s, motor)), par, 1.5,
                           filasPiso == filas ? QString()
                                              : QStringLiteral("¡el piso dio %1 filas!").arg(filasPiso)));
    }
}

void bancoConsola(const Opciones& o)
{
    embebido::MotorEmbebido motor;
    abrirMotor(motor, o.base);
    PisoSqlite piso(o.base);
    conectarPrograma(o.base);
    std::unique_ptr<frmDalvoHD> v(abrirVentana());
    for (const CasoConsulta& caso : casosConsulta(motor, o.hoy)) {
        const CondicionConsulta c = ArmarCondicion(caso.pedido);
        const Sentencias s = sentencias(caso.pedido, c, motor, piso);
        const qint64 cuenta = cuentaDe(s, motor);
        if (cuenta > kMaximoEntradas)
            continue; // refused by the count: nothing is loaded
        elegirCaso(*v, caso.pedido);
        v->cmdConsulta->click();
        const QVector<QStringList> textos = textosDe(*v->lvwGeneral);
        const auto vaciar = [&] { v->lvwGeneral->limpiarItems(); };
        const Par par = medirPar(
            o.veces,
            [&] {
                v->cmdConsulta->click();
                v->repaint();
            },
            [&] {
                piso.correr(s.pisoCuenta);
                piso.correr(s.pisoFilas);
                insertarTextos(*v->lvwGeneral, textos);
                v->repaint();
            },
            vaciar);
        imprimir(filaRazon(QStringLiteral("Consulta de punta a punta"), caso.nombre,
                           QStringLiteral("%1 (%2)").arg(textos.size()).arg(cuenta), par, 2.0));
    }
    bancoAvisosConsola(*v, o.veces);
}

// What the consultation run does around the statements and the fill, alone: the list hidden, the status
// text "Buscando..." set and painted twice, the list shown again, the window painted; against the paint.
void bancoAvisosConsola(frmDalvoHD& v, int veces)
{
    const Par par = medirPar(
        veces,
        [&] {
            v.lvwGeneral->hide();
            v.setTextoEstado(QStringLiteral("Buscando..."));
            QApplication::processEvents();
            v.setTextoEstado(QStringLiteral("Buscando 10..."));
            QApplication::processEvents();
            v.lvwGeneral->show();
            v.setTextoEstado({});
            v.repaint();
        },
        [&] { v.repaint(); });
    imprimir(filaRazon(QStringLiteral("Consulta de punta a punta"),
                       QStringLiteral("Solo los avisos de estado y la lista oculta y mostrada"),
                       QString::number(v.lvwGeneral->cantidadItems()), par, 0,
                       QStringLiteral("piso: la ventana pintada")));
}

void bancoLista(const Opciones& o)
{
    embebido::MotorEmbebido motor;
    abrirMotor(motor, o.base);
    conectarPrograma(o.base);
    int filas = 0;
    const QString condicion = condicionDeFilas(motor, kMaximoEntradas, filas);
    clsQuerys querys;
    std::unique_ptr<ado::Recordset> rs = querys.Consulta(4, condicion);
    std::unique_ptr<frmDalvoHD> v(abrirVentana());
    ui::VistaLista& lvw = *v->lvwGeneral;
    MuestraResultado(*rs, lvw, *v);
    const QVector<QStringList> textos = textosDe(lvw);
    const Par par = medirPar(
        o.veces,
        [&] {
            rs->MoveFirst();
            MuestraResultado(*rs, lvw, *v);
            lvw.repaint();
        },
        [&] {
            insertarTextos(lvw, textos);
            lvw.repaint();
        },
        [&] { lvw.limpiarItems(); });
    // The widths and hidden columns of a fill done as the program does it.
    rs->MoveFirst();
    MuestraResultado(*rs, lvw, *v);
    imprimir(filaRazon(QStringLiteral("Llenado de la lista"),
                       QStringLiteral("Tickets de farmacia, %1 columnas").arg(lvw.cantidadColumnas()),
                       QString::number(textos.size()), par, 2.5, revisarAnchos(lvw, *v)));
}

} // namespace dalvo::banco
