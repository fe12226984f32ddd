#pragma once

#include "widgets/WWidget.h"

// Widget of "cmdbutton": a caption or an image carrying a command text that
// a press hands to the linked widget. It is bound to no transform and sends
// nothing to the installation.
class WCmdButton : public WWidget
{
    Q_OBJECT

public:
    explicit WCmdButton(QQuickItem *pParent = nullptr);
    ~WCmdButton() override;

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setupFromParameter(CAttributes *pAttributes) override;
    void setCanvasItem(QQuickItem *pItem) override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void setLabelText(const QString &text) override;
    bool hasTitle() const override;
    DPropDialog *createPropertiesDialog(QWidget *pParent) override;
    QVariant propertyValue(WidgetPropertyId::Type id) const override;
    void setPropertyValue(WidgetPropertyId::Type id, const QVariant &value) override;

    const QString &command() const { return m_sCommand; }
    // A built-in image named without folder and extension ("home") is
    // "../images/home.png"; an archived file is shown from its unpacked copy.
    static QString imagePath(const QString &name);

public slots:
    void outputPressed();

private:
    void setImageByName(const QString &name);

    QString m_sCommand;
};
