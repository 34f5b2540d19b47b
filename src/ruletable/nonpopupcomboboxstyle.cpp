#include "nonpopupcomboboxstyle.h"

#include <QApplication>

NonPopupComboBoxStyle::NonPopupComboBoxStyle() : QProxyStyle(QApplication::style()->name()) {}

int NonPopupComboBoxStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                                     QStyleHintReturn *returnData) const
{
    if (hint == SH_ComboBox_Popup)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
