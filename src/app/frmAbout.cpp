#include "app/frmAbout.h"

#include "common/Programa.h"
#include "ui/Iconos.h"
#include "ui/Mensajes.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dalvo {

namespace {

QFrame* separador(QWidget* padre)
{
    auto* linea = new QFrame(padre);
    linea->setObjectName(QStringLiteral("Line1")); // a pair of lines with one name, as the system has them
    linea->setFrameShape(QFrame::HLine);
    linea->setFrameShadow(QFrame::Sunken);
    return linea;
}

QLabel* etiqueta(const QString& nombre, QWidget* padre)
{
    auto* lbl = new QLabel(padre);
    lbl->setObjectName(nombre);
    lbl->setWordWrap(true);
    return lbl;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    const QString producto = QString::fromLatin1(NombreProducto);
    setWindowTitle(QStringLiteral("About ") + producto);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(ui::iconoAplicacion().pixmap(48, 48));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lblTitle = etiqueta(QStringLiteral("lblTitle"), this);
    lblTitle->setText(producto);
    QFont grande = lblTitle->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.6);
    grande.setBold(true);
    lblTitle->setFont(grande);

    lblVersion = etiqueta(QStringLiteral("lblVersion"), this);
    lblVersion->setText(QStringLiteral("Version ") + versionPrograma());

    lblDescription = etiqueta(QStringLiteral("lblDescription"), this);
    lblDescription->setText(textoDescripcion().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    lblDisclaimer = etiqueta(QStringLiteral("lblDisclaimer"), this);
    lblDisclaimer->setText(QStringLiteral(
        "Advertencia: este programa está protegido por las leyes de derechos de autor y los tratados "
        "internacionales. La reproducción o distribución no autorizadas de este programa, o de cualquier "
        "parte de él, pueden dar lugar a severas sanciones civiles y penales."));

    cmdOK = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&Sistema"), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);

    auto* textos = new QVBoxLayout;
    textos->addWidget(lblTitle);
    textos->addWidget(lblVersion);
    textos->addSpacing(8);
    textos->addWidget(lblDescription);
    auto* cabecera = new QHBoxLayout;
    cabecera->addWidget(picIcon);
    cabecera->addSpacing(12);
    cabecera->addLayout(textos, 1);

    auto* botones = new QVBoxLayout;
    botones->addWidget(cmdOK);
    botones->addWidget(cmdSysInfo);
    botones->addStretch();
    auto* pie = new QHBoxLayout;
    pie->addWidget(lblDisclaimer, 1);
    pie->addSpacing(12);
    pie->addLayout(botones);

    auto* todo = new QVBoxLayout(this);
    todo->addLayout(cabecera);
    todo->addWidget(separador(this));
    todo->addWidget(separador(this));
    todo->addLayout(pie);
    todo->setSizeConstraint(QLayout::SetFixedSize);
    lblDescription->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}

void frmAbout::StartSysInfo()
{
    // There is no system-information tool on this platform.
    ui::msgBox(QStringLiteral("System Information Is Unavailable At This Time"), ui::Botones::OK);
}

QString frmAbout::textoDescripcion()
{
    const QString fin = QStringLiteral("\r\n");
    return QString::fromUtf8(NombreCompania) + fin + QString::fromUtf8(AvisoLegal) + fin +
           QString::fromUtf8(Comentarios) + fin + QStringLiteral("Versión PRAL Metropolitana");
}

} // namespace dalvo
