#include "sharedfocusfilter.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QItemSelectionModel>

SharedFocusFilter::SharedFocusFilter(QAbstractItemView *first, QAbstractItemView *second, QObject *parent)
    : QObject(parent), m_first(first), m_second(second)
{
    first->installEventFilter(this);
    second->installEventFilter(this);
}

bool SharedFocusFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::FocusIn || (watched != m_first && watched != m_second))
        return QObject::eventFilter(watched, event);

    QAbstractItemView *focused = watched == m_first ? m_first.data() : m_second.data();
    QAbstractItemView *other = watched == m_first ? m_second.data() : m_first.data();
    if (other) {
        if (QItemSelectionModel *selection = other->selectionModel()) {
            selection->clearSelection();
            selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        }
        other->clearFocus();
    }
    focused->setFocus();
    return true;
}
