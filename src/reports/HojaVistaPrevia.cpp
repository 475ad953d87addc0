#include "reports/HojaVistaPrevia.h"

#include "reports/Informe.h"

#include <QPaintEvent>
#include <QPainter>

namespace dalvo {

HojaVistaPrevia::HojaVistaPrevia(std::shared_ptr<const reportes::Informe> informe, QWidget* parent)
    : QWidget(parent), mInforme(std::move(informe))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HojaVistaPrevia::mostrar(int pagina, double escala, const QVector<QRectF>& resaltados, int actual)
{
    if (pagina == mPagina && qFuzzyCompare(escala, mEscala) && resaltados == mResaltados &&
        actual == mActual && !mImagen.isNull())
        return;
    mPagina = pagina;
    mEscala = escala;
    mResaltados = resaltados;
    mActual = actual;
    mImagen = QPixmap();
    resize(sizeHint());
    updateGeometry();
    update();
}

QSize HojaVistaPrevia::sizeHint() const
{
    const QSizeF hoja = mInforme->tamanoPagina() * mEscala;
    return QSize(qCeil(hoja.width()) + 2 * Borde, qCeil(hoja.height()) + 2 * Borde);
}

QRect HojaVistaPrevia::aPixeles(const QRectF& rect) const
{
    return QRectF(rect.topLeft() * mEscala, rect.size() * mEscala).toAlignedRect().translated(Borde, Borde);
}

void HojaVistaPrevia::paintEvent(QPaintEvent* evento)
{
    const QSizeF hoja = mInforme->tamanoPagina() * mEscala;
    const qreal ratio = devicePixelRatioF();
    if (mImagen.isNull()) {
        mImagen = QPixmap((hoja * ratio).toSize());
        mImagen.setDevicePixelRatio(ratio);
        mImagen.fill(Qt::white);
        QPainter p(&mImagen);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(mEscala, mEscala);
        mInforme->dibujarPagina(p, mPagina, mResaltados, mActual);
    }
    QPainter p(this);
    p.fillRect(evento->rect(), palette().color(QPalette::Dark));
    p.fillRect(QRectF(QPointF(Borde + 3, Borde + 3), hoja), QColor(0, 0, 0, 60)); // shadow
    p.drawPixmap(QPointF(Borde, Borde), mImagen);
}

} // namespace dalvo
