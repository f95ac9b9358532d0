#include "IntroductionSlides.h"

QString IntroductionSlides::slideLanguage(const QString& language)
{
    if (language == QLatin1String("en") || language == QLatin1String("de")
        || language == QLatin1String("ru"))
        return language;
    return QStringLiteral("en");
}

QStringList IntroductionSlides::paths(const QString& resourcesFolder, const QString& language)
{
    const QString slide = resourcesFolder + QStringLiteral("TQSlide%1_") + slideLanguage(language)
        + QStringLiteral(".jpg");
    QStringList slides;
    for (int n = 0; n < 9; ++n)
        slides << slide.arg(n);
    return slides;
}
