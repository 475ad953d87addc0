#include "consultation/MuestraResultado.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "data/Motor.h"
#include "data/Recordset.h"
#include "ui/Mensajes.h"
#include "ui/VistaLista.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeWidgetItem>
#include <QVector>
#include <utility>

namespace dalvo {

namespace {

const QString kTituloError = QStringLiteral("Muestra Resultado");
const QString kOculta = QStringLiteral("HH");

// Twips per byte of a field's actual size in the first record: the starting width of its column.
constexpr int kTwipsPorByte = 30;
// Room for the row icon beside the text of the first column.
constexpr int kMargenPrimeraColumna = 100;

bool esBaja(const QString& nombreMayusculas)
{
    return nombreMayusculas == u"BAJA" || nombreMayusculas == u"ANULADO" || nombreMayusculas == u"HH BAJA" ||
           nombreMayusculas == u"HH ANULADO";
}

QString iconoDeOperacion(const QString& codigo)
{
    static const QStringList cancelada{"12", "22", "23", "62", "63"};
    static const QStringList consulta{"21", "51", "52", "53", "71", "72", "73"};
    static const QStringList rechazada{"60", "61", "64", "65"};
    static const QStringList aviso{"14", "24", "34", "41", "42", "43"};
    if (cancelada.contains(codigo))
        return QStringLiteral("CANCEL");
    if (consulta.contains(codigo))
        return QStringLiteral("PREGUNTA");
    if (rechazada.contains(codigo))
        return QStringLiteral("CRUZ");
    if (aviso.contains(codigo))
        return QStringLiteral("ADMIRACION");
    return {};
}

void mostrarFalla(const Falla& falla, QWidget& frm)
{
    ui::msgBox(QString::number(falla.Numero) + QStringLiteral(": ") + falla.Descripcion, ui::Botones::OK,
               ui::Icono::Critico, kTituloError, 1, &frm);
}

// What the fill needs of each field, read once from the first record.
struct Campo
{
    QString mayusculas;
    int tipo = 0;
    bool ensanchable = false; // hidden columns, by the name in capitals, are never widened
};

QVector<Campo> armarColumnas(ado::Recordset& rs, ui::VistaLista& lvw)
{
    const int cantidad = rs.Fields().Count();
    QVector<Campo> campos;
    campos.reserve(cantidad);
    for (int j = 0; j < cantidad; ++j) {
        const ado::Field campo = rs.Fields(j);
        const QString nombre = campo.Name();
        const int tipo = campo.Type();
        // The header test is case-sensitive; the widening test below uses capitals.
        int ancho = nombre.startsWith(kOculta, Qt::CaseSensitive) ? 0 : campo.ActualSize() * kTwipsPorByte;
        // A visible column starts wide enough for its heading (one of width 0 stays so).
        if (ancho > 0)
            ancho = std::max(ancho, anchoEncabezado(lvw, nombre));
        const bool derecha = tipo == ado::adCurrency || tipo == ado::adNumeric;
        lvw.agregarColumna(nombre, ancho, derecha ? Qt::AlignRight : Qt::AlignLeft);
        const QString mayusculas = nombre.toUpper();
        campos.append({mayusculas, tipo, !mayusculas.startsWith(kOculta)});
    }
    return campos;
}

void ensanchar(ui::VistaLista& lvw, int j, const QString& texto, QWidget& frm, int margen)
{
    // Only the longest text so far can widen a column: the others are not measured.
    const int medido = lvw.anchoTextoSiMasLargo(j, texto, &frm);
    if (medido < 0)
        return;
    const int ancho = medido + margen;
    const int referencia = lvw.anchoColumna(j);
    if (referencia <= 0) // a column of width 0 stays so
        return;
    const int necesario = j == 0 ? ancho + kMargenPrimeraColumna : ancho;
    if (necesario > referencia)
        lvw.setAnchoColumna(j, necesario);
}

} // namespace

int anchoEncabezado(const ui::VistaLista& lvw, const QString& encabezado)
{
    return lvw.anchoEncabezado(encabezado);
}

int margenCelda(const ui::VistaLista& lvw, int columna)
{
    // What the style adds around a text in a cell of this list (and the icon before it in the first column).
    QStyleOptionViewItem opcion;
    opcion.initFrom(&lvw);
    opcion.font = lvw.font();
    opcion.features = QStyleOptionViewItem::HasDisplay;
    opcion.text = QStringLiteral("0");
    if (columna == 0) {
        opcion.features |= QStyleOptionViewItem::HasDecoration;
        opcion.decorationSize = lvw.iconSize();
        opcion.decorationPosition = QStyleOptionViewItem::Left;
    }
    const QSize celda = lvw.style()->sizeFromContents(QStyle::CT_ItemViewItem, &opcion, QSize(), &lvw);
    const int relleno = std::max(0, celda.width() - lvw.fontMetrics().horizontalAdvance(opcion.text));
    // The text margins are taken once when the cell is laid out and once more when its text is drawn.
    const int margenTexto = 2 * (lvw.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &lvw) + 1);
    return lvw.aTwips(relleno + margenTexto);
}

QString iconoDeCampo(const QString& nombreMayusculas, const QString& texto)
{
    if (nombreMayusculas == u"TX")
        return iconoDeOperacion(texto);
    if (esBaja(nombreMayusculas) && (texto == u"1" || texto == u"SI"))
        return QStringLiteral("CANCEL");
    if (nombreMayusculas == u"HH DEVOLUCION" && texto == u"1")
        return QStringLiteral("DERECHA");
    if (nombreMayusculas == u"HH DESCONTADO" && texto == u"1")
        return QStringLiteral("IZQUIERDA");
    return {};
}

void MuestraResultado(ado::Recordset& rs, ui::VistaLista& lvw, QWidget& frm)
{
    lvw.limpiarColumnas();
    // Rows join the list whole and in one call: a text set on a row already in the list costs a redraw.
    QList<QTreeWidgetItem*> nuevos;
    try {
        QVector<Campo> campos;
        const int margenPrimera = margenCelda(lvw, 0);
        const int margen = margenCelda(lvw, 1);
        qint32 fila = 0;
        while (!rs.Eof()) {
            ++fila;
            if (fila == 1) {
                campos = armarColumnas(rs, lvw);
                // Work queued for the window runs once the headings are there; painting waits for the end
                // of the fill (a paint of the window halfway cost more than the fill of 1,500 rows itself).
                QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
            }
            QTreeWidgetItem* item = nullptr;
            for (int j = 0; j < campos.size(); ++j) {
                const Campo& campo = campos[j];
                const QString texto = FormatearCampo(campo.tipo, rs.Fields(j).Value());
                if (j == 0) {
                    item = lvw.nuevoItem(QString::number(fila) + u'K', texto);
                    nuevos.append(item);
                } else {
                    item->setText(j, texto);
                }
                // A later field's icon replaces an earlier one; an image that is missing leaves the row's.
                const QString icono = iconoDeCampo(campo.mayusculas, texto);
                if (!icono.isEmpty())
                    ui::VistaLista::setIcono(item, icono);
                if (campo.ensanchable)
                    ensanchar(lvw, j, texto, frm, j == 0 ? margenPrimera : margen);
            }
            rs.MoveNext();
        }
        lvw.agregarItems(std::exchange(nuevos, {}));
    } catch (const Falla& falla) {
        // The list keeps what was filled.
        lvw.agregarItems(std::exchange(nuevos, {}));
        mostrarFalla(falla, frm);
    }
}

void MuestraFicha(ado::Recordset& rs, ui::VistaLista& lvw, QWidget& frm)
{
    lvw.limpiarColumnas();
    try {
        lvw.agregarColumna(QString(), 0);
        lvw.agregarColumna(QString(), 0);
        const int margen = margenCelda(lvw, 1);
        qint32 fila = 0;
        while (!rs.Eof()) {
            ++fila;
            if (fila == 1) {
                const int cantidad = rs.Fields().Count();
                for (int j = 0; j < cantidad; ++j) {
                    const ado::Field campo = rs.Fields(j);
                    QString nombre = campo.Name();
                    QString texto = FormatearCampo(campo.Type(), campo.Value());
                    // Renamed before the hidden test, so the withdrawal flag always shows.
                    if (esBaja(nombre.toUpper())) {
                        nombre = QStringLiteral("Baja");
                        texto = texto == u"SI" || texto == u"1" ? QStringLiteral("SI") : QStringLiteral("NO");
                    }
                    if (nombre.toUpper().startsWith(kOculta))
                        continue;
                    QTreeWidgetItem* item = lvw.agregarItem(QString(), nombre);
                    const int anchoNombre = lvw.anchoTexto(nombre, &frm) + margen;
                    if (lvw.anchoColumna(0) < anchoNombre)
                        lvw.setAnchoColumna(0, anchoNombre);
                    item->setText(1, texto);
                    const int anchoTexto = lvw.anchoTexto(texto, &frm) + margen;
                    if (lvw.anchoColumna(1) < anchoTexto)
                        lvw.setAnchoColumna(1, anchoTexto);
                }
                QCoreApplication::processEvents();
            }
            rs.MoveNext();
        }
    } catch (const Falla& falla) {
        mostrarFalla(falla, frm);
    }
}

} // namespace dalvo
