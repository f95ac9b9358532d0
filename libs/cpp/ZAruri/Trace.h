#pragma once

#include <QLoggingCategory>

namespace ZAruri {

// The developers' traces of every library, "tessivar.trace"; silence them
// with QT_LOGGING_RULES="tessivar.trace.debug=false".
Q_DECLARE_LOGGING_CATEGORY(lcTrace)

} // namespace ZAruri
