#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace vantorel {

// One running copy of the program per user. The first start holds a lock file for as long as
// it runs; a later start finds it held and ends. A lock left by a copy that crashed is taken
// over, since the process named in it is gone. The lock lives in the user's runtime folder, not
// in the work folder, which every start removes.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath = DefaultLockPath());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this is the only running copy; it then holds the lock until destroyed.
    bool IsFirst() const { return m_first; }

    // <runtime folder>/vantorel.lock; in the temporary folder, named by the user's id, when
    // the system offers no runtime folder.
    static QString DefaultLockPath();

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_first = false;
};

} // namespace vantorel
