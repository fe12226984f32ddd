#pragma once

#include "utility/TreeItem.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

class CParameter;
class HNodeFactory;
class HRCGroupInfo;
class MModel;
class PProtocol;
class QIcon;
class QStandardItem;
class QStandardItemModel;
class QXmlAttributes;
class XmlWriter;

// Base of every node of the hardware tree. Every virtual operation has a
// neutral default; node kinds override what they need. A node owns its
// parameters; its parent composite owns the node.
class HNode : public QObject
{
    Q_OBJECT

public:
    // Flag word bits.
    static constexpr quint32 FlagProcessor = 0x01;
    static constexpr quint32 FlagRemovable = 0x02;
    static constexpr quint32 FlagSelected = 0x04;
    static constexpr quint32 FlagPersistent = 0x08;
    static constexpr quint32 FlagMainProcessor = 0x10;
    static constexpr quint32 FlagInUse = 0x20;
    static constexpr quint32 FlagSeen = 0x40;
    // Bits a re-import takes from the newly read node; the others are state of
    // this session (selection, persistence, use, the import mark).
    static constexpr quint32 DesignFlags = FlagProcessor | FlagRemovable | FlagMainProcessor;

    HNode();
    ~HNode() override;

    // ---- flags
    void setFlags(quint32 mask) { m_nFlags |= mask; }
    void clearFlags(quint32 mask) { m_nFlags &= ~mask; }
    bool hasFlags(quint32 mask) const { return (m_nFlags & mask) == mask; }
    quint32 flags() const { return m_nFlags; }

    // ---- fields
    HNode *parentNode() const { return m_pParent; }
    PProtocol *protocol() const { return m_pProtocol; }
    const QString &label() const { return m_sLabel; }
    void setLabel(const QString &label) { m_sLabel = label; }
    const QString &title() const { return m_sTitle; }
    void setTitle(const QString &title) { m_sTitle = title; }
    const QString &scriptFile() const { return m_sScriptFile; }
    qint32 module() const { return m_nModule; }
    qint32 channel() const { return m_nChannel; }
    qint32 index() const { return m_nIndex; }
    void setIndex(qint32 index) { m_nIndex = index; }
    qint32 nodeId() const { return m_nNodeId; }
    void setNodeId(qint32 id) { m_nNodeId = id; }
    const QString &typeNum() const { return m_sTypeNum; }
    void setTypeNum(const QString &typeNum) { m_sTypeNum = typeNum; }
    const QString &idText() const { return m_sId; }
    void setIdText(const QString &id) { m_sId = id; }
    qint32 sortKey() const { return m_nSortKey; }
    void setSortKey(qint32 key) { m_nSortKey = key; }
    Qt::ItemFlags itemFlags() const { return m_itemFlags; }
    void setItemFlags(Qt::ItemFlags flags) { m_itemFlags = flags; }
    const QString &choiceText() const { return m_sChoiceText; }
    qint32 logicCount() const { return m_nLogicCount; }
    qint32 ammChannelCount() const { return m_nChannelCount; } // "channelCount" of an AMM block
    qint32 actionCount() const { return m_nActionCount; }
    qint32 teleconInputs() const { return m_nTeleconInputs; }
    qint32 micInputs() const { return m_nMicInputs; }
    QMap<QString, QString> &phoneLabels() { return m_phoneLabels; }
    QMap<QString, QString> &channelLabels() { return m_channelLabels; }
    qint32 roomNumber() const { return m_nRoomNumber; }
    void setRoomNumber(qint32 room) { m_nRoomNumber = room; }
    qint32 rcGroupNumber() const { return m_nRCGroupNumber; }
    const QString &roomCombine() const { return m_sRoomCombine; }
    const QList<CParameter *> &parameters() const { return m_parameters; }
    QList<CParameter *> *parameterList() { return &m_parameters; }
    bool zeroIsNone() const { return m_bZeroIsNone; }
    const QString &levelMaximum() const { return m_sLevelMax; }
    const QString &levelMinimum() const { return m_sLevelMin; }
    const QMap<QString, QString> &ranges() const { return m_ranges; }
    const QStringList &inputLabels() const { return m_inputLabels; }
    bool hasCounts() const { return m_bHasCounts; }
    bool hasRanges() const { return m_bHasRanges; }
    qint32 portIndex() const { return m_nPortIndex; }
    void setPortIndex(qint32 index) { m_nPortIndex = index; }
    qint32 pinIndex() const { return m_nPinIndex; }
    void setPinIndex(qint32 index) { m_nPinIndex = index; }
    const QStringList &portLabels() const { return m_portLabels; }
    const QStringList &ampTitles() const { return m_ampTitles; }
    void setAmpTitles(const QStringList &titles) { m_ampTitles = titles; }

    // ---- non-virtual operations
    static QString xmlAttribute(const QXmlAttributes &attributes, const QString &name);
    QString attribute(const QString &key) const;
    CParameter *findParameter(const QString &name) const;
    void clearParameters();
    void truncateParameters(int n);
    // 0: no template; 1: template found but no parameter or not parsed; 2: loaded.
    int loadParameters();
    void addAttributePair(const QString &name, const QXmlAttributes &attributes);
    QString inputLabelAt(int i) const;
    QString portLabel(int i) const;
    HNode *rootNode();
    HNode *findAncestorWithFlags(quint32 mask);
    QString chassisName() const;
    QString chassisKey() const;
    static int labelChannelIndex(const QString &text);
    // The twin of a template (level buttons, image meters): the file name cut
    // at its first "." followed by "1.xml" ("Gain_0.xml" -> "Gain_01.xml").
    static QString twinFilePath(const QString &templatePath);
    bool substituteLabel(QString &text, bool byLeadingWords) const;
    void labelParameters();
    void applyRoomRouterPorts();
    int channelIndex() const;

    // ---- virtual operations (order matters to nobody but readers)
    virtual void parseAttributes(const QXmlAttributes &attributes);
    // One nested element (a group's Assign) and the import's reload flag.
    virtual void parseChildAttributes(const QXmlAttributes &attributes, bool reload);
    virtual void setProperty(const QString &name, const QString &value);
    virtual void propertyLoaded();
    virtual bool initNode();
    virtual bool writeXml(XmlWriter *pWriter, QStringList &writtenAddresses);
    virtual void copyFrom(HNode *pOther);
    virtual HNode *findByCategory(const QString &category);
    virtual HNode *findById(int id);
    virtual HNode *findByCategoryAndId(const QString &category, int id);
    virtual HNode *findByAttribute(const QString &key, const QString &value);
    virtual HNode *findByCategoryAndAttribute(const QString &category, const QString &key,
                                              const QString &value);
    virtual bool removeChild(HNode *pNode);
    virtual bool purgeRemovable();
    virtual void uncheck();
    virtual bool removeIfChecked(bool state);
    virtual void setChecked(bool state);
    virtual bool isChecked() const;
    virtual void clearReloadFlag(bool keepOwn);
    virtual bool collectByCategory(const QString &category, QList<HNode *> *pList);
    virtual void sortById(QList<HNode *> *pList);
    virtual bool collect(const QString &key, QList<HNode *> *pList);
    virtual void connectStatus(QObject *pReceiver);
    virtual void clearInUse();
    virtual bool deleteIfNotPersistent();
    virtual void dumpNode();
    virtual bool isConnected() const;
    virtual void buildModel(QStandardItemModel *pModel);
    virtual void clearParameterList(QString &name);
    virtual bool prepareControl(const QString &name, MModel *pModel);
    // True when the node was taken (the composite then owns it).
    virtual bool addNode(HNode *pNode);
    virtual void moveChildToBack(HNode *pNode);
    virtual HNode *childAt(int i) const;
    virtual void attachRoomCombiner(HNode *pNode);
    virtual void importRooms(HNode *pProcessor, const QString &groupText);
    virtual void setupRoomCombiner(HRCGroupInfo *pRegistry);
    virtual void setRCGroupName(int id, const QString &name);
    virtual void createRooms(HNodeFactory *pFactory, bool reload);
    virtual void controlClicked();
    virtual QString roomColor(int room) const;
    virtual int selectedIndex() const;
    virtual void setSelectedIndex(int i);
    virtual QStringList comboColorList() const;
    virtual void combinedRoomNames(int room, QStringList &names) const;
    virtual bool isQueryPending() const;
    virtual QString queryCommand();
    virtual void processResponse(const QString &reply);
    virtual QString replyText() const;
    virtual void setProtocol(PProtocol *pProtocol);
    virtual HNode *resolveNode(HNode *pMain, HNode *pActive);
    virtual QString channelLabel(int i) const;
    virtual int channelNumber(int i) const;
    virtual QString parameterFilePath(const QString &name) const;
    virtual QString dataFolder() const;
    // skipSeen leaves out candidates already marked seen (0x40): an import
    // passes true so that two new nodes never merge into the same old one.
    virtual HNode *findCounterpart(HNode *pTree, bool skipSeen) const;
    virtual void connectNodeSignals(QObject *pReceiver);
    virtual QString category() const;
    virtual void setParent(HNode *pParent);
    virtual bool parameterSetLists(QStringList &names, QList<int> &ids) const;
    virtual bool labelList(QStringList &labels) const;
    virtual int channelCount() const;
    virtual int channelIndexOfLabel(const QString &label) const;
    virtual QStandardItem *addModelItems(QStandardItemModel *pModel, const QString &text);

signals:
    void queryResponseReady();
    void updateComboColorList();
    void updateRoomColor(const QString &color, int id);
    void sendMessage(const QString &message, int id);
    void showErrorDialog(const QString &message, int id);
    void labelChangedByReload(const QString &oldLabel, const QString &newLabel);
    void listChangedByReload(const QString &newList);
    void removingNode(HNode *pNode);

public:
    // Emits removingNode for every node below this one and then for this one,
    // so that receivers let go of the whole subtree before it is deleted.
    void announceRemoval();
    // Announces and deletes this node with what it still holds; the caller
    // must not touch the node afterwards.
    void destroySelf();

protected:
    // Project-tree items of a leaf node.
    static quint64 nodeAddress(const HNode *pNode);
    QStandardItem *makeParameterItem(CParameter *pParameter) const;
    // The parameter of that text and type, appended when the node has none,
    // so that rebuilding the project tree does not grow the list.
    CParameter *ensureParameter(const QString &text, const QString &type);
    // A relabelled node's parameter named after its label follows the new label
    // (or goes, when one of the new label exists already).
    void retitleParameter(const QString &oldText, const QString &newText, const QString &type);
    QStandardItem *appendHeaderItem(QStandardItem *pNodeItem, const QString &text) const;
    void appendParameterItems(QStandardItem *pNodeItem, int perHeader);
    // An icon of the built-in images, read once per run.
    static QIcon resourceIcon(const QString &path);
    // The one item of the model whose text is text (any level); null without
    // a parent or unless exactly one item matches.
    QStandardItem *uniqueModelItem(QStandardItemModel *pModel, const QString &text) const;
    // The counterpart rule of the design-defined nodes (groups, sets, lists,
    // room-combining groups): same title, then the same label when this
    // node ID is below 1, else the last with the same node ID.
    HNode *findDesignCounterpart(HNode *pTree, bool skipSeen) const;

    HNode *m_pParent = nullptr;
    PProtocol *m_pProtocol = nullptr;
    QString m_sLabel;
    QString m_sTitle;
    QString m_sScriptFile;
    qint32 m_nModule = 0;
    qint32 m_nChannel = 0;
    qint32 m_nIndex = 0;
    qint32 m_nNodeId = 0;
    QString m_sTypeNum;
    QString m_sId;
    quint32 m_nFlags = FlagRemovable;
    qint32 m_nSortKey = -1;
    Qt::ItemFlags m_itemFlags = Qt::ItemFlags::fromInt(TreeItem::RowFlags);
    QString m_sChoiceText;
    qint32 m_nLogicCount = 0;
    qint32 m_nChannelCount = -1;
    qint32 m_nActionCount = 0;
    qint32 m_nTeleconInputs = -1;
    qint32 m_nMicInputs = -1;
    QMap<QString, QString> m_phoneLabels;
    QMap<QString, QString> m_channelLabels;
    qint32 m_nRoomNumber = -1;
    qint32 m_nRCGroupNumber = -1;
    QString m_sRoomCombine;
    QList<CParameter *> m_parameters;
    bool m_bZeroIsNone = false;
    QString m_sLevelMax;
    QString m_sLevelMin;
    QMap<QString, QString> m_ranges;
    QStringList m_inputLabels;
    bool m_bHasCounts = false;
    bool m_bHasRanges = false;
    qint32 m_nPortIndex = -1;
    qint32 m_nPinIndex = -1;
    QStringList m_portLabels;
    QStringList m_ampTitles;

    // Project-tree building shared by the node kinds: loads the parameters and
    // gives the group row (null when the node shows nothing); then the node's
    // own row, or null when a complete-panel item stands in for its parameters.
    QStandardItem *loadModelGroup(QStandardItemModel *pModel, int &loaded);
    QStandardItem *appendNodeRow(QStandardItem *pParentItem, int loaded);
    void removeMeterParameters();

private:
    void parseCountProperty(const QString &name, const QString &value);
    bool parseRoomProperty(const QString &name, const QXmlAttributes &attributes);
    void parseRangeProperty(const QString &name, const QXmlAttributes &attributes);
    int applyProcessorRules();
    bool hidesAmplifierOutput() const;
    void cutParametersToCounts();
};
