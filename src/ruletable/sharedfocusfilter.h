// Lets only one of two views hold focus and a selection at a time.
#pragma once

#include <QObject>
#include <QPointer>

class QAbstractItemView;

class SharedFocusFilter : public QObject
{
    Q_OBJECT
public:
    SharedFocusFilter(QAbstractItemView *first, QAbstractItemView *second, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QAbstractItemView> m_first;
    QPointer<QAbstractItemView> m_second;
};
