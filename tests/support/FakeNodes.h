#pragma once

#include "hardware/HAudioIO.h"
#include "hardware/HComposite.h"
#include "hardware/HNode.h"

#include <QList>
#include <QObject>
#include <QStringList>

// Hardware-tree doubles: nodes whose category, template path and channels a
// test chooses, a processor that builds its project-tree rows, and a receiver
// that records removingNode.

// A leaf node. Without a template path it reads the resource the path rule names.
class FakeNode : public HNode
{
    Q_OBJECT

public:
    explicit FakeNode(const QString &category = QStringLiteral("Blocks"),
                      const QString &label = QString());

    void setCategory(const QString &category) { m_sCategory = category; }
    void setTemplatePath(const QString &path) { m_sTemplatePath = path; }
    void setChannels(const QStringList &labels) { m_channels = labels; }
    // Fills fields that only the design file sets otherwise.
    void setProperty(const QString &name, const QString &value) override;

    QString category() const override { return m_sCategory; }
    QString parameterFilePath(const QString &name) const override;
    int channelCount() const override { return static_cast<int>(m_channels.size()); }
    QString channelLabel(int i) const override { return m_channels.value(i); }
    int channelIndexOfLabel(const QString &label) const override
    {
        return static_cast<int>(m_channels.indexOf(label));
    }
    // Refuses controls after setProperty("refuseControl", "1"); records the names asked.
    bool prepareControl(const QString &name, MModel *pModel) override;
    QStringList m_preparedNames;

private:
    QString m_sCategory;
    QString m_sTemplatePath;
    QStringList m_channels;
    bool m_bRefuseControl = false;
};

// A node with the lists a drop list reads: the names and ids of its
// parameter sets (as a parameter-set list has them), a label list and a list
// text. A list that was never set is one the node does not have.
class FakeListNode : public FakeNode
{
    Q_OBJECT

public:
    explicit FakeListNode(const QString &label = QString());

    void setSets(const QStringList &names, const QList<int> &ids);
    void setLabels(const QStringList &labels);
    void setListText(const QString &text) { m_sChoiceText = text; }

    bool parameterSetLists(QStringList &names, QList<int> &ids) const override;
    bool labelList(QStringList &labels) const override;

private:
    QStringList m_setNames;
    QList<int> m_setIds;
    bool m_bHasSets = false;
    QStringList m_labels;
    bool m_bHasLabels = false;
};

// An I/O card of a chosen direction (HAudioIO::DirectionInput, DirectionOutput,
// DirectionLink) whose channel number and channel labels a test chooses.
class FakeCard : public HAudioIO
{
    Q_OBJECT

public:
    explicit FakeCard(int direction, const QString &cardType = QStringLiteral("VOIP"));

    void setChannels(const QStringList &labels) { m_channels = labels; }
    // "channel" sets the channel number; other names as the card.
    void setProperty(const QString &name, const QString &value) override;

    int channelCount() const override { return static_cast<int>(m_channels.size()); }
    QString channelLabel(int i) const override { return m_channels.value(i); }
    int channelIndexOfLabel(const QString &label) const override
    {
        return static_cast<int>(m_channels.indexOf(label));
    }

private:
    QStringList m_channels;
};

// A room-combining group as the pass-through transform sees it: a query to
// poll, whether one is outstanding, the replies it was handed.
class FakeQueryNode : public HNode
{
    Q_OBJECT

public:
    QString m_sQuery;
    bool m_bPending = false;
    QStringList m_responses;

    bool isQueryPending() const override { return m_bPending; }
    QString queryCommand() override { return m_sQuery; }
    void processResponse(const QString &reply) override { m_responses.append(reply); }
    QString replyText() const override { return m_responses.value(m_responses.size() - 1); }
};

// A processor: flag 0x01, a data folder, a top-level row with its group rows.
class FakeProcessor : public HComposite
{
    Q_OBJECT

public:
    explicit FakeProcessor(const QString &label = QStringLiteral("Rack"),
                           const QString &folder = QStringLiteral("KRX"));

    void setGroups(const QStringList &groups) { m_groups = groups; }

    QString category() const override { return QStringLiteral("Chassis"); }
    QString dataFolder() const override { return m_sFolder; }
    void buildModel(QStandardItemModel *pModel) override;

private:
    QString m_sFolder;
    QStringList m_groups;
};

// Records every removingNode it is connected to, in order.
class RemovalRecorder : public QObject
{
    Q_OBJECT

public:
    // Connects every node of the subtree (children first) to onRemovingNode.
    void watch(HNode *pNode);

    QList<HNode *> removed;

public slots:
    void onRemovingNode(HNode *pNode);
};
