#pragma once

#include <QObject>

class IInterface;
class PFileProtocol;

// The application model. Only what device communication calls is here yet.
class MModel : public QObject
{
    Q_OBJECT

public:
    explicit MModel(QObject *parent = nullptr);
    ~MModel() override;

    // False after a value went out: value requests pause until the next poll tick.
    void setPollPending(bool pending);
    bool isPollPending() const { return m_bPollEnabled; }

    // The receive wait of a file transfer: returns when the peer closed the connection.
    void doDownloadDialog(PFileProtocol *pProtocol, IInterface *pInterface);

private:
    bool m_bPollEnabled = false;
};
