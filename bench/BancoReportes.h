#pragma once

#include "Comun.h"

namespace dalvo::banco {

// A report of closings (Cierres.rpt) from the bench database: laid out and written to PDF at 1,000 and at
// 10,000 rows (per 1,000 rows, the smaller one is the floor), and the first page of its preview.
void bancoReportes(const Opciones& o);

} // namespace dalvo::banco
