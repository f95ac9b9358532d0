#pragma once

#include "SvgClientPool.h"

#include <QString>

// The pool draws with a helper while it lives, then with its own again.
class HelperInPlace
{
public:
    explicit HelperInPlace(const QString& helper)
        : m_before(DAvuroD::SvgClientPool::instance().helper())
    {
        DAvuroD::SvgClientPool::instance().setHelper(helper);
    }

    ~HelperInPlace()
    {
        DAvuroD::SvgClientPool::instance().setHelper(m_before);
    }

private:
    const QString m_before;
};
