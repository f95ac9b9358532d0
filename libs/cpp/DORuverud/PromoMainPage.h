#pragma once

#include <QFrame>

namespace DORuverud {

class PromoMenuBar;

// A frame that owns a promotion bar; it sets up no layout.
class PromoMainPage : public QFrame
{
    Q_OBJECT

public:
    explicit PromoMainPage(QWidget* parent);
    ~PromoMainPage() override;

    PromoMenuBar* promoMenuBar() const;

private:
    PromoMenuBar* m_pPromoMenuBar;
};

} // namespace DORuverud
