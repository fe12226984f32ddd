#pragma once

#include "hardware/HNode.h"

class HRCGroup;

// One room of a room-combining group. Panels bind room selectors and
// active-combination displays to it; it answers through its group.
class HRCRoom : public HNode
{
    Q_OBJECT

public:
    HRCRoom();
    ~HRCRoom() override;

    void controlClicked() override;
    QString roomColor(int room) const override;
    void combinedRoomNames(int room, QStringList &names) const override;
    bool isQueryPending() const override;
    QString queryCommand() override;
    void processResponse(const QString &reply) override;
    QString replyText() const override;
    QString dataFolder() const override;
    QString category() const override;
    QStandardItem *addModelItems(QStandardItemModel *pModel, const QString &text) override;

signals:
    void roomControlClicked(int roomID);

public slots:
    void onUpdateRoomColor(const QString &color, int roomID);
    void onSendMessage(const QString &message, int roomID);
    void onShowErrorDialog(const QString &message, int roomID);

private:
    // The group above; null when the parent is no room-combining group.
    HRCGroup *group() const;
};
