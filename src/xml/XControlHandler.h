#pragma once

#include "xml/XmlHandler.h"

#include <QString>
#include <QStringList>

class CCanvas;
class CComposite;
class CControl;
class HNode;
class MProject;

// Reads the project file and the control templates: rebuilds scenes, panels
// and controls into a composite, restores the processors' connection
// settings into the hardware tree, the canvas and the project information,
// and binds every control to its hardware node again.
class XControlHandler : public XmlHandler
{
public:
    XControlHandler();
    ~XControlHandler() override;

    // ---- targets (none owned)
    // Tree that processors are found in or added to; null for templates.
    void setHardwareRoot(HNode *pRoot) { m_pHardwareRoot = pRoot; }
    // When set, every control read is bound to this node.
    void setTemplateNode(HNode *pNode) { m_pTemplateNode = pNode; }
    // Receives the scenes or, for templates and pastes, the controls.
    void setReceiver(CComposite *pReceiver) { m_pReceiver = pReceiver; }
    // When not empty, only the controls of this name are read.
    void setControlName(const QString &name) { m_sControlName = name; }
    // Null skips the section.
    void setProject(MProject *pProject) { m_pProject = pProject; }
    void setCanvas(CCanvas *pCanvas) { m_pCanvas = pCanvas; }
    // When set, a picture named by the file must be built in or packed in
    // the archive it came in; any other name is left out and added here.
    void setRefusedImages(QStringList *pRefused) { m_pRefusedImages = pRefused; }

    // The file version read; null when the file names none.
    const QString &fileVersion() const { return m_sFileVersion; }

    bool startDocument() override;
    bool endDocument() override;
    bool startElement(const QString &namespaceURI, const QString &localName, const QString &qName,
                      const QXmlAttributes &attributes) override;
    bool endElement(const QString &namespaceURI, const QString &localName, const QString &qName) override;
    bool characters(const QString &text) override;
    bool processingInstruction(const QString &target, const QString &data) override;
    bool fatalError(const QXmlParseException &exception) override;

    // One widget setting for the active control: the open element names the
    // setting, its parent the widget type.
    void processWidget(const QString &text);
    // A processor by its key: "Chassis|||7" by category and node ID, any
    // other text by label.
    HNode *findChassis(const QString &category, const QString &name) const;

    // Keeps the spaces typed into a value, drops the line breaks and tabs
    // of the layout around it; a blank text gives an empty one.
    static QString prepareText(const QString &text);
    // Settings that name a picture: under any widget, or "path" of the two
    // picture widgets (elsewhere "path" is a link or an outline).
    static bool isImageSetting(QStringView name, QStringView widget);

private:
    void beginSection(const QString &name);
    void endSection();
    void startControl(const QXmlAttributes &attributes);
    void startScene(const QXmlAttributes &attributes);
    void startPanel(const QXmlAttributes &attributes);
    void startConnection(const QXmlAttributes &attributes);
    HNode *addChassis(const QString &name);
    void endPanel();
    void endPropertyChild(const QString &name);
    void handleText(const QString &text);
    void handleAttributeText(const QString &element, const QString &parent, const QString &text);
    void handleControlField(const QString &element, const QString &text);
    void resolveNode(const QString &connection);
    HNode *findOrAddNode(HNode *pProcessor);

    HNode *m_pHardwareRoot;
    HNode *m_pTemplateNode;
    CComposite *m_pReceiver;
    CControl *m_pActiveControl;
    HNode *m_pActiveChassis;
    CComposite *m_pCurrentScene;
    CComposite *m_pCurrentPanel;
    QString m_sControlName;
    QString m_sPropertyName;
    QString m_sBlockName;
    qint32 m_nNodeId;
    QString m_sNodeCategory;
    MProject *m_pProject;
    CCanvas *m_pCanvas;
    // Depth of the element that opened the section.
    int m_nSectionDepth;
    // Text of the innermost open element, gathered until its end tag.
    QString m_sText;
    // The panel being read was given no type: it is inferred from its content.
    bool m_bInferPanelType;
    QString m_sFileVersion;
    QStringList *m_pRefusedImages = nullptr;
};
