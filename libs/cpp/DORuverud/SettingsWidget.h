#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QWidget>

namespace DORuverud {

// A page of the settings dialog: it writes itself into the settings file as
// one element, reads itself back from one, and applies its values.
class SettingsWidget : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsWidget(QWidget* parent = nullptr);

    // Takes the page's values from an element of a loaded file.
    virtual void readDom(const QDomNode& node) = 0;
    // The page's element, created through the document; the caller appends it.
    virtual QDomElement writeDom(QDomDocument& document) = 0;
    // The tag of the element writeDom() builds; loading matches pages by it.
    virtual QString domTagName() const = 0;

public slots:
    // Applies the page's current values. Does nothing here.
    virtual void slotApply();
};

} // namespace DORuverud
