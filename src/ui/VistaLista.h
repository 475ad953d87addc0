#pragma once

#include <QTreeWidget>
#include <QVector>

namespace dalvo::ui {

// The report-style list view of every list in the program: column headers with a heading, a width in twips
// and an alignment; rows with a key, a text, sub-items and a small icon named by its image key.
//
// Columns count from 0: column 0 holds the item's text, column j its sub-item j. A column of width 0 is
// hidden and still reads as width 0. Row keys are free text (empty allowed); buscarItem returns the first
// row with the key.
class VistaLista : public QTreeWidget
{
    Q_OBJECT

public:
    explicit VistaLista(QWidget* parent = nullptr);

    // --- Columns ---
    int agregarColumna(const QString& encabezado, int anchoTwips = 1440,
                       Qt::Alignment alineacion = Qt::AlignLeft);
    int cantidadColumnas() const { return columnCount(); }
    QString encabezado(int columna) const;
    Qt::Alignment alineacion(int columna) const;
    int anchoColumna(int columna) const; // twips, 0 when hidden
    void setAnchoColumna(int columna, int twips);
    // Removes every item and every column.
    void limpiarColumnas();

    // --- Items ---
    QTreeWidgetItem* agregarItem(const QString& clave, const QString& texto, const QString& icono = {});
    // Loading many rows: a row built whole before it joins the list (each text set on a row already in the
    // list is redrawn on its own), then the rows added in one call.
    QTreeWidgetItem* nuevoItem(const QString& clave, const QString& texto) const;
    void agregarItems(const QList<QTreeWidgetItem*>& items);
    int cantidadItems() const { return topLevelItemCount(); }
    QTreeWidgetItem* item(int fila) const { return topLevelItem(fila); }
    QTreeWidgetItem* buscarItem(const QString& clave) const;
    QTreeWidgetItem* itemSeleccionado() const;
    QTreeWidgetItem* primerItem() const;
    QTreeWidgetItem* ultimoItem() const;
    void limpiarItems();

    static QString clave(const QTreeWidgetItem* item);
    static void setClave(QTreeWidgetItem* item, const QString& clave);
    // Sets the row's small icon by image key; an unknown key leaves the icon it had and returns false.
    static bool setIcono(QTreeWidgetItem* item, const QString& clave);
    static QString claveIcono(const QTreeWidgetItem* item);

    // Sorts the rows by a column's text (letter case and accents count only to break ties).
    void ordenarPor(int columna, Qt::SortOrder orden = Qt::AscendingOrder);

    // --- Text measurement, in twips ---
    int aPixeles(int twips) const;
    int aTwips(int pixeles) const;
    // Width of a text in a window's font (the list's own font when ventana is null).
    int anchoTexto(const QString& texto, const QWidget* ventana = nullptr) const;
    // Width a column needs to show its heading whole, with the header's margins.
    int anchoEncabezado(const QString& encabezado) const;
    // Loading many rows: measures a text only when it is longer (in characters) than every text measured so
    // far for that column, which is the one that can widen it. Returns its width in twips, or -1 when the
    // text need not be measured. The record starts again when items or columns are cleared.
    int anchoTextoSiMasLargo(int columna, const QString& texto, const QWidget* ventana = nullptr);

private:
    QVector<qsizetype> mLargoMedido; // per column: characters of the longest text measured
};

} // namespace dalvo::ui
