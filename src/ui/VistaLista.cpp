#include "ui/VistaLista.h"

#include "ui/Iconos.h"

#include <QHeaderView>
#include <QStyle>

namespace dalvo::ui {

namespace {

constexpr int RolClave = Qt::UserRole + 1;
constexpr int RolIcono = Qt::UserRole + 2;

// A row that takes its cells' alignment from the column header (nothing stored per cell) and sorts by text.
class ItemLista : public QTreeWidgetItem
{
public:
    ItemLista() : QTreeWidgetItem(UserType) {}

    QVariant data(int column, int role) const override
    {
        if (role == Qt::TextAlignmentRole) {
            if (const QTreeWidget* lista = treeWidget())
                return lista->headerItem()->data(column, Qt::TextAlignmentRole);
        }
        return QTreeWidgetItem::data(column, role);
    }

    bool operator<(const QTreeWidgetItem& otro) const override
    {
        const int columna = treeWidget() ? treeWidget()->sortColumn() : 0;
        return QString::localeAwareCompare(text(columna), otro.text(columna)) < 0;
    }
};

} // namespace

VistaLista::VistaLista(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setIconSize(QSize(16, 16));
    // Widths are the program's: no stretching, and narrow widths are kept as given.
    header()->setStretchLastSection(false);
    header()->setMinimumSectionSize(1);
    header()->setSectionsMovable(false);
    header()->setSectionsClickable(true);
    setColumnCount(0);
}

int VistaLista::agregarColumna(const QString& encabezado, int anchoTwips, Qt::Alignment alineacion)
{
    const int columna = columnCount();
    setColumnCount(columna + 1);
    headerItem()->setText(columna, encabezado);
    headerItem()->setData(columna, Qt::TextAlignmentRole, (alineacion | Qt::AlignVCenter).toInt());
    setAnchoColumna(columna, anchoTwips);
    mLargoMedido.resize(columna + 1, -1);
    return columna;
}

QString VistaLista::encabezado(int columna) const
{
    return headerItem()->text(columna);
}

Qt::Alignment VistaLista::alineacion(int columna) const
{
    const int valor = headerItem()->data(columna, Qt::TextAlignmentRole).toInt();
    return Qt::Alignment(valor) & Qt::AlignHorizontal_Mask;
}

int VistaLista::anchoColumna(int columna) const
{
    return isColumnHidden(columna) ? 0 : aTwips(columnWidth(columna));
}

void VistaLista::setAnchoColumna(int columna, int twips)
{
    // A zero-width section would keep the header's minimum width: hide the column instead.
    if (twips <= 0) {
        setColumnHidden(columna, true);
        return;
    }
    setColumnHidden(columna, false);
    setColumnWidth(columna, std::max(1, aPixeles(twips)));
}

void VistaLista::limpiarColumnas()
{
    limpiarItems();
    setColumnCount(0);
    mLargoMedido.clear();
}

QTreeWidgetItem* VistaLista::agregarItem(const QString& clave, const QString& texto, const QString& icono)
{
    QTreeWidgetItem* nuevo = nuevoItem(clave, texto);
    if (!icono.isEmpty())
        setIcono(nuevo, icono);
    addTopLevelItem(nuevo);
    return nuevo;
}

QTreeWidgetItem* VistaLista::nuevoItem(const QString& clave, const QString& texto) const
{
    auto* nuevo = new ItemLista;
    nuevo->setText(0, texto);
    if (!clave.isEmpty())
        nuevo->setData(0, RolClave, clave);
    return nuevo;
}

void VistaLista::agregarItems(const QList<QTreeWidgetItem*>& items)
{
    addTopLevelItems(items);
}

QTreeWidgetItem* VistaLista::buscarItem(const QString& clave) const
{
    if (clave.isEmpty())
        return nullptr;
    for (int i = 0, n = topLevelItemCount(); i < n; ++i) {
        QTreeWidgetItem* candidato = topLevelItem(i);
        if (VistaLista::clave(candidato) == clave)
            return candidato;
    }
    return nullptr;
}

QTreeWidgetItem* VistaLista::itemSeleccionado() const
{
    const QList<QTreeWidgetItem*> elegidos = selectedItems();
    return elegidos.isEmpty() ? nullptr : elegidos.first();
}

QTreeWidgetItem* VistaLista::primerItem() const
{
    return topLevelItem(0);
}

QTreeWidgetItem* VistaLista::ultimoItem() const
{
    return topLevelItem(topLevelItemCount() - 1);
}

void VistaLista::limpiarItems()
{
    clear();
    mLargoMedido.fill(-1);
}

QString VistaLista::clave(const QTreeWidgetItem* item)
{
    return item ? item->data(0, RolClave).toString() : QString();
}

void VistaLista::setClave(QTreeWidgetItem* item, const QString& clave)
{
    item->setData(0, RolClave, clave);
}

bool VistaLista::setIcono(QTreeWidgetItem* item, const QString& clave)
{
    const QIcon imagen = ui::icono(clave);
    if (imagen.isNull())
        return false;
    item->setIcon(0, imagen);
    item->setData(0, RolIcono, clave);
    return true;
}

QString VistaLista::claveIcono(const QTreeWidgetItem* item)
{
    return item ? item->data(0, RolIcono).toString() : QString();
}

void VistaLista::ordenarPor(int columna, Qt::SortOrder orden)
{
    header()->setSortIndicatorShown(true);
    sortItems(columna, orden);
}

int VistaLista::aPixeles(int twips) const
{
    return qRound(twips * logicalDpiX() / 1440.0);
}

int VistaLista::aTwips(int pixeles) const
{
    return qRound(pixeles * 1440.0 / logicalDpiX());
}

int VistaLista::anchoTexto(const QString& texto, const QWidget* ventana) const
{
    const QWidget* medidor = ventana ? ventana : this;
    return aTwips(medidor->fontMetrics().horizontalAdvance(texto));
}

int VistaLista::anchoEncabezado(const QString& encabezado) const
{
    const QHeaderView* cabecera = header();
    const int margen = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, cabecera);
    return aTwips(cabecera->fontMetrics().horizontalAdvance(encabezado) + 4 * margen);
}

int VistaLista::anchoTextoSiMasLargo(int columna, const QString& texto, const QWidget* ventana)
{
    if (columna < 0 || columna >= mLargoMedido.size())
        return anchoTexto(texto, ventana);
    if (texto.size() <= mLargoMedido[columna])
        return -1;
    mLargoMedido[columna] = texto.size();
    return anchoTexto(texto, ventana);
}

} // namespace dalvo::ui
