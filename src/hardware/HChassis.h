#pragma once

#include "hardware/HComposite.h"
#include "hardware/HRCGroupInfo.h"

#include <QPointer>

class IInterface;

// One processor or amplifier of the design: the composite its modules and
// blocks hang under, the owner of its control protocol and its transport,
// its connection settings and its room-combining registry.
class HChassis : public HComposite
{
    Q_OBJECT

public:
    HChassis();
    ~HChassis() override;

    IInterface *transport() const { return m_pTransport; }
    const QString &ipAddress() const { return m_sIpAddress; }
    const QString &ipPort() const { return m_sIpPort; }
    const QString &monitorPort() const { return m_sMonitorPort; }
    const QString &serialPort() const { return m_sSerialPort; }
    const QString &platform() const { return m_sPlatform; }
    bool isEndpoint() const { return m_bEndpoint; }
    HRCGroupInfo *registry() { return &m_registry; }

    // Switches the transport online or offline; only a chassis in use (0x20)
    // does, and tells its protocol first through onlineStateChanged.
    void setOnline(bool online);
    // Makes the transport when there is a protocol and none yet.
    void createInterface();
    // Replaces the transport by a new one made from the current settings;
    // the old one is closed and released, the new one opened if it was open.
    void recreateInterface();
    // Whether the data folder's file holds a line equal to title.
    bool lookupTitle(const QString &fileName, const QString &title) const;
    // Platform and endpoint flag from the design file's model text.
    void platformFromModel(const QString &modelText);

    void parseAttributes(const QXmlAttributes &attributes) override;
    void setProperty(const QString &name, const QString &value) override;
    void propertyLoaded() override;
    bool initNode() override;
    bool writeXml(XmlWriter *pWriter, QStringList &writtenAddresses) override;
    void copyFrom(HNode *pOther) override;
    HNode *findByCategory(const QString &category) override;
    HNode *findByCategoryAndId(const QString &category, int id) override;
    HNode *findByCategoryAndAttribute(const QString &category, const QString &key,
                                      const QString &value) override;
    bool collectByCategory(const QString &category, QList<HNode *> *pList) override;
    bool collect(const QString &key, QList<HNode *> *pList) override;
    void connectStatus(QObject *pReceiver) override;
    void dumpNode() override;
    bool isConnected() const override;
    void buildModel(QStandardItemModel *pModel) override;
    bool addNode(HNode *pNode) override;
    void attachRoomCombiner(HNode *pNode) override;
    void importRooms(HNode *pProcessor, const QString &groupText) override;
    void setRCGroupName(int id, const QString &name) override;
    QString dataFolder() const override;
    HNode *findCounterpart(HNode *pTree, bool skipSeen) const override;
    QString category() const override;

signals:
    void onlineStateChanged(bool online);

private:
    // The two places that make the communication objects.
    static PProtocol *makeProtocol(const QString &platform);
    static IInterface *makeTransport();
    void linkProtocol();
    // Closes and releases the current transport; whether it was open.
    bool retireTransport();
    QStringList groupRows() const;

    IInterface *m_pTransport = nullptr;
    QString m_sIpAddress;
    QString m_sIpPort;
    QString m_sMonitorPort;
    QString m_sSerialPort;
    QString m_sPlatform;
    bool m_bEndpoint = false;
    HRCGroupInfo m_registry;
    PProtocol *m_pOwnProtocol = nullptr;
    QPointer<QObject> m_pStatusReceiver;
};
