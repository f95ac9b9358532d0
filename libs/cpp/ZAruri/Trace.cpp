#include "Trace.h"

namespace ZAruri {

Q_LOGGING_CATEGORY(lcTrace, "tessivar.trace")

} // namespace ZAruri
