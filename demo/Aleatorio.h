#pragma once

// The generator's random numbers: a small fixed algorithm (splitmix64) rather than the standard library's
// distributions, whose results differ between library versions, so a seed gives the same data everywhere.

#include <QtGlobal>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace dalvo::demo {

class Aleatorio
{
public:
    explicit Aleatorio(quint64 semilla) : mEstado(semilla) {}

    quint64 siguiente()
    {
        quint64 z = (mEstado += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [desde, hasta], both included.
    int entre(int desde, int hasta)
    {
        const quint64 rango = static_cast<quint64>(static_cast<qint64>(hasta) - desde + 1);
        return static_cast<int>(desde + static_cast<qint64>(siguiente() % rango));
    }

    // Uniform in [0, 1).
    double real() { return static_cast<double>(siguiente() >> 11) * (1.0 / 9007199254740992.0); }

    bool probabilidad(double p) { return real() < p; }

    template <class C> const auto& elegir(const C& lista)
    {
        return lista[static_cast<size_t>(entre(0, static_cast<int>(std::size(lista)) - 1))];
    }

    // A sub-generator for one part of the data, so that adding draws to one part does not shift another.
    Aleatorio derivar(quint64 parte) { return Aleatorio(siguiente() ^ (parte * 0xD1B54A32D192ED03ULL)); }

private:
    quint64 mEstado;
};

// Picks indexes with given weights: prepared once, each pick is a binary search.
class Ponderado
{
public:
    void agregar(double peso)
    {
        mTotal += peso;
        mAcumulado.push_back(mTotal);
    }
    int elegir(Aleatorio& azar) const
    {
        const double x = azar.real() * mTotal;
        const auto it = std::upper_bound(mAcumulado.begin(), mAcumulado.end(), x);
        return static_cast<int>(std::min<ptrdiff_t>(it - mAcumulado.begin(), std::ssize(mAcumulado) - 1));
    }
    int cantidad() const { return static_cast<int>(mAcumulado.size()); }

private:
    std::vector<double> mAcumulado;
    double mTotal = 0;
};

} // namespace dalvo::demo
