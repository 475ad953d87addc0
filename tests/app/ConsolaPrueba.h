#pragma once

// The fake server of the start-up and main window tests: it answers the parameters row (in both forms),
// the keep-alive and the reconnection's proof, and lets a test make any of them fail.

#include "EntornoPrueba.h"
#include "consultation/clsQuerys.h"
#include "data/ChekError.h"
#include "data/ServidorPrueba.h"
#include "data/clsParametros.h"

#include <QtTest>

namespace dalvo::prueba {

class ConsolaPrueba
{
public:
    ConsolaPrueba()
    {
        servidor.resto = [this](const QString& sql) -> ado::Lote {
            if (fallar)
                fallar(sql);
            if (sql == clsQuerys::TextoParametros())
                return pruebas::lote({nombres()});
            if (sql == clsParametros::TextoBuscar())
                return pruebas::lote({filaCompleta()});
            if (sql == clsParametros::TextoChkConnect())
                return pruebas::lote(
                    {pruebas::tabla({pruebas::columna(QStringLiteral("Chek"), ado::adSmallInt)}, {{3}})});
            if (sql == QLatin1String(kVerificacionConexion))
                return pruebas::lote({pruebas::tabla({pruebas::columna(QString(), ado::adInteger)}, {{40}})});
            return {};
        };
    }

    // The rows of Parametros: one per company name.
    QStringList empresas{QStringLiteral("Obra Social Provincial")};
    // Called first for every statement; throws to make it fail.
    std::function<void(const QString&)> fallar;

    ServidorPrueba servidor;

private:
    ado::Tabla nombres() const
    {
        QVector<QVector<QVariant>> filas;
        for (const QString& e : empresas)
            filas.append(QVector<QVariant>{e});
        return pruebas::tabla({pruebas::columna(QStringLiteral("NombreEmpresa"), ado::adVarChar, 60)}, filas);
    }

    // The whole row: ten texts (the name first), then three small integers.
    ado::Tabla filaCompleta() const
    {
        QVector<ado::Columna> columnas;
        for (const QString& t : QStringLiteral("NombreEmpresa Mensaje_Ticket Directorio_TXT Directorio_FMT "
                                               "Directorio_LOG DirectorioTramites FechaTTAccion FechaAccion "
                                               "DirectorioTXTINMedicamentos DirectotioTXTOUTMedicamentos")
                                    .split(u' '))
            columnas << pruebas::columna(t, ado::adVarChar, 60);
        for (const char* e : {"Periodo_Prox_Consumo", "Medicamentos_por_RDP", "Dias_Validez_Receta"})
            columnas << pruebas::columna(QString::fromLatin1(e), ado::adSmallInt);
        QVector<QVector<QVariant>> filas;
        for (const QString& e : empresas) {
            QVector<QVariant> fila(10, QString());
            fila[0] = e;
            filas.append(fila << 2406 << 3 << 30);
        }
        return pruebas::tabla(columnas, filas);
    }
};

} // namespace dalvo::prueba
