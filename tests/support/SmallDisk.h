#pragma once

#include <QString>

namespace pw::test {

// A small file system of its own (tmpfs) mounted on a folder for one scope: a disk that fills up
// after a few bytes, or that is read-only even for root. Mounting needs the right to (root, and a
// system that lets it): where it is refused, mounted() is false and reason() says why, for the
// test to skip.
class SmallDisk {
public:
    SmallDisk(const QString& folder, qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    const QString& reason() const { return reason_; }
    // Makes it read-only from now on; false (with reason()) when that fails.
    bool makeReadOnly();

private:
    QString folder_;
    bool mounted_ = false;
    QString reason_;
};

}  // namespace pw::test
