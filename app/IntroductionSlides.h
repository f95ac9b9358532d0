#pragma once

#include <QStringList>

// The nine slides of the introduction in the bundle's Resources folder.
class IntroductionSlides
{
public:
    IntroductionSlides() = delete;

    // Slides exist in English, German and Russian; any other interface
    // language shows the English ones.
    static QString slideLanguage(const QString& language);
    static QStringList paths(const QString& resourcesFolder, const QString& language);
};
