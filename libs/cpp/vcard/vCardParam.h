#pragma once

#include "vCardVersion.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One parameter of a vCard property: its group and its value, kept in the case given.
class vCardParam
{
public:
    enum vCardParamGroup { Type = 0, Encoding = 1, Charset = 2, Undefined = 3 };

    vCardParam();
    vCardParam(const QString& value, vCardParamGroup group);

    vCardParamGroup group() const;
    QString value() const;

    // A parameter is valid when its value is not empty.
    bool isValid() const;
    bool operator==(const vCardParam& other) const;
    bool operator!=(const vCardParam& other) const;

    // The parameter's text, upper-cased: TYPE=HOME in 3.0, HOME in 2.1; a value
    // holding ";", ":" or "," is quoted.
    QByteArray toByteArray(vCardVersion version) const;
    // A property's parameter text (what stands between ";" and ":"), upper-cased;
    // 3.0 merges the types into one TYPE entry and puts the rest after it.
    static QByteArray toByteArray(QList<vCardParam> params, vCardVersion version);
    // Reads a parameter text of either version; TYPE=a,b gives two types,
    // TYPE="a,b" one, without the quotes.
    static QList<vCardParam> fromByteArray(const QByteArray& text);

private:
    vCardParamGroup m_group = Undefined;
    QString m_value;
};
