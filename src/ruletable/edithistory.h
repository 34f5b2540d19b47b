// Undo and redo of table edits: every gesture is one step holding the rule and remark
// cells it changed, old and new text.
#pragma once

#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUndoStack>

#include <functional>

class QStandardItemModel;

class EditHistory : public QObject
{
    Q_OBJECT
public:
    // Steps beyond this many are forgotten, oldest first.
    static constexpr int UndoLimit = 100;

    // One cell of a step: its text and editability before and after.
    struct CellChange
    {
        int row = 0;
        int column = 0;
        QString before;
        QString after;
        bool editableBefore = true;
        bool editableAfter = true;
    };

    EditHistory(QStandardItemModel *rules, QStandardItemModel *remarks, QObject *parent = nullptr);

    // Makes every change to the models within its scope one step. Steps opened inside an
    // open step join it. A null history makes the guard do nothing.
    class Step
    {
    public:
        Step(EditHistory *history, const QString &text);
        ~Step();
        Step(const Step &) = delete;
        Step &operator=(const Step &) = delete;

    private:
        QPointer<EditHistory> m_history;
    };

    void beginStep(const QString &text);
    void endStep();
    bool inStep() const { return m_depth > 0; }

    // A step lasting as long as `owner` (an open cell editor): it ends with closeStepFor(owner)
    // or when owner is destroyed, whichever comes first.
    void openStepFor(QObject *owner, const QString &text);
    void closeStepFor(QObject *owner);

    // For state kept outside the models (the naming convention): run after the open step's
    // cells are written back on undo, and again on redo. Only a step that changes cells is kept.
    void setStepActions(const std::function<void()> &undo, const std::function<void()> &redo);

    // Undo and redo wait while a step is open.
    bool canUndo() const;
    bool canRedo() const;
    int count() const { return m_stack.count(); }
    QString undoText() const { return m_stack.undoText(); }

    // Whether the models hold what they held at the last setClean() or the last clear().
    bool isClean() const { return m_stack.isClean(); }
    void setClean() { m_stack.setClean(); }

    // Forgets every step; the models' current state counts as clean.
    void clear();

public Q_SLOTS:
    void undo();
    void redo();

Q_SIGNALS:
    void canUndoChanged(bool canUndo);
    void canRedoChanged(bool canRedo);
    void cleanChanged(bool clean);

private:
    struct Snapshot
    {
        int rows = 0;
        int columns = 0;
        QList<QString> texts;
        QList<bool> editable;
    };
    static Snapshot snapshot(const QStandardItemModel *model);
    static QList<CellChange> diff(const Snapshot &before, const Snapshot &after);

    void onStructureChanged(const QStandardItemModel *model, bool reset);
    void updateAvailability();

    QPointer<QStandardItemModel> m_rules;
    QPointer<QStandardItemModel> m_remarks;
    QUndoStack m_stack;
    int m_depth = 0;
    QString m_stepText;
    Snapshot m_rulesBefore;
    Snapshot m_remarksBefore;
    bool m_stepBroken = false;
    QList<std::function<void()>> m_undoActions;
    QList<std::function<void()>> m_redoActions;
    QHash<QObject *, QMetaObject::Connection> m_owners;
    bool m_canUndo = false;
    bool m_canRedo = false;
};
