#pragma once

#include <QHash>
#include <QList>
#include <QString>

class CControl;
class HNode;
class TTransform;

// The process-wide list of controls that own a transform, indexed while a
// composite initialises or clears its elements: each of them then finds the
// controls it shares a transform with, or the other users of its transform,
// without searching the whole list. Only the first index made is active
// until it goes; it is built at its first question and follows the list as
// controls join and leave it. A control whose node, name or type changes
// while it lives is found under its former ones.
class CTransformIndex
{
public:
    CTransformIndex();
    ~CTransformIndex();
    CTransformIndex(const CTransformIndex &) = delete;
    CTransformIndex &operator=(const CTransformIndex &) = delete;

    // The active index, or null.
    static CTransformIndex *active();

    // Listed controls with the control's node, name and type, in list order.
    QList<CControl *> sameBinding(const CControl *pControl);
    // Listed controls using the transform, in list order.
    QList<CControl *> users(const TTransform *pTransform);
    // The control joined the end of the list, or left it.
    void added(CControl *pControl);
    void removed(CControl *pControl);

private:
    struct Binding
    {
        const HNode *pNode;
        QString name;
        QString type;
        bool operator==(const Binding &other) const;
    };
    friend size_t qHash(const Binding &binding, size_t seed);

    struct Entry
    {
        Binding binding;
        const TTransform *pTransform;
    };

    static Binding bindingOf(const CControl *pControl);
    void build();

    bool m_bActive;
    bool m_bBuilt;
    QHash<Binding, QList<CControl *>> m_byBinding;
    QHash<const TTransform *, QList<CControl *>> m_byTransform;
    QHash<const CControl *, Entry> m_entries;
};
