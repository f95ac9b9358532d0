#pragma once

namespace DORuverud {

class VirtualResolutionWidget;

// One process-wide scaling view, made on the first request and kept until
// the process ends. GUI thread only.
class VirtualResolutionSingleton
{
public:
    static VirtualResolutionWidget* instance();

private:
    static VirtualResolutionWidget* s_widget;
};

} // namespace DORuverud
