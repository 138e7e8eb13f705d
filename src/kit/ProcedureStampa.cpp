#include "kit/ProcedureStampa.h"

namespace shell {

ProcedureStampa& Stampe() {
  static ProcedureStampa procedure;
  return procedure;
}

}  // namespace shell
