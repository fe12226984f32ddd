#include "widgets/WidgetPropertyId.h"

#include <QSet>
#include <QtTest>

#include "support/TestMain.h"

static_assert(sizeof(WidgetPropertyId::Type) == 2, "property ids are 16-bit");
static_assert(WidgetPropertyId::group(WidgetPropertyId::MeterRate) == WidgetPropertyId::GroupMeters,
              "the high byte names the group");

class TestWidgetPropertyId : public QObject
{
    Q_OBJECT

private slots:
    void table_data();
    void table();
    void complete();
    void uniqueAndInTheirGroups();
};

void TestWidgetPropertyId::table_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("id");
    const QList<QPair<const char *, uint>> rows{
        {"XPos", 0x4001}, {"YPos", 0x4002}, {"Width", 0x4003}, {"Height", 0x4004},
        {"Text", 0x4005}, {"HasBorder", 0x4006}, {"TextOn", 0x4007}, {"TextOff", 0x4008},
        {"Align", 0x4100}, {"Scale", 0x4101}, {"TextColor", 0x4102},
        {"Minimum", 0x4200}, {"Maximum", 0x4201}, {"Units", 0x4202}, {"KnobColor", 0x4203},
        {"Rotation", 0x4204},
        {"ButtonMode", 0x4300}, {"ImageOn", 0x4301}, {"ImageOff", 0x4302},
        {"HasChannels", 0x4303}, {"Channel", 0x4304}, {"ButtonChoiceFlag", 0x4305},
        {"ShowPulse", 0x4306}, {"ButtonAction", 0x4307}, {"CurrentTab", 0x4308},
        {"ChannelCount", 0x4309}, {"ShowTurnOnOrOff", 0x430A}, {"ImageSetCategory", 0x430B},
        {"ImageSet", 0x430C}, {"ImagePartial", 0x430D}, {"TextPartial", 0x430E},
        {"Image", 0x4400}, {"BackgroundMode", 0x4401}, {"Opacity", 0x4402},
        {"MaxCachedWidth", 0x4403},
        {"LinkButtonMode", 0x4500}, {"LinkPath", 0x4501},
        {"FieldColor", 0x4600}, {"BorderWidth", 0x4602}, {"BorderColor", 0x4603},
        {"DialerType", 0x4800}, {"DialerPrimaryColor", 0x4801}, {"DialerRed", 0x4802},
        {"DialerGreen", 0x4803}, {"DialerBlue", 0x4804}, {"AlwaysShowCallAndEnd", 0x4805},
        {"Separator", 0x4900}, {"SideMargin", 0x4901},
        {"SelectedOpacity", 0x4A00}, {"UnselectedOpacity", 0x4A01}, {"ShowSelected", 0x4A02},
        {"LevelButtonType", 0x4B00},
        {"MarkerEnabled", 0x4C00}, {"MarkerLevel", 0x4C01}, {"MeterRate", 0x4C02}};
    for (const auto &row : rows)
        QTest::newRow(row.first) << QString::fromLatin1(row.first) << row.second;
}

void TestWidgetPropertyId::table()
{
    QFETCH(QString, name);
    QFETCH(uint, id);
    QCOMPARE(QString::fromLatin1(WidgetPropertyId::nameOf(WidgetPropertyId::Type(id))), name);
}

void TestWidgetPropertyId::complete()
{
    QCOMPARE(int(std::size(WidgetPropertyId::All)), 55);
    QVERIFY(!WidgetPropertyId::nameOf(0x4601)); // the unused colour slot
    QVERIFY(!WidgetPropertyId::nameOf(0x4000));
    QCOMPARE(WidgetPropertyId::XPos, WidgetPropertyId::Type(0x4001));
    QCOMPARE(WidgetPropertyId::FieldColor, WidgetPropertyId::Type(0x4600));
}

void TestWidgetPropertyId::uniqueAndInTheirGroups()
{
    const QSet<quint8> groups{WidgetPropertyId::GroupCommon,     WidgetPropertyId::GroupText,
                              WidgetPropertyId::GroupFader,      WidgetPropertyId::GroupButton,
                              WidgetPropertyId::GroupImage,      WidgetPropertyId::GroupLinkTarget,
                              WidgetPropertyId::GroupColours,    WidgetPropertyId::GroupDialer,
                              WidgetPropertyId::GroupCombination, WidgetPropertyId::GroupRoomSelector,
                              WidgetPropertyId::GroupLevelButtons, WidgetPropertyId::GroupMeters};
    QCOMPARE(groups.size(), 12);
    QVERIFY(!groups.contains(0x47));

    QSet<quint16> ids;
    QSet<QByteArray> names;
    QSet<quint8> used;
    quint16 previous = 0;
    for (const WidgetPropertyId::Entry &entry : WidgetPropertyId::All) {
        QVERIFY2(!ids.contains(entry.id), entry.name);
        QVERIFY2(!names.contains(entry.name), entry.name);
        QVERIFY2(groups.contains(WidgetPropertyId::group(entry.id)), entry.name);
        QVERIFY2(entry.id > previous, entry.name); // listed by group, then number
        ids.insert(entry.id);
        names.insert(entry.name);
        used.insert(WidgetPropertyId::group(entry.id));
        previous = entry.id;
    }
    QCOMPARE(used, groups); // every group has ids
}

VVB_TEST_APPLESS_MAIN(TestWidgetPropertyId)
#include "tst_widgetpropertyid.moc"
