#include "app/builds/TaskGroupEditor.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/DocumentSession.h"

namespace vantorel::app {
namespace {

constexpr int uuidRole = Qt::UserRole;
constexpr int groupRole = Qt::UserRole + 1;

}  // namespace

TaskGroupEditor::TaskGroupEditor(DocumentSession& session, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* splitter = new QSplitter(Qt::Horizontal);
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    tree_ = new QTreeWidget;
    tree_->setObjectName(QStringLiteral("groupTree"));
    tree_->setColumnCount(2);
    tree_->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Kind")});
    tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tree_->header()->setStretchLastSection(false);
    tree_->setRootIsDecorated(true);
    leftLayout->addWidget(tree_);
    buttons_ = new QHBoxLayout;
    leftLayout->addLayout(buttons_);
    splitter->addWidget(left);
    formHolder_ = new QWidget;
    formHolder_->setObjectName(QStringLiteral("taskForm"));
    new QVBoxLayout(formHolder_);
    splitter->addWidget(formHolder_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter);
    // Wide enough for the row of buttons under the tree and a form of full-width fields.
    resize(1000, 480);
    splitter->setSizes({520, 480});

    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (filling_) return;
        if (!current) return;
        const std::string uuid = current->data(0, uuidRole).toString().toStdString();
        const std::string group = current->data(0, groupRole).toString().toStdString();
        groupUuid_ = group.empty() ? uuid : group;
        taskUuid_ = group.empty() ? std::string() : uuid;
        rebuildForm();
    });
    // A field's change arrives while its own signal runs: the form is rebuilt after it returns.
    const auto later = [this] {
        if (refreshQueued_) return;
        refreshQueued_ = true;
        QMetaObject::invokeMethod(this, [this] {
            refreshQueued_ = false;
            refresh();
        }, Qt::QueuedConnection);
    };
    connect(&session_, &DocumentSession::contentsChanged, this, later);
    connect(&session_, &DocumentSession::projectReplaced, this, later);
}

void TaskGroupEditor::select(const std::string& groupUuid, const std::string& taskUuid) {
    groupUuid_ = groupUuid;
    taskUuid_ = taskUuid;
    fillTree();
    rebuildForm();
}

void TaskGroupEditor::refresh() {
    fillTree();
    if (!formHolder_->isAncestorOf(QApplication::focusWidget())) rebuildForm();
}

void TaskGroupEditor::fillTree() {
    filling_ = true;
    tree_->clear();
    QTreeWidgetItem* current = nullptr;
    bool groupFound = false;
    bool taskFound = false;
    for (const GroupRow& group : rows()) {
        auto* groupItem = new QTreeWidgetItem(tree_, {group.name, QString()});
        groupItem->setData(0, uuidRole, QString::fromStdString(group.uuid));
        QFont bold = groupItem->font(0);
        bold.setBold(true);
        groupItem->setFont(0, bold);
        if (group.uuid == groupUuid_) {
            groupFound = true;
            current = groupItem;
        }
        for (const TaskRow& task : group.tasks) {
            auto* taskItem = new QTreeWidgetItem(groupItem, {task.name, task.detail});
            taskItem->setData(0, uuidRole, QString::fromStdString(task.uuid));
            taskItem->setData(0, groupRole, QString::fromStdString(group.uuid));
            if (task.uuid == taskUuid_ && group.uuid == groupUuid_) {
                taskFound = true;
                current = taskItem;
            }
        }
    }
    tree_->expandAll();
    tree_->resizeColumnToContents(1);
    if (!groupFound) groupUuid_.clear();
    if (!taskFound) taskUuid_.clear();
    tree_->setCurrentItem(current);
    filling_ = false;
}

void TaskGroupEditor::rebuildForm() {
    QLayout* holder = formHolder_->layout();
    while (QLayoutItem* item = holder->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    if (groupUuid_.empty()) {
        addNote(*form, QStringLiteral("Choose a group or a task to edit it."));
    } else {
        fillForm(*form, groupUuid_, taskUuid_);
    }
    holder->addWidget(page);
    static_cast<QVBoxLayout*>(holder)->addStretch(1);
}

QPushButton* TaskGroupEditor::addButton(const QString& title, const QString& objectName, std::function<void()> action) {
    auto* button = new QPushButton(title);
    button->setObjectName(objectName);
    connect(button, &QPushButton::clicked, this, std::move(action));
    buttons_->addWidget(button);
    return button;
}

void TaskGroupEditor::addTextField(QFormLayout& form, const QString& label, const QString& objectName,
                                   const QString& value, std::function<void(const QString&)> commit,
                                   QWidget* trailing) {
    auto* field = new QLineEdit(value);
    field->setObjectName(objectName);
    // The form is made again after every change, so `value` is what the document holds.
    connect(field, &QLineEdit::editingFinished, this, [field, value, commit = std::move(commit)] {
        if (field->text() != value) commit(field->text());
    });
    if (!trailing) {
        form.addRow(label, field);
        return;
    }
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(trailing);
    form.addRow(label, row);
}

void TaskGroupEditor::addChoiceField(QFormLayout& form, const QString& label, const QString& objectName,
                                     const FieldChoices& choices, int current, std::function<void(int)> commit) {
    auto* box = new QComboBox;
    box->setObjectName(objectName);
    for (const auto& [title, value] : choices) {
        box->addItem(title, value);
        if (value == current) box->setCurrentIndex(box->count() - 1);
    }
    connect(box, &QComboBox::activated, this, [box, commit = std::move(commit)](int index) {
        commit(box->itemData(index).toInt());
    });
    form.addRow(label, box);
}

void TaskGroupEditor::addNote(QFormLayout& form, const QString& text) {
    auto* note = new QLabel(text);
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: palette(placeholder-text);"));
    form.addRow(note);
}

}  // namespace vantorel::app
