#pragma once

#include "data/Motor.h"

#include <memory>
#include <vector>

namespace dalvo {

// What the report output needs of a result set: its row count, its rows, and the next result set of the
// same batch (the ticket detail procedure returns the ticket as its second set). The connection's
// recordsets are adapted to it; tests and tools hand tables held in memory.
class ResultadoReporte
{
public:
    virtual ~ResultadoReporte() = default;
    virtual int RecordCount() const = 0;
    // The rows; a report keeps its own copy, so the result set may be closed after the report opens.
    virtual ado::Tabla tabla() const = 0;
    // The next result set of the same batch, or null when there is none. May raise Falla.
    virtual std::unique_ptr<ResultadoReporte> NextRecordset() = 0;
};

// Result sets held in memory: the tables of one batch, from the one given on.
class ResultadoEnMemoria : public ResultadoReporte
{
public:
    explicit ResultadoEnMemoria(std::vector<ado::Tabla> tablas, size_t indice = 0)
        : mTablas(std::make_shared<std::vector<ado::Tabla>>(std::move(tablas))), mIndice(indice)
    {}
    explicit ResultadoEnMemoria(ado::Tabla tabla)
        : ResultadoEnMemoria(std::vector<ado::Tabla>{std::move(tabla)})
    {}

    int RecordCount() const override
    {
        return mIndice < mTablas->size() ? static_cast<int>((*mTablas)[mIndice].filas()) : 0;
    }
    ado::Tabla tabla() const override
    {
        return mIndice < mTablas->size() ? (*mTablas)[mIndice] : ado::Tabla();
    }
    std::unique_ptr<ResultadoReporte> NextRecordset() override
    {
        if (mIndice + 1 >= mTablas->size())
            return nullptr;
        return std::unique_ptr<ResultadoReporte>(new ResultadoEnMemoria(mTablas, mIndice + 1));
    }

private:
    ResultadoEnMemoria(std::shared_ptr<std::vector<ado::Tabla>> tablas, size_t indice)
        : mTablas(std::move(tablas)), mIndice(indice)
    {}
    std::shared_ptr<std::vector<ado::Tabla>> mTablas;
    size_t mIndice;
};

} // namespace dalvo
