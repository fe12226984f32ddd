#pragma once

#include "hardware/HNode.h"

class MProject;

// A node with an owned, ordered list of children, to which it forwards the
// tree-wide operations in list order, skipping null entries.
class HComposite : public HNode
{
    Q_OBJECT

public:
    HComposite();
    ~HComposite() override;

    int childCount() const { return static_cast<int>(m_children.size()); }
    const QList<HNode *> &children() const { return m_children; }

    bool writeXml(XmlWriter *pWriter, QStringList &writtenAddresses) override;
    HNode *findByCategory(const QString &category) override;
    HNode *findById(int id) override;
    HNode *findByCategoryAndId(const QString &category, int id) override;
    HNode *findByAttribute(const QString &key, const QString &value) override;
    HNode *findByCategoryAndAttribute(const QString &category, const QString &key,
                                      const QString &value) override;
    bool removeChild(HNode *pNode) override;
    bool purgeRemovable() override;
    void uncheck() override;
    bool removeIfChecked(bool state) override;
    bool isChecked() const override;
    void clearReloadFlag(bool keepOwn) override;
    bool collectByCategory(const QString &category, QList<HNode *> *pList) override;
    void sortById(QList<HNode *> *pList) override;
    bool collect(const QString &key, QList<HNode *> *pList) override;
    void connectStatus(QObject *pReceiver) override;
    void clearInUse() override;
    bool deleteIfNotPersistent() override;
    void dumpNode() override;
    void buildModel(QStandardItemModel *pModel) override;
    bool addNode(HNode *pNode) override;
    void moveChildToBack(HNode *pNode) override;
    HNode *childAt(int i) const override;
    void importRooms(HNode *pProcessor, const QString &groupText) override;
    void setProtocol(PProtocol *pProtocol) override;
    QString category() const override;

    // Re-import merge: drops (and deletes) every node below that the latest
    // import did not mark as seen, each after removingNode.
    void removeUnmarked();

    // Imports a design file into the tree under pRoot; true when it was opened
    // and read without error. reload: a design was imported before, so the
    // file is merged into the tree. pProject receives the project
    // information (may be null).
    static bool loadDesignFile(HNode *pRoot, const QString &path, bool reload, MProject *pProject);

    // Appends a section row under pParentItem holding pRoot's address.
    static QStandardItem *insertModelRow(HNode *pRoot, QStandardItemModel *pModel,
                                         QStandardItem *pParentItem, const QString &text);

protected:
    QList<HNode *> m_children;

private:
    template<typename Find>
    HNode *findInChildren(Find find) const;
    template<typename Remove>
    void removeChildrenWhere(Remove remove);
};
