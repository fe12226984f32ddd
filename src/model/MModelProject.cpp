#include "model/MModel.h"

#include "commands/BCommandFactory.h"
#include "commands/BCommandId.h"
#include "commands/BCommandProcessor.h"
#include "commands/BToolSelectCommand.h"
#include "controllers/ActionId.h"
#include "controllers/ControllerId.h"
#include "controllers/KComposite.h"
#include "controllers/KMainController.h"
#include "controllers/NotifyEventId.h"
#include "dialogs/DIPAddressChangeDialog.h"
#include "dialogs/DMessageBox.h"
#include "dialogs/DPanelSetupDialog.h"
#include "hardware/HChassis.h"
#include "hardware/HRoot.h"
#include "interfaces/IComposite.h"
#include "interfaces/IInterface.h"
#include "interfaces/ITcpServer.h"
#include "model/CCanvas.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MProject.h"
#include "protocols/PProtocol.h"
#include "utility/LogCategories.h"
#include "utility/SkinFiles.h"
#include "utility/UArchive.h"
#include "utility/UFolderSnapshot.h"
#include "utility/UNumbers.h"
#include "utility/UTesselator.h"
#include "views/VModeManager.h"
#include "widgets/MQmlInterface.h"
#include "widgets/WDelegate.h"
#include "widgets/WWidget.h"
#include "widgets/WWidgetFactory.h"
#include "xml/XControlHandler.h"
#include "xml/XmlWriter.h"
#include "xml/XRecordedDocument.h"

#include <QDebug>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QNetworkInterface>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QScreen>
#include <QStandardItem>
#include <QUrl>
#include <QWidget>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

namespace {

// Parsed before anything of the open project is touched: the file must be
// well-formed XML with the root element VMD. The project is then read from
// what was recorded, without a second parse.
bool readProjectDocument(const QString &path, XRecordedDocument &document)
{
    return document.read(path) && document.rootName() == QLatin1String("VMD");
}

// Largest coordinate or size, in pixels, a pasted control may bring along.
constexpr double MaxPastedGeometry = 100000.0;

bool isGeometryElement(QStringView name)
{
    return name == u"x" || name == u"y" || name == u"width" || name == u"height";
}

bool isSaneGeometry(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return !std::isinf(value); // not a number at all reads as 0; an overflow is refused
    return std::isfinite(value) && std::fabs(value) <= MaxPastedGeometry;
}

// Clipboard text is offered by any program: only one VMD root holding one
// Controls element of Control elements, with no document type (no entity
// can expand), geometry in range and pictures the archive accepts.
bool isAcceptableClipboard(const QByteArray &bytes)
{
    QXmlStreamReader reader(bytes);
    QStringList names;
    QString text;
    int controls = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
            return false;
        case QXmlStreamReader::StartElement: {
            const QString name = reader.name().toString();
            const int depth = int(names.size());
            if ((depth == 0 && name != QLatin1String("VMD")) || (depth == 1 && name != QLatin1String("Controls"))
                || (depth == 2 && name != QLatin1String("Control")))
                return false;
            if (depth == 2)
                ++controls;
            names.append(name);
            text.clear();
            break;
        }
        case QXmlStreamReader::Characters:
            text += reader.text();
            break;
        case QXmlStreamReader::EndElement: {
            // A setting of a widget: VMD, Controls, Control, Property, widget, setting.
            if (names.size() >= 6) {
                const QString &name = names.last();
                const QString value = text.trimmed();
                if (isGeometryElement(name) && !isSaneGeometry(value))
                    return false;
                if (XControlHandler::isImageSetting(name, names.at(names.size() - 2))
                    && !UArchive::instance()->acceptsImageReference(value))
                    return false;
            }
            text.clear();
            names.removeLast();
            break;
        }
        default:
            break;
        }
    }
    return !reader.hasError() && controls > 0;
}

} // namespace

// ---------------------------------------------------------------- file names

QString MModel::fileBaseName(const QString &path, bool keepExtension)
{
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    if (slash < 0)
        return QString();
    QString name = path.mid(slash + 1);
    if (!keepExtension) {
        const int dot = int(name.lastIndexOf(QLatin1Char('.')));
        if (dot >= 0)
            name.truncate(dot);
    }
    return name;
}

// Only a dot in the file name starts its extension; a name without one gets
// the extension added, so that the archive lists the file as a project file.
QString MModel::panelFileName(const QString &path)
{
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    const int dot = int(path.lastIndexOf(QLatin1Char('.')));
    return (dot > slash ? path.left(dot) : path) + QLatin1String(".cpf");
}

void MModel::showWarning(const QString &text) const
{
    DMessageBox::warning(qobject_cast<QWidget *>(m_pMainWindow.data()), tr("Warning"), text);
}

void MModel::markModified()
{
    m_bModified = true;
}

// ---------------------------------------------------------------- new project

bool MModel::newProject(const QString &templatePath)
{
    if (!m_pRootNode || !m_pScenes)
        return false;
    m_pRootNode->uncheck();
    auto *pScene = new CComposite;
    pScene->setKind(QStringLiteral("Scene"));
    pScene->setName(tr("COLLECTION1"));
    m_pScenes->addChild(pScene);
    CControl *pPanel = createPanelForNode(templatePath, pScene, nullptr);
    if (!pPanel) {
        qCWarning(lcModel).noquote() << "cannot read the template" << templatePath;
        m_pScenes->removeChild(pScene, true);
        checkEmptyCanvas();
        return false;
    }
    m_pScenes->setName(fileBaseName(templatePath, false));
    m_pCurrentPanel = pPanel;
    pPanel->setVisible(true);
    m_pProject->reset();
    // A template's controls stand where it placed them.
    refreshView(false);
    m_projectPath = templatePath;
    m_bModified = false;
    m_bSaved = false;
    emit enableConnection(false);
    return true;
}

// ---------------------------------------------------------------- reading panel files

// The one place where panel-document XML files are read.
bool MModel::readPanelFile(CComposite *pTarget, const QString &path, HNode *pNode, MProject *pProject,
                           CCanvas *pCanvas, QString *pFileVersion)
{
    return pTarget && pTarget->loadFromFile(path, m_pRootNode.get(), pNode, this, pProject, pCanvas, pFileVersion);
}

// Replaces the panel root's children by those of a document read aside.
bool MModel::adoptScenes(CComposite *pScratch)
{
    showCurrentPanel(false);
    m_pCurrentPanel = nullptr;
    m_pScenes->clear();
    const QList<CControl *> children = pScratch->children();
    pScratch->setNotOwner(true);
    pScratch->clear();
    for (CControl *pChild : children) {
        if (!pChild)
            continue;
        pChild->setParentComposite(nullptr);
        m_pScenes->addChild(pChild);
    }
    m_pScenes->setType(QStringLiteral("Scenes"));
    m_pScenes->setContextObject(this);
    return true;
}

// ---------------------------------------------------------------- opening

bool MModel::unpackProject(QString &path)
{
    if (!m_pArchive || !m_pArchive->read(path))
        return false;
    const QString projectFile = m_pArchive->findLocalPath(QStringLiteral(".cpf"));
    if (!projectFile.isEmpty())
        path = projectFile;
    return true;
}

void MModel::reloadFromArchive()
{
    const QString designFile = m_pArchive ? m_pArchive->findLocalPath(QStringLiteral(".vmp")) : QString();
    if (designFile.isEmpty())
        closeDesignFile();
    else
        loadDesignFile(designFile);
}

// The checks that come before anything of the open project changes: the
// file is there, an archive unpacks and holds a project file, and that file
// is well-formed with the root VMD. Each refusal is told to the user.
bool MModel::prepareProject(const QString &path, UFolderSnapshot &extracted, QString &projectFile,
                            XRecordedDocument &document)
{
    if (!QFileInfo(path).isFile()) {
        showWarning(tr("The project file %1 cannot be opened.").arg(path));
        return false;
    }
    projectFile = path;
    if (UArchive::isArchiveFile(path)) {
        extracted.take(UArchive::extractFolderPath());
        if (!unpackProject(projectFile) || projectFile == path) {
            extracted.restore();
            m_pArchive->clear();
            showWarning(tr("The project archive %1 is damaged or holds no project file.").arg(path));
            return false;
        }
    } else {
        m_pArchive->clear();
    }
    if (!readProjectDocument(projectFile, document)) {
        extracted.restore();
        m_pArchive->clear();
        showWarning(tr("The project file %1 is damaged and was not opened.").arg(path));
        return false;
    }
    return true;
}

bool MModel::canOpenProject(const QString &path)
{
    if (!m_pRootNode || !m_pScenes || !m_pArchive)
        return false;
    UFolderSnapshot extracted;
    QString projectFile;
    XRecordedDocument document;
    if (!prepareProject(path, extracted, projectFile, document))
        return false;
    // Only looked at: the open project's unpacked files go back in place.
    extracted.restore();
    m_pArchive->clear();
    return true;
}

// Nothing of the open project changes until the new project file has been
// found and checked; the document is read aside and adopted only when the
// whole file was read.
bool MModel::openProject(const QString &path)
{
    if (!m_pRootNode || !m_pScenes || !m_pArchive)
        return false;
    UFolderSnapshot extracted;
    QString projectFile;
    XRecordedDocument document;
    if (!prepareProject(path, extracted, projectFile, document))
        return false;

    // The file's project information, canvas and version are read aside too.
    const QString pinBefore = MProject::exitPin();
    MProject project;
    std::unique_ptr<CCanvas> pCanvas(m_pCanvas ? new CCanvas(*m_pCanvas) : nullptr);
    QString version = m_fileVersion;
    m_pRootNode->uncheck();
    reloadFromArchive();
    CComposite scratch;
    QStringList refusedImages;
    if (!scratch.loadFromFile(projectFile, m_pRootNode.get(), nullptr, this, &project, pCanvas.get(), &version,
                              &document, &refusedImages)) {
        scratch.clear();
        MProject::setExitPin(pinBefore);
        extracted.restore();
        showWarning(tr("The project file %1 could not be read.").arg(path));
        return false;
    }
    *m_pProject = project;
    if (m_pCanvas)
        *m_pCanvas = *pCanvas;
    m_fileVersion = version;
    adoptScenes(&scratch);
    m_pScenes->setName(QFileInfo(projectFile).fileName());
    m_projectPath = path;
    showCurrentPanel(true);
    // Stored places are kept: moving them here would make the next save
    // write another document than the one opened.
    refreshView(false);
    m_bModified = false;
    m_bSaved = true;
    emit enableConnection(true);
    if (!refusedImages.isEmpty())
        showWarning(tr("These pictures are not part of the project %1 and were left out:\n%2")
                        .arg(path, refusedImages.join(QLatin1Char('\n'))));
    return true;
}

// ---------------------------------------------------------------- saving

// The project file is written beside the target and packed with the design
// file into the archive; only the project file this save wrote is removed.
// On any failure the user is told, and the project keeps its path and its
// modified flag.
bool MModel::saveProject(const QString &path)
{
    if (!m_pScenes || !m_pRootNode || !m_pCanvas || !m_pProject || !m_pArchive || path.isEmpty())
        return false;
    const QString projectFile = panelFileName(path);
    QFile file(projectFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        showWarning(tr("The project could not be saved to %1: %2.").arg(projectFile, file.errorString()));
        return false;
    }
    // The writer's end empties the archive's list: it lives until the archive is written.
    XmlWriter writer;
    m_pArchive->clear();
    writer.addArchiveFile(path);
    const QString archivePath = m_pArchive->path();
    writer.archiveFilePath(projectFile, QString());
    QStringList missing;
    if (QFileInfo(m_designFilePath).isFile())
        writer.archiveFilePath(m_designFilePath, QStringLiteral("project"));
    else if (!m_designFilePath.isEmpty())
        missing << m_designFilePath;
    writer.setDevice(&file);
    writer.setEncoding(XmlEncodingUtf16BE);
    const bool written = writer.writeDeclaration() && writeProjectXml(writer) && writer.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        QFile::remove(projectFile);
        showWarning(tr("The project could not be saved to %1: %2.").arg(projectFile, file.errorString()));
        return false;
    }
    // A deleted image or design file must not cost the whole save: it is left out and named.
    missing += m_pArchive->dropUnreadableFiles();
    if (missing.contains(projectFile) || !m_pArchive->write()) {
        showWarning(tr("The project could not be saved to %1. The project file was left at %2.")
                        .arg(archivePath, projectFile));
        return false;
    }
    QFile::remove(projectFile);
    if (!missing.isEmpty())
        showWarning(tr("The project was saved to %1, but these files could not be read and were left out:\n%2")
                        .arg(archivePath, missing.join(QLatin1Char('\n'))));
    m_projectPath = archivePath;
    m_bModified = false;
    m_bSaved = true;
    m_pScenes->setName(QFileInfo(archivePath).fileName());
    emit enableConnection(true);
    return true;
}

bool MModel::writeProjectXml(XmlWriter &writer)
{
    writer.writeStartElement(QStringLiteral("VMD"));
    writer.writeStartElement(QStringLiteral("Version"));
    writer.writeTextElement(QStringLiteral("appVersion"), AppVersion);
    writer.writeTextElement(QStringLiteral("fileVersion"), m_fileVersion);
    writer.writeEndElement(QStringLiteral("Version"));
    writer.writeStartElement(QStringLiteral("Connections"));
    m_pRootNode->clearInUse();
    m_pScenes->markProcessorInUse();
    QStringList writtenAddresses;
    m_pRootNode->writeXml(&writer, writtenAddresses);
    writer.writeEndElement(QStringLiteral("Connections"));
    m_pCanvas->writeXml(&writer);
    m_pProject->writeXml(&writer);
    m_pScenes->writeXml(&writer);
    return writer.writeEndElement(QStringLiteral("VMD"));
}

// ---------------------------------------------------------------- design file

bool MModel::loadDesignFile(const QString &path)
{
    if (!m_pRootNode) {
        m_designFilePath.clear();
        return false;
    }
    const bool reload = !m_designFilePath.isEmpty() || m_bMergeNextImport;
    if (!reload)
        m_pRootNode->removeIfChecked(false);
    activateSelectTool();
    if (!HComposite::loadDesignFile(m_pRootNode.get(), path, reload, m_pProject.get())) {
        m_bMergeNextImport = reload;
        m_designFilePath.clear();
        return false;
    }
    m_pRootNode->purgeRemovable();
    m_designFilePath = path;
    m_bMergeNextImport = false;
    // The import may have brought the site's name.
    updateHeaderTitle();
    return true;
}

void MModel::closeDesignFile()
{
    if (!m_pRootNode)
        return;
    m_pRootNode->removeIfChecked(false);
    m_designFilePath.clear();
    m_bMergeNextImport = false;
}

void MModel::resetModel()
{
    clearUndoStack();
    if (m_pSelectTool)
        m_pSelectTool->reset();
    if (m_pScenes) {
        m_pScenes->clear();
        if (m_pRootNode)
            m_pRootNode->deleteIfNotPersistent();
        m_pCurrentPanel = nullptr;
        emit selectState(false);
        emit ccpState(false);
    }
    if (m_pCanvas)
        m_pCanvas->reset();
    // The next project's scale comes from its own panels, never from this one's.
    m_viewScale = 1.0f;
}

void MModel::buildHardwareModel(QStandardItemModel *pItemModel)
{
    if (!m_pRootNode) {
        qCDebug(lcModel) << "m_pRootNode not defined. Skipping buildModel";
        return;
    }
    m_pRootNode->buildModel(pItemModel);
}

// ---------------------------------------------------------------- paste

// Every control read goes to the collection, bound to the model and
// selected; a damaged or hostile clipboard adds nothing.
int MModel::placeControl(CComposite *pControls, const QByteArray &bytes)
{
    if (!m_pRootNode || !pControls || !m_pDelegate || !isAcceptableClipboard(bytes))
        return 0;
    return int(pControls->pasteControls(m_pRootNode.get(), bytes, this).size());
}
