#include "data/Empresa.h"

namespace dalvo {

QString gTituloEmpresa;
QString gNombreEmpresa;

} // namespace dalvo
