#pragma once

#include "widgets/WWidget.h"

#include <QList>
#include <QPointer>
#include <QStringList>

// Widget of "droplist": shows the text of the current entry; a click opens a
// list over the canvas and the entry chosen sends its value. Entries come
// from a comma-separated text, a text file beside the project, or one of the
// bound node's lists, and follow reloads of the design file.
//
// Invariant: every builder fills the texts and the values pairwise, so a
// position is valid only when it lies within both lists.
class WDropList : public WWidget
{
    Q_OBJECT

public:
    // Limits of a list file: a larger or longer file gives an empty list.
    static constexpr qint64 MaxListFileBytes = 64 * 1024;
    static constexpr int MaxListFileLines = 1000;

    explicit WDropList(QQuickItem *pParent = nullptr);
    ~WDropList() override;

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setCanvasItem(QQuickItem *pItem) override;
    void setupFromParameter(CAttributes *pAttributes) override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void updateFromTransform() override;
    void setNode(HNode *pNode) override;
    void setTransform(TTransform *pTransform) override;
    bool hasTitle() const override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;
    void unbindNode() override;

    int currentIndex() const { return m_nCurrentIndex; }
    const QList<int> &indexList() const { return m_indexList; }
    const QStringList &itemList() const { return m_itemList; }
    QObject *popup() const { return m_pPopup; }
    int index1ForQuery() const { return m_nIndex1ForQuery; }
    bool isSourceList() const { return m_bSourceList; }

    // "Left", "Center" or "Right" from the item's alignment.
    QString alignText() const;
    void setAlignText(const QString &text);

    // The name a list file may have: a plain file name, no folder, no way up.
    static bool isPlainFileName(const QString &name);

public slots:
    void outputCurrentIndex(int index) override;
    void popupList(QObject *pObject);
    void listSelect(int index);
    void onLabelChangedByReload(const QString &oldLabel, const QString &newLabel);
    void onListChangedByReload(const QString &newList);

signals:
    void titleChanged(const QString &title);

private:
    bool isParameterSetList() const;
    bool isPosition(int index) const;
    void clearLists();
    void buildFromText(const QString &text);
    void buildFromFile(const QString &name);
    void buildFromNode(const QString &text);
    void buildFromGroup();
    void buildFromLabels();
    void readValues(const QString &text);
    // Whether the values are the node's own ids or numbers, where 0 is a value like any other.
    bool holdsNodeNumbers() const;
    void closePopup();
    void showEntry(int index);

    int m_nCurrentIndex;
    QList<int> m_indexList;
    QStringList m_itemList;
    QPointer<QObject> m_pPopup;
    int m_nIndex1ForQuery;
    bool m_bSourceList;
};
