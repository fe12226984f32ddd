#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QTcpServer;
class QTcpSocket;

// A processor's control port for the tests (the network peer; the tree node double is in
// FakeNodes.h): a QTcpServer on 127.0.0.1 with an ephemeral port that answers the line-based
// control protocol by script and records every command it receives.
//
// Answers, by mode (an answer set with setAnswer always wins, in every mode but Nak and Silent):
// - Polling: sets (SA, SS, SG, SN, MA, SRC...) get ACK; the probe "SUB" gets "SUB,no"; every other
//   command gets NAK.
// - Subscription: as Polling, but the probe gets "SUB,yes" and `SUB "key"` / `UNS "key"` get the
//   command followed by ",yes"; push() sends values unasked.
// - Nak: every command gets NAK.  Silent: nothing is ever answered.
// Text answers go out followed by CR; ACK and NAK as single bytes.
class FakeProcessorServer : public QObject
{
    Q_OBJECT

public:
    enum Mode { Polling, Subscription, Nak, Silent };

    static constexpr char AckByte = 0x06;
    static constexpr char NakByte = 0x15;

    explicit FakeProcessorServer(Mode mode = Polling, QObject *parent = nullptr);
    ~FakeProcessorServer() override;

    // Listens on 127.0.0.1; port 0 picks a free one.
    bool listen(quint16 port = 0);
    void stopListening();
    QHostAddress address() const { return QHostAddress(QHostAddress::LocalHost); }
    quint16 port() const { return m_nPort; }

    void setMode(Mode mode) { m_eMode = mode; }
    Mode mode() const { return m_eMode; }
    // The answer line (without CR) to one command text (without CR).
    void setAnswer(const QByteArray &command, const QByteArray &answer);
    // Answers the commands no set answer names, before the mode's rules: an empty answer
    // leaves the command to them. Called on the server's thread.
    using Answerer = std::function<QByteArray(const QByteArray &command)>;
    void setAnswerer(const Answerer &answerer) { m_answerer = answerer; }
    // Each answer goes out in two writes some milliseconds apart.
    void setSplitReplies(bool on) { m_bSplitReplies = on; }
    // Closes the connection once this many further commands have been answered (0: never).
    void setCloseAfter(int commands);

    // Sends a line (CR added) to every connected client, unasked.
    void push(const QByteArray &line);
    // Sends bytes exactly as given to every connected client.
    void sendRaw(const QByteArray &bytes);
    // Drops every connection from this side; listening goes on.
    void dropConnections();

    // Every command received, in order, without its CR.
    QList<QByteArray> commands() const { return m_lCommands; }
    int commandCount(const QByteArray &command) const { return m_lCommands.count(command); }
    void clearCommands() { m_lCommands.clear(); }
    int acceptedCount() const { return m_nAccepted; }
    int connectedCount() const;

signals:
    void commandReceived(const QByteArray &command);
    void clientConnected();

private slots:
    void onNewConnection();
    void onReadyRead();
    void onClientDisconnected();

private:
    void handleCommand(QTcpSocket *socket, const QByteArray &command);
    QByteArray answerFor(const QByteArray &command) const;
    void reply(QTcpSocket *socket, const QByteArray &bytes);

    QTcpServer *m_pServer = nullptr;
    QList<QPointer<QTcpSocket>> m_lClients;
    QHash<QTcpSocket *, QByteArray> m_hInput;
    QHash<QByteArray, QByteArray> m_hAnswers;
    Answerer m_answerer;
    QList<QByteArray> m_lCommands;
    Mode m_eMode = Polling;
    quint16 m_nPort = 0;
    bool m_bSplitReplies = false;
    int m_nCloseAfter = 0;
    int m_nAccepted = 0;
};
