#pragma once

#include "xml/XmlHandler.h"

#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QCoreApplication>
#include <QScopedPointer>
#include <QSet>
#include <QString>

class HNode;
class HNodeFactory;
class HParameterSetList;
class MProject;
class XVMPQuery;

// Reads a design file (".vmp") in one event-driven pass and builds the
// hardware tree from it; on a re-import merges every node it reads into the
// node the tree already holds and drops the nodes the new file lacks.
class XVMPHandler : public XmlHandler
{
    Q_DECLARE_TR_FUNCTIONS(XVMPHandler)

public:
    static constexpr double MinimumVersion = 4.2;

    XVMPHandler();
    ~XVMPHandler() override;

    void setRoot(HNode *pRoot) { m_pRoot = pRoot; }
    void setProject(MProject *pProject) { m_pProject = pProject; }
    void setReload(bool reload) { m_bReload = reload; }
    // The whole file, for the second pass.
    void setRawBytes(const QByteArray &bytes);

    // The refusal shown for a file older than version 4.2.
    static QString refusalTitle();
    static QString refusalText(const QString &version);
    // Content nested deeper than the handler keeps, outside what it skips:
    // such a file cannot be read. Refusing tells the user; true when refused.
    static bool nestsTooDeep(const QByteArray &bytes);
    static bool refuseDeepNesting(const QByteArray &bytes);
    static QString deepNestingText();

    bool startDocument() override;
    bool endDocument() override;
    bool characters(const QString &text) override;
    bool startElement(const QString &namespaceURI, const QString &localName,
                      const QString &qName, const QXmlAttributes &attributes) override;
    bool endElement(const QString &namespaceURI, const QString &localName,
                    const QString &qName) override;

private:
    enum Mode { ModeNone = 0, ModeNode = 1, ModeProjectInfo = 2, ModeList = 3 };

    bool processProjectInfo(const QString &name, const QXmlAttributes &attributes);
    void processNode(const QXmlAttributes &attributes);
    void processGroup(const QXmlAttributes &attributes);
    void processRCGroup(const QXmlAttributes &attributes);
    void processParamSet(const QXmlAttributes &attributes);
    void processPanelList(const QXmlAttributes &attributes);
    bool processNodeProperty(const QString &name, const QXmlAttributes &attributes);
    bool processAssignment(const QString &name, const QXmlAttributes &attributes);
    void attachParsedNode();
    void attachProcessor(HNode *pNode);
    void attachChild(HNode *pNode);

    // A section closes at the end of the element of its name at this depth.
    void openSection(Mode mode, const QString &name, int closingDepth);
    void closeSection();
    void setParsedNode(HNode *pNode);
    void removeUnmarked();
    // On a re-import: the rooms of every group the Assignment section left out go.
    void dropUnassignedRooms();
    HNode *findInRoot(const QString &category, const QString &id) const;
    void remember(HNode *pNode);
    XVMPQuery *query();

    HNode *m_pRoot = nullptr;
    MProject *m_pProject = nullptr;
    QScopedPointer<HNodeFactory> m_pFactory;
    QByteArray m_rawBytes;
    QScopedPointer<XVMPQuery> m_pQuery;
    bool m_bReload = false;
    bool m_bMarksCleared = false;
    HNode *m_pActiveChassis = nullptr;
    HNode *m_pMainProcessor = nullptr;
    HNode *m_pParsedNode = nullptr;
    HNode *m_pAssignTarget = nullptr;
    HParameterSetList *m_pCurrentList = nullptr;
    int m_nSkipDepth = 0; // depth of the element whose content is skipped; 0: none
    Mode m_nMode = ModeNone;
    int m_nSectionDepth = 0;
    bool m_bAmpCheck = false;
    // The nodes attached or merged in this import by category and id text,
    // so that the assignment lookups need not search the whole tree.
    QHash<QString, QPointer<HNode>> m_attached;
    // The room-combining groups whose rooms this import made.
    QSet<HNode *> m_roomsMade;
};
