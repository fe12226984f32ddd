#pragma once

#include "hardware/HNode.h"

// An audio input or output card of a processor (analog, digital, amplifier,
// telephone, VoIP and USB cards). Its template and its I/O group come from
// the module dictionary of its processor's data folder.
class HAudioIO : public HNode
{
    Q_OBJECT

public:
    static constexpr int DirectionInput = 1;
    static constexpr int DirectionOutput = 2;
    static constexpr int DirectionLink = 3;

    HAudioIO();
    HAudioIO(const QString &cardType, int direction);
    ~HAudioIO() override;

    const QString &moduleType() const { return m_sModuleType; }
    int direction() const { return m_nDirection; }
    // Whether the category was taken from the module dictionary.
    bool isCategoryResolved() const { return m_bCategoryResolved; }

    // The seven I/O group texts, translated, in the processor's row order.
    static QStringList ioCategories();

    void copyFrom(HNode *pOther) override;
    bool collect(const QString &key, QList<HNode *> *pList) override;
    QString parameterFilePath(const QString &name) const override;
    QString category() const override;
    void setParent(HNode *pParent) override;

protected:
    // Looks the card up in its dictionary; the template path, or empty text.
    QString lookupModule(QString *pCategory) const;
    // Takes the category from the dictionary once the processor is known.
    void resolveCategory();

    QString m_sModuleType;
    mutable QString m_sCategory;
    int m_nDirection = 0;
    mutable bool m_bCategoryResolved = false;
};
