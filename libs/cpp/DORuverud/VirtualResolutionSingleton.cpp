#include "VirtualResolutionSingleton.h"

#include "VirtualResolutionWidget.h"

namespace DORuverud {

VirtualResolutionWidget* VirtualResolutionSingleton::s_widget = nullptr;

VirtualResolutionWidget* VirtualResolutionSingleton::instance()
{
    if (!s_widget)
        s_widget = new VirtualResolutionWidget;
    return s_widget;
}

} // namespace DORuverud
