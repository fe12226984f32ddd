#pragma once

#include "hardware/HComposite.h"

#include <QTimer>

class HChassis;
class HRCRoom;

// A room-combining group of the design, under its processor, with one room
// node per registered room. It keeps no combination state: it answers from
// its processor's registry and hands clicks and query replies to it.
class HRCGroup : public HComposite
{
    Q_OBJECT

public:
    static constexpr int QueryPendingMs = 997;

    HRCGroup();
    ~HRCGroup() override;

    // The group number: the id text as an integer (0 when it is none).
    int groupNumber() const;
    // The first room child whose id text is text.
    HRCRoom *findRoomNode(const QString &text) const;

    void copyFrom(HNode *pOther) override;
    HNode *findByCategory(const QString &category) override;
    HNode *findById(int id) override;
    HNode *findByCategoryAndId(const QString &category, int id) override;
    HNode *findByAttribute(const QString &key, const QString &value) override;
    HNode *findByCategoryAndAttribute(const QString &category, const QString &key,
                                      const QString &value) override;
    void clearReloadFlag(bool keepOwn) override;
    bool collectByCategory(const QString &category, QList<HNode *> *pList) override;
    bool collect(const QString &key, QList<HNode *> *pList) override;
    void buildModel(QStandardItemModel *pModel) override;
    void createRooms(HNodeFactory *pFactory, bool reload) override;
    // A re-import whose Assignment section no longer lists the group makes
    // none of its rooms: they all go.
    void dropRooms();
    QString roomColor(int room) const override;
    int selectedIndex() const override;
    void setSelectedIndex(int i) override;
    QStringList comboColorList() const override;
    void combinedRoomNames(int room, QStringList &names) const override;
    bool isQueryPending() const override;
    QString queryCommand() override;
    void processResponse(const QString &reply) override;
    QString replyText() const override;
    void setProtocol(PProtocol *pProtocol) override;
    HNode *resolveNode(HNode *pMain, HNode *pActive) override;
    QString dataFolder() const override;
    HNode *findCounterpart(HNode *pTree, bool skipSeen) const override;
    QString category() const override;
    void setParent(HNode *pParent) override;
    QStandardItem *addModelItems(QStandardItemModel *pModel, const QString &text) override;

protected slots:
    void onRoomControlClicked(int roomID);

private:
    // The processor whose registry the group answers from; null when the
    // parent is no processor (the defaults are answered then).
    HChassis *processor() const;
    void refreshRoom(HRCRoom *pRoom, int groupNumber, int roomNumber);
    HRCRoom *makeRoom(HNodeFactory *pFactory, int groupNumber, int roomNumber);
    void dropRoom(HNode *pRoom);

    QTimer m_queryTimer;
    QString m_sReplyText;
    int m_nSelectedIndex = 0;
};
