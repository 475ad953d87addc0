#include "Escenas.h"
#include "app/frmAbout.h"

namespace dalvo::capturas {
namespace {

const Registro acerca("frmAbout", [] { return new frmAbout; });

} // namespace
} // namespace dalvo::capturas
