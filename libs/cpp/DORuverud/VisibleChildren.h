#pragma once

class QObject;

namespace DORuverud {

// Shows or hides every widget below the object, depth first, each child
// before its own children. The object itself is left as it is.
void setVisibleChildren(QObject* object, bool visible);

} // namespace DORuverud
