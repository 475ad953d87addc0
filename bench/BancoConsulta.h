#pragma once

#include "Comun.h"

namespace dalvo::banco {

// The database layer per search kind (count + rows through gQuerys against the raw floor), the
// consultation end to end in the main window, and the list fill alone.
void bancoCapaDatos(const Opciones& o);
void bancoConsola(const Opciones& o);
void bancoLista(const Opciones& o);

// gConexion logged in to the bench database (the demo server), as the log-in leaves it.
void conectarPrograma(const QString& base);

} // namespace dalvo::banco
