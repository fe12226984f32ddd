#include "support/DesignFixture.h"

#include "support/TestSupport.h"

#include <QDir>

QByteArray DesignFixture::property(const QByteArray &name, const QByteArray &value)
{
    return "\t\t<Property name=\"" + name + "\" value=\"" + value + "\"/>\r\n";
}

QByteArray DesignFixture::node(const QByteArray &attributes, const QList<QByteArray> &properties,
                               const QByteArray &inner)
{
    QByteArray text = "\t<Node " + attributes + ">\r\n";
    for (const QByteArray &p : properties)
        text += p;
    return text + inner + "\t</Node>\r\n";
}

DesignFixture::DesignFixture()
{
    using P = QList<QByteArray>;
    const auto p = &DesignFixture::property;
    nodes << node("className=\"Harlo.Creator.Nodes.Devices.KRX\" typeNumber=\"0\"",
                  P{p("title", "KRX 880 (Main)"), p("label", "Main Rack"), p("nodeID", "1"),
                    p("deviceType", "KRX 880"), p("isMainKRX", "True"), p("ipAddress", "10.0.0.5"),
                    p("serialPortNumber", "10055")})
          << node("className=\"Devices.Input\" cardType=\"VM-AI4\" typeNumber=\"2\" portIndex=\"0\" pinIndex=\"3\"",
                  P{p("title", "Input 1"), p("label", "Mic Inputs"), p("nodeID", "2")})
          << node("className=\"Output\" cardType=\"VM-DO4\" typeNumber=\"0\" portIndex=\"x\" pinIndex=\"\"",
                  P{p("title", "Output 1"), p("label", "Digital Outs"), p("nodeID", "3")})
          << node("className=\"Harlo.Creator.Nodes.Gain\" typeNumber=\"0\"",
                  P{p("title", "Gain"), p("label", "Lobby Gain"), p("nodeID", "10")})
          << node("className=\"Selector\" typeNumber=\"1\"",
                  P{p("title", "Selector"), p("label", "Source Select"), p("nodeID", "11"),
                    p("name1", "CD"), p("name2", "Radio")})
          // The script file comes after the view: the view's own nodes must
          // neither end the Logic node early nor lend it their properties.
          << node("className=\"Logic\" typeNumber=\"1\"", P{p("title", "Logic"), p("label", "Door Logic")},
                  "\t\t<LogicView>\r\n\t\t<Nodes>\r\n"
                      + node("className=\"Gain\" typeNumber=\"0\"",
                             P{p("title", "Gain"), p("label", "Inner"), p("nodeID", "99")})
                      + "\t\t</Nodes>\r\n\t\t</LogicView>\r\n" + p("scriptFile", "toggleff.js")
                      + p("nodeID", "12"))
          << node("className=\"MatrixMixer\" typeNumber=\"0\"",
                  P{p("title", "Matrix Mixer"), p("label", "Matrix"), p("nodeID", "13")})
          << node("className=\"GPI\"", P{p("title", "GPI"), p("label", "Inputs"), p("nodeID", "14")})
          << node("className=\"StandardRoomCombiner\" typeNumber=\"0\"",
                  P{p("title", "Standard Room Combiner"), p("label", "Combiner"), p("nodeID", "20"),
                    p("roomNumber", "1"), p("rcGroupNumber", "1"), p("roomName", "Ballroom A")})
          << node("className=\"Tarvo\" typeNumber=\"0\"",
                  P{p("title", "KRX 440"), p("label", "Annex Rack"), p("nodeID", "5"),
                    p("deviceType", "KRX 440"), p("ipAddress", "10.0.0.6")})
          << node("className=\"StandardRoomCombiner\" typeNumber=\"0\"",
                  P{p("title", "Standard Room Combiner"), p("label", "Annex Combiner"), p("nodeID", "21"),
                    p("roomNumber", "2"), p("rcGroupNumber", "1"), p("roomName", "Ballroom B")})
          << node("className=\"StandardRoomCombiner\" typeNumber=\"0\"",
                  P{p("title", "Standard Room Combiner"), p("label", "Foyer Combiner"), p("nodeID", "22"),
                    p("roomNumber", "3"), p("rcGroupNumber", "1"), p("roomName", "Foyer")})
          << node("className=\"DanteRx\" cardType=\"DANTE\" typeNumber=\"0\"",
                  P{p("title", "Dante In"), p("label", "Dante"), p("nodeID", "6"), p("label1", "Ch A"),
                    p("label2", "Ch B"), p("cardPin1", "5"), p("cardPin2", "6")});

    groups = "\t<Group id=\"100\">\r\n" + p("title", "Group") + p("label", "All Level") + p("nodeID", "100")
             + p("groupType", "Level") + "\t</Group>\r\n"
             + "\t<Group id=\"101\">\r\n" + p("title", "Group") + p("label", "Lobby Level+Mute")
             + p("nodeID", "101") + p("groupType", "Level + Mute") + "\t</Group>\r\n"
             + "\t<Group id=\"102\">\r\n" + p("title", "Group") + p("label", "Source Pick") + p("nodeID", "102")
             + p("groupType", "Selector") + "\t</Group>\r\n";
    rcGroups = "\t<RCGroup id=\"1\">\r\n" + p("label", "Ballroom") + p("index", "1") + p("nodeID", "200")
               + "\t</RCGroup>\r\n";
    parameterSets = "\t<ParameterSet id=\"300\">\r\n" + p("title", "Param Set.") + p("label", "Evening")
                    + p("nodeID", "300") + "\t</ParameterSet>\r\n"
                    + "\t<ParameterSet id=\"301\">\r\n" + p("title", "Param Set.") + p("label", "Morning")
                    + p("nodeID", "301") + "\t</ParameterSet>\r\n";
    lists = "\t<PanelList id=\"400\">\r\n" + p("title", "PSet List") + p("label", "Daily") + p("nodeID", "400")
            + "\t</PanelList>\r\n";
    assignment = "\t<Group id=\"100\"><Assign targetID=\"10\"/></Group>\r\n"
                 "\t<Group id=\"102\">\r\n"
                 "\t\t<Assign targetID=\"11\" targetProp=\"name1\" targetValue=\"CD\"/>\r\n"
                 "\t\t<Assign targetID=\"11\" targetProp=\"name2\" targetValue=\"Radio\"/>\r\n"
                 "\t\t<Assign targetID=\"12\" targetProp=\"name1\" targetValue=\"Other\"/>\r\n"
                 "\t\t<Assign targetID=\"11\" targetProp=\"selector\" targetMin=\"1\" targetMax=\"2\" targetStep=\"1\"/>\r\n"
                 "\t</Group>\r\n"
                 "\t<RCGroup id=\"1\"/>\r\n"
                 "\t<ParameterSet id=\"300\"/>\r\n"
                 "\t<ParameterSet id=\"301\"/>\r\n"
                 "\t<PanelList id=\"400\"><Assign targetID=\"301\"/><Assign targetID=\"300\"/></PanelList>\r\n";
}

void DesignFixture::addTelephoneEndpoint()
{
    using P = QList<QByteArray>;
    const auto p = &DesignFixture::property;
    nodes << node("className=\"Harlo.Creator.Nodes.Devices.KRX\" typeNumber=\"0\"",
                  P{p("title", "IN-USB2T"), p("label", "Phone Rack"), p("nodeID", "30"),
                    p("deviceType", "IN-USB2T"), p("ipAddress", "10.0.0.7")})
          << node("className=\"PstnRx\" cardType=\"PSTN\" typeNumber=\"0\" portIndex=\"0\" pinIndex=\"1\"",
                  P{p("title", "PSTN In 1"), p("label", "Desk Phone"), p("nodeID", "31")})
          << node("className=\"VoipRx\" cardType=\"VOIP-2\" typeNumber=\"0\" portIndex=\"1\" pinIndex=\"1\"",
                  P{p("title", "VoIP In 1"), p("label", "Lobby Phone"), p("nodeID", "32")});
}

int DesignFixture::indexOf(const QByteArray &label) const
{
    const QByteArray needle = property("label", label);
    for (int i = 0; i < nodes.size(); ++i) {
        if (nodes.at(i).contains(needle))
            return i;
    }
    return -1;
}

QByteArray DesignFixture::bytes() const
{
    QByteArray text = "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n<VMD>\r\n";
    text += version.isNull() ? QByteArray("<Project>\r\n") : "<Project version=\"" + version + "\">\r\n";
    text += "<ProjectInfo><Facility name=\"Grand Hotel\"/></ProjectInfo>\r\n<Nodes>\r\n";
    for (const QByteArray &n : nodes)
        text += n;
    text += "</Nodes>\r\n<Groups>\r\n" + groups + "</Groups>\r\n<RCGroups>\r\n" + rcGroups
            + "</RCGroups>\r\n<ParameterSets>\r\n" + parameterSets + "</ParameterSets>\r\n<ParameterSetLists>\r\n"
            + lists + "</ParameterSetLists>\r\n" + extra + "<Assignment>\r\n" + assignment
            + "</Assignment>\r\n</Project>\r\n</VMD>\r\n";
    return text;
}

QString DesignFixture::write(const QString &dir, const QString &name) const
{
    const QString path = QDir(dir).filePath(name);
    return TestSupport::writeAll(path, bytes()) ? path : QString();
}
