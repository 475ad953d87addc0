#include "consultation/frmSeleccion.h"

#include "common/FuncionesGenerales.h"
#include "ui/VistaLista.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace dalvo {

namespace {

// Columns of lvwSeleccion: the key travels in a hidden fourth column, where the double-click reads it.
constexpr int kColumnaClave = 3;

QString iconoMarca(bool marcado)
{
    return marcado ? QStringLiteral("MARCA") : QStringLiteral("NOMARCA");
}

} // namespace

frmSeleccion::frmSeleccion(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Seleccion"));
    setModal(true);

    lvwSeleccion = new ui::VistaLista(this);
    lvwSeleccion->setObjectName(QStringLiteral("lvwSeleccion"));
    lvwSeleccion->agregarColumna(QStringLiteral("Nº"), 600, Qt::AlignRight);
    lvwSeleccion->agregarColumna(QStringLiteral("Campo"), 1764);
    lvwSeleccion->agregarColumna(QStringLiteral("Valor"), 3528);
    lvwSeleccion->agregarColumna(QStringLiteral("Clave"), 0);

    cmdTomarValores = new QPushButton(QStringLiteral("Tomar Valores"), this);
    cmdTomarValores->setObjectName(QStringLiteral("cmdTomarValores"));
    cmdBorrarSeleccion = new QPushButton(QStringLiteral("Borrar Seleccion"), this);
    cmdBorrarSeleccion->setObjectName(QStringLiteral("cmdBorrarSeleccion"));
    cmdCancelar = new QPushButton(QStringLiteral("Salir"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    for (QPushButton* boton : {cmdTomarValores, cmdBorrarSeleccion, cmdCancelar})
        boton->setAutoDefault(false);

    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdTomarValores);
    botones->addWidget(cmdBorrarSeleccion);
    botones->addStretch();
    botones->addWidget(cmdCancelar);
    auto* marco = new QVBoxLayout(this);
    marco->addWidget(lvwSeleccion);
    marco->addLayout(botones);
    resize(lvwSeleccion->aPixeles(6600), lvwSeleccion->aPixeles(3600));

    connect(cmdTomarValores, &QPushButton::clicked, this, [this] { responder(TomarValores); });
    connect(cmdBorrarSeleccion, &QPushButton::clicked, this, [this] { responder(BorrarSeleccion); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { responder(Nada); });
    connect(lvwSeleccion, &QTreeWidget::itemDoubleClicked, this, [this] { lvwSeleccion_DblClick(); });
}

qint16 frmSeleccion::Cargar(ColeccionSeleccion& colSeleccion)
{
    prepararSeleccion(colSeleccion);
    exec();
    mSeleccion = nullptr;
    return mRespuesta;
}

void frmSeleccion::prepararSeleccion(ColeccionSeleccion& colSeleccion)
{
    mSeleccion = &colSeleccion;
    mRespuesta = Nada;
    Form_Load();
}

void frmSeleccion::Form_Load()
{
    lvwSeleccion->limpiarItems();
    for (const clsItemSeleccion& item : *mSeleccion) {
        QTreeWidgetItem* fila = lvwSeleccion->agregarItem(item.Clave, QString::number(item.NumeroSeleccion),
                                                          iconoMarca(item.Marcado));
        fila->setText(1, item.Campo);
        fila->setText(2, comoTexto(item.Valor));
        fila->setText(kColumnaClave, item.Clave);
    }
}

void frmSeleccion::lvwSeleccion_DblClick()
{
    QTreeWidgetItem* fila = lvwSeleccion->itemSeleccionado();
    if (!fila || !mSeleccion)
        return;
    clsItemSeleccion* item = buscarItemSeleccion(*mSeleccion, fila->text(kColumnaClave));
    if (!item)
        return;
    item->Marcado = !item->Marcado;
    ui::VistaLista::setIcono(fila, iconoMarca(item->Marcado));
}

void frmSeleccion::responder(qint16 respuesta)
{
    mRespuesta = respuesta;
    done(respuesta);
}

} // namespace dalvo
