// Makes a combo box drop down as a plain scrolling list instead of the platform's
// menu-like popup, so a 1024-item editor stays usable.
#pragma once

#include <QProxyStyle>

class NonPopupComboBoxStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // Built on a fresh instance of the application's style.
    NonPopupComboBoxStyle();

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
};
