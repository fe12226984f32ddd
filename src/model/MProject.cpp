#include "model/MProject.h"

#include "utility/LogCategories.h"
#include "xml/XmlWriter.h"

#include <QCoreApplication>
#include <QDebug>
#include <QXmlAttributes>

namespace {

QString &exitPinText()
{
    static QString pin;
    return pin;
}

} // namespace

MProject::MProject()
{
    reset();
}

MProject::~MProject() = default;

void MProject::reset()
{
    for (QString *field : {&m_sBusinessName, &m_sBusinessEmail, &m_sBusinessTel,
                           &m_sEngineerName, &m_sEngineerEmail, &m_sEngineerTel,
                           &m_sCustomerName, &m_sCustomerAddress, &m_sCustomerEmail,
                           &m_sCustomerTel})
        field->clear();
    for (QString &comment : m_sComments)
        comment.clear();
    m_sFacilityName = QStringLiteral("SITE NAME");
}

QString MProject::exitPin()
{
    return exitPinText();
}

void MProject::setExitPin(const QString &pin)
{
    exitPinText() = pin;
}

QString MProject::comment(int number) const
{
    if (number < 1 || number > CommentCount)
        return QString();
    return m_sComments[number - 1];
}

void MProject::writeGroup(XmlWriter *writer, const char *group,
                          std::initializer_list<std::pair<const char *, const QString *>> fields) const
{
    const QString groupName = QString::fromLatin1(group);
    writer->writeStartElement(groupName);
    for (const auto &field : fields)
        writer->writeTextElement(QString::fromLatin1(field.first), *field.second);
    writer->writeEndElement(groupName);
}

bool MProject::writeXml(XmlWriter *writer) const
{
    if (!writer)
        return false;
    writer->writeStartElement(QStringLiteral("Project"));
    writer->writeStartElementNamed(QStringLiteral("Property"), QStringLiteral("attributes"));

    const QString facility = m_sFacilityName.isEmpty() ? QStringLiteral("None") : m_sFacilityName;
    writeGroup(writer, "Facility", {{"name", &facility}});
    writeGroup(writer, "BusinessManeger",
               {{"name", &m_sBusinessName}, {"email", &m_sBusinessEmail}, {"tel", &m_sBusinessTel}});
    writeGroup(writer, "Engineer",
               {{"name", &m_sEngineerName}, {"email", &m_sEngineerEmail}, {"tel", &m_sEngineerTel}});
    writeGroup(writer, "Customer",
               {{"name", &m_sCustomerName}, {"address", &m_sCustomerAddress},
                {"email", &m_sCustomerEmail}, {"tel", &m_sCustomerTel}});
    writeGroup(writer, "Comments",
               {{"comment1", &m_sComments[0]}, {"comment2", &m_sComments[1]},
                {"comment3", &m_sComments[2]}, {"comment4", &m_sComments[3]},
                {"comment5", &m_sComments[4]}, {"comment6", &m_sComments[5]}});

    writer->writeStartElement(QStringLiteral("ExitCode"));
    const QString pin = exitPin();
    if (!pin.isEmpty())
        writer->writeTextElement(QStringLiteral("exitPIN"), pin);
    writer->writeEndElement(QStringLiteral("ExitCode"));

    writer->writeEndElement(QStringLiteral("Property"));
    writer->writeEndElement(QStringLiteral("Project"));
    return true;
}

QString *MProject::contactField(const QString &group, const QString &element)
{
    const bool name = element == QLatin1String("name");
    const bool email = element == QLatin1String("email");
    const bool tel = element == QLatin1String("tel");
    if (group == QLatin1String("BusinessManeger"))
        return name ? &m_sBusinessName : email ? &m_sBusinessEmail : tel ? &m_sBusinessTel : nullptr;
    if (group == QLatin1String("Engineer"))
        return name ? &m_sEngineerName : email ? &m_sEngineerEmail : tel ? &m_sEngineerTel : nullptr;
    if (group == QLatin1String("Customer")) {
        if (element == QLatin1String("address"))
            return &m_sCustomerAddress;
        return name ? &m_sCustomerName : email ? &m_sCustomerEmail : tel ? &m_sCustomerTel : nullptr;
    }
    return nullptr;
}

QString *MProject::commentField(const QString &element)
{
    for (int i = 0; i < CommentCount; ++i) {
        if (element == QStringLiteral("comment%1").arg(i + 1))
            return &m_sComments[i];
    }
    return nullptr;
}

void MProject::characters(const QString &parent, const QString &element, const QString &text)
{
    if (parent == QLatin1String("Facility")) {
        if (element == QLatin1String("name"))
            m_sFacilityName = text == QLatin1String("None") ? QString() : text;
        // A project without its own PIN must not keep the previous one.
        setExitPin(QString());
        return;
    }
    if (parent == QLatin1String("ExitCode")) {
        if (element == QLatin1String("exitPIN"))
            setExitPin(text);
        return;
    }
    QString *field = parent == QLatin1String("Comments") ? commentField(element)
                                                          : contactField(parent, element);
    if (field)
        *field = text;
}

bool MProject::startElement(const QString &element, const QXmlAttributes &attributes)
{
    if (element == QLatin1String("Facility")) {
        m_sFacilityName = attributes.value(QStringLiteral("name"));
    } else if (element == QLatin1String("ExitCode")) {
        setExitPin(attributes.value(QStringLiteral("ExitPIN")));
    } else if (element == QLatin1String("Comments")) {
        for (int i = 0; i < CommentCount; ++i)
            m_sComments[i] = attributes.value(QStringLiteral("comment%1").arg(i + 1));
    } else if (contactField(element, QStringLiteral("name"))) {
        for (const char *key : {"name", "email", "tel", "address"}) {
            QString *field = contactField(element, QString::fromLatin1(key));
            if (field)
                *field = attributes.value(QString::fromLatin1(key));
        }
    }
    return true;
}

QString MProject::projectInfoString() const
{
    const QChar lf(QLatin1Char('\n'));
    QString text;
    text += tr("Facility") + lf + m_sFacilityName + lf + lf;
    text += tr("Business Manager") + lf + m_sBusinessName + lf + m_sBusinessEmail + lf
            + m_sBusinessTel + lf + lf;
    text += tr("Engineer") + lf + m_sEngineerName + lf + m_sEngineerEmail + lf + m_sEngineerTel
            + lf + lf;
    text += tr("Customer") + lf + m_sCustomerName + lf + m_sCustomerAddress + lf
            + m_sCustomerEmail + lf + m_sCustomerTel + lf + lf;
    return text;
}

void MProject::dump() const
{
    qCDebug(lcModel) << "Business" << m_sBusinessName << m_sBusinessEmail << m_sBusinessTel;
    qCDebug(lcModel) << "Engineer" << m_sEngineerName << m_sEngineerEmail << m_sEngineerTel;
    qCDebug(lcModel) << "Customer" << m_sCustomerName << m_sCustomerAddress << m_sCustomerEmail
             << m_sCustomerTel;
    qCDebug(lcModel) << "Comment";
    for (const QString &comment : m_sComments)
        qCDebug(lcModel) << comment;
}
