#pragma once

#include <QString>
#include <QThread>
#include <QStringList>

#include <memory>

class CComposite;
class FakeProcessorServer;
class KMainController;
class MModel;
class QQuickView;

// The editor as main() builds it, with a design whose main rack (on 127.0.0.1
// at the port given) holds that many gain blocks besides the fixture's own,
// imported through the menu. A panel fills by dropping the level of one gain
// block after the other from the project tree, as a user drags them, so each
// control polls a value of its own. Questions are answered "no", messages
// are collected.
class BenchEditor
{
public:
    BenchEditor(int blocks, quint16 port, const QString &folder);
    ~BenchEditor();
    BenchEditor(const BenchEditor &) = delete;
    BenchEditor &operator=(const BenchEditor &) = delete;

    // The design imported, its blocks listed in the tree.
    bool isReady() const { return m_handles.size() >= m_nBlocks; }
    MModel *model() const { return m_pModel.get(); }
    KMainController *main() const { return m_pMain; }
    QQuickView *view() const;
    CComposite *panel() const;
    // The level of the i-th gain block as the user names it in a drop.
    static QString gainLabel(int i) { return QStringLiteral("Gain %1").arg(i + 1); }

    // Drops the level of the next block, the panel's count naming it.
    bool dropNext();
    // Drops until the current panel holds that many controls, a block each.
    bool fillPanel(int controls);
    // File › Save As and File › Open, the chooser answered with the path.
    bool saveAs(const QString &path);
    bool open(const QString &path);
    // Online or offline through the toolbar's action.
    void goOnline(bool online);
    QStringList messages() const { return m_messages; }

private:
    void findLevels();

    int m_nBlocks;
    std::unique_ptr<MModel> m_pModel;
    KMainController *m_pMain = nullptr;
    QStringList m_handles; // drag data of the gain blocks' levels, in block order
    QStringList m_texts;
    QStringList m_messages;
};

// A fake processor on a thread of its own, answering every level query with
// the level set here; it tells the CPU time its thread used.
class BenchPeer
{
public:
    BenchPeer();
    ~BenchPeer();
    BenchPeer(const BenchPeer &) = delete;
    BenchPeer &operator=(const BenchPeer &) = delete;

    quint16 port() const;
    static void setLevel(int level);
    static int level();
    double threadCpuSeconds();
    int commandCount();
    // The level queries received, each counted once.
    int distinctQueries();

private:
    QThread m_thread;
    FakeProcessorServer *m_pFake = nullptr;
};
