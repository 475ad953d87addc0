#pragma once

#include <QPixmap>
#include <QWidget>
#include <memory>

namespace dalvo {

namespace reportes {
class Informe;
}

// One page of a report on screen, at a scale (pixels per report unit), on a grey desk with a margin; the
// matches of a search are highlighted. The page is drawn once into a pixmap and repainted from it.
class HojaVistaPrevia : public QWidget
{
    Q_OBJECT

public:
    explicit HojaVistaPrevia(std::shared_ptr<const reportes::Informe> informe, QWidget* parent = nullptr);

    void mostrar(int pagina, double escala, const QVector<QRectF>& resaltados, int actual);
    int pagina() const { return mPagina; }
    double escala() const { return mEscala; }
    // A rectangle of the page (report units) in this widget's pixels.
    QRect aPixeles(const QRectF& rect) const;

    static constexpr int Borde = 16; // desk around the page, pixels

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    std::shared_ptr<const reportes::Informe> mInforme;
    int mPagina = 0;
    double mEscala = 0.08;
    QVector<QRectF> mResaltados;
    int mActual = -1;
    QPixmap mImagen;
};

} // namespace dalvo
