#include "edithistory.h"

#include <QStandardItemModel>
#include <QUndoCommand>

namespace {

using CellChange = EditHistory::CellChange;

// Writes one side of a step's changes; cells that already hold it are left alone, so only
// real changes reach the model's listeners.
void applyChanges(QStandardItemModel *model, const QList<CellChange> &changes, bool forward)
{
    if (!model)
        return;
    for (const CellChange &change : changes) {
        if (change.row >= model->rowCount() || change.column >= model->columnCount())
            continue;
        const QString &text = forward ? change.after : change.before;
        const bool editable = forward ? change.editableAfter : change.editableBefore;
        QStandardItem *item = model->item(change.row, change.column);
        if (!item) {
            if (text.isEmpty() && editable)
                continue;
            item = new QStandardItem();
            model->setItem(change.row, change.column, item);
        }
        if (item->text() != text)
            item->setText(text);
        if (item->isEditable() != editable)
            item->setEditable(editable);
    }
}

class CellChangeCommand : public QUndoCommand
{
public:
    CellChangeCommand(const QString &text, QStandardItemModel *rules, QList<CellChange> ruleChanges,
                      QStandardItemModel *remarks, QList<CellChange> remarkChanges,
                      QList<std::function<void()>> undoActions, QList<std::function<void()>> redoActions)
        : QUndoCommand(text), m_rules(rules), m_remarks(remarks), m_ruleChanges(std::move(ruleChanges)),
          m_remarkChanges(std::move(remarkChanges)), m_undoActions(std::move(undoActions)),
          m_redoActions(std::move(redoActions))
    {
    }

    void undo() override
    {
        applyChanges(m_rules, m_ruleChanges, false);
        applyChanges(m_remarks, m_remarkChanges, false);
        for (auto it = m_undoActions.crbegin(); it != m_undoActions.crend(); ++it)
            (*it)();
    }

    void redo() override
    {
        // The step was done by the user before it was recorded.
        if (m_done) {
            m_done = false;
            return;
        }
        applyChanges(m_rules, m_ruleChanges, true);
        applyChanges(m_remarks, m_remarkChanges, true);
        for (const auto &action : m_redoActions)
            action();
    }

private:
    QPointer<QStandardItemModel> m_rules;
    QPointer<QStandardItemModel> m_remarks;
    QList<CellChange> m_ruleChanges;
    QList<CellChange> m_remarkChanges;
    QList<std::function<void()>> m_undoActions;
    QList<std::function<void()>> m_redoActions;
    bool m_done = true;
};

} // namespace

EditHistory::EditHistory(QStandardItemModel *rules, QStandardItemModel *remarks, QObject *parent)
    : QObject(parent), m_rules(rules), m_remarks(remarks)
{
    m_stack.setUndoLimit(UndoLimit);
    connect(&m_stack, &QUndoStack::canUndoChanged, this, &EditHistory::updateAvailability);
    connect(&m_stack, &QUndoStack::canRedoChanged, this, &EditHistory::updateAvailability);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &EditHistory::cleanChanged);

    // A table loaded from outside the editor (a read, a new table, a project file) replaces
    // the rows wholesale: the steps recorded before no longer describe it.
    for (QStandardItemModel *model : {rules, remarks}) {
        if (!model)
            continue;
        auto changed = [this, model] { onStructureChanged(model, false); };
        connect(model, &QAbstractItemModel::rowsInserted, this, changed);
        connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
        connect(model, &QAbstractItemModel::rowsMoved, this, changed);
        connect(model, &QAbstractItemModel::columnsInserted, this, changed);
        connect(model, &QAbstractItemModel::columnsRemoved, this, changed);
        connect(model, &QAbstractItemModel::columnsMoved, this, changed);
        connect(model, &QAbstractItemModel::modelReset, this, [this, model] { onStructureChanged(model, true); });
    }
}

EditHistory::Step::Step(EditHistory *history, const QString &text) : m_history(history)
{
    if (m_history)
        m_history->beginStep(text);
}

EditHistory::Step::~Step()
{
    if (m_history)
        m_history->endStep();
}

void EditHistory::beginStep(const QString &text)
{
    if (m_depth++ > 0)
        return;
    m_stepText = text;
    m_stepBroken = false;
    m_undoActions.clear();
    m_redoActions.clear();
    m_rulesBefore = snapshot(m_rules);
    m_remarksBefore = snapshot(m_remarks);
    updateAvailability();
}

void EditHistory::endStep()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    const Snapshot rulesAfter = snapshot(m_rules);
    const Snapshot remarksAfter = snapshot(m_remarks);
    const bool sameShape = rulesAfter.rows == m_rulesBefore.rows && rulesAfter.columns == m_rulesBefore.columns
                           && remarksAfter.rows == m_remarksBefore.rows
                           && remarksAfter.columns == m_remarksBefore.columns;
    if (m_stepBroken || !sameShape) {
        // Rows came or went in a way cell texts cannot restore.
        clear();
    } else {
        QList<CellChange> ruleChanges = diff(m_rulesBefore, rulesAfter);
        QList<CellChange> remarkChanges = diff(m_remarksBefore, remarksAfter);
        if (!ruleChanges.isEmpty() || !remarkChanges.isEmpty())
            m_stack.push(new CellChangeCommand(m_stepText, m_rules, std::move(ruleChanges), m_remarks,
                                               std::move(remarkChanges), m_undoActions, m_redoActions));
    }
    m_rulesBefore = {};
    m_remarksBefore = {};
    m_undoActions.clear();
    m_redoActions.clear();
    updateAvailability();
}

void EditHistory::openStepFor(QObject *owner, const QString &text)
{
    if (!owner || m_owners.contains(owner))
        return;
    beginStep(text);
    m_owners.insert(owner, connect(owner, &QObject::destroyed, this, [this, owner] { closeStepFor(owner); }));
}

void EditHistory::closeStepFor(QObject *owner)
{
    const auto it = m_owners.constFind(owner);
    if (it == m_owners.constEnd())
        return;
    disconnect(it.value());
    m_owners.erase(it);
    endStep();
}

void EditHistory::setStepActions(const std::function<void()> &undo, const std::function<void()> &redo)
{
    if (!inStep())
        return;
    m_undoActions << undo;
    m_redoActions << redo;
}

bool EditHistory::canUndo() const
{
    return !inStep() && m_stack.canUndo();
}

bool EditHistory::canRedo() const
{
    return !inStep() && m_stack.canRedo();
}

void EditHistory::clear()
{
    m_stack.clear();
}

void EditHistory::undo()
{
    if (canUndo())
        m_stack.undo();
}

void EditHistory::redo()
{
    if (canRedo())
        m_stack.redo();
}

EditHistory::Snapshot EditHistory::snapshot(const QStandardItemModel *model)
{
    Snapshot shot;
    if (!model)
        return shot;
    shot.rows = model->rowCount();
    shot.columns = model->columnCount();
    const qsizetype cells = qsizetype(shot.rows) * shot.columns;
    shot.texts.reserve(cells);
    shot.editable.reserve(cells);
    for (int r = 0; r < shot.rows; ++r) {
        for (int c = 0; c < shot.columns; ++c) {
            const QStandardItem *item = model->item(r, c);
            shot.texts << (item ? item->text() : QString());
            shot.editable << (!item || item->isEditable());
        }
    }
    return shot;
}

QList<EditHistory::CellChange> EditHistory::diff(const Snapshot &before, const Snapshot &after)
{
    QList<CellChange> changes;
    for (qsizetype i = 0; i < after.texts.size(); ++i) {
        const QString &was = before.texts.at(i);
        const QString &now = after.texts.at(i);
        const bool editableWas = before.editable.at(i);
        const bool editableNow = after.editable.at(i);
        if (was != now || editableWas != editableNow)
            changes << CellChange{int(i / after.columns), int(i % after.columns), was, now, editableWas, editableNow};
    }
    return changes;
}

void EditHistory::onStructureChanged(const QStandardItemModel *model, bool reset)
{
    if (!inStep()) {
        clear();
        return;
    }
    // Inside a step only a model emptied or reset is a load; other moves are judged by the
    // step's shape when it ends.
    if (reset || model->rowCount() == 0) {
        m_stepBroken = true;
        clear();
    }
}

void EditHistory::updateAvailability()
{
    const bool undo = canUndo();
    const bool redo = canRedo();
    if (undo != m_canUndo) {
        m_canUndo = undo;
        Q_EMIT canUndoChanged(undo);
    }
    if (redo != m_canRedo) {
        m_canRedo = redo;
        Q_EMIT canRedoChanged(redo);
    }
}
