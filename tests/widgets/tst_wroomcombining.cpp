#include "PolygonCanvas.h"

#include "../hardware/RCFixture.h"
#include "dialogs/DMessageBox.h"
#include "hardware/HChassis.h"
#include "hardware/HNodeFactory.h"
#include "hardware/HRCGroup.h"
#include "hardware/HRCGroupInfo.h"
#include "hardware/HRCRoom.h"
#include "hardware/HRoot.h"
#include "model/CComposite.h"
#include "model/CControl.h"
#include "model/MModel.h"
#include "widgets/WActiveCombo.h"
#include "widgets/WComboSelection.h"
#include "widgets/WRoomSelection.h"

#include <QQuickItem>
#include <QtTest>

#include "support/TestMain.h"

namespace {

constexpr int Group = 1;
constexpr int Rooms = 6; // three combinations

// A processor answered by a fake, whose registry holds one group of six
// rooms ("Blk-Room 1" ...) with their room nodes under the group's node.
struct RoomDesign
{
    explicit RoomDesign(PolygonCanvas &canvas)
        : c(canvas)
    {
        processor = c.online().processor(QStringLiteral("P1"));
        RCFixture::addRooms(*processor->registry(), Group, 1, Rooms);
        group = new HRCGroup;
        group->setIdText(QString::number(Group));
        group->setIndex(Group);
        group->setLabel(QStringLiteral("Wing"));
        processor->addNode(group);
        HNodeFactory factory;
        group->createRooms(&factory, false);
    }

    HRCRoom *room(int number) const { return qobject_cast<HRCRoom *>(group->findRoomNode(QString::number(number))); }
    FakeProcessorServer *server() const { return c.online().server(processor); }

    // The control of the node's template with that name, shown.
    template <typename W>
    W *widgetFor(HNode *pNode, const QString &name, const QString &type, const QPointF &position)
    {
        CControl *pControl = c.online().panel()->createControlForNode(c.model()->rootNode(), pNode, name, position);
        if (!pControl)
            return nullptr;
        pControl->setVisible(true);
        return qobject_cast<W *>(pControl->findWidget(type));
    }

    PolygonCanvas &c;
    HChassis *processor = nullptr;
    HRCGroup *group = nullptr;
};

// The saved settings read into a new control of the same name, type and node.
WWidget *reopen(CComposite *pPanel, WWidget *pWidget)
{
    CControl *pOld = pWidget->control();
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setName(pOld->name());
    pControl->setType(pOld->type());
    pControl->setContextObject(pOld->model());
    pPanel->addChild(pControl);
    return WidgetFixture::readWidget(pControl, pWidget->typeName(), WidgetFixture::saved(pWidget));
}

// Every item drawn below the item (delegates are no QObject children).
QList<QQuickItem *> itemsBelow(QQuickItem *pItem)
{
    QList<QQuickItem *> items;
    for (QQuickItem *pChild : pItem->childItems()) {
        items.append(pChild);
        items.append(itemsBelow(pChild));
    }
    return items;
}

QList<QQuickItem *> itemsNamed(QQuickItem *pItem, const QString &name)
{
    QList<QQuickItem *> items;
    for (QQuickItem *pChild : itemsBelow(pItem)) {
        if (pChild->objectName() == name)
            items.append(pChild);
    }
    return items;
}

// The texts the active-combination strip shows, left to right, joined.
QString stripText(const WActiveCombo *pWidget)
{
    auto *pRoot = qobject_cast<QQuickItem *>(pWidget->widget());
    QList<QPair<qreal, QString>> texts;
    for (QQuickItem *pItem : itemsBelow(pRoot)) {
        if (QString::fromLatin1(pItem->metaObject()->className()).startsWith(QLatin1String("QQuickText"))
            && pItem->isVisible())
            texts.append({pItem->x(), pItem->property("text").toString()});
    }
    std::sort(texts.begin(), texts.end());
    QString text;
    for (const auto &entry : texts)
        text += entry.second;
    return text;
}

} // namespace

// The room selector, the active-combination display and the combination
// selector bound to a room-combining group, online against a fake processor.
class TestWRoomCombining : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void roomPressOnlineSendsAndFollowsReplies();
    void roomPressOfflineDoesNothing_data();
    void roomPressOfflineDoesNothing();
    void colourPushes_data();
    void colourPushes();
    void showSelectedPreview();
    void opacitiesRoundTrip();
    void roomIgnoresPathAndFill();
    void failureBoxWaitsForTheEventLoop();

    void activeDisplayPublishesOnChange();
    void activeDisplaySettings();
    void activeDisplayShowsWhereItLiesInEditMode();

    void comboSelectorPicksCombination();
    void comboSelectorUnbound();
    void sideMargins_data();
    void sideMargins();

private:
    std::unique_ptr<PolygonCanvas> m_pCanvas;
    QStringList m_boxes;
};

void TestWRoomCombining::init()
{
    m_boxes.clear();
    DMessageBox::setResponder([this](const QString &title, const QString &text) {
        m_boxes.append(title + QLatin1Char('|') + text);
        return 0;
    });
    m_pCanvas = std::make_unique<PolygonCanvas>();
    QVERIFY(m_pCanvas->window().isReady());
}

void TestWRoomCombining::cleanup()
{
    m_pCanvas.reset();
    DMessageBox::setResponder({});
}

// ---------------------------------------------------------------- room selector

void TestWRoomCombining::roomPressOnlineSendsAndFollowsReplies()
{
    PolygonCanvas &c = *m_pCanvas;
    RoomDesign design(c);
    auto *pOne = design.widgetFor<WRoomSelection>(design.room(1), QStringLiteral("Room Layout"),
                                                  QStringLiteral("roomselector"), QPointF(100, 100));
    auto *pTwo = design.widgetFor<WRoomSelection>(design.room(2), QStringLiteral("Room Layout"),
                                                  QStringLiteral("roomselector"), QPointF(300, 100));
    QVERIFY(pOne && pTwo);
    QVERIFY(pOne->transform() && pOne->protocol());
    c.setEditMode(false);
    c.online().goOnline(true);
    QTRY_VERIFY_WITH_TIMEOUT(design.server()->connectedCount() > 0, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!c.model()->qmlProperty(QStringLiteral("connectInd")).toString().endsWith(
                                 QLatin1String("indicator_red.png")),
                             5000);

    // Room 1 into the selected combination 0, then room 2 joins it.
    c.window().click(PolygonCanvas::at(pOne, QPointF(60, 45)));
    QTRY_VERIFY_WITH_TIMEOUT(pOne->isSelected(), 5000);
    c.window().click(PolygonCanvas::at(pTwo, QPointF(60, 45)));
    QTRY_VERIFY_WITH_TIMEOUT(design.server()->commandCount("SRC 1,[1,2]") == 1, 5000);
    QTRY_VERIFY(pTwo->isSelected());
    QCOMPARE(c.missedPresses(), 0);

    // The processor reports the rooms apart again: both follow the reply.
    design.server()->setAnswer("GRC 1", "GRC 1,");
    QTRY_VERIFY_WITH_TIMEOUT(design.server()->commandCount("GRC 1") > 0, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!pOne->isSelected() && !pTwo->isSelected(), 5000);
    c.online().goOnline(false);
}

void TestWRoomCombining::roomPressOfflineDoesNothing_data()
{
    QTest::addColumn<QString>("indicator");
    QTest::newRow("red indicator") << "../../images/skins/Light/indicator_red.png";
    QTest::newRow("folder named red, green indicator") << "../../images/skins/Tired/indicator_grn.png";
}

// Only the red indicator image itself means offline, not a folder with
// "red" in its name.
void TestWRoomCombining::roomPressOfflineDoesNothing()
{
    QFETCH(QString, indicator);
    PolygonCanvas &c = *m_pCanvas;
    RoomDesign design(c);
    auto *pOne = design.widgetFor<WRoomSelection>(design.room(1), QStringLiteral("Room Layout"),
                                                  QStringLiteral("roomselector"), QPointF(100, 100));
    QVERIFY(pOne);
    c.setEditMode(false);
    c.model()->setQmlProperty(QStringLiteral("connectInd"), indicator);
    QSignalSpy clicks(design.room(1), &HRCRoom::roomControlClicked);
    c.window().click(PolygonCanvas::at(pOne, QPointF(60, 45)));
    const bool offline = indicator.endsWith(QLatin1String("indicator_red.png"));
    QCOMPARE(clicks.count(), offline ? 0 : 1);
    QCOMPARE(c.missedPresses(), 0);
}

void TestWRoomCombining::colourPushes_data()
{
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("selected");
    QTest::newRow("orange") << "orange" << true;
    QTest::newRow("lightgray") << "lightgray" << false;
    QTest::newRow("other capitals") << "LightGray" << true;
    QTest::newRow("crimson") << "crimson" << true;
}

void TestWRoomCombining::colourPushes()
{
    QFETCH(QString, colour);
    QFETCH(bool, selected);
    PolygonCanvas &c = *m_pCanvas;
    RoomDesign design(c);
    auto *pOne = design.widgetFor<WRoomSelection>(design.room(1), QStringLiteral("Room Layout"),
                                                  QStringLiteral("roomselector"), QPointF(100, 100));
    QVERIFY(pOne);
    // Selected first, so that a push of the no-combination colour shows.
    emit design.room(1)->updateRoomColor(QStringLiteral("yellow"), 1);
    QTRY_VERIFY(pOne->isSelected());
    QSignalSpy changed(pOne, &WRoomSelection::isSelectedChanged);
    emit design.room(1)->updateRoomColor(colour, 1);
    // Queued: nothing before the event loop runs.
    QVERIFY(pOne->isSelected());
    QTRY_COMPARE(pOne->roomColor(), colour);
    QCOMPARE(pOne->isSelected(), selected);
    QCOMPARE(changed.count(), selected ? 0 : 1);
    auto *pItem = PolygonCanvas::itemOf(pOne);
    QCOMPARE(pItem->property("fieldColor").value<QColor>(), QColor(selected ? "crimson" : "lightgrey"));
    QCOMPARE(pItem->opacity(), qreal(selected ? pOne->selectedOpacity() : pOne->unselectedOpacity()));
}

void TestWRoomCombining::showSelectedPreview()
{
    PolygonCanvas &c = *m_pCanvas;
    WPolygon *pPolygon = c.addPolygon(QStringLiteral("roomselector"), QStringLiteral("R"), QPointF(10, 10),
                                      QStringLiteral("0,0 40,0 40,40"));
    auto *pRoom = qobject_cast<WRoomSelection *>(pPolygon);
    QVERIFY(pRoom);
    QVERIFY(!pRoom->isSelected());
    pRoom->setPropertyValue(WidgetPropertyId::ShowSelected, true);
    QVERIFY(pRoom->isSelected());
    QCOMPARE(pRoom->roomColor(), QStringLiteral("crimson"));
    QCOMPARE(pRoom->propertyValue(WidgetPropertyId::ShowSelected).toBool(), true);
    pRoom->setPropertyValue(WidgetPropertyId::ShowSelected, false);
    QVERIFY(!pRoom->isSelected());
    QCOMPARE(pRoom->roomColor(), QStringLiteral("lightgray"));
}

void TestWRoomCombining::opacitiesRoundTrip()
{
    PolygonCanvas &c = *m_pCanvas;
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setName(QStringLiteral("R"));
    pControl->setType(QStringLiteral("RoomSelector"));
    pControl->setContextObject(c.model());
    c.online().panel()->addChild(pControl);
    auto *pRoom = qobject_cast<WRoomSelection *>(WidgetFixture::readWidget(
        pControl, QStringLiteral("roomselector"),
        {{QStringLiteral("polygon"), QStringLiteral("0,0 40,0 40,40 ")},
         {QStringLiteral("selectedOpacity"), QStringLiteral("0.8")},
         {QStringLiteral("unselectedOpacity"), QStringLiteral("0.2")}}));
    QVERIFY(pRoom);
    QCOMPARE(pRoom->selectedOpacity(), 0.8f);
    QCOMPARE(pRoom->unselectedOpacity(), 0.2f);
    const WidgetFixture::Settings saved = WidgetFixture::saved(pRoom);
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("selectedOpacity")), QStringLiteral("0.8"));
    QCOMPARE(WidgetFixture::valueOf(saved, QStringLiteral("unselectedOpacity")), QStringLiteral("0.2"));
    auto *pReopened = qobject_cast<WRoomSelection *>(reopen(c.online().panel(), pRoom));
    QVERIFY(pReopened);
    QCOMPARE(pReopened->selectedOpacity(), 0.8f);
    QCOMPARE(pReopened->unselectedOpacity(), 0.2f);
    QCOMPARE(pReopened->vertices(), pRoom->vertices());
    QCOMPARE(pReopened->propertyValue(WidgetPropertyId::SelectedOpacity).toFloat(), 0.8f);
    pReopened->setPropertyValue(WidgetPropertyId::UnselectedOpacity, 0.45);
    QCOMPARE(PolygonCanvas::itemOf(pReopened)->opacity(), qreal(0.45f));
}

void TestWRoomCombining::roomIgnoresPathAndFill()
{
    PolygonCanvas &c = *m_pCanvas;
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setType(QStringLiteral("RoomSelector"));
    pControl->setContextObject(c.model());
    c.online().panel()->addChild(pControl);
    WWidget *pRoom = WidgetFixture::readWidget(pControl, QStringLiteral("roomselector"),
                                               {{QStringLiteral("polygon"), QStringLiteral("0,0 40,0 40,40")},
                                                {QStringLiteral("path"), QStringLiteral("..\\S\\P")},
                                                {QStringLiteral("fieldcolor"), QStringLiteral("#ff0000")}});
    QVERIFY(pRoom);
    QCOMPARE(pRoom->propertyValue(WidgetPropertyId::LinkPath).toString(), QString());
    const QStringList names = WidgetFixture::names(WidgetFixture::saved(pRoom));
    QVERIFY(!names.contains(QStringLiteral("path")));
    QVERIFY(!names.contains(QStringLiteral("fieldcolor")));
    QVERIFY(names.contains(QStringLiteral("polygon")));
}

// The box must not open inside the node's signal, which comes from within
// the processing of a reply.
void TestWRoomCombining::failureBoxWaitsForTheEventLoop()
{
    PolygonCanvas &c = *m_pCanvas;
    RoomDesign design(c);
    auto *pOne = design.widgetFor<WRoomSelection>(design.room(1), QStringLiteral("Room Layout"),
                                                  QStringLiteral("roomselector"), QPointF(100, 100));
    QVERIFY(pOne);
    QVERIFY(c.model()->qmlInterface());
    emit design.room(1)->showErrorDialog(QStringLiteral("Rooms are not adjacent"), 1);
    QVERIFY(m_boxes.isEmpty());
    QTRY_COMPARE(m_boxes, QStringList{QStringLiteral("Room Combine Failure|Rooms are not adjacent")});
}

// ---------------------------------------------------------------- active-combination display

void TestWRoomCombining::activeDisplayPublishesOnChange()
{
    PolygonCanvas &c = *m_pCanvas;
    RoomDesign design(c);
    auto *pDisplay = design.widgetFor<WActiveCombo>(design.room(1), QStringLiteral("Active Combination"),
                                                    QStringLiteral("activeroomcombo"), QPointF(10, 300));
    QVERIFY(pDisplay);
    QCOMPARE(pDisplay->separator(), QStringLiteral(", "));
    QSignalSpy published(pDisplay, &WActiveCombo::otherRoomNamesChanged);

    // The first answer publishes even no names.
    emit design.group->queryResponseReady();
    QTRY_COMPARE(published.count(), 1);
    QVERIFY(pDisplay->roomNames().isEmpty());

    RCFixture::setCombos(*design.processor->registry(), Group, {QStringLiteral("1,2,3")});
    for (int answer = 0; answer < 3; ++answer)
        emit design.group->queryResponseReady();
    QTRY_COMPARE(published.count(), 2);
    QTest::qWait(20);
    QCOMPARE(published.count(), 2);
    // Filled afresh on every answer, never piled up.
    QCOMPARE(pDisplay->roomNames(), QStringList({QStringLiteral("Room 2"), QStringLiteral("Room 3")}));
    QCOMPARE(pDisplay->count(), 2);
    QTRY_COMPARE(stripText(pDisplay), QStringLiteral("Combined w/ Room 2, Room 3"));

    RCFixture::setCombos(*design.processor->registry(), Group, {QStringLiteral("1,3")});
    emit design.group->queryResponseReady();
    QTRY_COMPARE(published.count(), 3);
    QTRY_COMPARE(stripText(pDisplay), QStringLiteral("Combined w/ Room 3"));
}

void TestWRoomCombining::activeDisplaySettings()
{
    PolygonCanvas &c = *m_pCanvas;
    RoomDesign design(c);
    auto *pDisplay = design.widgetFor<WActiveCombo>(design.room(1), QStringLiteral("Active Combination"),
                                                    QStringLiteral("activeroomcombo"), QPointF(10, 300));
    QVERIFY(pDisplay);
    QCOMPARE(pDisplay->control()->minHeight(), 40);
    QCOMPARE(pDisplay->propertyValue(WidgetPropertyId::Scale).toString(), QStringLiteral("1.0"));
    pDisplay->setPropertyValue(WidgetPropertyId::Scale, QStringLiteral("0.75"));
    QCOMPARE(pDisplay->propertyValue(WidgetPropertyId::Scale).toString(), QStringLiteral("0.75"));
    pDisplay->setPropertyValue(WidgetPropertyId::Separator, QStringLiteral(" + "));
    QVERIFY(pDisplay->processElement(QStringLiteral("autosize"), QStringLiteral("True")));
    QCOMPARE(pDisplay->widgetProperty("autoSize").toBool(), false);

    auto *pReopened = qobject_cast<WActiveCombo *>(reopen(c.online().panel(), pDisplay));
    QVERIFY(pReopened);
    QCOMPARE(pReopened->separator(), QStringLiteral(" + "));
    QCOMPARE(pReopened->sideMargins(), 10);
    QCOMPARE(pReopened->propertyValue(WidgetPropertyId::Scale).toString(), QStringLiteral("0.75"));
}

// The template's strip has no border, and offline it has no names: in edit
// mode it must still be seen where it lies, while its settings stay as stored.
void TestWRoomCombining::activeDisplayShowsWhereItLiesInEditMode()
{
    PolygonCanvas &c = *m_pCanvas;
    RoomDesign design(c);
    auto *pDisplay = design.widgetFor<WActiveCombo>(design.room(1), QStringLiteral("Active Combination"),
                                                    QStringLiteral("activeroomcombo"), QPointF(10, 300));
    QVERIFY(pDisplay);
    auto *pRoot = qobject_cast<QQuickItem *>(pDisplay->widget());
    QVERIFY(pRoot);
    const auto borderWidth = [pRoot] {
        return pRoot->property("border").value<QObject *>()->property("width").toReal();
    };
    QCOMPARE(pDisplay->propertyValue(WidgetPropertyId::BorderWidth).toReal(), 0.0);
    QCOMPARE(borderWidth(), 0.0);
    QCOMPARE(stripText(pDisplay), QString());

    c.setEditMode(true);
    QVERIFY(borderWidth() >= 1.0);
    QCOMPARE(stripText(pDisplay), QStringLiteral("Combined w/ "));
    QCOMPARE(pDisplay->propertyValue(WidgetPropertyId::BorderWidth).toReal(), 0.0);
    const WidgetFixture::Settings saved = WidgetFixture::saved(pDisplay);
    QVERIFY(saved.contains({QStringLiteral("borderwidth"), QStringLiteral("0")}));

    // Names shown: no placeholder beside them.
    RCFixture::setCombos(*design.processor->registry(), Group, {QStringLiteral("1,2")});
    emit design.group->queryResponseReady();
    QTRY_COMPARE(stripText(pDisplay), QStringLiteral("Combined w/ Room 2"));

    c.setEditMode(false);
    QCOMPARE(borderWidth(), 0.0);
}

// ---------------------------------------------------------------- combination selector

void TestWRoomCombining::comboSelectorPicksCombination()
{
    PolygonCanvas &c = *m_pCanvas;
    RoomDesign design(c);
    auto *pSelector = design.widgetFor<WComboSelection>(design.group, QStringLiteral("Combination Control"),
                                                        QStringLiteral("comboselector"), QPointF(0, 500));
    QVERIFY(pSelector);
    QCOMPARE(pSelector->comboColors(),
             QStringList({QStringLiteral("crimson"), QStringLiteral("orange"), QStringLiteral("yellow")}));
    QCOMPARE(pSelector->selectedIndex(), 0);
    c.setEditMode(false);

    auto *pRoot = qobject_cast<QQuickItem *>(pSelector->widget());
    QTRY_COMPARE(itemsNamed(pRoot, QStringLiteral("comboSquare")).size(), 3);
    QQuickItem *pSquare = nullptr;
    for (QQuickItem *pItem : itemsNamed(pRoot, QStringLiteral("comboSquare"))) {
        if (pItem->property("color").value<QColor>() == QColor("yellow"))
            pSquare = pItem;
    }
    QVERIFY(pSquare);
    QSignalSpy changed(pSelector, &WComboSelection::selectedIndexChanged);
    c.window().click(CanvasWindow::windowPoint(pSquare, QPointF(pSquare->width() / 2, pSquare->height() / 2)));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(design.group->selectedIndex(), 2);
    QCOMPARE(pSelector->selectedIndex(), 2);
    int highlighted = -1;
    const QList<QQuickItem *> highlights = itemsNamed(pRoot, QStringLiteral("comboHighlight"));
    for (QQuickItem *pItem : highlights) {
        if (pItem->property("border").value<QObject *>()->property("width").toInt() == 2)
            highlighted = int(pItem->parentItem()->property("index").toInt());
    }
    QCOMPARE(highlighted, 2);

    // A room press now joins combination 2.
    auto *pFour = design.widgetFor<WRoomSelection>(design.room(4), QStringLiteral("Room Layout"),
                                                   QStringLiteral("roomselector"), QPointF(100, 100));
    QVERIFY(pFour);
    c.model()->setQmlProperty(QStringLiteral("connectInd"), QStringLiteral("../../images/skins/Light/indicator_grn.png"));
    c.window().click(PolygonCanvas::at(pFour, QPointF(20, 20)));
    QCOMPARE(design.room(4)->roomColor(-1), QStringLiteral("yellow"));

    auto *pReopened = qobject_cast<WComboSelection *>(reopen(c.online().panel(), pSelector));
    QVERIFY(pReopened);
    QCOMPARE(pReopened->sideMargins(), 10);
}

void TestWRoomCombining::comboSelectorUnbound()
{
    PolygonCanvas &c = *m_pCanvas;
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setType(QStringLiteral("ComboSelector"));
    pControl->setContextObject(c.model());
    c.online().panel()->addChild(pControl);
    auto *pSelector = qobject_cast<WComboSelection *>(
        WidgetFixture::readWidget(pControl, QStringLiteral("comboselector"), {{QStringLiteral("height"), QStringLiteral("20")}}));
    QVERIFY(pSelector);
    QCOMPARE(pSelector->count(), 7);
    QCOMPARE(pSelector->getComboColor(0), QStringLiteral("crimson"));
    QCOMPARE(pSelector->getComboColor(6), QStringLiteral("sienna"));
    QCOMPARE(pSelector->getComboColor(7), QString());
    QCOMPARE(pSelector->getComboColor(-1), QString());
    QSignalSpy changed(pSelector, &WComboSelection::selectedIndexChanged);
    pSelector->selectorClicked(3);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(pSelector->selectedIndex(), 0);
    QCOMPARE(qobject_cast<QQuickItem *>(pSelector->widget())->height(), 35.0);
}

void TestWRoomCombining::sideMargins_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("margins");
    for (const char *type : {"activeroomcombo", "comboselector"}) {
        QTest::addRow("%s 12", type) << type << "12" << 12;
        QTest::addRow("%s 1.5", type) << type << "1.5" << 0;
        QTest::addRow("%s beyond 32 bits", type) << type << "99999999999" << 0;
    }
}

void TestWRoomCombining::sideMargins()
{
    QFETCH(QString, type);
    QFETCH(QString, text);
    QFETCH(int, margins);
    PolygonCanvas &c = *m_pCanvas;
    auto *pControl = new CControl;
    pControl->setKind(QStringLiteral("Control"));
    pControl->setContextObject(c.model());
    c.online().panel()->addChild(pControl);
    WWidget *pWidget = WidgetFixture::readWidget(pControl, type, {{QStringLiteral("sideMargins"), text}});
    QVERIFY(pWidget);
    QCOMPARE(pWidget->propertyValue(WidgetPropertyId::SideMargin).toInt(), margins);
    pControl->setVisible(true);
    auto *pItem = qobject_cast<QQuickItem *>(pWidget->widget());
    QCOMPARE(pItem->x(), qreal(margins));
    QCOMPARE(pItem->width(), c.online().canvas()->width() - 2 * margins);
    pWidget->setPropertyValue(WidgetPropertyId::SideMargin, QStringLiteral("7"));
    QCOMPARE(pItem->x(), 7.0);
}

VVB_TEST_MAIN(TestWRoomCombining)
#include "tst_wroomcombining.moc"
