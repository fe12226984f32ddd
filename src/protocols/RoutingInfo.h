#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class TTransform;

// One party waiting for replies of the control protocol: the routing id picks
// the reply parser (the command form, or 999 for the subscription probe).
class RoutingInfo : public QObject
{
    Q_OBJECT

public:
    static constexpr int ProbeId = 999;

    RoutingInfo(int id, TTransform *pTransform, const QString &text);
    ~RoutingInfo() override;

    int id() const { return m_nId; }
    // Null once the transform is gone.
    TTransform *transform() const;
    // The transform this record was made for, for identity only (never dereferenced).
    const QObject *transformKey() const { return m_pTransformKey; }
    const QString &text() const { return m_sText; }
    bool isFor(int id, const TTransform *pTransform, const QString &text) const;

private:
    int m_nId;
    QPointer<TTransform> m_pTransform;
    const QObject *m_pTransformKey;
    QString m_sText;
};
