#pragma once

#include <QCoreApplication>
#include <QString>

#include <initializer_list>
#include <utility>

class QXmlAttributes;
class XmlWriter;

// Who the installation is for and who built it, plus six comment lines.
// The exit PIN of the panels is a process-wide text that travels in the same
// blocks of the design file and the project file.
class MProject
{
    Q_DECLARE_TR_FUNCTIONS(MProject)

public:
    MProject();
    virtual ~MProject();

    // Facility "SITE NAME", every other field empty; the exit PIN stays.
    void reset();

    // The "Project" block of the project file; false only without a writer.
    bool writeXml(XmlWriter *writer) const;
    // One non-empty text of the project file's "Project" block.
    void characters(const QString &parent, const QString &element, const QString &text);
    // One group element of the design file's project information.
    bool startElement(const QString &element, const QXmlAttributes &attributes);

    // The information as shown to the user.
    QString projectInfoString() const;
    void dump() const;

    // The process-wide exit PIN; empty means no PIN.
    static QString exitPin();
    static void setExitPin(const QString &pin);

    const QString &facilityName() const { return m_sFacilityName; }
    // The site name shown in the panel header.
    void setFacilityName(const QString &name) { m_sFacilityName = name; }
    const QString &businessName() const { return m_sBusinessName; }
    const QString &businessEmail() const { return m_sBusinessEmail; }
    const QString &businessTel() const { return m_sBusinessTel; }
    const QString &engineerName() const { return m_sEngineerName; }
    const QString &engineerEmail() const { return m_sEngineerEmail; }
    const QString &engineerTel() const { return m_sEngineerTel; }
    const QString &customerName() const { return m_sCustomerName; }
    const QString &customerAddress() const { return m_sCustomerAddress; }
    const QString &customerEmail() const { return m_sCustomerEmail; }
    const QString &customerTel() const { return m_sCustomerTel; }
    // Comment 1 to 6; empty for any other number.
    QString comment(int number) const;

private:
    static constexpr int CommentCount = 6;

    QString *contactField(const QString &group, const QString &element);
    QString *commentField(const QString &element);
    void writeGroup(XmlWriter *writer, const char *group,
                    std::initializer_list<std::pair<const char *, const QString *>> fields) const;

    QString m_sBusinessName;
    QString m_sBusinessEmail;
    QString m_sBusinessTel;
    QString m_sEngineerName;
    QString m_sEngineerEmail;
    QString m_sEngineerTel;
    QString m_sCustomerName;
    QString m_sCustomerAddress;
    QString m_sCustomerEmail;
    QString m_sCustomerTel;
    QString m_sComments[CommentCount];
    QString m_sFacilityName;
};
