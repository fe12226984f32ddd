#pragma once

#include <QHash>
#include <QObject>
#include <QPair>
#include <QString>

class QModelIndex;
class QStandardItem;
class QStandardItemModel;

// The items of a project-tree model by their text, so that each node finds
// its section or group row without walking the whole model: the tree build
// would otherwise take time in the square of the design's size. Kept up to
// date by the model's insert signals; any other change makes it read the
// model again on the next question.
class HModelItems : public QObject
{
    Q_OBJECT

public:
    // The index of the model, made on first use as a child of the model.
    static HModelItems *of(QStandardItemModel *pModel);

    // The one item of the first column, at any level, whose text is text;
    // null when there is none or more than one.
    QStandardItem *uniqueItem(const QString &text);
    // The first item added whose text is text and whose node role holds the
    // address; null when none.
    QStandardItem *itemOf(quint64 address, const QString &text);

private slots:
    void onRowsInserted(const QModelIndex &parent, int first, int last);
    void onDataChanged(const QModelIndex &, const QModelIndex &, const QList<int> &roles);
    void onInvalidated();

private:
    struct TextEntry
    {
        QStandardItem *pFirst = nullptr;
        int count = 0;
    };

    explicit HModelItems(QStandardItemModel *pModel);
    void rebuild();
    void addSubtree(QStandardItem *pItem);

    QStandardItemModel *m_pModel;
    QHash<QString, TextEntry> m_byText;
    QHash<QPair<quint64, QString>, QStandardItem *> m_byOwner;
    bool m_bDirty = true;
};
