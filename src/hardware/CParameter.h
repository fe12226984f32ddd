#pragma once

#include <QString>

class QStandardItem;

// One controllable parameter of a hardware node: its name and the control type
// it is operated with. Owned by the node's parameter list.
class CParameter
{
public:
    CParameter();
    virtual ~CParameter();

    // Sets the text for "text" and the type for "type"; other names are ignored.
    bool setAttribute(const QString &name, const QString &value);

    const QString &text() const { return m_sText; }
    void setText(const QString &text) { m_sText = text; }
    const QString &type() const { return m_sType; }
    void setType(const QString &type) { m_sType = type; }

    // Resource image shown for the parameter in the project tree; empty for a
    // type without an icon.
    QString iconPath() const;

    // The project-tree item last built for the parameter (not owned).
    QStandardItem *item() const { return m_pItem; }
    void setItem(QStandardItem *pItem) { m_pItem = pItem; }

private:
    QString m_sText;
    QString m_sType;
    QStandardItem *m_pItem = nullptr;
};
