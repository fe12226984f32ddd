#pragma once

#include <QList>
#include <QString>

class CControl;
class TTransform;

// Makes a transform from its binding's "transform" name and keeps the
// process-wide list of controls that own one (the controls find shared
// transforms there).
class TTransformFactory
{
public:
    // A new transform the caller owns, or null for an unknown name (case-sensitive).
    TTransform *createTransform(const QString &name) const;

    void registerTransform(CControl *pControl);
    void unregisterTransform(CControl *pControl);
    QList<CControl *> transforms() const;

private:
    static QList<CControl *> &registry();
};
