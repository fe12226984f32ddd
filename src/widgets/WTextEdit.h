#pragma once

#include "widgets/WWidget.h"

// Widget of "textedit": a text belonging to a parameter. Its main use is the
// value text under a fader, linked to it both ways: every value the fader
// sends or receives reaches it through linkValue and it shows the
// transform's display text. A text taken from QML goes out as the value text.
class WTextEdit : public WWidget
{
    Q_OBJECT

public:
    explicit WTextEdit(QQuickItem *pParent = nullptr);
    ~WTextEdit() override;

    void initWidget(QObject *pItem) override;
    void destroy() override;
    void setupFromParameter(CAttributes *pAttributes) override;
    void setCanvasItem(QQuickItem *pItem) override;
    bool save(XmlWriter *pWriter) override;
    bool processElement(const QString &name, const QString &text) override;
    void linkValue(WWidget *pSource) override;

    // The text last shown or taken.
    const QString &lastText() const { return m_sLastText; }

public slots:
    // The QML text changed: a new text goes out as the parameter's value text.
    void onTextChanged() override;
    void outputCurrentText(const QString &text) override;

private:
    QString m_sLastText;
    QString m_sFormat;
    int m_nDecimals;
};
