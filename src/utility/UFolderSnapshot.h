#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A copy of a folder taken aside, so that an operation that empties and
// refills the folder can be undone when it fails halfway.
class UFolderSnapshot
{
public:
    UFolderSnapshot();
    ~UFolderSnapshot();
    UFolderSnapshot(const UFolderSnapshot &) = delete;
    UFolderSnapshot &operator=(const UFolderSnapshot &) = delete;

    // Copies the folder aside; true when it was copied or does not exist.
    bool take(const QString &folder);
    // Puts the copy back in place of whatever the folder holds now.
    bool restore();

    static bool copyFolder(const QString &from, const QString &to);

private:
    QString m_sFolder;
    bool m_bExisted;
    std::unique_ptr<QTemporaryDir> m_pCopy;
};
